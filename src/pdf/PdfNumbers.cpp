#include "pdf/PdfNumbers.h"

#include <array>
#include <charconv>

void AppendInt(std::string& out, int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

std::string IntText(int64_t value)
{
    std::string out;
    AppendInt(out, value);
    return out;
}

namespace {

// c/255 from the exact rational value: the first significant digit of c/255 lies at the
// first decimal for c >= 26, the second for c >= 3 and the third for c = 1 and 2, so 15
// significant digits end at decimal 15, 16 or 17.
std::string ComputeComponentText(unsigned c)
{
    if (c == 0)
        return "0";
    if (c == 255)
        return "1";
    const int decimals = c >= 26 ? 15 : (c >= 3 ? 16 : 17);
    uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    // Half-up rounding of c * 10^decimals / 255 (at most 5.1e17, well inside 64 bits).
    const uint64_t scaled = (2 * uint64_t(c) * scale + 255) / 510;
    std::string digits = std::to_string(scaled);
    if (digits.size() > size_t(decimals))  // a carry into the units (cannot happen below 255)
        return "1";
    std::string text = "0." + std::string(size_t(decimals) - digits.size(), '0') + digits;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

}

const std::string& ColourComponentText(uint8_t component)
{
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> t;
        for (unsigned c = 0; c < 256; ++c)
            t[c] = ComputeComponentText(c);
        return t;
    }();
    return table[component];
}

void AppendColour(std::string& out, uint32_t colour)
{
    out += ColourComponentText(uint8_t(colour));
    out += ' ';
    out += ColourComponentText(uint8_t(colour >> 8));
    out += ' ';
    out += ColourComponentText(uint8_t(colour >> 16));
}

int32_t ScaleToThousandths(int32_t pixels)
{
    // 250 * p / 3 truncated toward zero; exact multiples of 3 fall one short because the
    // factor used is slightly below 250/3.
    const int64_t p = pixels;
    int64_t scaled = 250 * p / 3;
    if (p != 0 && p % 3 == 0)
        scaled -= p > 0 ? 1 : -1;
    return int32_t(scaled);
}

void AppendPadded(std::string& out, uint64_t value, int width)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    const int length = int(result.ptr - buffer);
    if (length < width)
        out.append(size_t(width - length), '0');
    out.append(buffer, result.ptr);
}
