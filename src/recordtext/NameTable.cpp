#include "NameTable.h"

QString NameTable::NameOr(std::int64_t value, const QString& fallback) const
{
    if (!Contains(value))
        return fallback;
    return QString::fromUtf8(m_names[static_cast<std::size_t>(value - m_first)]);
}
