#pragma once

#include <cstdint>
#include <string>

// The font a target draws text with: face name, size in points (after the target's size
// rule), style bits (1 bold, 2 italic, 4 underline, 8 strike-out) and an RGB colour with red
// in the lowest byte.
struct TCanvasFont {
    std::u16string name;
    int32_t size = 0;
    uint8_t style = 0;
    uint32_t color = 0;

    bool operator==(const TCanvasFont&) const = default;
};
