#pragma once

#include "imaging/dib.h"

#include <cstdint>

// Saves an image to `fname` (a path as the file system names it) as a Windows bitmap
// (format 3), a JPEG file (7) or a JPEG 2000 file (14); the last argument is not used.
// Returns 1 when the file has been written completely, 0 otherwise; a file is never left
// half written (an existing file stays as it was when saving fails).
int32_t SaveDib(dib d, const char* fname, int32_t format, int32_t unused);
