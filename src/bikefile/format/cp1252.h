#pragma once

#include <optional>
#include <string>
#include <string_view>

// Windows-1252, the code page of bike files, to and from UTF-8. All 256 bytes are mapped: the five
// bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control
// characters of the same number, so every byte sequence survives a decode and encode unchanged.
namespace bikefile::cp1252 {

// The character a byte stands for.
char32_t decodeByte(unsigned char byte);

// The byte for a character, or nothing when the code page lacks it.
std::optional<unsigned char> encodeChar(char32_t character);

// Bytes to UTF-8; never fails.
std::string decode(std::string_view bytes);

// UTF-8 to bytes. Fails on the first character that the code page lacks; that character is then
// stored in *unencodable (when given). A malformed UTF-8 sequence fails as U+FFFD.
std::optional<std::string> encode(std::string_view utf8, char32_t* unencodable = nullptr);

} // namespace bikefile::cp1252
