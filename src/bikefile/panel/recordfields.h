#pragma once

#include "bikefile/format/bikerecord.h"
#include "calc/fields.h"

#include <array>

namespace bikefile {

// The window's field behind each value of a bike file, in file order.
inline constexpr std::array<calc::Field, valueCount> recordFields{
    calc::Field::varv,      calc::Field::vev,      calc::Field::koppling, calc::Field::primär,
    calc::Field::bakdrev,   calc::Field::framdrev, calc::Field::sekundär, calc::Field::omkrets,
    calc::Field::ettanutv,  calc::Field::tvåanutv, calc::Field::treanutv, calc::Field::fyranutv,
    calc::Field::femmanutv, calc::Field::sexanutv, calc::Field::Text1,
};
static_assert(recordFields[commentValue] == calc::Field::Text1);

} // namespace bikefile
