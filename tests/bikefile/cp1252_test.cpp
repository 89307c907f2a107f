#include "bikefile/cp1252.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <set>
#include <string>

namespace {

using bikefile::cp1252::Decode;
using bikefile::cp1252::DecodeByte;
using bikefile::cp1252::Encode;

// glibc's own Windows-1252 table, to check ours against; it has no mapping for the five
// undefined bytes.
std::optional<std::string> IconvDecode(unsigned char byte)
{
    iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv has no WINDOWS-1252";
        return std::nullopt;
    }
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    size_t inLeft = 1;
    size_t outLeft = sizeof out;
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1)) {
        return std::nullopt;
    }
    return std::string(out, sizeof out - outLeft);
}

TEST(Cp1252, EveryByteMatchesTheCodePageAndRoundTrips)
{
    const std::set<int> undefined = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
    std::set<char32_t> seen;
    std::string all;
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = Decode(byte);
        if (undefined.count(b)) {
            EXPECT_EQ(DecodeByte(static_cast<unsigned char>(b)), static_cast<char32_t>(b));
        } else {
            EXPECT_EQ(utf8, IconvDecode(static_cast<unsigned char>(b)).value_or("<none>"));
        }
        EXPECT_EQ(Encode(utf8), byte);
        seen.insert(DecodeByte(static_cast<unsigned char>(b)));
        all += byte;
    }
    EXPECT_EQ(seen.size(), 256u);
    EXPECT_EQ(Encode(Decode(all)), all);
}

TEST(Cp1252, KnownCharacters)
{
    EXPECT_EQ(Decode("\x80\x8A\x9F\x85\xE5\xE4\xF6\xC5\xC4\xD6"), "€ŠŸ…åäöÅÄÖ");
    EXPECT_EQ(Decode("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(Encode("€ŠŸ…åäö"), "\x80\x8A\x9F\x85\xE5\xE4\xF6");
}

TEST(Cp1252, EncodingReportsTheFirstMissingCharacter)
{
    struct Case
    {
        const char* name;
        std::string utf8;
        char32_t expected;
    };
    const Case cases[] = {
        {"greek", "abcΩ€", U'Ω'},
        {"first of two", "ЖΩ", U'Ж'},
        {"four-byte", "x\U0001F600", U'\U0001F600'},
        // Control characters that 0x80 to 0x9F do not stand for.
        {"U+0080", "\u0080", U'\u0080'},
        {"U+009F", "\u009F", U'\u009F'},
        {"beyond Latin-1", "\u0100", U'\u0100'},
        {"stray continuation", "a\x80", U'\uFFFD'},
        {"overlong two bytes", "\xC0\xAF", U'\uFFFD'},
        {"overlong three bytes for a slash", "\xE0\x80\xAF", U'\uFFFD'},
        {"surrogate", "\xED\xA0\x80", U'\uFFFD'},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", U'\uFFFD'},
        {"cut short", "\xE2\x82", U'\uFFFD'},
        {"bad continuation", "\xE2\x28\xA1", U'\uFFFD'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char32_t bad = 0;
        EXPECT_EQ(Encode(c.utf8, &bad), std::nullopt);
        EXPECT_EQ(bad, c.expected);
    }
}

} // namespace
