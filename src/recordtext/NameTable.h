#pragma once

#include <QString>

#include <cstdint>
#include <span>

// Names for a run of consecutive numbers starting at First(). The texts are UTF-8.
class NameTable {
public:
    constexpr NameTable(int first, std::span<const char* const> names)
        : m_first(first)
        , m_names(names)
    {
    }

    int First() const { return m_first; }
    int Last() const { return m_first + static_cast<int>(m_names.size()) - 1; }
    bool Contains(std::int64_t value) const { return value >= m_first && value <= Last(); }

    // The name of value, or fallback when the table has none.
    QString NameOr(std::int64_t value, const QString& fallback) const;
    // The name of value, or empty text.
    QString operator[](std::int64_t value) const { return NameOr(value, QString()); }

private:
    int m_first;
    std::span<const char* const> m_names;
};
