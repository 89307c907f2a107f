#include "bikefile/bikefile.h"
#include "bikefile/cp1252.h"
#include <gtest/gtest.h>

using namespace bikefile;
// "v1" to "v15" with some values changed, and the file text "vfrom",...,"vto".
BikeRecord numbered(const std::vector<std::pair<std::size_t, std::string>>& changes = {})
{
    BikeRecord record;
    for (std::size_t i = 0; i < record.size(); ++i)
        record[i] = "v" + std::to_string(i + 1);
    for (const auto& [index, value] : changes)
        record.at(index) = value;
    return record;
}
std::string quoted(int from, int to)
{
    std::string out = "\"v" + std::to_string(from) + "\"";
    while (from < to)
        out += ",\"v" + std::to_string(++from) + "\"";
    return out;
}
TEST(BikeFile, WritesTheExactBytesAndRefusesWhatTheCodePageLacks)
{
    EXPECT_EQ(formatRecord({}).bytes, R"("","","","","","","","","","","","","","","",234)" "\r\n");
    // Only the comment's line breaks (LF, CR LF or a lone CR) become CR LF.
    EXPECT_EQ(formatRecord({"11000", " 12 ", "2,95", "åäö€", "Š…Ÿ", "a\nb", "c\rd", "", "", "", "",
                            "", "", "", "två, a\nb\r\nc\rd\n\re\r\rf\r\n"}).bytes,
              "\"11000\",\" 12 \",\"2,95\",\"\xE5\xE4\xF6\x80\",\"\x8A\x85\x9F\",\"a\nb\",\"c\rd\","
              R"("","","","","","","",)"
              "\"tv\xE5, a\r\nb\r\nc\r\nd\r\n\r\ne\r\n\r\nf\r\n\",234\r\n");
    // The first character the code page lacks is reported, and nothing is written.
    for (const auto& [value, text, character] : {std::tuple{std::size_t{0}, "12Ω", U'Ω'},
             {3, "2,95 \U0001F3CD", U'\U0001F3CD'}, {commentValue, "rad\nΩ Ж", U'Ω'}}) {
        BikeRecord record = numbered({{0, "å"}, {1, "€"}, {14, "Ж"}});
        record[value] = text;
        const FormatResult result = formatRecord(record);
        ASSERT_TRUE(!result.ok() && result.bytes.empty() && result.unencodable) << text;
        EXPECT_EQ(std::pair(result.unencodable->value, result.unencodable->character),
                  std::pair(value, character));
    }
}
TEST(BikeFile, FollowsTheReadingRules)
{
    BikeRecord onlyX; // ",,,,,,,,,,,,,,x"
    onlyX[14] = "x";
    const std::tuple<const char*, std::string, std::optional<BikeRecord>> cases[] = {
        {"nothing after the 15th", quoted(1, 15) + ",234\r\n\"x\"\r\nxx", numbered()},
        {"ends after the 15th", quoted(1, 15), numbered()}, {"unquoted", ",,,,,,,,,,,,,,x", onlyX},
        {"15th cut inside quotes", quoted(1, 14) + ",\"v15", numbered()},
        {"15th only begun", quoted(1, 14) + ",\"", numbered({{14, ""}})},
        {"spaces: skipped before, dropped after unquoted",
         "  \"v1\",   v2   ,v3 \"x\" ," + quoted(4, 15) + "\r\n", numbered({{2, "v3 \"x\""}})},
        {"after a closing quote, up to the comma or line end is skipped",
         "\" v1 \"junk,\"v2\" \r\n\"v3\"x\n\"v4\"\"\r" + quoted(5, 15), numbered({{0, " v1 "}})},
        {"CR LF, LF, CR, end of file end unquoted values",
         "v1\r\nv2\nv3\rv4,v5,v6,v7,v8,v9,v10,v11,v12,v13,v14,v15", numbered()},
        {"quoted commas and line breaks", "\"2,95\",\"a\r\nb\"," + quoted(3, 15),
         numbered({{0, "2,95"}, {1, "a\r\nb"}})},
        {"comment line breaks as LF", quoted(1, 14) + ",\"a\r\nb\nc\rd\n\re\r\n\r\nf\"",
         numbered({{14, "a\nb\nc\nd\n\ne\n\nf"}})},
        {"Windows-1252", "\"\xE5\",\"\xE4\",\"\xF6\",\"\x80\",\"\x8A\x9F\x81\"," + quoted(6, 15),
         numbered({{0, "å"}, {1, "ä"}, {2, "ö"}, {3, "€"}, {4, "ŠŸ\u0081"}})},
        {"empty", "", {}}, {"spaces", "   ", {}}, {"14 values", quoted(1, 14), {}}, // no 15th value
        {"14 and a comma", quoted(1, 14) + ",", {}}, {"and spaces", quoted(1, 14) + ",   ", {}},
        {"14 and a line end", quoted(1, 14) + "\r\n", {}},
        {"unquoted", "v1,v2,v3,v4,v5,v6,v7,v8,v9,v10,v11,v12,v13,v14,", {}}};
    for (const auto& [name, bytes, expected] : cases)
        EXPECT_EQ(parseRecord(bytes), expected) << name;
}
// What is written reads back; every byte but the double quote, in values and the comment.
TEST(BikeFile, WhatIsWrittenReadsBack)
{
    std::string bytes, comment; // the comment's line breaks only as LF, as they read back
    for (int b = 0; b < 256; ++b)
        bytes += b == '"' ? "" : std::string(1, static_cast<char>(b));
    const std::string every = cp1252::decode(bytes);
    std::erase_if(comment = every, [](char c) { return c == '\r' || c == '\n'; });
    for (const BikeRecord& record : {BikeRecord{}, numbered({{0, every}, {1, " ,\r\n"}, {2, "-"},
             {14, comment + "\n\nrad två\n" + comment + "\n"}})})
        EXPECT_EQ(parseRecord(formatRecord(record).bytes), record);
}
// 0x80 to 0x9F as the code page has them, the five it leaves undefined as the control characters
// of their number; the bytes around them are the characters of their number.
TEST(BikeFile, CodePage)
{
    std::string bytes = "\x7F";
    for (int b = 0x80; b <= 0xA0; ++b)
        bytes += static_cast<char>(b);
    EXPECT_EQ(cp1252::decode(bytes + "\xE5\xFF"),
              "\x7F€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ\u00A0åÿ");
    // Encoding fails on the first missing character; malformed UTF-8 as U+FFFD.
    for (const auto& [utf8, missing] :
         {std::pair{"abcЖΩ€", U'Ж'}, {"\u0100", U'\u0100'}, {"x\U0001F600", U'\U0001F600'},
          {"\u0080", U'\u0080'}, {"\u009F", U'\u009F'}, {"a\x80", U'\uFFFD'},
          {"\xC0\xAF", U'\uFFFD'}, {"\xE0\x80\xAF", U'\uFFFD'}, {"\xED\xA0\x80", U'\uFFFD'},
          {"\xF4\x90\x80\x80", U'\uFFFD'}, {"\xE2\x82", U'\uFFFD'}, {"\xE2\x28\xA1", U'\uFFFD'}}) {
        char32_t bad = 0;
        EXPECT_TRUE(!cp1252::encode(utf8, &bad) && bad == missing) << utf8;
    }
}
