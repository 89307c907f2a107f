#pragma once

#include "bikefile/format/bikerecord.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The .hoj layout: one record of fifteen double-quoted values and the number 234, separated by
// commas, ended by CR LF, in Windows-1252:
//
//   "v1","v2",...,"v15",234\r\n
//
// Nothing inside a value is escaped. The comment (value 15) holds its line breaks as CR LF.
namespace bikefile {

// The largest bike file, in bytes, that the program writes or reads. It also bounds every value,
// and so what a text box has to hold: a line of this length still lays out and edits in a
// fraction of a second.
inline constexpr std::size_t maxFileSize = std::size_t{64} * 1024;

struct Unencodable
{
    std::size_t value;  // index into the BikeRecord
    char32_t character; // the first character of that value that the file cannot hold: one that
                        // Windows-1252 lacks, or the double quote, which would end the value
};

// The record does not fit in maxFileSize bytes.
struct TooLarge
{
    std::size_t value;    // the longest value, the one to shorten
    std::size_t maxBytes; // the most bytes that value may take, the others as they are
};

struct FormatResult
{
    std::string bytes;                      // the whole file; empty when failed
    std::optional<Unencodable> unencodable; // set when a value holds a character it cannot
    std::optional<TooLarge> tooLarge;       // set when the file would be too large
    bool ok() const { return !unencodable && !tooLarge; }
};

// The bytes of the file for a record. Line breaks in the comment ("\n", "\r\n" or a lone "\r")
// become CR LF; every other value is written as it is. Fails, writing nothing, on the first
// character that the code page lacks or that is a double quote (the format has no escape for
// it), and on a record whose file would be larger than maxFileSize.
FormatResult formatRecord(const BikeRecord& record);

// Reads fifteen values from the bytes of a file. Per value: spaces before it are skipped; a
// value that begins with a double quote runs to the next double quote, anything else runs to the
// next comma or line end (CR LF, or a lone LF or CR). The comma or line end after a value is
// consumed; after a closing quote, whatever stands before the next comma or line end is skipped
// with it. The end of the file ends a value too. Spaces at the end of an unquoted value are
// dropped. Line breaks in the comment come back as "\n"; other values keep their bytes. Nothing
// after the fifteenth value is read. Fails when the bytes end before the fifteenth value begins,
// that is before its first byte after the skipped spaces.
std::optional<BikeRecord> parseRecord(std::string_view bytes);

} // namespace bikefile
