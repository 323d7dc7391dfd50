#pragma once

#include "imaging/dib.h"

#include <cstdint>

// Every image the layer makes or reads is at most this large: a side of at most
// kDibMaxSide pixels and at most kDibMaxPixels pixels in all (64 Mi pixels, 256 MiB of rows
// at 32 bits per pixel). Anything larger is refused before memory is allocated for it.
inline constexpr int64_t kDibMaxSide = int64_t(1) << 20;
inline constexpr int64_t kDibMaxPixels = int64_t(1) << 26;

// Bytes per row of an image of the given width and depth: whole 32-bit words.
int64_t DibStrideFor(int64_t width, int32_t bitsPerPixel);

// True when an image of this size and depth (1, 4, 8, 24 or 32 bits) may be made.
bool DibSizeAllowed(int64_t width, int64_t height, int32_t bitsPerPixel);

// Makes a new image in *d with all pixels zero. Its colour table takes the first `colors`
// entries (at most 256, and at most 2 to the power of the depth) of the table of
// colorSource when that is not null; the other entries are black. On failure (a size or
// depth that is not allowed, no memory) the record is all null: `bits` and `block1` nil.
void newdib(dib* d, int32_t width, int32_t height, int32_t bitsPerPixel, const TDibInfo* colorSource, int32_t colors);

// Releases the memory of an image made by the layer.
void deldib(dib d);
