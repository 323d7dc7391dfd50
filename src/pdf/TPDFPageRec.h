#pragma once

#include <cstdint>

// One finished page of a PDF file being written: the page size in force when it ended.
// A plain record, held in TDynaArray.
struct TPDFPageRec {
    int32_t w;
    int32_t h;
};
