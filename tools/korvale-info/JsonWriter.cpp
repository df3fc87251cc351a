#include "JsonWriter.h"

#include <cmath>
#include <cstdio>

void JsonWriter::Separate()
{
    if (m_needComma)
        m_text += ',';
    m_needComma = true;
}

void JsonWriter::BeginObject()
{
    Separate();
    m_text += '{';
    m_needComma = false;
}

void JsonWriter::EndObject()
{
    m_text += '}';
    m_needComma = true;
}

void JsonWriter::BeginArray()
{
    Separate();
    m_text += '[';
    m_needComma = false;
}

void JsonWriter::EndArray()
{
    m_text += ']';
    m_needComma = true;
}

void JsonWriter::Key(const char* name)
{
    Separate();
    m_text += '"';
    m_text += name;
    m_text += "\":";
    m_needComma = false;
}

void JsonWriter::Value(const QString& text)
{
    Separate();
    m_text += '"';
    for (const char c : text.toStdString()) {
        switch (c) {
        case '"': m_text += "\\\""; break;
        case '\\': m_text += "\\\\"; break;
        case '\n': m_text += "\\n"; break;
        case '\r': m_text += "\\r"; break;
        case '\t': m_text += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
                m_text += escape;
            } else {
                m_text += c;
            }
        }
    }
    m_text += '"';
}

void JsonWriter::Value(std::int64_t number)
{
    Separate();
    m_text += std::to_string(number);
}

void JsonWriter::Boolean(bool truth)
{
    Separate();
    m_text += truth ? "true" : "false";
}

void JsonWriter::Null()
{
    Separate();
    m_text += "null";
}

void JsonWriter::FixedNumber(double number, int decimals)
{
    if (!std::isfinite(number)) {
        Null();
        return;
    }
    Separate();
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, number);
    m_text += text;
}
