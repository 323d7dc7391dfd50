#pragma once

#include <array>
#include <cstdint>

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
