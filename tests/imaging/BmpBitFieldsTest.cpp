// Bit-field masks of 16- and 32-bit Windows bitmap pixels: which mask sets are sound, and how
// channels of every width become 8-bit values.
#include "imaging/BmpBitFields.h"

#include <gtest/gtest.h>

TEST(BmpBitFields, ChannelsOfEveryWidthBecomeEightBitsByRepeatingTheirBits)
{
    const struct {
        uint32_t mask;
        uint32_t raw;  // the channel's value inside the pixel, not yet shifted
        uint8_t expected;
    } cases[] = {
        {0x8000, 0, 0},           {0x8000, 1, 255},  // 1 bit
        {0x0007, 5, 0xB6},                           // 3 bits 101: 101 101 10
        {0x001F, 1, 8},           {0x001F, 3, 24},           {0x001F, 28, 231}, {0x001F, 31, 255},  // 5 bits
        {0x07E0, 1, 4},           {0x07E0, 12, 48},          {0x07E0, 51, 207}, {0x07E0, 63, 255},  // 6, shifted by 5
        {0x00FF0000, 0xA5, 0xA5},                             // 8 bits keep their value
        {0x3FF00000, 0x3FF, 255}, {0x3FF00000, 0x201, 0x80},  // 10 bits keep the top eight
    };
    for (const auto& c : cases) {
        int shift = 0;
        while (!(c.mask >> shift & 1))
            ++shift;
        const bool wide = c.mask > 0xFFFF;
        const BmpBitFields fields(wide ? 32 : 16, c.mask, wide ? 0x000FFC00u : 0u, 0, 0);
        EXPECT_EQ(fields.Red(c.raw << shift), c.expected) << std::hex << c.mask << " " << c.raw;
    }
}

TEST(BmpBitFields, MaskSetsAreSoundOnlyWithoutZeroOverlapGapsOrBitsOutsideThePixel)
{
    const struct {
        int32_t bits;
        uint32_t red, green, blue, alpha;
        bool valid;
    } cases[] = {
        {16, 0x7C00, 0x03E0, 0x001F, 0, true},
        {16, 0xF800, 0x07E0, 0x001F, 0, true},
        {16, 0x7C00, 0x03E0, 0x001F, 0x8000, true},
        {32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, true},
        {32, 0x3FF00000, 0x000FFC00, 0x000003FF, 0, true},
        {16, 0xF800, 0, 0x001F, 0, false},             // a colour without bits
        {16, 0xF800, 0x0FE0, 0x001F, 0, false},        // red and green share bit 11
        {16, 0x7C00, 0x03E0, 0x001F, 0x0400, false},   // alpha inside red
        {16, 0x1F000, 0x07E0, 0x001F, 0, false},       // red reaches bit 16
        {16, 0xE800, 0x07E0, 0x001F, 0, false},        // red with a gap
        {24, 0xFF0000, 0x00FF00, 0x0000FF, 0, false},  // no bit fields at 24 bits
    };
    for (const auto& c : cases)
        EXPECT_EQ(BmpBitFields(c.bits, c.red, c.green, c.blue, c.alpha).Valid(), c.valid)
            << c.bits << std::hex << " " << c.red << " " << c.green << " " << c.blue << " " << c.alpha;
}
