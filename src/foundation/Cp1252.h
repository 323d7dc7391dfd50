#pragma once

#include <string>
#include <string_view>

// Windows-1252, the 8-bit code page of every byte string the program keeps in its files
// (save.dat, PDF text, CSV, dBase). A character it cannot represent is written as "?";
// a character outside the Basic Multilingual Plane becomes a single "?".
std::string EncodeCp1252(std::u16string_view text);

// Every byte maps to one UTF-16 unit. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same value, so that
// they survive a round trip.
std::u16string DecodeCp1252(std::string_view bytes);

// One character; '?' when it cannot be represented.
char EncodeCp1252Char(char16_t unit);
char16_t DecodeCp1252Char(unsigned char byte);
