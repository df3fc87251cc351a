#pragma once

#include <QString>

#include <cstdint>
#include <string>

// Writes one JSON value on one line, keys in the order they are given (the model's order reads best).
class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(const char* name);
    void value(const QString& text);
    void value(std::int64_t number);
    void boolean(bool truth);
    // A number written with this many decimals; one that is not finite is written as null.
    void fixedNumber(double number, int decimals);
    void null();

    const std::string& text() const { return m_text; }

private:
    void separate();

    std::string m_text;
    bool m_needComma = false;
};
