#include "imaging/BmpBitFields.h"

namespace {

// One run of set bits (or none).
bool Contiguous(uint32_t mask)
{
    if (mask == 0)
        return true;
    while (!(mask & 1))
        mask >>= 1;
    return (mask & (mask + 1)) == 0;
}

}

BmpBitFields::Channel::Channel(uint32_t mask)
{
    if (mask == 0)
        return;
    while (!(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++width;
    }
}

uint8_t BmpBitFields::Channel::Extract(uint32_t pixel) const
{
    if (width == 0)
        return 0;
    const uint32_t value = (pixel >> shift) & (width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1);
    if (width >= 8)
        return uint8_t(value >> (width - 8));
    // Repeat the bits from the top down until all eight are filled.
    uint32_t out = 0;
    for (int filled = 0; filled < 8; filled += width)
        out = out << width | value;
    return uint8_t(out >> ((8 + width - 1) / width * width - 8));
}

BmpBitFields::BmpBitFields(int32_t bitsPerPixel, uint32_t red, uint32_t green, uint32_t blue,
                           uint32_t alpha)
    : bytes_(bitsPerPixel / 8), red_(red), green_(green), blue_(blue), alpha_(alpha)
{
    const uint32_t inside = bitsPerPixel >= 32 ? 0xFFFFFFFFu : (1u << bitsPerPixel) - 1;
    const uint32_t masks[4] = {red, green, blue, alpha};
    uint32_t seen = 0;
    bool ok = (bitsPerPixel == 16 || bitsPerPixel == 32) && red && green && blue;
    for (const uint32_t m : masks) {
        ok = ok && Contiguous(m) && (m & ~inside) == 0 && (m & seen) == 0;
        seen |= m;
    }
    valid_ = ok;
}

uint32_t BmpBitFields::Read(const uint8_t* p) const
{
    uint32_t pixel = uint32_t(p[0]) | uint32_t(p[1]) << 8;
    if (bytes_ == 4)
        pixel |= uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    return pixel;
}
