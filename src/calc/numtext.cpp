#include "calc/numtext.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace calc {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Converts digits, an optional fraction and a sign to a double, correctly
// rounded and independent of any locale.
std::optional<double> toDouble(bool negative, std::string_view whole, std::string_view fraction)
{
    std::string plain(whole.empty() ? std::string_view("0") : whole);
    if (!fraction.empty()) {
        plain += '.';
        plain += fraction;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size())
        return std::nullopt;
    return negative ? -value : value;
}

std::size_t countDigits(std::string_view text, std::size_t from)
{
    std::size_t to = from;
    while (to < text.size() && isDigit(text[to]))
        ++to;
    return to - from;
}

} // namespace

std::optional<double> strictRead(std::string_view text, std::string_view decimalSeparator)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    const std::size_t wholeLength = countDigits(text, 0);
    const std::string_view whole = text.substr(0, wholeLength);
    std::string_view rest = text.substr(wholeLength);
    std::string_view fraction;
    if (!decimalSeparator.empty() && rest.starts_with(decimalSeparator)) {
        rest.remove_prefix(decimalSeparator.size());
        fraction = rest.substr(0, countDigits(rest, 0));
        rest.remove_prefix(fraction.size());
    }
    if (!rest.empty() || (whole.empty() && fraction.empty()))
        return std::nullopt;
    return toDouble(negative, whole, fraction);
}

double leadingNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::string_view whole = text.substr(i, countDigits(text, i));
    i += whole.size();
    std::string_view fraction;
    if (i < text.size() && text[i] == '.')
        fraction = text.substr(i + 1, countDigits(text, i + 1));
    if (whole.empty() && fraction.empty())
        return 0;
    return toDouble(negative, whole, fraction).value_or(0);
}

std::string generalText(double value, std::string_view decimalSeparator)
{
    if (value == 0)
        return "0"; // also for -0, which would otherwise print a sign
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (error != std::errc() || !std::isfinite(value))
        return {};
    std::string text;
    for (const char* c = buffer; c != end; ++c) {
        if (*c == '.')
            text += decimalSeparator;
        else if (*c == 'e')
            text += 'E';
        else
            text += *c;
    }
    return text;
}

} // namespace calc
