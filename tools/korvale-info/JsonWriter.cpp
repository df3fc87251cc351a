#include "JsonWriter.h"

#include <cmath>
#include <cstdio>

void JsonWriter::separate()
{
    if (m_needComma)
        m_text += ',';
    m_needComma = true;
}

void JsonWriter::beginObject()
{
    separate();
    m_text += '{';
    m_needComma = false;
}

void JsonWriter::endObject()
{
    m_text += '}';
    m_needComma = true;
}

void JsonWriter::beginArray()
{
    separate();
    m_text += '[';
    m_needComma = false;
}

void JsonWriter::endArray()
{
    m_text += ']';
    m_needComma = true;
}

void JsonWriter::key(const char* name)
{
    separate();
    m_text += '"';
    m_text += name;
    m_text += "\":";
    m_needComma = false;
}

void JsonWriter::value(const QString& text)
{
    separate();
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

void JsonWriter::value(std::int64_t number)
{
    separate();
    m_text += std::to_string(number);
}

void JsonWriter::boolean(bool truth)
{
    separate();
    m_text += truth ? "true" : "false";
}

void JsonWriter::null()
{
    separate();
    m_text += "null";
}

void JsonWriter::fixedNumber(double number, int decimals)
{
    if (!std::isfinite(number)) {
        null();
        return;
    }
    separate();
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, number);
    m_text += text;
}
