#pragma once

#include "imaging/dib.h"

#include <cstdint>

class ByteSource;

// Format codes of OpenDib and SaveDib.
inline constexpr int32_t kDibFormatRecognise = 0;
inline constexpr int32_t kDibFormatBmp = 3;
inline constexpr int32_t kDibFormatJpeg = 7;
inline constexpr int32_t kDibFormatJpeg2000 = 14;

// Reads an image from the source: with format 0 whatever the content says (Windows bitmap,
// PNG, JPEG), with format 3 only a Windows bitmap. True with the image in `out`; false with
// `out` empty for anything else, damaged or too large.
class DibDecoder {
public:
    static bool Decode(ByteSource& source, int32_t format, dib& out);
};
