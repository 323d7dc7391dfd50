#pragma once

#include "imaging/dib.h"

#include <cstdint>

// Pixels of an image by column x and row y, both counted in storage order (row 0 is the
// bottom row). Outside the image, or on an image without pixels, getpixel gives 0 and
// setpixel does nothing.
//
// For 1, 4 and 8 bits the value is the colour index; for 24 and 32 bits it is the colour
// with red in the lowest byte, green in the next and blue in the third.
uint32_t getpixel(dib d, int32_t x, int32_t y);
void setpixel(dib d, int32_t x, int32_t y, uint32_t value);

// Sets colour table entry `index` (0..255) in both the information block and `pal`.
void DibSetColor(dib& d, int32_t index, uint8_t red, uint8_t green, uint8_t blue);

// Converts storage row y of an image of 1, 4, 8, 24 or 32 bits into DibWidth × 3 bytes of
// blue, green, red. False (nothing written) for other depths, a row outside the image or an
// image without pixels.
bool DibRowToBgr(const dib& d, int32_t y, uint8_t* out);

// The colour of one pixel, red in the lowest byte; 0 outside the image.
uint32_t DibPixelRgb(const dib& d, int32_t x, int32_t y);
