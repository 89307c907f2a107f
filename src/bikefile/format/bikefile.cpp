#include "bikefile/format/bikefile.h"

#include "bikefile/format/cp1252.h"

#include <utility>

namespace bikefile {
namespace {

// Every line break of the comment, CR LF, lone LF or lone CR, as `lineBreak`.
std::string normaliseLineBreaks(std::string_view text, std::string_view lineBreak)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            out += lineBreak;
        } else if (text[i] == '\n') {
            out += lineBreak;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Moves past the comma or line end at pos (CR LF counts as one), if there is one.
std::size_t skipSeparator(std::string_view s, std::size_t pos)
{
    if (pos >= s.size()) {
        return pos;
    }
    if (s[pos] == '\r' && pos + 1 < s.size() && s[pos + 1] == '\n') {
        return pos + 2;
    }
    return pos + 1;
}

std::size_t findSeparator(std::string_view s, std::size_t pos)
{
    const std::size_t end = s.find_first_of(",\r\n", pos);
    return end == std::string_view::npos ? s.size() : end;
}

} // namespace

FormatResult formatRecord(const BikeRecord& record)
{
    FormatResult result;
    std::string bytes;
    std::size_t longest = 0;
    std::size_t longestSize = 0;
    for (std::size_t i = 0; i < valueCount; ++i) {
        const std::string text =
            i == commentValue ? normaliseLineBreaks(record[i], "\r\n") : record[i];
        char32_t bad = 0;
        const auto encoded = cp1252::encode(text, &bad);
        // A double quote would end the value when read: the rest would be lost or shift the
        // values after it.
        if (!encoded || encoded->find('"') != std::string::npos) {
            result.unencodable = Unencodable{i, encoded ? U'"' : bad};
            return result;
        }
        if (encoded->size() > longestSize) {
            longest = i;
            longestSize = encoded->size();
        }
        bytes += '"';
        bytes += *encoded;
        bytes += "\",";
    }
    bytes += "234\r\n";
    if (bytes.size() > maxFileSize) {
        const std::size_t others = bytes.size() - longestSize;
        result.tooLarge = TooLarge{longest, others < maxFileSize ? maxFileSize - others : 0};
        return result;
    }
    result.bytes = std::move(bytes);
    return result;
}

std::optional<BikeRecord> parseRecord(std::string_view bytes)
{
    BikeRecord record;
    std::size_t pos = 0;
    for (std::size_t i = 0; i < valueCount; ++i) {
        while (pos < bytes.size() && bytes[pos] == ' ') {
            ++pos;
        }
        if (pos == bytes.size()) {
            return std::nullopt;
        }
        std::string_view raw;
        if (bytes[pos] == '"') {
            const std::size_t close = bytes.find('"', pos + 1);
            if (close == std::string_view::npos) {
                raw = bytes.substr(pos + 1);
                pos = bytes.size();
            } else {
                raw = bytes.substr(pos + 1, close - pos - 1);
                pos = skipSeparator(bytes, findSeparator(bytes, close + 1));
            }
        } else {
            const std::size_t end = findSeparator(bytes, pos);
            raw = bytes.substr(pos, end - pos);
            while (!raw.empty() && raw.back() == ' ') {
                raw.remove_suffix(1);
            }
            pos = skipSeparator(bytes, end);
        }
        record[i] = cp1252::decode(raw);
        if (i == commentValue) {
            record[i] = normaliseLineBreaks(record[i], "\n");
        }
    }
    return record;
}

} // namespace bikefile
