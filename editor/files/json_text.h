// JSON text for scripts: a small writer that puts the commas and escapes in the right
// places. Every string comes out as well-formed UTF-8: control characters are escaped, and
// a byte that is not part of a well-formed UTF-8 sequence (a name typed in an 8-bit code
// page, for one) becomes U+FFFD, so a reader never meets text it cannot decode. Such bytes
// are kept as they are in the preset file and in CSV.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvel {

// The text as a JSON string, quotes included.
std::string JsonString(std::string_view text);

// Builds one JSON value. Calls nest as the value does: inside an object each value follows
// its Key; commas are added between members and elements.
class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view key);
    void String(std::string_view text);
    void Number(long long number);
    void Bool(bool value);
    void Null();

    const std::string& Text() const { return text_; }

private:
    void BeforeValue();

    std::string text_;
    std::vector<bool> first_;  // per open object or array: nothing written in it yet
    bool after_key_ = false;
};

}  // namespace orvel
