#pragma once

#include "imaging/dib.h"

class ByteSource;

// Reads a Windows bitmap whose two signature bytes "BM" have already been taken from the
// source: core (OS/2) and information headers of every version, 1, 4, 8, 16, 24 and 32 bits
// per pixel, plain rows (bottom-up or top-down), RLE8 and RLE4, and bit-field masks of 16- and
// 32-bit pixels (an alpha mask is composed over white). 16-bit pixels (5-5-5 in plain rows,
// any masks such as 5-6-5 with bit fields) become a 24-bit image, each channel widened to
// 8 bits by repeating its bits. Fills `out` and returns true, or returns false with
// `out` empty for anything damaged, unsupported or larger than the layer allows; counts
// are checked against what the source still holds before anything is allocated.
class BmpReader {
public:
    static bool Read(ByteSource& source, dib& out);
};
