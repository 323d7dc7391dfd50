#include "pdf/TMeasureCanvas.h"

#include "foundation/Cp1252.h"
#include "pdf/FontMetrics.h"

const FontSizeMetrics& TMeasureCanvas::Metrics()
{
    if (!metrics_ || measured_.size != font.size || measured_.style != font.style ||
        measured_.name != font.name) {
        metrics_ = &FontMetrics::Shared().Size(font.name, font.style, font.size);
        measured_ = font;
    }
    return *metrics_;
}

int32_t TMeasureCanvas::TextWidth(std::u16string_view text)
{
    if (text.empty())
        return 0;
    return ByteWidth(EncodeCp1252(text));
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
