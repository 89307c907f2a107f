#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace bikefile {

// The fifteen values of a bike file, in file order.
inline constexpr std::size_t valueCount = 15;

// The comment, the last value; its line breaks inside the program are "\n".
inline constexpr std::size_t commentValue = valueCount - 1;

// The texts of the fifteen fields, as UTF-8, exactly as the text boxes hold them.
using BikeRecord = std::array<std::string, valueCount>;

} // namespace bikefile
