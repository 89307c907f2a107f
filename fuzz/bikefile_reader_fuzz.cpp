// libFuzzer target for the bike file reader. Any bytes may come from disk, so besides not
// crashing the reader must keep its promises:
//  - Windows-1252 maps every byte, so decoding and encoding give back the same bytes;
//  - whatever the reader returns, the writer can write, and reading that gives back the same
//    record, unless a value holds a double quote (the format cannot carry one);
//  - the comment comes back with "\n" as its only line break.
#include "bikefile/bikefile.h"
#include "bikefile/cp1252.h"

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
    const auto written = bikefile::formatRecord(*record);
    if (!written.ok()) {
        fail("the writer refused a record that the reader made");
    }
    for (const std::string& value : *record) {
        if (value.find('"') != std::string::npos) {
            return 0;
        }
    }
    if (bikefile::parseRecord(written.bytes) != record) {
        fail("a record read, written and read again came back different");
    }
    return 0;
}
