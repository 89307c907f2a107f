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

std::string otherSeparator(const std::string& separator)
{
    return separator == "," ? "." : ",";
}

std::optional<SpeedFailure> problemWith(Field field, const std::string& text, bool divides,
                                        const std::string& separator)
{
    if (text.empty())
        return SpeedFailure{field, Problem::Empty};
    const std::optional<double> value = strictRead(text, separator);
    if (!value)
        return SpeedFailure{field, Problem::NotANumber,
                            strictRead(text, otherSeparator(separator)).has_value()};
    if (divides && *value == 0)
        return SpeedFailure{field, Problem::Zero};
    return std::nullopt;
}

std::string quoted(Field field)
{
    return "\"" + std::string(fieldInfo(field).caption) + "\"";
}

// What is wrong with the field, as the first sentence of a message.
std::string problemSentence(const SpeedFailure& failure)
{
    std::string name = quoted(failure.field);
    switch (failure.problem) {
    case Problem::Empty:
        return name + " är tomt.";
    case Problem::NotANumber:
        return name + " är inte ett tal.";
    case Problem::Zero:
        return name + " får inte vara 0.";
    }
    return name;
}

} // namespace

std::optional<SpeedFailure> beräknahast(Fields& fields)
{
    const std::string separator = fields.decimalSeparator();

    for (const SharedValue& shared : sharedValues) {
        if (auto failure =
                problemWith(shared.field, fields.text(shared.field), shared.divides, separator)) {
            for (Field speed : gearSpeedFields)
                fields.setText(speed, "");
            return failure;
        }
    }

    const auto read = [&](Field field) { return strictRead(fields.text(field), separator); };
    for (std::size_t gear = 0; gear < gearRatioFields.size(); ++gear) {
        const Field ratioField = gearRatioFields[gear];
        const Field speedField = gearSpeedFields[gear];
        if (problemWith(ratioField, fields.text(ratioField), true, separator)) {
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

std::vector<SpeedFailure> unusableGears(const Fields& fields)
{
    const std::string separator = fields.decimalSeparator();
    std::vector<SpeedFailure> gears;
    for (const Field ratio : gearRatioFields) {
        const auto failure = problemWith(ratio, fields.text(ratio), true, separator);
        if (failure && failure->problem != Problem::Empty)
            gears.push_back(*failure);
    }
    return gears;
}

std::string failureMessage(const SpeedFailure& failure, const std::string& decimalSeparator)
{
    std::string problem = problemSentence(failure);
    // The reductions follow from the teeth, which are what the user can type; a reduction that
    // is no number here most often comes from a file saved under other regional settings.
    const auto teeth = [&](Field a, Field b) {
        const std::string saved = failure.otherSeparator
                                      ? " Det är skrivet med decimaltecknet \"" +
                                            otherSeparator(decimalSeparator) +
                                            "\", men här gäller \"" + decimalSeparator + "\"."
                                      : "";
        return problem + saved + " Fyll i tänderna i " + quoted(a) + " och " + quoted(b) +
               ", så räknas den ut, och tryck på Beräkna igen.";
    };
    if (failure.field == Field::primär)
        return teeth(Field::vev, Field::koppling);
    if (failure.field == Field::sekundär)
        return teeth(Field::framdrev, Field::bakdrev);
    switch (failure.problem) {
    case Problem::Empty:
        return problem + " Fyll i ett tal och tryck på Beräkna igen.";
    case Problem::NotANumber:
        return problem + " Skriv ett tal med decimaltecknet \"" + decimalSeparator +
               "\" och tryck på Beräkna igen.";
    case Problem::Zero:
        return problem + " Skriv ett annat tal och tryck på Beräkna igen.";
    }
    return problem;
}

std::string gearsMessage(const std::vector<SpeedFailure>& gears,
                         const std::string& decimalSeparator)
{
    std::string message;
    for (const SpeedFailure& gear : gears)
        message += problemSentence(gear) + " ";
    message += gears.size() == 1 ? "Den växeln" : "De växlarna";
    return message +
           " fick ingen hastighet; de andra är uträknade. Skriv ett tal med "
           "decimaltecknet \"" +
           decimalSeparator + "\" och tryck på Beräkna igen.";
}

std::string calculateAndExplain(Fields& fields)
{
    const std::string separator = fields.decimalSeparator();
    if (const auto failure = beräknahast(fields))
        return failureMessage(*failure, separator);
    const std::vector<SpeedFailure> gears = unusableGears(fields);
    return gears.empty() ? std::string() : gearsMessage(gears, separator);
}

} // namespace calc
