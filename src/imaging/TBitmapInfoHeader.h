#pragma once

#include <cstdint>

// The 40-byte header at the start of an image's information block: the width and height in
// pixels (height positive, bottom row first), the bits per pixel and the layout of the rows.
struct TBitmapInfoHeader {
    uint32_t biSize;  // 40
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;       // 1
    uint16_t biBitCount;     // 1, 4, 8, 24 or 32
    uint32_t biCompression;  // 0: plain rows
    uint32_t biSizeImage;    // bytes of pixel rows: height × stride
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;  // entries of the colour table in use, 0 for all
    uint32_t biClrImportant;
};
static_assert(sizeof(TBitmapInfoHeader) == 40);
