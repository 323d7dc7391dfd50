#include "imaging/DibPixels.h"

#include "imaging/DibAccess.h"

#include <cstring>

namespace {

uint8_t* PixelRow(const dib& d, int32_t x, int32_t y)
{
    if (!d.bits || !d.info || x < 0 || y < 0 || x >= DibWidth(d) || y >= DibHeight(d))
        return nullptr;
    return d.bits + int64_t(y) * d.stride;
}

}

uint32_t getpixel(dib d, int32_t x, int32_t y)
{
    const uint8_t* row = PixelRow(d, x, y);
    if (!row)
        return 0;
    switch (DibBitCount(d)) {
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
        return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    case 8:
        return row[x];
    case 24: {
        const uint8_t* p = row + int64_t(x) * 3;
        return uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16;
    }
    case 32: {
        const uint8_t* p = row + int64_t(x) * 4;
        return uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16;
    }
    default:
        return 0;
    }
}

void setpixel(dib d, int32_t x, int32_t y, uint32_t value)
{
    uint8_t* row = PixelRow(d, x, y);
    if (!row)
        return;
    switch (DibBitCount(d)) {
    case 1: {
        const uint8_t mask = uint8_t(0x80 >> (x & 7));
        row[x >> 3] = (value & 1) ? (row[x >> 3] | mask) : (row[x >> 3] & ~mask);
        break;
    }
    case 4:
        if (x & 1)
            row[x >> 1] = uint8_t((row[x >> 1] & 0xF0) | (value & 0x0F));
        else
            row[x >> 1] = uint8_t((row[x >> 1] & 0x0F) | (value & 0x0F) << 4);
        break;
    case 8:
        row[x] = uint8_t(value);
        break;
    case 24:
    case 32: {
        uint8_t* p = row + int64_t(x) * (DibBitCount(d) / 8);
        p[0] = uint8_t(value >> 16);
        p[1] = uint8_t(value >> 8);
        p[2] = uint8_t(value);
        break;
    }
    default:
        break;
    }
}

void DibSetColor(dib& d, int32_t index, uint8_t red, uint8_t green, uint8_t blue)
{
    if (index < 0 || index > 255)
        return;
    if (d.info)
        d.info->colors[index] = TRgbQuad{blue, green, red, 0};
    d.pal[index][0] = red;
    d.pal[index][1] = green;
    d.pal[index][2] = blue;
    d.pal[index][3] = 0;
}

bool DibRowToBgr(const dib& d, int32_t y, uint8_t* out)
{
    const uint8_t* row = PixelRow(d, 0, y);
    if (!row)
        return false;
    const int32_t width = DibWidth(d);
    const int32_t bits = DibBitCount(d);
    const TRgbQuad* table = d.info->colors;
    switch (bits) {
    case 1:
    case 4:
    case 8:
        for (int32_t x = 0; x < width; ++x) {
            uint32_t index;
            if (bits == 8)
                index = row[x];
            else if (bits == 4)
                index = (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
            else
                index = (row[x >> 3] >> (7 - (x & 7))) & 1;
            out[0] = table[index].rgbBlue;
            out[1] = table[index].rgbGreen;
            out[2] = table[index].rgbRed;
            out += 3;
        }
        return true;
    case 24:
        std::memcpy(out, row, size_t(width) * 3);
        return true;
    case 32:
        for (int32_t x = 0; x < width; ++x) {
            std::memcpy(out, row + int64_t(x) * 4, 3);
            out += 3;
        }
        return true;
    default:
        return false;
    }
}

uint32_t DibPixelRgb(const dib& d, int32_t x, int32_t y)
{
    if (!PixelRow(d, x, y))
        return 0;
    const uint32_t value = getpixel(d, x, y);
    const int32_t bits = DibBitCount(d);
    if (bits > 8)
        return value;
    const TRgbQuad& c = d.info->colors[value];
    return uint32_t(c.rgbRed) | uint32_t(c.rgbGreen) << 8 | uint32_t(c.rgbBlue) << 16;
}
