#pragma once

#include <cstdint>

// A point and a rectangle in points, from the top-left corner of the page, y downwards.
struct TPDFPoint {
    int32_t x = 0;
    int32_t y = 0;

    bool operator==(const TPDFPoint&) const = default;
};

struct TPDFRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};
