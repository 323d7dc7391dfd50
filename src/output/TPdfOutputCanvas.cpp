#include "output/TPdfOutputCanvas.h"

#include "imaging/DibAccess.h"
#include "output/WordBreakLines.h"
#include "pdf/TPDFCanvas.h"

#include <utility>

TPdfOutputCanvas::TPdfOutputCanvas(TPDFCanvas& pdf, const TPrinterPage& printer)
    : TOutputCanvas(TOutputTarget::Pdf(printer)),
      pdf_(pdf)
{
}

void TPdfOutputCanvas::SetFont(const TCanvasFont& font)
{
    pdf_.font.name = font.name;
    pdf_.font.size = font.size;
    pdf_.font.style = font.style;
    pdf_.font.color = font.color;
}

void TPdfOutputCanvas::SetPen(int32_t width)
{
    pdf_.pen.style = TPDFPen::psSolid;
    pdf_.pen.width = width;
    pdf_.pen.color = 0;
}

void TPdfOutputCanvas::TextOut(int32_t x, int32_t y, std::u16string_view text)
{
    pdf_.TextOut(x, y, text);
}

int32_t TPdfOutputCanvas::TextWidth(std::u16string_view text)
{
    return pdf_.TextWidth(text);
}

int32_t TPdfOutputCanvas::TextHeight(std::u16string_view text)
{
    return pdf_.TextHeight(text);
}

void TPdfOutputCanvas::MoveTo(int32_t x, int32_t y)
{
    pdf_.MoveTo(x, y);
}

void TPdfOutputCanvas::LineTo(int32_t x, int32_t y)
{
    pdf_.LineTo(x, y);
}

void TPdfOutputCanvas::FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    if (x1 == x2 || y1 == y2)
        return;
    pdf_.brush.style = TPDFBrush::bsSolid;
    pdf_.brush.color = 0;
    // The writer's rectangle leaves out one unit at its right and its top edge (the GDI
    // rectangle's convention); widened by that unit each way it covers exactly x1..x2, y1..y2,
    // so that neighbouring modules of a code meet without a gap.
    pdf_.FillRect(x1, y1 - 1, x2 + 1, y2);
}

void TPdfOutputCanvas::DrawLogo(const dib& logo, int32_t x, int32_t y, int32_t width, int32_t height)
{
    pdf_.DrawDIB(x, y, width, height, logo, 0, 0, DibWidth(logo), DibHeight(logo));
}

int32_t TPdfOutputCanvas::WordBreak(int32_t left, int32_t top, int32_t right, int32_t, std::u16string_view text,
                                    bool measureOnly)
{
    const auto lines = WordBreakLines(text, right - left, [this](std::u16string_view t) { return pdf_.TextWidth(t); });
    const int32_t lineHeight = pdf_.TextHeight(u" ");
    int32_t y = top;
    for (const std::u16string& line : lines) {
        if (!measureOnly)
            pdf_.TextOut(left, y, line);
        y += lineHeight;
    }
    return y;
}

void TPdfOutputCanvas::NewPage()
{
    pdf_.NewPage();
}
