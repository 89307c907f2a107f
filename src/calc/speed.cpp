#include "calc/speed.h"

#include "calc/numtext.h"

#include <algorithm>
#include <cmath>
#include <string_view>

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

// The text without the spaces that people put between thousands: the plain space, the
// non-breaking space and the narrow non-breaking space.
std::string withoutSpaces(std::string text)
{
    for (const std::string_view space : {"\xc2\xa0", "\xe2\x80\xaf", " "})
        for (std::size_t at = text.find(space); at != std::string::npos; at = text.find(space, at))
            text.erase(at, space.size());
    return text;
}

std::optional<SpeedFailure> problemWith(Field field, const std::string& text, bool divides,
                                        const std::string& separator)
{
    if (text.empty())
        return SpeedFailure{field, Problem::Empty};
    const std::optional<double> value = strictRead(text, separator);
    if (!value)
        return SpeedFailure{field, Problem::NotANumber,
                            strictRead(text, otherSeparator(separator)).has_value(),
                            strictRead(withoutSpaces(text), separator).has_value()};
    if (divides && *value == 0)
        return SpeedFailure{field, Problem::Zero};
    return std::nullopt;
}

// The texts below are the ones the program composes; the captions and the separators are filled
// in. Each names the field by the caption beside it and says what the user can do.

std::string quoted(Field field)
{
    return "\"" + std::string(fieldInfo(field).caption) + "\"";
}

// "A", "A och B", "A, B och C".
std::string listed(const std::vector<Field>& fields)
{
    std::string list;
    for (std::size_t i = 0; i < fields.size(); ++i)
        list += (i == 0 ? "" : i + 1 == fields.size() ? " och " : ", ") + quoted(fields[i]);
    return list;
}

// What is wrong with the field, as a sentence.
std::string problemSentence(const SpeedFailure& failure, const std::string& separator)
{
    std::string field = "Fältet " + quoted(failure.field);
    switch (failure.problem) {
    case Problem::Empty:
        return field + " är tomt.";
    case Problem::NotANumber:
        if (failure.spaces)
            return field + " har mellanslag i talet.";
        if (failure.otherSeparator)
            return field + " har decimaltecknet \"" + otherSeparator(separator) +
                   "\", men här gäller \"" + separator + "\".";
        return field + " innehåller inget tal.";
    case Problem::Zero:
        return field + " får inte vara 0.";
    }
    return field;
}

// What the user does about it, without the full stop.
std::string remedy(const SpeedFailure& failure, const std::string& separator)
{
    switch (failure.problem) {
    case Problem::Empty:
        return "Fyll i ett tal";
    case Problem::NotANumber:
        if (failure.spaces)
            return "Skriv talet utan mellanslag";
        if (failure.otherSeparator)
            return "Skriv talet med \"" + separator + "\"";
        return "Skriv ett tal med decimaltecknet \"" + separator + "\"";
    case Problem::Zero:
        return "Skriv ett annat tal";
    }
    return {};
}

// The teeth fields a reduction is computed from; none for any other field.
std::vector<Field> teethOf(Field field)
{
    if (field == Field::primär)
        return {Field::vev, Field::koppling};
    if (field == Field::sekundär)
        return {Field::framdrev, Field::bakdrev};
    return {};
}

// Every value written with the other decimal separator, in one message, as a file saved under
// other regional settings has them: the reductions follow from typing a teeth count again. ""
// when there are fewer than two.
std::string separatorMessage(const Fields& fields, const std::string& separator,
                             std::optional<Field>& typeInto)
{
    std::vector<Field> written, typed, reductions, teeth;
    for (const SharedValue& shared : sharedValues) {
        const auto failure =
            problemWith(shared.field, fields.text(shared.field), shared.divides, separator);
        if (failure && failure->otherSeparator)
            written.push_back(shared.field);
    }
    for (const SpeedFailure& gear : unusableGears(fields))
        if (gear.otherSeparator)
            written.push_back(gear.field);
    if (written.size() < 2)
        return {}; // one field alone is named in a message of its own
    for (const Field field : written) {
        const std::vector<Field> from = teethOf(field);
        (from.empty() ? typed : reductions).push_back(field);
        if (!from.empty())
            teeth.push_back(from.front());
    }
    std::string message = "Här gäller decimaltecknet \"" + separator + "\", men \"" +
                          otherSeparator(separator) + "\" står i " + listed(written) + ".";
    if (!typed.empty())
        message += " Skriv om " + listed(typed) + " med \"" + separator + "\".";
    if (!reductions.empty())
        message += " Skriv in tänderna i " + listed(teeth) + " igen, så räknas " +
                   listed(reductions) + " om.";
    typeInto = typed.empty() ? teeth.front() : typed.front();
    return message + " Tryck sedan på Beräkna igen.";
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
    const std::string problem = problemSentence(failure, decimalSeparator);
    if (const std::vector<Field> teeth = teethOf(failure.field); !teeth.empty())
        return problem + " Utväxlingen räknas ut när du skriver in tänderna i " + listed(teeth) +
               "; tryck sedan på Beräkna igen.";
    return problem + " " + remedy(failure, decimalSeparator) + " och tryck på Beräkna igen.";
}

std::string gearsMessage(const std::vector<SpeedFailure>& gears,
                         const std::string& decimalSeparator, bool othersComputed)
{
    std::string message;
    for (const SpeedFailure& gear : gears)
        message +=
            problemSentence(gear, decimalSeparator) + " " + remedy(gear, decimalSeparator) + ". ";
    message += gears.size() == 1 ? "Den växeln" : "Dessa växlar";
    message +=
        othersComputed ? " fick ingen hastighet; de andra är beräknade." : " fick ingen hastighet.";
    return message + " Tryck sedan på Beräkna igen.";
}

std::string calculateAndExplain(Fields& fields, std::optional<Field>* typeInto)
{
    const std::string separator = fields.decimalSeparator();
    std::optional<Field> first;
    std::string message;
    if (const auto failure = beräknahast(fields)) {
        if (failure->otherSeparator)
            message = separatorMessage(fields, separator, first);
        if (message.empty()) {
            message = failureMessage(*failure, separator);
            const std::vector<Field> teeth = teethOf(failure->field);
            first = teeth.empty() ? failure->field : teeth.front();
        }
    } else if (const std::vector<SpeedFailure> gears = unusableGears(fields); !gears.empty()) {
        const bool computed = std::any_of(gearSpeedFields.begin(), gearSpeedFields.end(),
                                          [&](Field speed) { return !fields.text(speed).empty(); });
        message = gearsMessage(gears, separator, computed);
        first = gears.front().field;
    }
    if (typeInto)
        *typeInto = first;
    return message;
}

} // namespace calc
