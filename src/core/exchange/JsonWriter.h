#pragma once

#include <QByteArray>
#include <QString>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Writes JSON text with keys in the order they are given, one member per line, so that
// dumps of two networks diff well. Small records of scalars and arrays of numbers can stay
// on one line. Doubles are
// printed in the shortest form that reads back to the same value; values that JSON cannot
// hold (infinities, NaN) are written as null.
class JsonWriter {
public:
    // compact: the members or elements are scalars and share one line.
    void BeginObject(bool compact = false);
    void EndObject();
    void BeginArray(bool compact = false);
    void EndArray();

    void Key(std::string_view key);
    void Value(const QString& text);
    void Value(std::string_view utf8);
    void Value(const char* utf8) { Value(std::string_view(utf8)); }
    void Value(bool value);
    void Value(int value) { Integer(value); }
    void Value(int64_t value) { Integer(value); }
    void Value(double value);
    void Value(float value);
    void Null();

    template <class T>
    void Member(std::string_view key, const T& value)
    {
        Key(key);
        Value(value);
    }

    // The text so far, ending in a line break once the outermost value is complete.
    QByteArray Take();

private:
    struct Level {
        bool array;
        bool compact;
        int count;
    };
    void BeforeValue();
    void Newline(size_t depth);
    void Integer(int64_t value);
    void String(std::string_view utf8);
    void Raw(std::string_view text) { out_.append(text); }
    // The shortest text that reads back as the same value; null for a non-finite one.
    template <typename F>
    void Number(F value)
    {
        BeforeValue();
        if (!std::isfinite(value)) {
            Raw("null");
            return;
        }
        char buf[32];
        const auto r = std::to_chars(buf, buf + sizeof buf, value);
        out_.append(buf, r.ptr);
    }

    std::string out_;
    std::vector<Level> stack_;
    bool afterKey_ = false;
};
