#include "output/AmountText.h"

#include "invoices/NumberText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

// Adds one unit in the last place to a string of decimal digits with a point.
void IncrementLastDigit(std::string& s)
{
    for (size_t i = s.size(); i-- > 0;) {
        if (s[i] == '.')
            continue;
        if (s[i] != '9') {
            ++s[i];
            return;
        }
        s[i] = '0';
    }
    s.insert(s.begin(), '1');
}

}

std::u16string FixedTwoText(double value, char16_t separator)
{
    if (!std::isfinite(value))
        return FormatFixed2(value, separator);  // NAN, INF, -INF
    const double magnitude = std::fabs(value);
    // to_chars rounds the exact binary value correctly, an exact tie to even. Ties at the
    // second decimal are exactly the values m/8 with m odd; those go away from zero.
    char buffer[400];
    std::string text;
    const double eighths = magnitude * 8;
    const bool tie = eighths < 9007199254740992.0 && eighths == std::trunc(eighths) &&
                     std::fmod(eighths, 2) == 1;
    if (tie) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, 3);
        text.assign(buffer, result.ptr);
        text.pop_back();  // the 5 of the tie
        IncrementLastDigit(text);
    } else {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, 2);
        text.assign(buffer, result.ptr);
    }
    const bool zero = text.find_first_not_of("0.") == std::string::npos;
    std::u16string out;
    if (value < 0 && !zero)
        out += u'-';
    for (char c : text)
        out += c == '.' ? separator : char16_t(c);
    return out;
}

std::u16string AmountText(double value, char16_t separator, std::u16string_view currency)
{
    std::u16string text = FixedTwoText(value, separator);
    text += u' ';
    text += currency;
    return text;
}

std::u16string GeneralText(double value, char16_t separator)
{
    return FormatGeneral(value, separator);
}
