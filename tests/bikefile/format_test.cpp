#include "bikefile/bikefile.h"
#include "bikefile/cp1252.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using bikefile::BikeRecord;
using bikefile::FormatRecord;
using bikefile::ParseRecord;

// A record from its values; missing trailing values are empty.
BikeRecord Record(std::vector<std::string> values)
{
    BikeRecord record;
    for (std::size_t i = 0; i < values.size(); ++i) {
        record.at(i) = values[i];
    }
    return record;
}

// n values, each named after its number: "v1", "v2" ...
std::vector<std::string> Numbered(std::size_t n)
{
    std::vector<std::string> values;
    for (std::size_t i = 1; i <= n; ++i) {
        values.push_back("v" + std::to_string(i));
    }
    return values;
}

// v1 to v15, with some values changed.
BikeRecord NumberedWith(std::vector<std::pair<std::size_t, std::string>> changes = {})
{
    BikeRecord record = Record(Numbered(15));
    for (auto& [index, value] : changes) {
        record.at(index) = std::move(value);
    }
    return record;
}

// The values quoted and joined by commas, as a file holds them.
std::string Quoted(const std::vector<std::string>& values)
{
    std::string out;
    for (std::size_t i = 0; i < values.size(); ++i) {
        out += (i ? ",\"" : "\"") + values[i] + "\"";
    }
    return out;
}

const std::string kEmptyFile = R"("","","","","","","","","","","","","","","",234)"
                               "\r\n";

TEST(FormatRecord, WritesTheExactBytes)
{
    struct Case
    {
        const char* name;
        BikeRecord record;
        std::string bytes;
    };
    const Case cases[] = {
        {"all empty", BikeRecord{}, kEmptyFile},
        {"numbered", Record(Numbered(15)), Quoted(Numbered(15)) + ",234\r\n"},
        {"commas, spaces and a multi-line comment",
         Record({"11000", " 12 ", "2,95", "", "", "", "", "", "", "", "", "", "", "",
                 "rad ett\nrad två, tre\n"}),
         "\"11000\",\" 12 \",\"2,95\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\","
         "\"rad ett\r\nrad tv\xE5, tre\r\n\",234\r\n"},
        {"single bytes of the code page", Record({"å", "ä", "ö", "€", "ÅÄÖ", "Š…Ÿ"}),
         Quoted({"\xE5", "\xE4", "\xF6", "\x80", "\xC5\xC4\xD6", "\x8A\x85\x9F", "", "", "", "", "",
                 "", "", "", ""}) +
             ",234\r\n"},
        {"every kind of line break in the comment becomes CR LF",
         Record({"", "", "", "", "", "", "", "", "", "", "", "", "", "",
                 "a\nb\r\nc\rd\n\re\r\rf\r\n"}),
         Quoted({"", "", "", "", "", "", "", "", "", "", "", "", "", "",
                 "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n\r\nf\r\n"}) +
             ",234\r\n"},
        {"other values unchanged, a double quote included", Record({"a\nb", "c\rd", "say \"hi\""}),
         Quoted({"a\nb", "c\rd", "say \"hi\"", "", "", "", "", "", "", "", "", "", "", "", ""}) +
             ",234\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = FormatRecord(c.record);
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result.bytes, c.bytes);
    }
}

TEST(FormatRecord, RefusesACharacterTheCodePageLacks)
{
    struct Case
    {
        std::size_t value;
        std::string text;
        char32_t character;
    };
    const Case cases[] = {
        {bikefile::kVarv, "12Ω", U'Ω'},
        {bikefile::kPrimar, "2,95 \U0001F3CD", U'\U0001F3CD'},
        {bikefile::kText1, "rad\nΩ Ж", U'Ω'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        BikeRecord record = Record({"å", "€"});
        record[bikefile::kText1] = "Ж"; // a later one is not the one reported
        record[c.value] = c.text;
        const auto result = FormatRecord(record);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.unencodable->value, c.value);
        EXPECT_EQ(result.unencodable->character, c.character);
        EXPECT_TRUE(result.bytes.empty());
    }
}

