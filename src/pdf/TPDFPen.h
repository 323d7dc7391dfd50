#pragma once

#include <cstdint>

// The pen of the PDF canvas: lines and rectangle outlines.
struct TPDFPen {
    enum Style : int32_t {
        psSolid = 0,
        psDash = 1,
        psDot = 2,
        psDashDot = 3,
        psDashDotDot = 4,
        psClear = 5,
        psInsideFrame = 6,
    };

    int32_t style = psSolid;
    int32_t width = 1;   // points
    uint32_t color = 0;  // RGB, red in the lowest byte

    bool operator==(const TPDFPen&) const = default;
};
