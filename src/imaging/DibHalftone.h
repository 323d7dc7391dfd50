#pragma once

#include "imaging/dib.h"

#include <cstdint>

// An 8-bit copy of an image (1, 4, 8, 24 or 32 bits per pixel) for displays of 8 bits per
// pixel or fewer: its colour table is the halftone table (the 6 × 6 × 6 colour cube with the
// levels 0, 51, 102, 153, 204, 255 at index 36 r + 6 g + b, then 40 black entries), and every
// pixel is dithered to the cube with a 4 × 4 ordered pattern. On failure *out is empty.
void DIBHalftoneDIB(dib* out, dib in);

// The same, resized to width × height by picking the nearest source pixel.
void DIBHalftoneDIBXY(dib* out, dib in, int32_t width, int32_t height);
