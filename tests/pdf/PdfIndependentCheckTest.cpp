// The written files judged by programs that know nothing of the writer: poppler's pdftotext,
// pdffonts and pdftoppm.
#include "PdfTestSupport.h"

#include "pdf/FontMetrics.h"
#include "pdf/TPDFCanvas.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace {

// A page rendered at 72 pixels per inch in grey, one byte per pixel.
struct GreyImage {
    int width = 0;
    int height = 0;
    std::string pixels;
    int At(int x, int y) const { return static_cast<unsigned char>(pixels[size_t(y) * size_t(width) + size_t(x)]); }
    // The darkest pixel of a rectangle (x1, y1 inclusive, x2, y2 exclusive).
    int Darkest(int x1, int y1, int x2, int y2) const
    {
        int darkest = 255;
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x)
                darkest = std::min(darkest, At(x, y));
        return darkest;
    }
};

GreyImage Render(const std::string& pdf, const TempDir& dir)
{
    const ToolResult r =
        RunTool("pdftoppm -r 72 -gray -f 1 -l 1 -singlefile " + Quote(pdf) + " " + Quote(dir.File("page")));
    EXPECT_EQ(r.exitCode, 0) << r.output;
    const std::string data = ReadWholeFile(dir.File("page.pgm"));
    GreyImage image;
    // P5 header: magic, width, height, maximum, each followed by white space.
    std::vector<std::string> fields;
    size_t at = 0;
    while (fields.size() < 4) {
        while (isspace(static_cast<unsigned char>(data[at])))
            ++at;
        const size_t start = at;
        while (!isspace(static_cast<unsigned char>(data[at])))
            ++at;
        fields.push_back(data.substr(start, at - start));
    }
    EXPECT_EQ(fields[0], "P5");
    image.width = std::stoi(fields[1]);
    image.height = std::stoi(fields[2]);
    image.pixels = data.substr(at + 1);
    EXPECT_EQ(image.pixels.size(), size_t(image.width) * size_t(image.height));
    return image;
}

}

TEST(PdfIndependentChecks, PdftotextGivesBackTheTextsWithUmlautsAndTheEuroSign)
{
    TempDir dir;
    const std::string path = dir.File("rechnung.pdf");
    WritePdf(path, [](TPDFCanvas& c) {
        c.font.name = u"Arial";
        c.font.size = 12;
        c.TextOut(57, 60, u"Rechnung Nr. 17");
        c.font.style = TPDFFont::fsBold;
        c.TextOut(57, 90, u"Größe: Äpfel, Öl, Übermaß für 5 €");
        c.font.name = u"Times New Roman";
        c.font.style = TPDFFont::fsItalic;
        c.TextOut(57, 120, u"(Klammern) und \\Schrägstrich\\");
        c.NewPage();
        c.font.name = u"Courier New";
        c.font.style = 0;
        c.TextOut(57, 60, u"Zweite Seite – “Anführung” ‰");
    });
    const std::string text = PdfToText(path);
    EXPECT_NE(text.find("Rechnung Nr. 17"), std::string::npos) << text;
    EXPECT_NE(text.find("Größe: Äpfel, Öl, Übermaß für 5 €"), std::string::npos) << text;
    EXPECT_NE(text.find("(Klammern) und \\Schrägstrich\\"), std::string::npos) << text;
    EXPECT_NE(text.find("Zweite Seite – “Anführung” ‰"), std::string::npos) << text;
    EXPECT_NE(text.find('\f'), std::string::npos);  // two pages
}

TEST(PdfIndependentChecks, PdffontsListsTrueTypeWinAnsiFontsNotEmbedded)
{
    TempDir dir;
    const std::string path = dir.File("fonts.pdf");
    WritePdf(path, [](TPDFCanvas& c) {
        c.TextOut(10, 10, u"Standardschrift");  // the font set by Create
        c.font.name = u"Arial";
        c.font.style = TPDFFont::fsBold;
        c.TextOut(10, 30, u"fett");
        c.font.style = TPDFFont::fsBold | TPDFFont::fsItalic;
        c.TextOut(10, 50, u"fett und kursiv");
    });
    const std::string bytes = ReadWholeFile(path);
    EXPECT_NE(bytes.find("/BaseFont /Microsoft#20Sans#20Serif\n"), std::string::npos);
    EXPECT_NE(bytes.find("/BaseFont /Arial,Bold\n"), std::string::npos);
    const std::string fonts = PdfFonts(path);
    const std::vector<std::string> lines = Lines(fonts);
    ASSERT_EQ(lines.size(), 5u) << fonts;  // two heading lines and one per font
    // pdffonts shows the base names decoded (#20 as a space).
    const char* names[] = {"Microsoft Sans Serif", "Arial,Bold", "Arial,BoldItalic"};
    for (int i = 0; i < 3; ++i) {
        const std::regex row(std::string(names[i]) + " +TrueType +WinAnsi +no +no +no +[0-9]+ +0 *");
        EXPECT_TRUE(std::regex_match(lines[size_t(i + 2)], row)) << lines[size_t(i + 2)];
    }
}

