#pragma once

#include <cstdint>

// One object of a PDF file being written; its index in the object list is its object number.
// A plain record, held in TDynaArray.
struct TPDFObjRec {
    int32_t pos;  // offset of the object's first line in the file
    int32_t gen;  // generation: 0, or 65535 for the free head entry 0
    bool free;    // true only for entry 0
};
