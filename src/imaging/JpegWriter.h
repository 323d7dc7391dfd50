#pragma once

#include "imaging/dib.h"

#include <string>

// Encodes an image of 1, 4, 8, 24 or 32 bits per pixel as a baseline JPEG file with three
// colour components (images with a colour table through their table), quality 90, no
// chroma subsampling so that the sharp edges of a logo keep their colours. False for an
// image without pixels, of another depth, or too wide for JPEG; libjpeg's errors never end
// the program.
class JpegWriter {
public:
    static bool Encode(const dib& d, std::string& out);
};
