#include "bikefile/bikefile.h"
#include "bikefile/cp1252.h"

#include <gtest/gtest.h>

using namespace bikefile;

// "v1" to "v15", with some values changed.
BikeRecord numbered(const std::vector<std::pair<std::size_t, std::string>>& changes = {})
{
    BikeRecord record;
    for (std::size_t i = 0; i < record.size(); ++i)
        record[i] = "v" + std::to_string(i + 1);
    for (const auto& [index, value] : changes)
        record.at(index) = value;
    return record;
}

// The file text "vfrom","vfrom+1",...,"vto".
std::string quoted(int from, int to)
{
    std::string out = "\"v" + std::to_string(from) + "\"";
    while (from < to)
        out += ",\"v" + std::to_string(++from) + "\"";
    return out;
}

TEST(BikeFile, WritesEveryValueQuotedInTheCodePage)
{
    EXPECT_EQ(formatRecord({}).bytes, R"("","","","","","","","","","","","","","","",234)"
                                      "\r\n");
    // Only the comment's line breaks (LF, CR LF or a lone CR) become CR LF.
    EXPECT_EQ(formatRecord({"11000", " 12 ", "2,95", "åäö€", "Š…Ÿ", "a\nb", "c\rd", "", "", "", "",
                            "", "", "", "två, a\nb\r\nc\rd\n\re\r\rf\r\n"})
                  .bytes,
              "\"11000\",\" 12 \",\"2,95\",\"\xE5\xE4\xF6\x80\",\"\x8A\x85\x9F\",\"a\nb\",\"c\rd\","
              R"("","","","","","","",)"
              "\"tv\xE5, a\r\nb\r\nc\r\nd\r\n\r\ne\r\n\r\nf\r\n\",234\r\n");
}

TEST(BikeFile, FollowsTheReadingRules)
{
    BikeRecord onlyX;
    onlyX[14] = "x";
    const struct
    {
        std::string name, bytes;
        std::optional<BikeRecord> record;
    } rows[] = {
        {"after the 15th", quoted(1, 15) + ",234\r\n\"x\"\r\nxx", numbered()},
        {"unquoted, empty", ",,,,,,,,,,,,,,x", onlyX},
        {"15th cut inside quotes", quoted(1, 14) + ",\"v15", numbered()},
        {"15th only begun", quoted(1, 14) + ",\"", numbered({{14, ""}})},
        {"spaces", "  \"v1\",   v2   ,v3 \"x\" ," + quoted(4, 15), numbered({{2, "v3 \"x\""}})},
        {"after a quote", "\" v1 \"junk,\"v2\" \r\n\"v3\"x\n\"v4\"\"\r" + quoted(5, 15),
         numbered({{0, " v1 "}})},
        {"line ends", "v1\r\nv2\nv3\rv4,v5,v6,v7,v8,v9,v10,v11,v12,v13,v14,v15", numbered()},
        {"quoted", "\"2,95\",\"a\r\nb\"," + quoted(3, 15), numbered({{0, "2,95"}, {1, "a\r\nb"}})},
        {"comment", quoted(1, 14) + ",\"a\r\nb\nc\rd\n\re\r\n\r\nf\"",
         numbered({{14, "a\nb\nc\nd\n\ne\n\nf"}})},
        {"empty", "", {}},
        {"spaces only", "   ", {}},
        {"14 values", quoted(1, 14), {}},
        {"14 and a line end", quoted(1, 14) + "\r\n", {}},
        {"14 unquoted", "v1,v2,v3,v4,v5,v6,v7,v8,v9,v10,v11,v12,v13,v14,", {}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(parseRecord(row.bytes), row.record);
    }
}

// What is written reads back: every byte but the double quote, in a value and in the comment.
TEST(BikeFile, WhatIsWrittenReadsBack)
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += b == '"' ? "" : std::string(1, static_cast<char>(b));
    const std::string every = cp1252::decode(bytes);
    std::string comment = every; // line breaks only as LF, as they read back
    std::erase_if(comment, [](char c) { return c == '\r' || c == '\n'; });
    const BikeRecord record =
        numbered({{0, every}, {1, " ,\r\n"}, {14, comment + "\n\nrad två\n" + comment + "\n"}});
    EXPECT_EQ(parseRecord(formatRecord(record).bytes), record);
}

// Encoding fails on the first character that the code page lacks; malformed UTF-8 as U+FFFD.
TEST(CodePage, EncodingFailsOnTheFirstMissingCharacter)
{
    const struct
    {
        std::string name, utf8;
        char32_t missing;
    } rows[] = {{"Ж", "abcåЖΩ€", U'Ж'},
                {"U+0100", "\u0100", U'\u0100'},
                {"U+0080", "\u0080", U'\u0080'},
                {"U+009F", "\u009F", U'\u009F'},
                {"U+1F600", "x\U0001F600", U'\U0001F600'},
                {"stray", "a\x80", U'\uFFFD'},
                {"overlong", "\xC0\xAF", U'\uFFFD'},
                {"overlong3", "\xE0\x80\xAF", U'\uFFFD'},
                {"surrogate", "\xED\xA0\x80", U'\uFFFD'},
                {"too high", "\xF4\x90\x80\x80", U'\uFFFD'},
                {"cut short", "\xE2\x82", U'\uFFFD'},
                {"bad second", "\xE2\x28\xA1", U'\uFFFD'}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        char32_t missing = 0;
        EXPECT_EQ(cp1252::encode(row.utf8, &missing), std::nullopt);
        EXPECT_EQ(missing, row.missing);
    }
}
