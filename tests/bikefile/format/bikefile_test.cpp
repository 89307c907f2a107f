#include "bikefile/format/bikefile.h"
#include "bikefile/format/cp1252.h"

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

// Every value quoted, in the code page; only the comment's line breaks become CR LF.
TEST(BikeFile, WritesEveryValueQuotedInTheCodePage)
{
    const BikeRecord record = numbered({{0, " å€ "}, {1, "a\nb\rc"}, {14, "a\nb\r\nc\rd\n\re"}});
    EXPECT_EQ(formatRecord(record).bytes, "\" \xE5\x80 \",\"a\nb\rc\"," + quoted(3, 14) +
                                              ",\"a\r\nb\r\nc\r\nd\r\n\r\ne\",234\r\n");
}

// The reading rules, and what is written reads back: every byte but the double quote.
TEST(BikeFile, FollowsTheReadingRules)
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += b == '"' ? "" : std::string(1, static_cast<char>(b));
    const BikeRecord written = numbered({{0, cp1252::decode(bytes)}, {14, "rad ett\n\nrad två\n"}});
    const struct
    {
        std::string name, bytes;
        std::optional<BikeRecord> record;
    } rows[] = {
        {"what is written", formatRecord(written).bytes, written},
        {"after the 15th", quoted(1, 15) + ",234\r\n\"x\"\r\nxx", numbered()},
        {"15th cut inside quotes", quoted(1, 14) + ",\"v15", numbered()},
        {"spaces", "  \"v1\",   v2   ,v3 \"x\" ," + quoted(4, 15), numbered({{2, "v3 \"x\""}})},
        {"after a quote", "\" v1 \"junk,\"v2\" \r\n\"v3\"x\n\"v4\"\"\r" + quoted(5, 15),
         numbered({{0, " v1 "}})},
        {"unquoted", "v1\r\nv2\nv3\r,v5,v6,v7,v8,v9,v10,v11,v12,v13,v14,v15\r",
         numbered({{3, ""}})},
        {"quoted", "\"2,9,\",\"a\r\nb\"," + quoted(3, 15), numbered({{0, "2,9,"}, {1, "a\r\nb"}})},
        {"14 values", quoted(1, 14), {}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(parseRecord(row.bytes), row.record);
    }
}

// Encoding fails on the first character that the code page lacks; malformed UTF-8 as U+FFFD.
TEST(CodePage, EncodingFailsOnTheFirstMissingCharacter)
{
    const struct
    {
        std::string name, utf8;
        char32_t missing;
    } rows[] = {{"U+0080", "\u0080", U'\u0080'},
                {"U+1F600", "x\U0001F600", U'\U0001F600'},
                {"stray", "a\x80", U'\uFFFD'},
                {"overlong", "\xE0\x80\xAF", U'\uFFFD'},
                {"surrogate", "\xED\xA0\x80", U'\uFFFD'},
                {"cut short", "x\xE2\x82", U'\uFFFD'}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        char32_t missing = 0;
        EXPECT_EQ(cp1252::encode(row.utf8, &missing), std::nullopt);
        EXPECT_EQ(missing, row.missing);
    }
}
