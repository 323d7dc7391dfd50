#pragma once

#include <cstdint>

// One font used in a PDF document; its 1-based position n in the font list gives the
// resource name /Fn. A plain record, held in TDynaArray; the list's owner frees `name`.
struct TPDFFontRec {
    char16_t* name;  // own zero-terminated copy of the face name
    uint8_t style;   // bit 0 bold, bit 1 italic, bit 2 underline, bit 3 strike-out
};
