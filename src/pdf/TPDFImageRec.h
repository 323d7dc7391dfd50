#pragma once

#include <cstdint>

// One image drawn into a PDF document; its 0-based position k in the image list gives the
// resource name /Imk. A plain record, held in TDynaArray; the list's owner frees `fname`.
struct TPDFImageRec {
    int32_t bpp;  // bits per pixel of the image as kept
    char* fname;  // spool file name (spool mode only), own zero-terminated copy, or null
};
