#include "PdfTestSupport.h"

#include "foundation/Cp1252.h"
#include "pdf/TPDFCanvas.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// Draws on one page and returns the page's decompressed content (the file checked).
std::string PageOne(const std::function<void(TPDFCanvas&)>& draw)
{
    TempDir dir;
    const PdfFile file = WritePdf(dir.File("t.pdf"), draw);
    return file.PageContent(1);
}

size_t Count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

}

TEST(TPDFCanvasDrawing, TextOutPlacesTheCellBelowTheGivenTop)
{
    int32_t height = 0;
    const std::string content = PageOne([&](TPDFCanvas& c) {
        c.font.name = u"Arial";
        c.font.size = 10;
        height = c.TextHeight(u"Rechnung");
        // The top of the cell at y such that the baseline origin maps to 700.
        c.TextOut(57, 841 - 1 - 700 - height, u"Rechnung");
    });
    EXPECT_EQ(height, 11);  // Arial at 10 points: 9 above the baseline, 2 below
    EXPECT_EQ(content, "BT\n0 0 0 rg\n/F1 10 Tf\n57 700  Td (Rechnung) Tj\nET\n");
}

TEST(TPDFCanvasDrawing, FontLineOncePerPageColourLineUntilABrushIsWritten)
{
    TempDir dir;
    const PdfFile file = WritePdf(dir.File("t.pdf"), [](TPDFCanvas& c) {
        c.font.name = u"Arial";
        c.font.size = 10;
        c.TextOut(10, 10, u"eins");
        c.TextOut(10, 30, u"zwei");
        c.NewPage();
        c.TextOut(10, 10, u"drei");
        c.FillRect(0, 0, 10, 10);  // writes the white brush
        c.TextOut(10, 30, u"vier");
        c.TextOut(10, 50, u"fünf");
    });
    const std::string one = file.PageContent(1);
    EXPECT_EQ(Count(one, " Tf\n"), 1u);
    EXPECT_EQ(Count(one, "0 0 0 rg\n"), 2u);  // no brush written: the colour before each text
    const std::string two = file.PageContent(2);
    EXPECT_EQ(Count(two, "/F1 10 Tf\n"), 1u);  // written again on the new page
    // After the brush, the text colour comes back once and stays.
    EXPECT_EQ(two, "BT\n0 0 0 rg\n/F1 10 Tf\n10 819  Td (drei) Tj\nET\n"
                   "1 1 1 rg\n0 831 9 9 re\nf\n"
                   "BT\n0 0 0 rg\n10 799  Td (vier) Tj\nET\n"
                   "BT\n10 779  Td (f\xFCnf) Tj\nET\n");
}

TEST(TPDFCanvasDrawing, FontsAreNumberedByFirstUseNameAndStyle)
{
    TempDir dir;
    const PdfFile file = WritePdf(dir.File("t.pdf"), [](TPDFCanvas& c) {
        c.font.name = u"Arial";
        c.font.size = 10;
        c.TextOut(0, 0, u"a");
        c.font.style = TPDFFont::fsBold;
        c.TextOut(0, 20, u"b");
        c.font.style = 0;
        c.font.size = 14;
        c.TextOut(0, 40, u"c");  // same font, new size
        c.font.name = u"arial";  // the case of a name counts
        c.TextOut(0, 60, u"d");
        c.NewPage();
        c.font.name = u"Arial";
        c.font.style = TPDFFont::fsBold;
        c.TextOut(0, 0, u"e");  // bold Arial keeps its number on a later page
        c.font.style = TPDFFont::fsBold | TPDFFont::fsUnderline;
        c.TextOut(0, 20, u"f");  // underline makes a separate entry
    });
    const std::string one = file.PageContent(1);
    EXPECT_NE(one.find("/F1 10 Tf\n"), std::string::npos);
    EXPECT_NE(one.find("/F2 10 Tf\n"), std::string::npos);
    EXPECT_NE(one.find("/F1 14 Tf\n"), std::string::npos);
    EXPECT_NE(one.find("/F3 14 Tf\n"), std::string::npos);
    const std::string two = file.PageContent(2);
    EXPECT_EQ(two.find("/F2 14 Tf\n"), two.find("Tf\n") - 7);
    EXPECT_GT(two.find("/F4 14 Tf\n"), two.find("/F2 14 Tf\n"));
    EXPECT_EQ(two.find("/F1"), std::string::npos);
    // Four font objects after the two pages' streams, the third named "arial", the fourth
    // bold like the second.
    EXPECT_NE(file.Object(6).find("/BaseFont /Arial\n"), std::string::npos);
    EXPECT_NE(file.Object(7).find("/BaseFont /Arial,Bold\n"), std::string::npos);
    EXPECT_NE(file.Object(8).find("/BaseFont /arial\n"), std::string::npos);
    EXPECT_NE(file.Object(9).find("/BaseFont /Arial,Bold\n"), std::string::npos);
}

