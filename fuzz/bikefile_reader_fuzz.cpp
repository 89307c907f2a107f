// libFuzzer target for the bike file reader. Any bytes may come from disk, so besides not
// crashing the reader must keep its promises:
//  - Windows-1252 maps every byte, so decoding and encoding give back the same bytes;
//  - whatever the reader returns, the writer can write, unless a value holds a double quote (the
//    format cannot carry one, so the writer refuses it) or the file would grow past the size
//    limit; and reading what it wrote gives back the same record;
//  - the comment comes back with "\n" as its only line break.
#include "bikefile/format/bikefile.h"
#include "bikefile/format/cp1252.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "bikefile_reader_fuzz: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    if (bikefile::cp1252::encode(bikefile::cp1252::decode(bytes)) != bytes) {
        fail("Windows-1252 decode and encode changed the bytes");
    }

    const auto record = bikefile::parseRecord(bytes);
    if (!record) {
        return 0;
    }
    if ((*record)[bikefile::commentValue].find('\r') != std::string::npos) {
        fail("the comment came back with a CR");
    }
    bool quote = false;
    for (const std::string& value : *record) {
        quote = quote || value.find('"') != std::string::npos;
    }
    const auto written = bikefile::formatRecord(*record);
    if (written.unencodable && !(quote && written.unencodable->character == U'"')) {
        fail("the writer refused a character that the reader made");
    }
    if (!written.ok()) {
        return 0;
    }
    if (written.bytes.size() > bikefile::maxFileSize) {
        fail("the writer made a file larger than the limit");
    }
    if (bikefile::parseRecord(written.bytes) != record) {
        fail("a record read, written and read again came back different");
    }
    return 0;
}
