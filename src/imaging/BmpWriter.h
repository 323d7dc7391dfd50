#pragma once

#include "imaging/dib.h"

class ByteSink;

// Writes an image of 1, 4, 8, 24 or 32 bits per pixel as a Windows bitmap: file header,
// 40-byte information header, the full colour table of its depth (8 bits or fewer), and the
// rows bottom row first. False (nothing written) for an image without pixels or of another
// depth; a failed write raises IoError.
class BmpWriter {
public:
    static bool Write(const dib& d, ByteSink& sink);
};
