#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace bikefile {

// The fifteen values of a bike file, in file order.
inline constexpr std::size_t kValueCount = 15;

// Index of each value in a BikeRecord.
enum Value : std::size_t {
    kVarv,
    kVev,
    kKoppling,
    kPrimar,
    kBakdrev,
    kFramdrev,
    kSekundar,
    kOmkrets,
    kEttanutv,
    kTvaanutv,
    kTreanutv,
    kFyranutv,
    kFemmanutv,
    kSexanutv,
    kText1, // the comment; line breaks inside the program are "\n"
};

// The texts of the fifteen fields, as UTF-8, exactly as the text boxes hold them.
using BikeRecord = std::array<std::string, kValueCount>;

} // namespace bikefile
