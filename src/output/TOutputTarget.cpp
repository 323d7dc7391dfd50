#include "output/TOutputTarget.h"

#include <cmath>
#include <limits>

namespace {

// A floating-point result taken toward zero into the integer range (a setting far out of
// range must not make the conversion undefined).
int32_t Trunc(double value)
{
    if (std::isnan(value))
        return 0;
    const double t = std::trunc(value);
    if (t >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (t <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(t);
}

// A printer resolution of 0 would divide by zero; such a printer is treated as having none.
TPrinterPage Usable(const TPrinterPage& page)
{
    return page.PD > 0 && page.PW > 0 && page.PH > 0 ? page : kNoPrinterPage;
}

}

TOutputTarget TOutputTarget::Preview(int32_t screenDpi, int32_t zoom, const TPrinterPage& printer)
{
    const TPrinterPage page = Usable(printer);
    TOutputTarget t;
    t.D = screenDpi;
    t.Z = zoom;
    // Both sizes use the horizontal resolutions; PW × D is an integer product.
    t.pw = Trunc(double(int64_t(page.PW) * screenDpi) / page.PD * zoom / 100);
    t.ph = Trunc(double(int64_t(page.PH) * screenDpi) / page.PD * zoom / 100);
    t.zoomFonts = true;
    t.descriptions = Wrap::WordBreak;
    t.closingText = Wrap::WordBreak;
    t.pageBreaks = false;
    t.headerRule = Rules::Compact;
    t.senderRule = Rules::Compact;
    t.tableRules = Rules::Compact;
    return t;
}

TOutputTarget TOutputTarget::Printer(const TPrinterPage& printer)
{
    const TPrinterPage page = Usable(printer);
    TOutputTarget t;
    t.D = page.PD;
    t.Z = 100;
    t.pw = page.PW;
    t.ph = page.PH;
    t.zoomFonts = false;
    t.descriptions = Wrap::WordBreak;
    t.closingText = Wrap::CharWrap;
    t.pageBreaks = true;
    t.headerRule = Rules::Offset;
    t.senderRule = Rules::Compact;
    t.tableRules = Rules::Compact;
    return t;
}

TOutputTarget TOutputTarget::Pdf(const TPrinterPage& printer)
{
    const TPrinterPage page = Usable(printer);
    TOutputTarget t;
    t.D = 72;
    t.Z = 100;
    t.pw = Trunc(double(page.PW) / page.PD * 72);
    t.ph = Trunc(double(page.PH) / page.PD * 72);
    t.zoomFonts = false;
    t.descriptions = Wrap::CharWrap;
    t.closingText = Wrap::CharWrap;
    t.pageBreaks = true;
    t.headerRule = Rules::Offset;
    t.senderRule = Rules::Offset;
    t.tableRules = Rules::Offset;
    return t;
}

int32_t TOutputTarget::Dev(double millimetres) const
{
    return Trunc(Z * (millimetres / 25.39995 * D) / 100);
}

int32_t TOutputTarget::FontSize(int32_t points) const
{
    // A size outside what any page can show (only a damaged settings file holds one) is
    // brought into range, so that line heights and positions stay far from overflowing.
    constexpr int32_t kLargest = 32767;
    const int32_t size = zoomFonts ? Trunc(double(points) * Z / 100) : points;
    return size < 1 ? 1 : (size > kLargest ? kLargest : size);
}
