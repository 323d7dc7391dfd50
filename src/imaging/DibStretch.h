#pragma once

#include "imaging/dib.h"

#include <cstdint>

class DibDevice;

// Draws the source rectangle (sx, sy, sw, sh) of a 24-bit image, with sy counted from the
// top row, stretched into the target rectangle (dx, dy, dw, dh): one target row at a time,
// each the nearest source row and columns (sx + (sw × i) div dw), put onto the device at
// (dx, dy + r) as a row dw pixels wide. Source rows outside the image give black rows; a row
// that is the same source row as the one before is sent again without copying. Returns the
// number of source rows copied (0 when nothing could be drawn).
int32_t StretchDib24ToDevice(DibDevice& device, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const dib& d,
                             int32_t sx, int32_t sy, int32_t sw, int32_t sh);

// The same for an 8-bit image; the rows carry the image's colour table.
int32_t StretchDib8ToDevice(DibDevice& device, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const dib& d, int32_t sx,
                            int32_t sy, int32_t sw, int32_t sh);
