#pragma once

#include "output/TPrinterPage.h"

#include <cstdint>

// What sets one output target apart from the others: its units, zoom and page size, how
// fonts are sized, how long text is wrapped, whether pages break, and where rules sit. The
// page layout draws the same page on every target and asks these values where they differ.
struct TOutputTarget {
    // How a text is fitted between a left and a right edge.
    enum class Wrap : uint8_t {
        WordBreak,  // the target's word-break drawing into a rectangle
        CharWrap,   // the layout's own wrap, character by character
    };
    // Where a rule lies under the text above it.
    enum class Rules : uint8_t {
        Compact,  // directly at the running position
        Offset,   // lower by the rule width and one unit (more for the table's heading rule)
    };

    int32_t D = 72;                      // units per inch
    int32_t Z = 100;                     // zoom in percent
    int32_t pw = 595;                    // page width in units
    int32_t ph = 841;                    // page height in units
    bool zoomFonts = false;              // font sizes follow the zoom (at least 1 point)
    Wrap descriptions = Wrap::CharWrap;  // descriptions in the positions table
    Wrap closingText = Wrap::CharWrap;   // the closing invoice text
    bool pageBreaks = true;              // pages break at the limit and carry page numbers
    Rules headerRule = Rules::Offset;    // the rule under the header line
    Rules senderRule = Rules::Offset;    // the rule under the small sender line
    Rules tableRules = Rules::Offset;    // the rules of the positions table and totals

    // The screen preview: screenDpi pixels per inch, zoom in percent, one page.
    static TOutputTarget Preview(int32_t screenDpi, int32_t zoom, const TPrinterPage& page);
    // The printer in its own pixels.
    static TOutputTarget Printer(const TPrinterPage& page);
    // A PDF page in points.
    static TOutputTarget Pdf(const TPrinterPage& page);

    // A length in millimetres in units of this target:
    // trunc(Z × (m / 25.39995 × D) / 100).
    int32_t Dev(double millimetres) const;
    // A font's size on this target: as set, or trunc(size × Z / 100) when fonts follow the
    // zoom; at least 1 and at most 32767 points in every case.
    int32_t FontSize(int32_t points) const;
};
