#pragma once

#include "imaging/dib.h"

#include <cstdint>

// Releases an image's memory and leaves the record empty (info, blocks and bits null).
// Nothing happens when it has no pixels.
void FreeDib(dib& d);

// Size and depth from the image's header; 0 when it has none.
int32_t DibWidth(const dib& d);
int32_t DibHeight(const dib& d);
int32_t DibBitCount(const dib& d);
// 2 to the power of the depth (1 for an image without header).
int64_t DibColors(const dib& d);

// Bits per pixel of the screen. The window layer tells it at start with
// SetScreenColorDepth; until then it is 24.
int32_t ScreenColorDepth();
void SetScreenColorDepth(int32_t bitsPerPixel);
