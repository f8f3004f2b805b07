#include "core/exchange/JsonWriter.h"

#include <charconv>
#include <cmath>

void JsonWriter::Newline(size_t depth)
{
    out_.push_back('\n');
    out_.append(depth * 2, ' ');
}

// Separators and indentation before an array element or an object member's key.
void JsonWriter::BeforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (stack_.empty())
        return;
    Level& level = stack_.back();
    if (level.count > 0)
        out_.push_back(',');
    if (level.compact) {
        if (level.count > 0)
            out_.push_back(' ');
    } else {
        Newline(stack_.size());
    }
    ++level.count;
}

void JsonWriter::BeginObject(bool compact)
{
    BeforeValue();
    out_.push_back('{');
    stack_.push_back({false, compact, 0});
}

void JsonWriter::EndObject()
{
    const Level level = stack_.back();
    stack_.pop_back();
    if (level.count > 0 && !level.compact)
        Newline(stack_.size());
    out_.push_back('}');
}

void JsonWriter::BeginArray(bool compact)
{
    BeforeValue();
    out_.push_back('[');
    stack_.push_back({true, compact, 0});
}

void JsonWriter::EndArray()
{
    const Level level = stack_.back();
    stack_.pop_back();
    if (level.count > 0 && !level.compact)
        Newline(stack_.size());
    out_.push_back(']');
}

void JsonWriter::Key(std::string_view key)
{
    BeforeValue();
    String(key);
    out_.append(": ");
    afterKey_ = true;
}

void JsonWriter::Value(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    Value(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

void JsonWriter::Value(std::string_view utf8)
{
    BeforeValue();
    String(utf8);
}

void JsonWriter::String(std::string_view utf8)
{
    out_.push_back('"');
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': Raw("\\\""); break;
        case '\\': Raw("\\\\"); break;
        case '\n': Raw("\\n"); break;
        case '\r': Raw("\\r"); break;
        case '\t': Raw("\\t"); break;
        default:
            if (c < 0x20) {
                static const char kHex[] = "0123456789abcdef";
                Raw("\\u00");
                out_.push_back(kHex[c >> 4]);
                out_.push_back(kHex[c & 15]);
            } else {
                out_.push_back(ch);
            }
        }
    }
    out_.push_back('"');
}

void JsonWriter::Value(bool value)
{
    BeforeValue();
    Raw(value ? "true" : "false");
}

void JsonWriter::Integer(int64_t value)
{
    BeforeValue();
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    out_.append(buf, r.ptr);
}

void JsonWriter::Value(double value)
{
    Number(value);
}

void JsonWriter::Value(float value)
{
    // Printed as the float it is, so it reads back as the same float.
    Number(value);
}

void JsonWriter::Null()
{
    BeforeValue();
    Raw("null");
}

QByteArray JsonWriter::Take()
{
    if (stack_.empty() && !out_.empty() && out_.back() != '\n')
        out_.push_back('\n');
    QByteArray result(out_.data(), static_cast<qsizetype>(out_.size()));
    out_.clear();
    return result;
}
