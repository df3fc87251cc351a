#include "DecodeGbk.h"

#include <QStringDecoder>

QString DecodeGbk(std::string_view bytes)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    // Opening the converter costs more than decoding a player name; every text here is whole, so
    // one decoder that keeps no state between calls serves them all.
    thread_local QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QString DecodeGbk(const std::string& bytes) { return DecodeGbk(std::string_view(bytes)); }

QString DecodeGbk(const Mgx::GbkText& text) { return text ? DecodeGbk(std::string_view(*text)) : QString(); }
