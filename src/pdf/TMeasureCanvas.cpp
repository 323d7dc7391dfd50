#include "pdf/TMeasureCanvas.h"

#include "foundation/Cp1252.h"
#include "pdf/FontMetrics.h"

const FontSizeMetrics& TMeasureCanvas::Metrics()
{
    if (!metrics_ || measured_.size != font.size || measured_.style != font.style || measured_.name != font.name) {
        metrics_ = &FontMetrics::Shared().Size(font.name, font.style, font.size);
        measured_ = font;
    }
    return *metrics_;
}

int32_t TMeasureCanvas::TextWidth(std::u16string_view text)
{
    if (text.empty())
        return 0;
    const FontSizeMetrics& m = Metrics();
    int64_t width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        // A surrogate pair is one character, shown as one "?".
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ++i;
        width += m.widths[static_cast<unsigned char>(EncodeCp1252Char(unit))];
    }
    return int32_t(width);
}

int32_t TMeasureCanvas::ByteWidth(std::string_view bytes)
{
    const FontSizeMetrics& m = Metrics();
    int64_t width = 0;
    for (const char c : bytes)
        width += m.widths[static_cast<unsigned char>(c)];
    return int32_t(width);
}

int32_t TMeasureCanvas::TextHeight(std::u16string_view text)
{
    if (text.empty())
        return 0;
    return Metrics().CellHeight();
}
