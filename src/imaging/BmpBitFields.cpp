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
    bits = mask;
    while (mask & 1) {
        mask >>= 1;
        ++width;
    }
    if (width >= 8) {
        drop = width - 8;
        return;
    }
    int copied = width;
    for (; copied < 8; copied += width)
        repeat = repeat << width | 1;
    drop = copied - 8;
}

BmpBitFields::BmpBitFields(int32_t bitsPerPixel, uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha)
    : bytes_(bitsPerPixel / 8),
      red_(red),
      green_(green),
      blue_(blue),
      alpha_(alpha)
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