TEST(ParseRecord, FollowsTheReadingRules)
{
    struct Case
    {
        const char* name;
        std::string bytes;
        BikeRecord expected;
    };
    const Case cases[] = {
        {"all empty", kEmptyFile, BikeRecord{}},
        {"a double quote inside a value ends it; the rest up to the comma is skipped",
         "\"ab\"c\"," + Quoted(Numbered(15)).substr(5) + ",234\r\n", NumberedWith({{0, "ab"}})},
        {"more than fifteen values: the first fifteen", Quoted(Numbered(17)) + "\r\n",
         NumberedWith()},
        {"nothing after the fifteenth value is read",
         Quoted(Numbered(15)) + ",234\r\n\"x\",\"y\"\r\ngarbage", NumberedWith()},
        {"ends right after the fifteenth value", Quoted(Numbered(15)), NumberedWith()},
        {"fifteenth value cut short inside its quotes", Quoted(Numbered(14)) + ",\"v15",
         NumberedWith()},
        {"fifteenth value only begun", Quoted(Numbered(14)) + ",\"", NumberedWith({{14, ""}})},
        {"unquoted values", "v1,v2,v3,v4,v5,v6,v7,v8,v9,v10,v11,v12,v13,v14,v15,234\r\n",
         NumberedWith()},
        {"unquoted values ended by the end of the file",
         "v1,v2,v3,v4,v5,v6,v7,v8,v9,v10,v11,v12,v13,v14,v15", NumberedWith()},
        {"empty unquoted values", ",,,,,,,,,,,,,,x",
         Record({"", "", "", "", "", "", "", "", "", "", "", "", "", "", "x"})},
        {"a double quote and a comma inside a value shift the rest",
         "\"a\"b,c\"," + Quoted(Numbered(15)).substr(5),
         Record({"a", "c\"", "v2", "v3", "v4", "v5", "v6", "v7", "v8", "v9", "v10", "v11", "v12",
                 "v13", "v14"})},
        {"spaces before a value are skipped, after an unquoted one dropped",
         "  \"v1\",   v2   ,v3 \"x\" ," + Quoted(Numbered(15)).substr(15) + "\r\n",
         NumberedWith({{2, "v3 \"x\""}})},
        {"spaces inside quotes are kept", "\" v1 \"," + Quoted(Numbered(15)).substr(5),
         NumberedWith({{0, " v1 "}})},
        {"line ends end values: CR LF, lone LF, lone CR",
         "v1\r\nv2\nv3\rv4,v5,v6,v7,v8,v9,v10,v11,v12,v13,v14,v15", NumberedWith()},
        {"anything between a closing quote and the comma or line end is skipped",
         "\"v1\"junk,\"v2\" \r\n\"v3\"x\n\"v4\"\"\r" + Quoted(Numbered(15)).substr(20),
         NumberedWith()},
        {"commas and line breaks inside quotes belong to the value",
         "\"2,95\",\"a\r\nb\"," + Quoted(Numbered(15)).substr(10),
         NumberedWith({{0, "2,95"}, {1, "a\r\nb"}})},
        {"every line break of the comment comes back as LF",
         Quoted(Numbered(14)) + ",\"a\r\nb\nc\rd\n\re\r\n\r\nf\"",
         NumberedWith({{14, "a\nb\nc\nd\n\ne\n\nf"}})},
        {"bytes are decoded from Windows-1252",
         Quoted({"\xE5", "\xE4", "\xF6", "\x80", "\x8A\x9F\x81"}) + "," +
             Quoted(Numbered(15)).substr(25),
         NumberedWith({{0, "å"}, {1, "ä"}, {2, "ö"}, {3, "€"}, {4, "ŠŸ\u0081"}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ParseRecord(c.bytes), c.expected);
    }
}

TEST(ParseRecord, FailsWhenTheFileEndsBeforeTheFifteenthValueBegins)
{
    const std::string cases[] = {
        "",
        "   ",
        "\"v1\"",
        Quoted(Numbered(14)),
        Quoted(Numbered(14)) + ",",
        Quoted(Numbered(14)) + ",   ",
        Quoted(Numbered(14)) + "\r\n",
        "v1,v2,v3,v4,v5,v6,v7,v8,v9,v10,v11,v12,v13,v14,",
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes);
        EXPECT_EQ(ParseRecord(bytes), std::nullopt);
    }
}

TEST(BikeFileFormat, WhatIsWrittenReadsBack)
{
    // Every byte but the double quote, inside values and the comment; line breaks and commas
    // among them.
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        if (b != '"') {
            bytes += static_cast<char>(b);
        }
    }
    const std::string everyCharacter = bikefile::cp1252::Decode(bytes);
    std::string commentCharacters;
    for (char c : everyCharacter) {
        if (c != '\r' && c != '\n') {
            commentCharacters += c;
        }
    }
    const BikeRecord records[] = {
        BikeRecord{},
        Record(Numbered(15)),
        Record({"11000", "  12", "2,95", "3.05", "", "-", " ", ",", "a\r\nb", "å", "ä", "ö", "€",
                "\u0081", "rad ett\nrad två\n\nslut\n"}),
        Record({everyCharacter, everyCharacter, "", "", "", "", "", "", "", "", "", "", "", "",
                commentCharacters + "\n" + commentCharacters}),
    };
    for (const BikeRecord& record : records) {
        const auto written = FormatRecord(record);
        ASSERT_TRUE(written.ok());
        EXPECT_EQ(ParseRecord(written.bytes), record);
    }
}

} // namespace
