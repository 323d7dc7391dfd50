#pragma once

#include <cstdint>

// The plain records of the PDF writer's lists (held in TDynaArray, copied byte by byte).

// One object of the file; its list index is its object number.
struct TPDFObjRec {
    int32_t pos;   // offset of the object's first line in the file
    int32_t gen;   // generation: 0, or 65535 for the free head entry 0
    bool free;     // true only for entry 0
};

// One finished page: the page size in force when it ended.
struct TPDFPageRec {
    int32_t w;
    int32_t h;
};

// One font used in the document; its 1-based position n gives the resource name /Fn.
struct TPDFFontRec {
    char16_t* name;  // own zero-terminated copy of the face name
    uint8_t style;   // bit 0 bold, bit 1 italic, bit 2 underline, bit 3 strike-out
};

// One image drawn; its 0-based position k gives the resource name /Imk.
struct TPDFImageRec {
    int32_t bpp;  // bits per pixel of the image as kept
    char* fname;  // spool file name (spool mode only), own zero-terminated copy, or null
};
