#pragma once

#include "imaging/dib.h"

#include <cstdint>

// One image drawn into a PDF document; its 0-based position k in the image list gives the
// resource name /Imk. A plain record, held in TDynaArray; the list's owner releases `di`
// (memory mode) or deletes the spool file and frees `fname` (spool mode).
struct TPDFImageRec {
    dib di;       // the kept image; in spool mode without pixels until EndDoc reloads it
    int32_t bpp;  // bits per pixel of the image as kept
    char* fname;  // spool file name (spool mode only), own zero-terminated copy, or null
};
