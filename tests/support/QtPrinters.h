#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

// Failure messages show Qt text as text, not as bytes. Every test program includes this one copy.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out)
{
    *out << '{' << texts.join(QStringLiteral(", ")).toStdString() << '}';
}
