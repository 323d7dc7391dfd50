#include "imaging/DibHalftone.h"

#include "imaging/DibAccess.h"
#include "imaging/DibMemory.h"
#include "imaging/DibPixels.h"

#include <cstdlib>
#include <cstring>

namespace {

// Thresholds of the ordered pattern, 0..15.
constexpr uint8_t kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// The cube level (0..5) for a sample, dithered by threshold t (0..15).
uint32_t Level(uint32_t sample, uint32_t t)
{
    // sample × 5 / 255 in sixteenths, rounded up or down by the threshold.
    const uint32_t scaled = sample * 5 * 16 / 255;
    const uint32_t level = scaled / 16;
    return (scaled % 16) > t ? level + 1 : level;
}

}

void DIBHalftoneDIBXY(dib* out, dib in, int32_t width, int32_t height)
{
    std::memset(out, 0, sizeof *out);
    const int32_t sourceWidth = DibWidth(in);
    const int32_t sourceHeight = DibHeight(in);
    if (!in.bits || sourceWidth < 1 || sourceHeight < 1)
        return;
    newdib(out, width, height, 8, nullptr, 0);
    if (!out->bits)
        return;
    for (int32_t i = 0; i < 216; ++i)
        DibSetColor(*out, i, uint8_t(i / 36 * 51), uint8_t(i / 6 % 6 * 51), uint8_t(i % 6 * 51));
    auto* row = static_cast<uint8_t*>(std::malloc(size_t(sourceWidth) * 3));
    if (!row) {
        FreeDib(*out);
        std::memset(out, 0, sizeof *out);
        return;
    }
    int32_t loaded = -1;
    for (int32_t y = 0; y < height; ++y) {
        const int32_t sy = int32_t(int64_t(y) * sourceHeight / height);
        if (sy != loaded) {
            if (!DibRowToBgr(in, sy, row)) {
                std::free(row);
                FreeDib(*out);
                std::memset(out, 0, sizeof *out);
                return;
            }
            loaded = sy;
        }
        uint8_t* target = out->bits + int64_t(y) * out->stride;
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t* p = row + int64_t(x) * sourceWidth / width * 3;
            const uint32_t t = kBayer[y & 3][x & 3];
            target[x] = uint8_t(36 * Level(p[2], t) + 6 * Level(p[1], t) + Level(p[0], t));
        }
    }
    std::free(row);
}

void DIBHalftoneDIB(dib* out, dib in)
{
    DIBHalftoneDIBXY(out, in, DibWidth(in), DibHeight(in));
}
