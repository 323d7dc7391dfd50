#include "output/TPdfOutputCanvas.h"

#include "imaging/DibAccess.h"
#include "output/WordBreakLines.h"
#include "pdf/TPDFCanvas.h"

#include <charconv>
#include <string>

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

namespace {

// A number with up to five decimals and a full stop, whatever the locale.
void AppendDecimal(std::string& out, double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 5).ptr;
    out.append(text, end);
}

}

void TPdfOutputCanvas::FillModules(int32_t x, int32_t y, int32_t side, int32_t cells,
                                   const std::vector<ModuleRun>& runs)
{
    if (cells <= 0 || !pdf_.IsInCreation())
        return;
    // The runs in module units: a coordinate system of its own scaled to the module (a
    // fraction of a point), y downwards from the square's top-left corner, black, inside q … Q
    // so that the page's colour and pen stay as they were.
    std::string content = "q\n0 g\n";
    const double module = double(side) / cells;
    AppendDecimal(content, module);
    content += " 0 0 ";
    AppendDecimal(content, -module);
    content += ' ' + std::to_string(x) + ' ' + std::to_string(int64_t(pdf_.PageHeight) - y) + " cm\n";
    for (const ModuleRun& run : runs) {
        content +=
            std::to_string(run.column) + ' ' + std::to_string(run.row) + ' ' + std::to_string(run.length) + " 1 re\n";
    }
    content += "f\nQ";
    pdf_.writeln(std::u16string(content.begin(), content.end()));
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
