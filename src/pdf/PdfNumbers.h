#pragma once

#include <cstdint>
#include <string>

// Numbers as they appear inside a PDF file: plain ASCII with a full stop, never touched by
// the user's locale.

// Decimal integer, a minus sign when negative, no padding.
void AppendInt(std::string& out, int64_t value);
std::string IntText(int64_t value);

// Colour component c (0..255) as c/255: the exact quotient rounded half-up to 15 significant
// digits, trailing zeros and a trailing point removed (0, 0.2, 0.501960784313725, 1).
const std::string& ColourComponentText(uint8_t component);

// The three components of a 24-bit RGB colour (red in the lowest byte) separated by single
// spaces; a higher byte is ignored.
void AppendColour(std::string& out, uint32_t colour);

// A pixel value at 12 pixels per em in the thousandths of an em of a font dictionary: the
// integer part of p * 1000/12, where 1000/12 is taken as the double just below 250/3, so a
// non-zero multiple of 3 comes out one nearer to zero (3 gives 249, -4 gives -333).
int32_t ScaleToThousandths(int32_t pixels);

// Zero-padded decimal of a fixed width (cross-reference entries).
void AppendPadded(std::string& out, uint64_t value, int width);
