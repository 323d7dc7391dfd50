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

// What a font dictionary needs, in whole pixels at 12 pixels per em.
struct FontDictMetrics {
    bool outline = false;  // the face has outline (scalable) metrics
    // Outline faces: the bounding box of all glyphs, the typographic ascent and descent
    // (descent negative below the baseline), the italic angle in whole degrees.
    int32_t bboxLeft = 0, bboxBottom = 0, bboxRight = 0, bboxTop = 0;
    int32_t ascent = 0;
    int32_t descent = 0;
    int32_t italicAngle = 0;
    // Faces without outlines: cell height and widest advance; ascent and descent above are
    // then the cell's (descent positive).
    int32_t cellHeight = 0;
    int32_t widest = 0;
    // The codes covered (0..255) and the advance of every code, as at 12 pixels per em.
    int32_t firstChar = 32;
    int32_t lastChar = 255;
    std::array<int32_t, 256> widths{};
};
