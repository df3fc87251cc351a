#include "HeaderState.h"

#include <QtEndian>

#include <cstdlib>

namespace {

constexpr qsizetype kFixedBytes = 8;
constexpr qsizetype kColumnBytes = 9;

void AppendInt32(QByteArray& bytes, qint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

qint32 Int32At(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<qint32>(bytes.constData() + offset);
}

} // namespace

QByteArray EncodeHeaderState(const HeaderState& state)
{
    QByteArray bytes;
    bytes.reserve(kFixedBytes + kColumnBytes * state.columns.size());
    AppendInt32(bytes, static_cast<qint32>(state.columns.size()));
    AppendInt32(bytes, state.sortState);
    for (const HeaderState::Column& column : state.columns) {
        bytes.append(column.visible ? '\1' : '\0');
        AppendInt32(bytes, column.width);
        AppendInt32(bytes, column.position);
    }
    return bytes;
}

std::optional<HeaderState> DecodeHeaderState(const QByteArray& bytes, int columnCount)
{
    if (columnCount < 0 || bytes.size() < kFixedBytes)
        return std::nullopt;
    const qint32 storedCount = Int32At(bytes, 0);
    if (storedCount != columnCount || bytes.size() != kFixedBytes + kColumnBytes * storedCount)
        return std::nullopt;
    HeaderState state;
    state.sortState = Int32At(bytes, 4);
    if (std::llabs(static_cast<long long>(state.sortState)) > columnCount)
        return std::nullopt;
    for (qsizetype offset = kFixedBytes; offset < bytes.size(); offset += kColumnBytes) {
        state.columns.append({bytes[offset] != '\0', Int32At(bytes, offset + 1), Int32At(bytes, offset + 5)});
    }
    return state;
}

bool PositionsArePermutation(const HeaderState& state)
{
    QList<bool> seen(state.columns.size(), false);
    for (const HeaderState::Column& column : state.columns) {
        if (column.position < 0 || column.position >= seen.size() || seen[column.position])
            return false;
        seen[column.position] = true;
    }
    return true;
}
