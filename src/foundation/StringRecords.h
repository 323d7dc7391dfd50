#pragma once

#include "foundation/ByteSink.h"
#include "foundation/ByteSource.h"

#include <string>
#include <string_view>

// The two string records of the program's binary files.
//
// 8-bit record: count N as 32-bit signed little-endian, then N bytes of Windows-1252 text.
// 16-bit record: count N of UTF-16 units as 32-bit signed little-endian, then 2 × N bytes
// of UTF-16 little-endian units. Neither has a terminator.
//
// The readers raise IoError for a negative count or one larger than the bytes left, before
// they allocate anything.

void WriteStr8(ByteSink& sink, std::u16string_view text);
std::u16string ReadStr8(ByteSource& source);

void WriteStr16(ByteSink& sink, std::u16string_view text);
std::u16string ReadStr16(ByteSource& source);
