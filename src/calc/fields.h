#pragma once

#include <array>
#include <cstddef>
#include <iterator>
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

struct FieldInfo
{
    std::string_view name;    // the control's name
    std::string_view caption; // what the user reads beside it
    int maxLength;            // most characters it holds; 0: no limit
    Field field;              // the enumerator, to check the order against
};

// The catalogue of fields, in the order of the enumeration: the one place
// that gives a field its name, its caption and its length.
inline constexpr FieldInfo fieldCatalogue[] = {
    {"varv", "Max Varvtal", 5, Field::varv},
    {"vev", "Vevaxel", 2, Field::vev},
    {"koppling", "Koppling", 2, Field::koppling},
    {"primär", "Primär utväxling", 5, Field::primär},
    {"framdrev", "Framdrev", 2, Field::framdrev},
    {"bakdrev", "Bakdrev", 2, Field::bakdrev},
    {"sekundär", "Sekundär utväxling", 5, Field::sekundär},
    {"omkrets", "Bakhjulets omkrets", 3, Field::omkrets},
    {"ettanutv", "1:an utväxling", 5, Field::ettanutv},
    {"tvåanutv", "2:an utväxling", 5, Field::tvåanutv},
    {"treanutv", "3:an utväxling", 5, Field::treanutv},
    {"fyranutv", "4:an utväxling", 5, Field::fyranutv},
    {"femmanutv", "5:an utväxling", 0, Field::femmanutv},
    {"sexanutv", "6:an utväxling", 0, Field::sexanutv},
    {"ettanhast", "1:an max hastighet", 3, Field::ettanhast},
    {"tvåanhast", "2:an max hastighet", 3, Field::tvåanhast},
    {"treanhast", "3:an max hastighet", 3, Field::treanhast},
    {"fyranhast", "4:an max hastighet", 3, Field::fyranhast},
    {"femmanhast", "5:an max hastighet", 3, Field::femmanhast},
    {"sexanhast", "6:an max hastighet", 3, Field::sexanhast},
    {"Text1", "Kommentar", 0, Field::Text1},
    {"TrFilnamn", "Filnamn", 0, Field::TrFilnamn},
};
inline constexpr std::size_t fieldCount = std::size(fieldCatalogue);

constexpr bool inEnumerationOrder()
{
    for (std::size_t i = 0; i < fieldCount; ++i)
        if (static_cast<std::size_t>(fieldCatalogue[i].field) != i)
            return false;
    return true;
}
static_assert(inEnumerationOrder() && fieldCatalogue[fieldCount - 1].field == Field::TrFilnamn,
              "one catalogue row per field, in the order of the enumeration");

constexpr const FieldInfo& fieldInfo(Field field)
{
    return fieldCatalogue[static_cast<std::size_t>(field)];
}

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

} // namespace calc
