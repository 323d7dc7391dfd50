#include "imaging/DibMemory.h"

#include <cstdlib>
#include <cstring>

int64_t DibStrideFor(int64_t width, int32_t bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

bool DibSizeAllowed(int64_t width, int64_t height, int32_t bitsPerPixel)
{
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32)
        return false;
    return width >= 1 && height >= 1 && width <= kDibMaxSide && height <= kDibMaxSide &&
           width * height <= kDibMaxPixels;
}

void newdib(dib* d, int32_t width, int32_t height, int32_t bitsPerPixel, const TDibInfo* colorSource, int32_t colors)
{
    std::memset(d, 0, sizeof *d);
    if (!DibSizeAllowed(width, height, bitsPerPixel))
        return;
    const int64_t stride = DibStrideFor(width, bitsPerPixel);
    auto* info = static_cast<TDibInfo*>(std::calloc(1, sizeof(TDibInfo)));
    auto* rows = static_cast<uint8_t*>(std::calloc(size_t(height), size_t(stride)));
    if (!info || !rows) {
        std::free(info);
        std::free(rows);
        return;
    }
    TBitmapInfoHeader& h = info->header;
    h.biSize = sizeof(TBitmapInfoHeader);
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = uint16_t(bitsPerPixel);
    h.biCompression = 0;
    h.biSizeImage = uint32_t(stride * height);
    h.biXPelsPerMeter = 2835;  // 72 pixels per inch
    h.biYPelsPerMeter = 2835;
    if (bitsPerPixel <= 8 && colorSource) {
        int32_t n = colors < 0 ? 0 : colors;
        if (n > (1 << bitsPerPixel))
            n = 1 << bitsPerPixel;
        for (int32_t i = 0; i < n; ++i) {
            info->colors[i] = colorSource->colors[i];
            info->colors[i].rgbReserved = 0;
            d->pal[i][0] = colorSource->colors[i].rgbRed;
            d->pal[i][1] = colorSource->colors[i].rgbGreen;
            d->pal[i][2] = colorSource->colors[i].rgbBlue;
        }
    }
    d->info = info;
    d->block1 = info;
    d->block2 = rows;
    d->bits = rows;
    d->stride = int32_t(stride);
}

void deldib(dib d)
{
    if (d.block1 && d.block1 != d.block2)
        std::free(d.block1);
    std::free(d.block2);
}
