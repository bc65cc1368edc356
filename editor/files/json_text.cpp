#include "files/json_text.h"

#include <array>
#include <cstdio>

namespace orvel {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0 when its first
// byte does not begin one (overlong forms, surrogates and code points past U+10FFFF are not
// well formed).
std::size_t Utf8SequenceLength(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (!IsContinuation(byte(i))) return 0;
    return length;
}

void AppendEscaped(std::string& out, char c)
{
    switch (c) {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\b': out += "\\b"; return;
    case '\f': out += "\\f"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: break;
    }
    if (static_cast<unsigned char>(c) < 0x20) {
        std::array<char, 8> escape{};
        std::snprintf(escape.data(), escape.size(), "\\u%04X", static_cast<unsigned>(static_cast<unsigned char>(c)));
        out += escape.data();
        return;
    }
    out += c;
}

}  // namespace

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    while (!text.empty()) {
        const std::size_t length = Utf8SequenceLength(text);
        if (length == 0) {
            out += kReplacementCharacter;
            text.remove_prefix(1);
        } else if (length == 1) {
            AppendEscaped(out, text.front());
            text.remove_prefix(1);
        } else {
            out += text.substr(0, length);
            text.remove_prefix(length);
        }
    }
    return out + '"';
}

void JsonWriter::BeforeValue()
{
    if (after_key_) {
        after_key_ = false;
        return;
    }
    if (first_.empty()) return;
    if (!first_.back()) text_ += ',';
    first_.back() = false;
}

void JsonWriter::BeginObject()
{
    BeforeValue();
    text_ += '{';
    first_.push_back(true);
}

void JsonWriter::EndObject()
{
    text_ += '}';
    first_.pop_back();
}

void JsonWriter::BeginArray()
{
    BeforeValue();
    text_ += '[';
    first_.push_back(true);
}

void JsonWriter::EndArray()
{
    text_ += ']';
    first_.pop_back();
}

void JsonWriter::Key(std::string_view key)
{
    BeforeValue();
    text_ += JsonString(key);
    text_ += ':';
    after_key_ = true;
}

void JsonWriter::String(std::string_view text)
{
    BeforeValue();
    text_ += JsonString(text);
}

void JsonWriter::Number(long long number)
{
    BeforeValue();
    text_ += std::to_string(number);
}

void JsonWriter::Bool(bool value)
{
    BeforeValue();
    text_ += value ? "true" : "false";
}

void JsonWriter::Null()
{
    BeforeValue();
    text_ += "null";
}

}  // namespace orvel
