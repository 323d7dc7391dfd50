#include "pdf/TPDFCanvas.h"

#include "foundation/Cp1252.h"
#include "foundation/IoError.h"
#include "foundation/Messenger.h"
#include "foundation/TDynaArray.h"
#include "foundation/Utf8.h"
#include "pdf/PdfA3Document.h"
#include "pdf/PdfNumbers.h"

TPDFCanvas::TPDFCanvas() = default;

TPDFCanvas::~TPDFCanvas()
{
    std::u16string failure;
    if (IsInCreation()) {
        // A document left open is finished, as an explicit EndDoc would; a destructor cannot
        // raise, so a failure is reported to the user here, once no file of it is left.
        try {
            EndDoc();
        } catch (const IoError& error) {
            failure = Utf8ToUtf16(error.what());
        }
    }
    ReleaseDocument();
    images_.Release();
    if (!failure.empty())
        CurrentMessenger().ShowError(failure);
}

// ---- Output channel ----

void TPDFCanvas::write(std::u16string_view s)
{
    const std::string bytes = EncodeCp1252(s);
    writer_.Put(bytes);
}

void TPDFCanvas::writeln(std::u16string_view s)
{
    std::string bytes = EncodeCp1252(s);
    writer_.PutLine(bytes);
}

void TPDFCanvas::OutOfMemory(const char* what)
{
    ReleaseDocument();
    writer_.OutOfMemory(what);
}

// ---- Text ----

namespace {

// Appends the escape of character c (below 128) to out; false when c is written as itself.
template <class String> bool AppendEscape(String& out, char16_t c)
{
    using Char = typename String::value_type;
    const char* escape = nullptr;
    switch (c) {
    case u'\\':
        escape = "\\\\";
        break;
    case u'(':
        escape = "\\(";
        break;
    case u')':
        escape = "\\)";
        break;
    case 10:
        escape = "\\n";
        break;
    case 13:
        escape = "\\r";
        break;
    case 9:
        escape = "\\t";
        break;
    case 8:
        escape = "\\b";
        break;
    case 12:
        escape = "\\f";
        break;
    default:
        if (c >= 32)
            return false;
        out += Char('\\');
        out += Char('0' + ((c >> 6) & 7));
        out += Char('0' + ((c >> 3) & 7));
        out += Char('0' + (c & 7));
        return true;
    }
    out += Char(escape[0]);
    out += Char(escape[1]);
    return true;
}

}

std::u16string TPDFCanvas::EscapeText(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size() + 8);
    for (const char16_t c : text) {
        if (!AppendEscape(out, c))
            out += c;
    }
    return out;
}

void TPDFCanvas::AppendEscapedText(std::string& out, std::u16string_view text)
{
    // EscapeText followed by the conversion to Windows-1252, in one pass: the escapes are
    // plain ASCII, and no character of 32 or more becomes a byte that needs escaping.
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (AppendEscape(out, c))
            continue;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ++i;  // a surrogate pair is one character, one "?"
        out += EncodeCp1252Char(c);
    }
}

std::string TPDFCanvas::TextCodes(std::u16string_view text)
{
    // The bytes AppendEscapedText writes, before escaping: control characters as they are,
    // everything else in Windows-1252 ("?" where it has no code).
    std::string codes;
    codes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 32) {
            codes += char(c);
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ++i;
        codes += EncodeCp1252Char(c);
    }
    return codes;
}

void TPDFCanvas::AppendEscapedCodes(std::string& out, std::string_view codes)
{
    for (const char b : codes) {
        const auto code = static_cast<unsigned char>(b);
        if (code >= 128 || !AppendEscape(out, char16_t(code)))
            out += b;
    }
}

int32_t TPDFCanvas::TextWidth(std::u16string_view text)
{
    mycanbit.font = font;
    return mycanbit.TextWidth(text);
}

int32_t TPDFCanvas::TextHeight(std::u16string_view text)
{
    mycanbit.font = font;
    return mycanbit.TextHeight(text);
}

