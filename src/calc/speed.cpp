#include "calc/speed.h"

#include "calc/numtext.h"

#include <cmath>

namespace calc {

namespace {

struct SharedValue
{
    Field field;
    bool divides; // the calculation divides by it, so 0 is unusable
};

// The values that every gear needs, in the order in which a gear reads them.
constexpr SharedValue sharedValues[] = {
    {Field::varv, false},
    {Field::primär, true},
    {Field::sekundär, true},
    {Field::omkrets, true},
};

std::optional<Problem> problemWith(const std::string& text, bool divides,
                                   const std::string& separator)
{
    if (text.empty())
        return Problem::Empty;
    const std::optional<double> value = strictRead(text, separator);
    if (!value)
        return Problem::NotANumber;
    if (divides && *value == 0)
        return Problem::Zero;
    return std::nullopt;
}

} // namespace

std::optional<SpeedFailure> beräknahast(Fields& fields)
{
    const std::string separator = fields.decimalSeparator();

    for (const SharedValue& shared : sharedValues) {
        if (const auto problem =
                problemWith(fields.text(shared.field), shared.divides, separator)) {
            for (Field speed : gearSpeedFields)
                fields.setText(speed, "");
            return SpeedFailure{shared.field, *problem};
        }
    }

    const auto read = [&](Field field) { return strictRead(fields.text(field), separator); };
    for (std::size_t gear = 0; gear < gearRatioFields.size(); ++gear) {
        const Field ratioField = gearRatioFields[gear];
        const Field speedField = gearSpeedFields[gear];
        if (problemWith(fields.text(ratioField), true, separator)) {
            fields.setText(speedField, ""); // a gear the bike does not have
            continue;
        }
        // The operations in exactly this order: regrouping them can change the
        // last bit, and next to a boundary such as 100 km/h the text shown.
        double r = *read(Field::varv) * 60;
        r = r / *read(Field::primär);
        r = r / *read(ratioField);
        r = r / *read(Field::sekundär);
        const double d = 100000 / *read(Field::omkrets);
        const double v = r / d;
        fields.setText(speedField, std::isfinite(v) ? generalText(v, separator) : std::string());
    }
    return std::nullopt;
}

std::string failureMessage(const SpeedFailure& failure, const std::string& decimalSeparator)
{
    std::string name = "\"";
    name += fieldInfo(failure.field).caption;
    name += '"';
    switch (failure.problem) {
    case Problem::Empty:
        return name + " är tomt. Fyll i ett tal och tryck på Beräkna igen.";
    case Problem::NotANumber:
        return name + " är inte ett tal. Skriv ett tal med decimaltecknet \"" + decimalSeparator +
               "\" och tryck på Beräkna igen.";
    case Problem::Zero:
        return name + " får inte vara 0. Skriv ett annat tal och tryck på Beräkna igen.";
    }
    return name;
}

} // namespace calc
