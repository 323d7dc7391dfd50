#pragma once

#include <cstdint>

// One entry of an information block's colour table, in the byte order of Windows bitmaps.
struct TRgbQuad {
    uint8_t rgbBlue;
    uint8_t rgbGreen;
    uint8_t rgbRed;
    uint8_t rgbReserved;
};
static_assert(sizeof(TRgbQuad) == 4);
