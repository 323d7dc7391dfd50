#pragma once

#include "imaging/dib.h"

#include <cstdint>

class DibDevice;

// Draws the source rectangle (sx, sy, sw, sh) of an image (left column and bottom-based row,
// 0 the bottom row) stretched into the target rectangle (dx, dy, dw, dh) of the device. The
// source is first clipped to the image, the target shrinking in proportion. On a device that
// is not a raster printer, 24-bit and 8-bit images are stretched row by row
// (StretchDib24ToDevice, StretchDib8ToDevice); everything else goes whole to the device's
// StretchImage, and when that fails the layer stretches the image itself and puts its rows.
// With `halftone` set, a 24-bit image on a screen of 8 bits or fewer is drawn as a halftone
// copy. The last two integers are not used.
//
// A source or target rectangle without area (after clipping) draws nothing.
void DrawDibToDevice(DibDevice& device, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const dib& d, int32_t sx,
                     int32_t sy, int32_t sw, int32_t sh, bool halftone, uint32_t rop, int32_t, int32_t);
