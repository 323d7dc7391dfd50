#pragma once

#include "imaging/dib.h"

#include <cstdint>

// Loads the image file `fname` (a path as the file system names it, zero-terminated) into
// *d. Format 0 recognises Windows bitmaps, PNG and JPEG files by their content; format 3
// reads Windows bitmaps only. The owner window is not used. Returns 1 with the image in *d;
// otherwise 0 and *d is empty (`bits` nil): a missing, unreadable, damaged or unsupported file,
// or an image larger than the layer allows, never ends the program.
int32_t OpenDib(dib* d, const char* fname, int32_t format, uintptr_t owner);

// The file dialog filter for what OpenDib reads: description and pattern pairs separated by
// vertical bars, zero-terminated, in Windows-1252.
const char* GetDIBOpenFilter();
