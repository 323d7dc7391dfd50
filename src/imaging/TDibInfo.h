#pragma once

#include "imaging/TBitmapInfoHeader.h"
#include "imaging/TRgbQuad.h"

// An image's information block: the header followed by a colour table of 256 entries (only
// images of 8 bits per pixel or fewer use it; unused entries are black).
struct TDibInfo {
    TBitmapInfoHeader header;
    TRgbQuad colors[256];
};
