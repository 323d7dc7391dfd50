#pragma once

#include "imaging/dib.h"

class ByteSource;

// Reads a JPEG file whose first two bytes (the start-of-image marker) have already been taken
// from the source. Grey images become 8-bit images with a grey table, colour images (YCbCr,
// RGB, CMYK) 24-bit images. A file that is cut short, whose data is found corrupt, that is
// larger than the layer allows, or that is too short to give every 8 × 8 block of the size it
// announces one bit, gives false with `out` empty; libjpeg's errors never end the program.
class JpegReader {
public:
    static bool Read(ByteSource& source, dib& out);
};