TEST(TPDFCanvasDrawing, LineAcrossTheTopOfTheDefaultPage)
{
    const std::string content = PageOne([](TPDFCanvas& c) {
        c.MoveTo(0, 0);
        c.LineTo(594, 0);
        c.LineTo(594, 840);  // same pen: no pen lines again
    });
    EXPECT_EQ(content, "[ ] 0 d\n1 w\n0 0 0 RG\n0 840 m\n594 840 l\nS\n594 840 m\n594 0 l\nS\n");
}

TEST(TPDFCanvasDrawing, PenStylesWidthsAndColours)
{
    const std::string content = PageOne([](TPDFCanvas& c) {
        const int32_t styles[] = {1, 2, 3, 4, 6, 7, 0};
        int32_t y = 0;
        for (const int32_t style : styles) {
            c.pen.style = style;
            c.pen.width = style == 7 ? 0 : 2;
            c.pen.color = 0x0000FF;  // red
            c.MoveTo(0, y);
            c.LineTo(10, y);
            y += 10;
        }
    });
    EXPECT_EQ(content, "[3] 0 d\n2 w\n1 0 0 RG\n0 840 m\n10 840 l\nS\n"
                       "[1] 0 d\n2 w\n1 0 0 RG\n0 830 m\n10 830 l\nS\n"
                       "[3 1 1 1] 0 d\n2 w\n1 0 0 RG\n0 820 m\n10 820 l\nS\n"
                       "[3 1 1 1 1 1] 0 d\n2 w\n1 0 0 RG\n0 810 m\n10 810 l\nS\n"
                       "[ ] 0 d\n2 w\n1 0 0 RG\n0 800 m\n10 800 l\nS\n"
                       // an unknown style keeps the dash pattern in force; width 0 is the thinnest line
                       "0 w\n1 0 0 RG\n0 790 m\n10 790 l\nS\n"
                       "[ ] 0 d\n2 w\n1 0 0 RG\n0 780 m\n10 780 l\nS\n");
}

TEST(TPDFCanvasDrawing, ClearPenDrawsNothingButMoves)
{
    TPDFPoint after;
    const std::string content = PageOne([&](TPDFCanvas& c) {
        c.pen.style = TPDFPen::psClear;
        c.MoveTo(5, 5);
        c.LineTo(100, 200);
        after = c.penpos;
        c.pen.style = TPDFPen::psSolid;
        c.LineTo(0, 0);
    });
    EXPECT_EQ(after, (TPDFPoint{100, 200}));
    EXPECT_EQ(content, "[ ] 0 d\n1 w\n0 0 0 RG\n100 640 m\n0 840 l\nS\n");
}

TEST(TPDFCanvasDrawing, FillRectMapsCornersAndSkipsEmptyRectangles)
{
    const std::string content = PageOne([](TPDFCanvas& c) {
        c.FillRect(0, 0, 595, 841);
        c.FillRect(10, 10, 10, 50);            // equal x: nothing
        c.FillRect(TPDFRect{10, 20, 50, 20});  // equal y: nothing
        c.brush.color = 0x80E3FF;              // red 255, green 227, blue 128
        c.FillRect(TPDFRect{50, 60, 20, 30});  // corners given the other way round
        c.brush.style = TPDFBrush::bsClear;
        c.FillRect(0, 0, 5, 5);  // a clear brush fills nothing
    });
    EXPECT_EQ(content, "1 1 1 rg\n0 0 594 840 re\nf\n"
                       "1 0.890196078431373 0.501960784313725 rg\n50 811 -29 -29 re\nf\n");
}

TEST(TPDFCanvasDrawing, RectangleOutlinesAndFills)
{
    const std::string content = PageOne([](TPDFCanvas& c) {
        c.brush.color = 0;
        c.Rectangle(10, 20, 110, 70);  // solid pen and brush: fill and stroke
        c.Rectangle(10, 20, 10, 70);   // empty: nothing
        c.pen.style = TPDFPen::psClear;
        c.Rectangle(TPDFRect{0, 0, 5, 5});  // clear pen: exactly FillRect
        c.pen.style = TPDFPen::psSolid;
        c.brush.style = TPDFBrush::bsClear;
        c.Rectangle(10, 20, 110, 70);  // clear brush: four lines through x2 - 1, y2 - 1
    });
    EXPECT_EQ(content, "[ ] 0 d\n1 w\n0 0 0 RG\n0 0 0 rg\n10 771 99 49 re\nB\n"
                       "0 836 4 4 re\nf\n"
                       "10 820 m\n109 820 l\nS\n"
                       "109 820 m\n109 771 l\nS\n"
                       "109 771 m\n10 771 l\nS\n"
                       "10 771 m\n10 820 l\nS\n");
}

