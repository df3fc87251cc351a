#pragma once

#include <QString>

#include <cstdint>
#include <string>

// Writes one JSON value on one line, keys in the order they are given (the model's order reads best).
class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(const char* name);
    void Value(const QString& text);
    void Value(std::int64_t number);
    void Boolean(bool truth);
    // A number written with this many decimals; one that is not finite is written as null.
    void FixedNumber(double number, int decimals);
    void Null();

    const std::string& Text() const { return m_text; }

private:
    void Separate();

    std::string m_text;
    bool m_needComma = false;
};
