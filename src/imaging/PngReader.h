#pragma once

#include "imaging/dib.h"

class ByteSource;

// Reads a PNG file whose first two signature bytes have already been taken from the source.
// Palette images become 8-bit images with their colour table, grey images 8-bit images with a
// grey table, colour images 24-bit images; 16-bit samples are scaled to 8 bits, and
// transparency (an alpha channel or a tRNS chunk) is composed over white. Chunks other than
// the header, palette, transparency and image data are skipped unread. Returns false with
// `out` empty for a damaged or cut file, or one larger than the layer allows.
class PngReader {
public:
    static bool Read(ByteSource& source, dib& out);
};
