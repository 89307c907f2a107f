#include "calc/ratios.h"

#include "calc/numtext.h"

namespace calc {

namespace {

// The text of a reduction: the quotient plus 0.0005 as general decimal text.
// The field keeps five characters, which rounds a quotient below 10 half up
// to three decimals.
std::string reductionText(double numerator, double divisor, const std::string& separator)
{
    return generalText(numerator / divisor + 0.0005, separator);
}

} // namespace

void primaryUpdate(Fields& fields)
{
    const std::string separator = fields.decimalSeparator();
    const auto strict = [&](Field field) { return strictRead(fields.text(field), separator); };

    if (fields.text(Field::vev).empty())
        fields.setText(Field::vev, "1");
    if (fields.text(Field::koppling).empty())
        fields.setText(Field::koppling, "1");
    if (strict(Field::vev) == 0.0)
        fields.setText(Field::vev, "1");
    if (strict(Field::koppling) == 0.0)
        fields.setText(Field::koppling, "1");
    // A count that is no number, or a divisor that still reads as 0 (".5"),
    // gives no usable quotient: it is completed like an empty field.
    if (!strict(Field::vev) || leadingNumber(fields.text(Field::vev)) == 0)
        fields.setText(Field::vev, "1");
    if (!strict(Field::koppling))
        fields.setText(Field::koppling, "1");

    const double a = leadingNumber(fields.text(Field::vev));
    const double b = leadingNumber(fields.text(Field::koppling));
    fields.setText(Field::primär, reductionText(b, a, separator));
}

void secondaryUpdate(Fields& fields)
{
    const auto emptyOrZero = [&](Field field) {
        const std::string text = fields.text(field);
        return text.empty() || text == "0";
    };

    if (emptyOrZero(Field::framdrev))
        fields.setText(Field::framdrev, "1");
    if (emptyOrZero(Field::bakdrev))
        fields.setText(Field::bakdrev, "1");
    // A front sprocket that still reads as 0 ("00") would divide by zero.
    if (leadingNumber(fields.text(Field::framdrev)) == 0)
        fields.setText(Field::framdrev, "1");

    const double a = leadingNumber(fields.text(Field::framdrev));
    const double b = leadingNumber(fields.text(Field::bakdrev));
    fields.setText(Field::sekundär, reductionText(b, a, fields.decimalSeparator()));
}

void vev_Change(Fields& fields)
{
    primaryUpdate(fields);
}

void koppling_Change(Fields& fields)
{
    primaryUpdate(fields);
}

void framdrev_Change(Fields& fields)
{
    secondaryUpdate(fields);
}

void bakdrev_Change(Fields& fields)
{
    secondaryUpdate(fields);
}

void fieldChanged(Fields& fields, Field field)
{
    switch (field) {
    case Field::vev:
        vev_Change(fields);
        break;
    case Field::koppling:
        koppling_Change(fields);
        break;
    case Field::framdrev:
        framdrev_Change(fields);
        break;
    case Field::bakdrev:
        bakdrev_Change(fields);
        break;
    default:
        break; // no other field has a change reaction
    }
}

} // namespace calc