void TPDFCanvas::TextOut(int32_t x, int32_t y, std::u16string_view text)
{
    if (!IsInCreation())
        return;
    mycanbit.font = font;
    const int32_t t = mycanbit.TextHeight(text);
    writer_.PutLine("BT");
    UseFont();
    std::string& line = line_;
    line.clear();
    AppendInt(line, x);
    line += ' ';
    AppendInt(line, int64_t(PageHeight) - 1 - y - t);
    line += ' ';
    line += " Td (";
    if (archive_) {
        // The embedded fonts must draw every code: one the face lacks is replaced.
        std::string codes = TextCodes(text);
        fonts_.UseCodes(ofontnr, codes);
        AppendEscapedCodes(line, codes);
    } else {
        AppendEscapedText(line, text);
    }
    line += ") Tj";
    writer_.PutLine(line);
    writer_.PutLine("ET");
}

// ---- Pen, brush and font state ----

void TPDFCanvas::UsePen()
{
    if (pensetted && pen.style == open.style && pen.width == open.width && pen.color == open.color)
        return;
    noline = false;
    switch (pen.style) {
    case TPDFPen::psSolid:
    case TPDFPen::psInsideFrame:
        writer_.PutLine("[ ] 0 d");
        break;
    case TPDFPen::psDash:
        writer_.PutLine("[3] 0 d");
        break;
    case TPDFPen::psDot:
        writer_.PutLine("[1] 0 d");
        break;
    case TPDFPen::psDashDot:
        writer_.PutLine("[3 1 1 1] 0 d");
        break;
    case TPDFPen::psDashDotDot:
        writer_.PutLine("[3 1 1 1 1 1] 0 d");
        break;
    case TPDFPen::psClear:
        noline = true;
        break;
    default:
        break;  // the dash pattern in force stays
    }
    if (!noline) {
        line_.clear();
        AppendInt(line_, pen.width);
        line_ += " w";
        writer_.PutLine(line_);
        line_.clear();
        AppendColour(line_, pen.color);
        line_ += " RG";
        writer_.PutLine(line_);
    }
    pensetted = true;
    open = pen;
}

void TPDFCanvas::UseBrush()
{
    if (brushsetted && brush.style == oBrush.style && brush.color == oBrush.color)
        return;
    nofill = brush.style == TPDFBrush::bsClear;
    if (!nofill) {
        line_.clear();
        AppendColour(line_, brush.color);
        line_ += " rg";
        writer_.PutLine(line_);
    }
    brushsetted = true;
    oBrush = brush;
}

void TPDFCanvas::UseFont()
{
    if (!brushsetted || oBrush.color != font.color) {
        line_.clear();
        AppendColour(line_, font.color);
        line_ += " rg";
        writer_.PutLine(line_);
        oBrush.color = font.color;
    }
    const int32_t n = fonts_.Number(font.name, font.style);
    if (n == 0)
        OutOfMemory("Nicht genug Arbeitsspeicher für die Schriftliste");
    if (fontsetted && n == ofontnr && font.size == ofontsize)
        return;
    line_.assign("/F");
    AppendInt(line_, n);
    line_ += ' ';
    AppendInt(line_, font.size);
    line_ += " Tf";
    writer_.PutLine(line_);
    ofontnr = n;
    ofontsize = font.size;
    fontsetted = true;
}

// ---- Lines and rectangles ----

void TPDFCanvas::MoveTo(int32_t xp, int32_t yp)
{
    if (!IsInCreation())
        return;
    penpos = {xp, yp};
}

void TPDFCanvas::LineTo(int32_t xp, int32_t yp)
{
    if (!IsInCreation())
        return;
    UsePen();
    if (!noline)
        DrawLine(penpos.x, penpos.y, xp, yp);
    penpos = {xp, yp};
}

void TPDFCanvas::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    line_.clear();
    AppendInt(line_, x1);
    line_ += ' ';
    AppendInt(line_, int64_t(PageHeight) - y1 - 1);
    line_ += " m";
    writer_.PutLine(line_);
    line_.clear();
    AppendInt(line_, x2);
    line_ += ' ';
    AppendInt(line_, int64_t(PageHeight) - y2 - 1);
    line_ += " l";
    writer_.PutLine(line_);
    writer_.PutLine("S");
}

