#include "bikefile/bikefile.h"
#include "bikefile/cp1252.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using bikefile::BikeRecord;
using bikefile::formatRecord;
using bikefile::parseRecord;

// "v1" to "v15".
const BikeRecord kNumbered = [] {
    BikeRecord record;
    for (std::size_t i = 0; i < record.size(); ++i) {
        record[i] = "v" + std::to_string(i + 1);
    }
    return record;
}();

BikeRecord With(BikeRecord record, const std::vector<std::pair<std::size_t, std::string>>& changes)
{
    for (const auto& [index, value] : changes) {
        record.at(index) = value;
    }
    return record;
}

// "vfrom" to "vto", quoted and joined by commas, as a file holds them.
std::string Quoted(int from, int to)
{
    std::string out;
    for (int i = from; i <= to; ++i) {
        out += (i > from ? ",\"v" : "\"v") + std::to_string(i) + "\"";
    }
    return out;
}

TEST(formatRecord, WritesTheExactBytes)
{
    EXPECT_EQ(formatRecord({}).bytes, R"("","","","","","","","","","","","","","","",234)"
                                      "\r\n");
    // Values as they are, in Windows-1252, lone line breaks included; only
    // the comment's line breaks (LF, CR LF or a lone CR) become CR LF.
    const auto result =
        formatRecord({"11000", " 12 ", "2,95", "åäö€", "ÅÄÖ", "Š…Ÿ", "a\nb", "c\rd", "say 'hi'",
                      "", "", "", "", "", "två, a\nb\r\nc\rd\n\re\r\rf\r\n"});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.bytes, "\"11000\",\" 12 \",\"2,95\",\"\xE5\xE4\xF6\x80\",\"\xC5\xC4\xD6\","
                            "\"\x8A\x85\x9F\",\"a\nb\",\"c\rd\",\"say 'hi'\",\"\",\"\",\"\",\"\","
                            "\"\",\"tv\xE5, a\r\nb\r\nc\r\nd\r\n\r\ne\r\n\r\nf\r\n\",234\r\n");
}

// The first character that the code page lacks is reported, not a later one, and nothing is
// written.
TEST(formatRecord, RefusesACharacterTheCodePageLacks)
{
    const std::tuple<std::size_t, std::string, char32_t> cases[] = {
        {0, "12Ω", U'Ω'},
        {3, "2,95 \U0001F3CD", U'\U0001F3CD'},
        {bikefile::commentValue, "rad\nΩ Ж", U'Ω'},
    };
    for (const auto& [value, text, character] : cases) {
        SCOPED_TRACE(value);
        const auto result = formatRecord(With({}, {{0, "å"}, {1, "€"}, {14, "Ж"}, {value, text}}));
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.unencodable->value, value);
        EXPECT_EQ(result.unencodable->character, character);
        EXPECT_TRUE(result.bytes.empty());
    }
}

TEST(parseRecord, FollowsTheReadingRules)
{
    const std::tuple<const char*, std::string, BikeRecord> cases[] = {
        {"nothing after the fifteenth value is read",
         Quoted(1, 15) + ",234\r\n\"x\",\"y\"\r\ngarbage", kNumbered},
        {"ends right after the fifteenth value", Quoted(1, 15), kNumbered},
        {"fifteenth value cut short inside its quotes", Quoted(1, 14) + ",\"v15", kNumbered},
        {"fifteenth value only begun", Quoted(1, 14) + ",\"", With(kNumbered, {{14, ""}})},
        {"empty unquoted values", ",,,,,,,,,,,,,,x", With({}, {{14, "x"}})},
        {"spaces before a value are skipped, after an unquoted one dropped",
         "  \"v1\",   v2   ,v3 \"x\" ," + Quoted(4, 15) + "\r\n",
         With(kNumbered, {{2, "v3 \"x\""}})},
        {"after a closing quote, anything up to the comma or line end is skipped",
         "\" v1 \"junk,\"v2\" \r\n\"v3\"x\n\"v4\"\"\r" + Quoted(5, 15),
         With(kNumbered, {{0, " v1 "}})},
        {"line ends end unquoted values: CR LF, lone LF, lone CR, end of file",
         "v1\r\nv2\nv3\rv4,v5,v6,v7,v8,v9,v10,v11,v12,v13,v14,v15", kNumbered},
        {"commas and line breaks inside quotes belong to the value",
         "\"2,95\",\"a\r\nb\"," + Quoted(3, 15), With(kNumbered, {{0, "2,95"}, {1, "a\r\nb"}})},
        {"every line break of the comment comes back as LF",
         Quoted(1, 14) + ",\"a\r\nb\nc\rd\n\re\r\n\r\nf\"",
         With(kNumbered, {{14, "a\nb\nc\nd\n\ne\n\nf"}})},
        {"bytes are decoded from Windows-1252",
         "\"\xE5\",\"\xE4\",\"\xF6\",\"\x80\",\"\x8A\x9F\x81\"," + Quoted(6, 15),
         With(kNumbered, {{0, "å"}, {1, "ä"}, {2, "ö"}, {3, "€"}, {4, "ŠŸ\u0081"}})},
    };
    for (const auto& [name, bytes, expected] : cases) {
        EXPECT_EQ(parseRecord(bytes), expected) << name;
    }
}

TEST(parseRecord, FailsWhenTheFileEndsBeforeTheFifteenthValueBegins)
{
    for (const std::string& bytes :
         {std::string(), std::string("   "), Quoted(1, 14), Quoted(1, 14) + ",",
          Quoted(1, 14) + ",   ", Quoted(1, 14) + "\r\n",
          std::string("v1,v2,v3,v4,v5,v6,v7,v8,v9,v10,v11,v12,v13,v14,")}) {
        EXPECT_EQ(parseRecord(bytes), std::nullopt) << bytes;
    }
}

TEST(BikeFileFormat, WhatIsWrittenReadsBack)
{
    // Every byte but the double quote, line breaks and commas among them; the comment's line
    // breaks only as LF, the one form that reads back unchanged.
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        if (b != '"') {
            bytes += static_cast<char>(b);
        }
    }
    const std::string every = bikefile::cp1252::decode(bytes);
    std::string comment = every;
    std::erase_if(comment, [](char c) { return c == '\r' || c == '\n'; });
    const BikeRecord records[] = {
        BikeRecord{},
        kNumbered,
        {"11000", "  12", "2,95", "3.05", "", "-", " ", ",", "a\r\nb", "å", "ä", "ö", "€", "\u0081",
         "rad ett\nrad två\n\nslut\n"},
        With({}, {{0, every}, {1, every}, {14, comment + "\n" + comment}}),
    };
    for (const BikeRecord& record : records) {
        const auto written = formatRecord(record);
        ASSERT_TRUE(written.ok());
        EXPECT_EQ(parseRecord(written.bytes), record);
    }
}

} // namespace
