#pragma once

#include <array>
#include <string>
#include <string_view>

namespace calc {

// Every text box of the main window that holds a value. The names are the
// controls' names; a field's text is its value, and no other copy exists.
enum class Field {
    varv,
    vev,
    koppling,
    primär,
    framdrev,
    bakdrev,
    sekundär,
    omkrets,
    ettanutv,
    tvåanutv,
    treanutv,
    fyranutv,
    femmanutv,
    sexanutv,
    ettanhast,
    tvåanhast,
    treanhast,
    fyranhast,
    femmanhast,
    sexanhast,
    Text1,
    TrFilnamn,
};

inline constexpr int fieldCount = 22;

struct FieldInfo
{
    Field field;
    std::string_view name;    // the control's name
    std::string_view caption; // what the user reads beside it
    int maxLength;            // most characters it holds; 0: no limit
};

// The catalogue of fields, in the order of the enumeration.
const std::array<FieldInfo, fieldCount>& fieldCatalogue();
const FieldInfo& fieldInfo(Field field);

// The ratio and speed fields of gears 1 to 6.
inline constexpr std::array<Field, 6> gearRatioFields{Field::ettanutv,  Field::tvåanutv,
                                                      Field::treanutv,  Field::fyranutv,
                                                      Field::femmanutv, Field::sexanutv};
inline constexpr std::array<Field, 6> gearSpeedFields{Field::ettanhast,  Field::tvåanhast,
                                                      Field::treanhast,  Field::fyranhast,
                                                      Field::femmanhast, Field::sexanhast};

// Read and write access to the window's fields. Texts are UTF-8.
//
// setText() replaces the whole text, cuts it to the field's max length and,
// when the text really changed, runs the field's change reaction at once,
// before it returns (see fieldChanged() in ratios.h).
class Fields
{
public:
    virtual ~Fields() = default;
    virtual std::string text(Field field) const = 0;
    virtual void setText(Field field, const std::string& text) = 0;
    // The decimal separator of the user's regional settings.
    virtual std::string decimalSeparator() const = 0;
};

// Cuts a UTF-8 text to its first maxLength characters (0: no limit).
std::string cutToLength(const std::string& text, int maxLength);

} // namespace calc
