#pragma once

#include <array>
#include <cstdint>

// The metrics of one face at one size, in whole pixels at 72 pixels per inch (so in points),
// by Windows-1252 code, which is how the text reaches the PDF.
struct FontSizeMetrics {
    std::array<int32_t, 256> widths{};  // advance width of each code
    int32_t ascent = 0;                 // cell above the baseline
    int32_t descent = 0;                // cell below the baseline (positive)

    int32_t CellHeight() const { return ascent + descent; }
};
