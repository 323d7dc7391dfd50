#pragma once

#include <cstdint>

// Where red, green, blue and (optionally) alpha lie in a Windows bitmap pixel of 16 or 32
// bits, given as one bit mask per channel, and the 8-bit values of a pixel's channels. A
// channel narrower than 8 bits is widened by repeating its bits (5 bits v: v << 3 | v >> 2,
// 6 bits v: v << 2 | v >> 4), so that its lowest and highest values become 0 and 255; a
// wider one keeps its 8 highest bits.
class BmpBitFields {
public:
    BmpBitFields(int32_t bitsPerPixel, uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha);

    // True when no colour mask is zero, every mask is one run of bits inside the pixel, and no
    // two masks share a bit.
    bool Valid() const { return valid_; }
    bool HasAlpha() const { return alpha_.width > 0; }
    int32_t BytesPerPixel() const { return bytes_; }

    // The pixel stored at p (little-endian, BytesPerPixel bytes).
    uint32_t Read(const uint8_t* p) const
    {
        uint32_t pixel = uint32_t(p[0]) | uint32_t(p[1]) << 8;
        if (bytes_ == 4)
            pixel |= uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
        return pixel;
    }
    uint8_t Red(uint32_t pixel) const { return red_.Extract(pixel); }
    uint8_t Green(uint32_t pixel) const { return green_.Extract(pixel); }
    uint8_t Blue(uint32_t pixel) const { return blue_.Extract(pixel); }
    uint8_t Alpha(uint32_t pixel) const { return alpha_.Extract(pixel); }

private:
    // A channel's value v is taken out of the pixel and widened in one step: v times `repeat`
    // lays copies of its bits side by side (5 bits: 33 = 1 + 32, two copies), of which the
    // eight highest bits are kept (`drop` lower ones go). A channel of 8 or more bits has one
    // copy and keeps its 8 highest bits.
    struct Channel {
        int shift = 0;
        int width = 0;
        uint32_t bits = 0;  // the mask shifted down to bit 0
        uint32_t repeat = 1;
        int drop = 0;
        explicit Channel(uint32_t mask);
        uint8_t Extract(uint32_t pixel) const { return uint8_t(((pixel >> shift) & bits) * repeat >> drop); }
    };

    int32_t bytes_;
    Channel red_, green_, blue_, alpha_;
    bool valid_;
};
