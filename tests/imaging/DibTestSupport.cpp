#include "DibTestSupport.h"

#include "imaging/DibAccess.h"
#include "imaging/DibMemory.h"
#include "imaging/DibPixels.h"
#include "imaging/OpenDib.h"

#include <cstdlib>
#include <cstring>

OwnedDib::OwnedDib()
{
    std::memset(&d, 0, sizeof d);
}

OwnedDib::~OwnedDib()
{
    FreeDib(d);
}

Picture TopDown(const dib& d)
{
    Picture picture;
    for (int32_t y = DibHeight(d) - 1; y >= 0; --y) {
        std::vector<uint32_t> row;
        for (int32_t x = 0; x < DibWidth(d); ++x)
            row.push_back(DibPixelRgb(d, x, y));
        picture.push_back(row);
    }
    return picture;
}

Picture CanonicalPicture()
{
    const uint32_t navy = Rgb(0, 0, 128);
    return {
        {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255), Rgb(255, 255, 255), Rgb(0, 0, 0)},
        {Rgb(255, 255, 0), Rgb(0, 255, 255), Rgb(255, 0, 255), Rgb(128, 128, 128), Rgb(255, 128, 0)},
        {navy, navy, navy, navy, Rgb(10, 20, 30)},
    };
}

namespace {

uint32_t Widen(uint32_t component, int bits)
{
    const uint32_t v = component >> (8 - bits);
    return bits == 5 ? (v << 3 | v >> 2) : (v << 2 | v >> 4);
}

}

Picture Through16Bits(const Picture& picture, int redBits, int greenBits, int blueBits)
{
    Picture out = picture;
    for (auto& row : out)
        for (uint32_t& c : row)
            c = Rgb(Widen(c & 0xFF, redBits), Widen(c >> 8 & 0xFF, greenBits), Widen(c >> 16 & 0xFF, blueBits));
    return out;
}

std::string FixturePath(const std::string& name)
{
    return std::string(REKOLON_TEST_DATA) + "/" + name;
}

void LoadFixture(OwnedDib& image, const std::string& name, int32_t format)
{
    FreeDib(image.d);
    OpenDib(&image.d, FixturePath(name).c_str(), format, 0);
}

bool Near(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8) {
        const int ca = int((a >> shift) & 0xFF);
        const int cb = int((b >> shift) & 0xFF);
        if (std::abs(ca - cb) > tolerance)
            return false;
    }
    return true;
}

void MakeImage24(OwnedDib& image, const Picture& picture)
{
    FreeDib(image.d);
    const int32_t height = int32_t(picture.size());
    const int32_t width = int32_t(picture[0].size());
    newdib(&image.d, width, height, 24, nullptr, 0);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            setpixel(image.d, x, height - 1 - y, picture[size_t(y)][size_t(x)]);
}