TEST(PdfIndependentChecks, RenderedPageShowsShapesAndTextWhereTheyWereDrawn)
{
    TempDir dir;
    const std::string path = dir.File("bild.pdf");
    int32_t textWidth = 0, textHeight = 0;
    WritePdf(path, [&](TPDFCanvas& c) {
        c.brush.color = 0;
        c.pen.style = TPDFPen::psClear;
        c.Rectangle(100, 200, 150, 260);  // black block
        c.pen.style = TPDFPen::psSolid;
        c.pen.width = 2;
        c.MoveTo(300, 100);
        c.LineTo(500, 100);  // horizontal rule
        c.font.name = u"Arial";
        c.font.size = 40;
        textWidth = c.TextWidth(u"HHH");
        textHeight = c.TextHeight(u"HHH");
        c.TextOut(300, 400, u"HHH");
    });
    const GreyImage page = Render(path, dir);
    // The media box of a 595 x 841 page ends at 594, 840.
    ASSERT_EQ(page.width, 594);
    ASSERT_EQ(page.height, 840);
    // The block covers x 100..149 and y 201..259 (its last row and column are left out).
    EXPECT_LT(page.Darkest(102, 203, 148, 258), 40);
    EXPECT_EQ(page.At(125, 230), 0);
    EXPECT_GT(page.Darkest(90, 190, 98, 270), 200);    // left of it
    EXPECT_GT(page.Darkest(100, 185, 150, 198), 200);  // above it
    EXPECT_GT(page.Darkest(152, 200, 160, 260), 200);  // right of it
    // The rule lies on row 100 (two points wide about the line's centre).
    EXPECT_LT(page.Darkest(310, 99, 490, 102), 60);
    EXPECT_GT(page.Darkest(310, 90, 490, 97), 200);
    EXPECT_GT(page.Darkest(310, 104, 490, 110), 200);
    // The capitals stand inside the text's cell, across nearly its whole width.
    EXPECT_LT(page.Darkest(300, 400, 300 + textWidth, 400 + textHeight), 40);
    EXPECT_GT(page.Darkest(280, 380, 300 + textWidth + 20, 398), 200);  // nothing above the cell
    EXPECT_GT(page.Darkest(280, 400, 298, 400 + textHeight), 200);      // nothing left of it
    EXPECT_LT(page.Darkest(300 + textWidth - 12, 400, 300 + textWidth, 400 + textHeight), 40);
    EXPECT_GT(page.Darkest(300 + textWidth + 2, 400, 300 + textWidth + 20, 400 + textHeight), 200);
}

TEST(PdfIndependentChecks, FaceWithoutOutlinesGetsTheCellMetricsDictionary)
{
    TempDir dir;
    auto face = FontMetrics::Shared().LoadFile(std::string(REKOLON_TEST_DATA) + "/pdf-bitmap-font.bdf");
    ASSERT_TRUE(face);
    ASSERT_TRUE(FontMetrics::Shared().Register(u"Rekolon Rasterschrift", 0, std::move(face)));
    const std::string path = dir.File("raster.pdf");
    const PdfFile file = WritePdf(path, [](TPDFCanvas& c) {
        c.font.name = u"Rekolon Rasterschrift";
        c.font.size = 12;
        EXPECT_EQ(c.TextWidth(u"AWa "), 6 + 9 + 5 + 4);
        EXPECT_EQ(c.TextHeight(u"A"), 10);
        c.TextOut(10, 10, u"AWa");
    });
    const std::vector<std::string> lines = Lines(file.Object(4));
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[5], "/BaseFont /Rekolon#20Rasterschrift");
    EXPECT_EQ(lines[7], "/FontBBox[0 833 749 0]");  // cell 10, widest 9
    EXPECT_EQ(lines[8], "/Flags 4/Ascent 666/Descent 166>>");
    EXPECT_EQ(lines[9], "/FirstChar 32");
    EXPECT_EQ(lines[10], "/LastChar 97");
    ASSERT_EQ(lines[11].substr(0, 17), "/Widths [333 333 ");  // space 4, the missing glyph 4
    EXPECT_EQ(std::count(lines[11].begin(), lines[11].end(), ' '), 97 - 32 + 1 + 1);
    EXPECT_NE(lines[11].find(" 499 "), std::string::npos);        // A, 6 pixels
    EXPECT_EQ(lines[11].substr(lines[11].size() - 6), " 416 ]");  // a, 5 pixels
    EXPECT_NE(file.PageContent(1).find("10 820  Td (AWa) Tj"), std::string::npos);
    EXPECT_NE(PdfFonts(path).find("Rekolon Rasterschrift "), std::string::npos);
}

TEST(PdfFontName, EscapesAndStyleSuffixes)
{
    EXPECT_EQ(TPDFCanvas::PdfFontName(u"Arial", TPDFFont::fsBold), "Arial,Bold");
    EXPECT_EQ(TPDFCanvas::PdfFontName(u"Arial", TPDFFont::fsItalic), "Arial,Italic");
    EXPECT_EQ(TPDFCanvas::PdfFontName(u"Arial", TPDFFont::fsBold | TPDFFont::fsItalic), "Arial,BoldItalic");
    EXPECT_EQ(TPDFCanvas::PdfFontName(u"Arial", TPDFFont::fsUnderline | TPDFFont::fsStrikeOut), "Arial");
    EXPECT_EQ(TPDFCanvas::PdfFontName(u"Microsoft Sans Serif", 0), "Microsoft#20Sans#20Serif");
    EXPECT_EQ(TPDFCanvas::PdfFontName(u"a#b%c(d)e/f<g>h[i]j{k}l", 0), "a#23b#25c#28d#29e#2Ff#3Cg#3Eh#5Bi#5Dj#7Bk#7Dl");
    EXPECT_EQ(TPDFCanvas::PdfFontName(std::u16string(u"A\0B\x7F\tü!~", 8), 0), "AB#7F#09#FC!~");
    // Beyond the 8-bit range a character is named by its Windows-1252 byte.
    EXPECT_EQ(TPDFCanvas::PdfFontName(u"€uro\u0416", 0), "#80uro?");
}
