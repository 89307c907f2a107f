#include "bikefile/cp1252.h"

#include <gtest/gtest.h>

#include <iconv.h>
#include <optional>
#include <set>
#include <string>

namespace {

using namespace bikefile::cp1252;

// A byte through glibc's Windows-1252 table, which lacks the five undefined bytes.
std::optional<std::string> IconvDecode(iconv_t cd, char byte)
{
    char out[8];
    char *in = &byte, *end = out;
    size_t inLeft = 1, outLeft = sizeof out;
    if (iconv(cd, &in, &inLeft, &end, &outLeft) == static_cast<size_t>(-1)) {
        return std::nullopt;
    }
    return std::string(out, end);
}

// Undefined bytes are the control characters of their number; every byte decodes and encodes back.
TEST(Cp1252, EveryByteMatchesTheCodePageAndRoundTrips)
{
    const iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1)) << "iconv has no WINDOWS-1252";
    const std::set<int> undefined = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
    std::set<char32_t> seen;
    std::string all;
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(decode(byte),
                  undefined.count(b) ? std::optional("\xC2" + byte) : IconvDecode(cd, byte[0]))
            << b;
        EXPECT_EQ(encode(decode(byte)), byte) << b;
        seen.insert(decodeByte(static_cast<unsigned char>(b)));
        all += byte;
    }
    iconv_close(cd);
    EXPECT_EQ(seen.size(), 256u);
    EXPECT_EQ(encode(decode(all)), all);
    EXPECT_EQ(decode("\x80\x8A\x9F\x85\xE5\xE4\xF6\xC5\xC4\xD6"), "€ŠŸ…åäöÅÄÖ");
}

TEST(Cp1252, EncodingReportsTheFirstMissingCharacter)
{
    const auto fails = [](const std::string& utf8, char32_t expected) {
        char32_t bad = 0;
        EXPECT_EQ(encode(utf8, &bad), std::nullopt) << utf8;
        EXPECT_EQ(bad, expected) << utf8;
    };
    fails("abcЖΩ€", U'Ж');
    fails("\u0100", U'\u0100');
    fails("x\U0001F600", U'\U0001F600');
    fails("\u0080", U'\u0080'); // C1 controls that 0x80 to 0x9F do not stand for
    fails("\u009F", U'\u009F');
    // Malformed: stray continuation, overlong two and three bytes, surrogate, beyond U+10FFFF,
    // cut short, bad continuation.
    for (const char* utf8 : {"a\x80", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                             "\xF4\x90\x80\x80", "\xE2\x82", "\xE2\x28\xA1"}) {
        fails(utf8, U'\uFFFD');
    }
}

} // namespace