void TPDFCanvas::AppendRect(std::string& line, int32_t x1, int32_t y1, int32_t x2, int32_t y2) const
{
    const int64_t width = x2 > x1 ? int64_t(x2) - x1 - 1 : int64_t(x2) - x1 + 1;
    const int64_t height = y2 > y1 ? int64_t(y2) - y1 - 1 : int64_t(y2) - y1 + 1;
    AppendInt(line, x1);
    line += ' ';
    AppendInt(line, int64_t(PageHeight) - y2);
    line += ' ';
    AppendInt(line, width);
    line += ' ';
    AppendInt(line, height);
}

void TPDFCanvas::FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (!IsInCreation() || x2 == x1 || y1 == y2)
        return;
    UseBrush();
    if (nofill)
        return;
    line_.clear();
    AppendRect(line_, x1, y1, x2, y2);
    line_ += " re";
    writer_.PutLine(line_);
    writer_.PutLine("f");
}

void TPDFCanvas::FillRect(const TPDFRect& rre)
{
    FillRect(rre.left, rre.top, rre.right, rre.bottom);
}

void TPDFCanvas::Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (!IsInCreation())
        return;
    if (pen.style == TPDFPen::psClear) {
        FillRect(x1, y1, x2, y2);
        return;
    }
    if (x1 == x2 || y1 == y2)
        return;
    UsePen();
    UseBrush();
    if (!nofill) {
        line_.clear();
        AppendRect(line_, x1, y1, x2, y2);
        line_ += " re";
        writer_.PutLine(line_);
        writer_.PutLine("B");
    } else if (!noline) {
        MoveTo(x1, y1);
        LineTo(x2 - 1, y1);
        LineTo(x2 - 1, y2 - 1);
        LineTo(x1, y2 - 1);
        LineTo(x1, y1);
    }
}

void TPDFCanvas::Rectangle(const TPDFRect& rre)
{
    Rectangle(rre.left, rre.top, rre.right, rre.bottom);
}

// ---- Images ----

void TPDFCanvas::WriteImageLines(int32_t x1, int32_t y1, int32_t x2w, int32_t y2w, int32_t k)
{
    const int64_t w = x2w > 0 ? int64_t(x2w) - 1 : int64_t(x2w) + 1;
    const int64_t h = y2w > 0 ? int64_t(y2w) - 1 : int64_t(y2w) + 1;
    writer_.PutLine("q");
    line_.clear();
    AppendInt(line_, w);
    line_ += " 0 0 ";
    AppendInt(line_, h);
    line_ += ' ';
    AppendInt(line_, x1);
    line_ += ' ';
    AppendInt(line_, int64_t(PageHeight) - y1 - h);
    line_ += " cm";
    writer_.PutLine(line_);
    line_.assign("/Im");
    AppendInt(line_, k);
    line_ += " Do";
    writer_.PutLine(line_);
    writer_.PutLine("Q");
}

void TPDFCanvas::DrawDIB(int32_t x1, int32_t y1, int32_t x2w, int32_t y2w, const dib& di, int32_t, int32_t,
                         int32_t xx2w, int32_t yy2w)
{
    if (!IsInCreation() || x2w == 0 || y2w == 0 || xx2w == 0 || yy2w == 0)
        return;
    const int32_t k = images_.Keep(di, usetempfileforimages);
    if (k == PdfImageStore::kNoMemory)
        OutOfMemory("Nicht genug Arbeitsspeicher für die Bildliste");
    if (k >= 0)
        WriteImageLines(x1, y1, x2w, y2w, k);
}

void TPDFCanvas::DrawDIBOfImageNr(int32_t x1, int32_t y1, int32_t x2w, int32_t y2w, int32_t imageNR, int32_t, int32_t,
                                  int32_t xx2w, int32_t yy2w)
{
    if (!IsInCreation() || x2w == 0 || y2w == 0 || xx2w == 0 || yy2w == 0)
        return;
    // A number that names no kept image would name a resource the file does not have.
    if (imageNR < 0 || imageNR >= images_.Count())
        return;
    WriteImageLines(x1, y1, x2w, y2w, imageNR);
}

int32_t TPDFCanvas::ImageCount() const
{
    return images_.Count();
}

dib TPDFCanvas::ExpandTo24Bit(const dib& di)
{
    return PdfImageStore::ExpandTo24Bit(di);
}

dib TPDFCanvas::CopyDib(const dib& di)
{
    return PdfImageStore::CopyDib(di);
}
