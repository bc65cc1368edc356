// JSON for scripts: escapes, well-formed UTF-8 whatever bytes a name holds, and the commas
// of nested values.
#include "files/json_text.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

TEST(JsonString, EscapesControlCharactersAndReplacesBytesThatAreNotUtf8)
{
    const std::string fffd = "\xEF\xBF\xBD";
    const struct {
        std::string text;
        std::string json;
    } cases[] = {
        {"Lead", "\"Lead\""},
        {"a\"b\\c/", "\"a\\\"b\\\\c/\""},
        {"\n\r\t\b\f", "\"\\n\\r\\t\\b\\f\""},
        {std::string("\x00\x01\x1F\x7F", 4), "\"\\u0000\\u0001\\u001F\x7F\""},
        {"\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "\"\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\""},  // é € and an emoji
        {"\xE9t\xE9", "\"" + fffd + "t" + fffd + "\""},                                            // Latin-1 "ete"
        {"\xC0\xAF", "\"" + fffd + fffd + "\""},                                                   // overlong "/"
        {"\xED\xA0\x80", "\"" + fffd + fffd + fffd + "\""},                                        // a surrogate
        {"\xF4\x90\x80\x80", "\"" + fffd + fffd + fffd + fffd + "\""},                             // past U+10FFFF
        {"ab\xE2\x82", "\"ab" + fffd + fffd + "\""},                                               // cut off at the end
    };
    for (const auto& c : cases) EXPECT_EQ(JsonString(c.text), c.json) << c.text;
}

TEST(JsonWriter, PutsCommasBetweenMembersAndElementsOfNestedValues)
{
    JsonWriter json;
    json.BeginObject();
    json.Key("a");
    json.BeginArray();
    json.Number(-1);
    json.Bool(true);
    json.Null();
    json.BeginObject();
    json.EndObject();
    json.EndArray();
    json.Key("b");
    json.String("x");
    json.Key("c");
    json.BeginArray();
    json.EndArray();
    json.Key("d");
    json.Bool(false);
    json.EndObject();
    EXPECT_EQ(json.Text(), R"({"a":[-1,true,null,{}],"b":"x","c":[],"d":false})");
}

}  // namespace
}  // namespace orvel
