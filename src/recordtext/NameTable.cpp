#include "NameTable.h"

QString NameTable::nameOr(std::int64_t value, const QString& fallback) const
{
    if (!contains(value))
        return fallback;
    return QString::fromUtf8(m_names[static_cast<std::size_t>(value - m_first)]);
}
