#pragma once

#include "pdf/FontSizeMetrics.h"
#include "pdf/TPDFFont.h"

#include <cstdint>
#include <string>
#include <string_view>

// The measuring canvas of the PDF writer: it draws nothing, it only measures text in its
// font at 72 pixels per inch, so that pixels are points. The width of a text is the sum of
// the whole-pixel advances of its Windows-1252 characters (the bytes the PDF will show, a
// character outside the code page measured as the "?" it becomes), the height the cell
// height of the font, and 0 for the empty text.
class TMeasureCanvas {
public:
    TPDFFont font;

    int32_t TextWidth(std::u16string_view text);
    int32_t TextHeight(std::u16string_view text);
    // Width of text already in Windows-1252.
    int32_t ByteWidth(std::string_view bytes);

    // Metrics of the current font at its size.
    const FontSizeMetrics& Metrics();

private:
    // The font the cached metrics belong to.
    TPDFFont measured_;
    const FontSizeMetrics* metrics_ = nullptr;
};
