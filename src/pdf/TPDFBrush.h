#pragma once

#include <cstdint>

// The brush of the PDF canvas: filled rectangles.
struct TPDFBrush {
    enum Style : int32_t {
        bsSolid = 0,
        bsClear = 1,
    };

    int32_t style = bsSolid;
    uint32_t color = 0xFFFFFF;  // RGB, red in the lowest byte; a new brush is white

    bool operator==(const TPDFBrush&) const = default;
};
