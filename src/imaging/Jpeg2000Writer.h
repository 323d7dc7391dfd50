#pragma once

#include "imaging/dib.h"

#include <string>

// Encodes an image of 1, 4, 8, 24 or 32 bits per pixel as a JPEG 2000 file (JP2) with three
// colour components of 8 bits, irreversible wavelet at a quality of 46 dB PSNR. False for
// an image without pixels or of another depth, or when OpenJPEG fails.
class Jpeg2000Writer {
public:
    static bool Encode(const dib& d, std::string& out);
};
