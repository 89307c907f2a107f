// Writes a few bike files with the format's writer, as a seed corpus for the reader's fuzzer.
// Usage: write_seeds DIRECTORY
#include "bikefile/format/bikefile.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    using bikefile::BikeRecord;
    BikeRecord numbered;
    for (std::size_t i = 0; i < numbered.size(); ++i) {
        numbered[i] = "v" + std::to_string(i + 1);
    }
    std::string everyCharacter;
    for (int c = 0x20; c < 0x7F; ++c) {
        if (c != '"') {
            everyCharacter += static_cast<char>(c);
        }
    }
    everyCharacter += "\t€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ ¡¢£¤¥¦§¨©ª«¬®¯°±²³´µ¶·¸¹º»¼½¾¿ÀÁÂÃÄÅÆÇÈÉÊË"
                      "ÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞßàáâãäåæçèéêëìíîïðñòóôõö÷øùúûüýþÿ\u0081\u008D";
    const BikeRecord records[] = {
        BikeRecord{},
        numbered,
        {"11000", "24", "60", "2,5", "45", "15", "3", "185", "2,95", "2", "1,6", "1,3", "1,1", "",
         "Min hoj\når ä ö €"},
        {"9500", " 12 ", "", "1.95", "", "", "", "", "", "", "", "", "", "",
         "rad ett\n\nrad tre\r\nrad fyra\rslut\n"},
        {everyCharacter, "", "", "", "", "", "", "", "", "", "", "", "", "", everyCharacter},
    };
    int n = 0;
    for (const BikeRecord& record : records) {
        const auto written = bikefile::formatRecord(record);
        if (!written.ok()) {
            std::fprintf(stderr, "write_seeds: record %d cannot be written\n", n);
            return 1;
        }
        const std::string path = std::string(argv[1]) + "/seed" + std::to_string(n++) + ".hoj";
        std::ofstream out(path, std::ios::binary);
        out << written.bytes;
        if (!out.flush()) {
            std::fprintf(stderr, "write_seeds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
