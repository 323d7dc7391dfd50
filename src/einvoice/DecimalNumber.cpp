#include "einvoice/DecimalNumber.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int64_t kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};

}

std::optional<int64_t> ScaledDecimal(double value, int decimals)
{
    if (!std::isfinite(value) || std::fabs(value) > kLargestDecimal || decimals < 0 || decimals > 6)
        return std::nullopt;
    // 15 significant digits, d.dddddddddddddde±x, exactly as printf would give them.
    char text[32];
    const auto [end, ec] = std::to_chars(text, text + sizeof text - 1, value, std::chars_format::scientific, 14);
    if (ec != std::errc())
        return std::nullopt;
    *end = '\0';
    const char* p = text;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    char digits[15];
    int count = 0;
    for (; p < end && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            digits[count++] = *p;
    }
    const int exponent = std::atoi(p + 1);
    // Digits kept: those before the decimal point and `decimals` after it.
    const int keep = exponent + 1 + decimals;
    int64_t units = 0;
    for (int i = 0; i < keep && i < count; ++i)
        units = units * 10 + (digits[i] - '0');
    for (int i = count; i < keep; ++i)
        units *= 10;
    if (keep >= 0 && keep < count && digits[keep] >= '5')
        ++units;
    return negative ? -units : units;
}

int64_t DivideRounded(__int128 n, int64_t d)
{
    __int128 q = n / d;
    const __int128 r = n % d;
    if (2 * (r < 0 ? -r : r) >= d)
        q += n < 0 ? -1 : 1;
    return static_cast<int64_t>(q);
}

std::string DecimalText(int64_t units, int decimals, int minDecimals)
{
    const bool negative = units < 0;
    uint64_t magnitude = negative ? uint64_t(0) - uint64_t(units) : uint64_t(units);
    const uint64_t power = uint64_t(kPowers[decimals]);
    std::string fraction = std::to_string(magnitude % power);
    fraction.insert(0, size_t(decimals) - fraction.size(), '0');
    while (fraction.size() > size_t(minDecimals) && fraction.back() == '0')
        fraction.pop_back();
    std::string text = negative && magnitude != 0 ? "-" : "";
    text += std::to_string(magnitude / power);
    if (!fraction.empty())
        text += "." + fraction;
    return text;
}

std::optional<int64_t> ParseDecimal(const std::string& text, int decimals)
{
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        i = 1;
    int64_t units = 0;
    int seenDecimals = -1;
    bool digits = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && seenDecimals < 0) {
            seenDecimals = 0;
        } else if (c >= '0' && c <= '9') {
            if (seenDecimals >= 0 && ++seenDecimals > decimals)
                return std::nullopt;
            if (units > (INT64_MAX - 9) / 10)
                return std::nullopt;
            units = units * 10 + (c - '0');
            digits = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    for (int k = seenDecimals < 0 ? 0 : seenDecimals; k < decimals; ++k)
        units *= 10;
    return negative ? -units : units;
}
