#pragma once

#include "calc/fields.h"

#include <optional>
#include <string>
#include <vector>

// The top speed in each gear at the engine's maximum revolutions:
// v = varv x 60 / primär / gear ratio / sekundär / (100000 / omkrets), in km/h.
namespace calc {

enum class Problem {
    Empty,      // the field holds no text
    NotANumber, // the text cannot be read as a number
    Zero,       // the value is 0 where the calculation divides by it
};

// Why no gear could be computed: a value that every gear needs is unusable.
struct SpeedFailure
{
    Field field;
    Problem problem;
    // Not a number here, but one written with the other decimal separator ("," for ".", or the
    // reverse), as in a file saved under other regional settings.
    bool otherSeparator = false;
    // Not a number here, but one once its spaces are left out ("9 000", thousands as they are
    // often written by hand).
    bool spaces = false;
};

// Reads the input fields and writes the six speed fields, gear by gear; each
// field keeps the first three characters of its speed. A gear whose ratio is
// empty, no number or 0, or whose speed is not finite, gets an empty speed
// field. When varv, primär, sekundär or omkrets is unusable, all six speed
// fields are cleared and the reason is returned; nothing is shown here.
std::optional<SpeedFailure> beräknahast(Fields& fields);

// The gears whose ratio holds text that cannot be used (not a number, or 0), in gear order;
// beräknahast leaves their speed fields empty. An empty ratio is a gear the bike does not have
// and is not listed.
std::vector<SpeedFailure> unusableGears(const Fields& fields);

// The message that tells the user what is wrong and what to do, naming the field by its caption.
// For primär and sekundär, which the user cannot type into, it names the teeth fields they are
// computed from.
std::string failureMessage(const SpeedFailure& failure, const std::string& decimalSeparator);

// One message for every gear of unusableGears(), naming each ratio field by its caption;
// othersComputed: some other gear got a speed.
std::string gearsMessage(const std::vector<SpeedFailure>& gears,
                         const std::string& decimalSeparator, bool othersComputed);

// What a click on "Beräkna" does besides showing a message: runs beräknahast, which computes
// every gear it can, and returns the one message that says what kept a speed from being computed
// (a shared value, or else the gears whose ratio cannot be used), or "" when there is none.
// Numbers written with the other decimal separator are named all in one message. typeInto, if
// given, receives the field the message asks the user to type into first.
std::string calculateAndExplain(Fields& fields, std::optional<Field>* typeInto = nullptr);

} // namespace calc
