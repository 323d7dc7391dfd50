#include "invoices/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A finite value as sign, 15 significant digits and the power of ten of the first digit.
struct Decimal {
    bool negative = false;
    std::string digits;  // 15 digits, the first not zero unless the value is zero
    int exponent = 0;    // value = 0.d1d2… × 10^(exponent + 1)
};

Decimal ToDecimal(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.14e", value);
    Decimal d;
    const char* p = text;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            d.digits += *p;
    }
    if (*p == 'e')
        d.exponent = std::atoi(p + 1);
    return d;
}

// Rounds the digits so that `decimals` digits follow the decimal point, halves away from
// zero; returns the integer part digits and the fraction digits.
void RoundDecimal(const Decimal& d, int decimals, std::string& integer, std::string& fraction)
{
    // Digits of the whole number value × 10^decimals.
    const int intDigits = d.exponent + 1;   // may be <= 0
    const int keep = intDigits + decimals;  // digits of d.digits that are kept
    std::string kept;
    bool roundUp = false;
    if (keep <= 0) {
        kept = "";
        roundUp = keep == 0 && d.digits[0] >= '5';
    } else if (keep >= int(d.digits.size())) {
        kept = d.digits + std::string(size_t(keep) - d.digits.size(), '0');
    } else {
        kept = d.digits.substr(0, size_t(keep));
        roundUp = d.digits[size_t(keep)] >= '5';
    }
    if (roundUp) {
        int i = int(kept.size()) - 1;
        while (i >= 0 && kept[size_t(i)] == '9') {
            kept[size_t(i)] = '0';
            --i;
        }
        if (i >= 0)
            ++kept[size_t(i)];
        else
            kept.insert(kept.begin(), '1');
    }
    if (kept.size() < size_t(decimals) + 1)
        kept.insert(0, size_t(decimals) + 1 - kept.size(), '0');
    integer = kept.substr(0, kept.size() - size_t(decimals));
    fraction = kept.substr(kept.size() - size_t(decimals));
    const size_t firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? "0" : integer.substr(firstNonZero);
}

std::u16string Widen(const std::string& s)
{
    return std::u16string(s.begin(), s.end());
}

std::u16string Special(double value)
{
    if (std::isnan(value))
        return u"NAN";
    return value < 0 ? u"-INF" : u"INF";
}

}

std::u16string FormatFixed(double value, int decimals, char16_t separator)
{
    if (!std::isfinite(value))
        return Special(value);
    if (decimals < 0)
        decimals = 0;
    if (decimals > 15)
        decimals = 15;
    const Decimal d = ToDecimal(value);
    std::string integer;
    std::string fraction;
    RoundDecimal(d, decimals, integer, fraction);
    const bool zero = integer == "0" && fraction.find_first_not_of('0') == std::string::npos;
    std::u16string out;
    if (d.negative && !zero)
        out += u'-';
    out += Widen(integer);
    if (decimals > 0) {
        out += separator;
        out += Widen(fraction);
    }
    return out;
}

std::u16string FormatGeneral(double value, char16_t separator)
{
    if (!std::isfinite(value))
        return Special(value);
    if (value == 0)
        return u"0";
    Decimal d = ToDecimal(value);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    std::u16string out;
    if (d.negative)
        out += u'-';
    if (d.exponent < -5 || d.exponent >= 15) {
        out += static_cast<char16_t>(d.digits[0]);
        if (d.digits.size() > 1) {
            out += separator;
            out += Widen(d.digits.substr(1));
        }
        out += u'E';
        out += Widen(std::to_string(d.exponent));
        return out;
    }
    if (d.exponent < 0) {
        out += u'0';
        out += separator;
        out.append(size_t(-d.exponent - 1), u'0');
        out += Widen(d.digits);
        return out;
    }
    const size_t intDigits = size_t(d.exponent) + 1;
    if (d.digits.size() <= intDigits) {
        out += Widen(d.digits);
        out.append(intDigits - d.digits.size(), u'0');
    } else {
        out += Widen(d.digits.substr(0, intDigits));
        out += separator;
        out += Widen(d.digits.substr(intDigits));
    }
    return out;
}

std::u16string_view TrimBlanks(std::u16string_view text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.substr(begin, end - begin);
}

std::optional<double> ParseNumber(std::u16string_view typed, char16_t separator)
{
    const std::u16string_view text = TrimBlanks(typed);
    const size_t end = text.size();
    std::string ascii;
    size_t i = 0;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            ascii += '-';
        ++i;
    }
    size_t digits = 0;
    bool seenSeparator = false;
    for (; i < end; ++i) {
        const char16_t c = text[i];
        if (c >= u'0' && c <= u'9') {
            ascii += static_cast<char>(c);
            ++digits;
        } else if (c == separator && !seenSeparator) {
            ascii += '.';
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < end && (text[i] == u'e' || text[i] == u'E')) {
        ascii += 'e';
        ++i;
        if (i < end && (text[i] == u'+' || text[i] == u'-'))
            ascii += static_cast<char>(text[i++]);
        size_t expDigits = 0;
        for (; i < end && text[i] >= u'0' && text[i] <= u'9'; ++i, ++expDigits)
            ascii += static_cast<char>(text[i]);
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != end)
        return std::nullopt;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec != std::errc() || ptr != ascii.data() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double RoundTwo(double value)
{
    if (!std::isfinite(value))
        return value;
    const std::u16string text = FormatFixed(value, 2, u'.');
    return ParseNumber(text, u'.').value_or(value);
}
