#pragma once

#include "imaging/dib.h"

#include <cstdint>
#include <string>
#include <vector>

// Helpers for the image layer's tests.

// Owns an image made in a test and releases it at the end of the scope.
class OwnedDib {
public:
    OwnedDib();
    ~OwnedDib();
    OwnedDib(const OwnedDib&) = delete;
    OwnedDib& operator=(const OwnedDib&) = delete;
    dib d;
};

// An RGB colour, red in the lowest byte.
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b)
{
    return r | g << 8 | b << 16;
}

// The image's colours, top row first.
using Picture = std::vector<std::vector<uint32_t>>;
Picture TopDown(const dib& d);

// The picture that the fixtures img-*.bmp/png hold (see make-image-fixtures.py), 5 × 3.
Picture CanonicalPicture();

// The picture as a bitmap of 16 bits per pixel gives it back: each channel keeps its high
// 5 or 6 bits, widened again by repeating them (5 bits v: v << 3 | v >> 2; 6 bits v:
// v << 2 | v >> 4).
Picture Through16Bits(const Picture& picture, int redBits, int greenBits, int blueBits);

std::string FixturePath(const std::string& name);
// Loads a fixture with OpenDib, format 0.
void LoadFixture(OwnedDib& image, const std::string& name, int32_t format = 0);

// True when every colour component differs by at most `tolerance`.
bool Near(uint32_t a, uint32_t b, int tolerance);

// A 24-bit image with the given colours, top row first.
void MakeImage24(OwnedDib& image, const Picture& picture);
