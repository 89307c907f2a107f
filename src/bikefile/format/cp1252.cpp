#include "bikefile/format/cp1252.h"

#include <array>

namespace bikefile::cp1252 {
namespace {

// 0x80 to 0x9F; every other byte is the character of the same number.
constexpr std::array<char16_t, 32> highBytes = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 0x98
};

constexpr char32_t replacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        // The code page has nothing beyond the Basic Multilingual Plane.
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Reads one UTF-8 character at pos and moves pos past it. A malformed sequence (stray
// continuation byte, overlong form, surrogate, beyond U+10FFFF, cut short) gives U+FFFD and
// moves on by one byte.
char32_t nextUtf8(std::string_view s, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t c = 0;
    char32_t min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
        min = 0x10000;
    } else {
        ++pos;
        return replacement;
    }
    if (s.size() - pos < length) {
        ++pos;
        return replacement;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(s[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return replacement;
        }
        c = (c << 6) | (next & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return replacement;
    }
    pos += length;
    return c;
}

} // namespace

char32_t decodeByte(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F) {
        return highBytes[byte - 0x80];
    }
    return byte;
}

std::optional<unsigned char> encodeChar(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<unsigned char>(character);
    }
    for (std::size_t i = 0; i < highBytes.size(); ++i) {
        if (highBytes[i] == character) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

std::string decode(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        appendUtf8(out, decodeByte(static_cast<unsigned char>(b)));
    }
    return out;
}

std::optional<std::string> encode(std::string_view utf8, char32_t* unencodable)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = nextUtf8(utf8, pos);
        const auto byte = encodeChar(c); // U+FFFD, for a malformed sequence, has no byte
        if (!byte) {
            if (unencodable) {
                *unencodable = c;
            }
            return std::nullopt;
        }
        out += static_cast<char>(*byte);
    }
    return out;
}

} // namespace bikefile::cp1252