TEST(TPDFCanvasDrawing, TextIsEscapedAndWrittenInWindows1252)
{
    EXPECT_EQ(TPDFCanvas::EscapeText(u"(a)\\b"), u"\\(a\\)\\\\b");
    EXPECT_EQ(TPDFCanvas::EscapeText(u"a\tb\nc\rd\be\ff"), u"a\\tb\\nc\\rd\\be\\ff");
    EXPECT_EQ(TPDFCanvas::EscapeText(std::u16string(u"\x01\x1F x", 4)), u"\\001\\037 x");
    EXPECT_EQ(TPDFCanvas::EscapeText(std::u16string(1, u'\0')), u"\\000");
    EXPECT_EQ(TPDFCanvas::EscapeText(u"Größe 5 €"), u"Größe 5 €");

    const std::string content = PageOne([](TPDFCanvas& c) {
        c.font.name = u"Arial";
        c.font.size = 10;
        c.TextOut(0, 0, u"(Summe)\t5 € ä\u0416");
    });
    EXPECT_NE(content.find("(\\(Summe\\)\\t5 \x80 \xE4?) Tj\n"), std::string::npos) << content;

    // Every character from 1 to 0x24F, a surrogate pair and a lone surrogate: the string
    // written is the escaped text converted to Windows-1252.
    std::u16string all;
    for (char16_t ch = 1; ch < 0x250; ++ch)
        all += ch;
    all += u"\U0001F600";
    all += char16_t(0xDC00);
    all += u"€";
    const std::string many = PageOne([&](TPDFCanvas& c) { c.TextOut(0, 0, all); });
    EXPECT_NE(many.find(" Td (" + EncodeCp1252(TPDFCanvas::EscapeText(all)) + ") Tj\n"), std::string::npos);
}

TEST(TPDFCanvasDrawing, FontColourIsWrittenBeforeTheFont)
{
    const std::string content = PageOne([](TPDFCanvas& c) {
        c.font.name = u"Arial";
        c.font.size = 9;
        c.font.color = 0x000080;  // red 128
        c.TextOut(0, 0, u"x");
        // The same colour, but no brush has been written on the page yet: written again.
        c.brush.color = 0x000080;
        c.FillRect(0, 0, 4, 4);
        c.FillRect(0, 0, 4, 4);
    });
    EXPECT_EQ(content, "BT\n0.501960784313725 0 0 rg\n/F1 9 Tf\n0 830  Td (x) Tj\nET\n"
                       "0.501960784313725 0 0 rg\n0 837 3 3 re\nf\n0 837 3 3 re\nf\n");
}

TEST(TPDFCanvasDrawing, NothingIsDrawnOutsideADocument)
{
    TempDir dir;
    TPDFCanvas c;
    c.MoveTo(10, 10);
    c.LineTo(20, 20);
    c.TextOut(1, 1, u"x");
    c.FillRect(0, 0, 10, 10);
    c.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(c.penpos, (TPDFPoint{0, 0}));
    EXPECT_FALSE(c.IsInCreation());
    // Measuring works at any time.
    c.font.name = u"Arial";
    c.font.size = 12;
    EXPECT_EQ(c.TextWidth(u"aa"), 14);
    EXPECT_EQ(c.TextHeight(u"a"), 14);

    // A failed BeginDoc leaves the canvas closed as well.
    EXPECT_FALSE(c.BeginDoc(dir.File("kein/ordner/t.pdf")));
    c.MoveTo(10, 10);
    c.LineTo(20, 20);
    EXPECT_EQ(c.penpos, (TPDFPoint{0, 0}));

    ASSERT_TRUE(c.BeginDoc(dir.File("t.pdf")));
    c.EndDoc();
    c.MoveTo(10, 10);
    EXPECT_EQ(c.penpos, (TPDFPoint{0, 0}));
    EXPECT_EQ(c.TextWidth(u"aa"), 14);
    ExpectValidPdf(dir.File("t.pdf"));
}

TEST(TPDFCanvasDrawing, ContentBufferGrowsInStepsOfOneHundredThousandBytes)
{
    TempDir dir;
    TPDFCanvas c;
    ASSERT_TRUE(c.BeginDoc(dir.File("t.pdf")));
    EXPECT_EQ(c.ContentBufferCapacity(), 0);
    c.writeln(u"0 0 m");
    EXPECT_EQ(c.ContentLength(), 6);
    EXPECT_EQ(c.ContentBufferCapacity(), 100000);
    c.write(std::u16string(99993, u'%'));
    EXPECT_EQ(c.ContentLength(), 99999);
    EXPECT_EQ(c.ContentBufferCapacity(), 100000);
    c.writeln(u"");  // the 100000th byte needs the next step
    EXPECT_EQ(c.ContentLength(), 100000);
    EXPECT_EQ(c.ContentBufferCapacity(), 200000);
    c.write(u"%ü");  // a comment, so that readers of the content accept the page
    EXPECT_EQ(c.ContentLength(), 100002);
    c.NewPage();
    EXPECT_EQ(c.ContentBufferCapacity(), 0);  // released with the page
    c.EndDoc();
    ExpectValidPdf(dir.File("t.pdf"));
    const PdfFile file(ReadWholeFile(dir.File("t.pdf")));
    const std::string content = file.PageContent(1);
    ASSERT_EQ(content.size(), 100002u);
    EXPECT_EQ(content.substr(0, 7), "0 0 m\n%");
    EXPECT_EQ(content.substr(99998), "%\n%\xFC");
    EXPECT_EQ(file.PageContent(2), "");
}
