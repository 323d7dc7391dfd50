#pragma once

#include "imaging/TDibInfo.h"

#include <cstdint>

// An image as the image layer hands it around: a plain record, passed and copied whole. The
// record does not own its memory by itself; whoever made it releases it once with FreeDib
// or deldib, and copies of the record must not be used after that.
//
// Pixel rows are stored bottom row first, `stride` bytes each (a multiple of 4). A 24-bit
// pixel is blue, green, red; a 32-bit pixel is blue, green, red and an unused byte; an 8-bit
// pixel is an index into the colour table; a 4-bit byte holds two pixels, the left one in the
// high four bits; a 1-bit byte holds eight, the left one in the highest bit.
struct dib {
    TDibInfo* info;       // header and colour table, or null
    void* block1;         // first memory block (the information block)
    void* block2;         // second memory block (the pixel rows)
    uint8_t* bits;        // the pixel rows; null: no image
    int32_t stride;       // bytes per row
    uint8_t pal[256][4];  // the colour table again as red, green, blue, spare byte
};
