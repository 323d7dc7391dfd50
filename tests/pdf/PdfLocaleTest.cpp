#include "CommaLocale.h"
#include "PdfTestSupport.h"

#include "pdf/TPDFCanvas.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Every kind of number the writer produces: colours, coordinates, sizes, widths, offsets.
void DrawNumbers(TPDFCanvas& c)
{
    c.font.name = u"Arial";
    c.font.size = 11;
    c.font.color = 0x80E3B2;  // 178, 227, 128
    c.TextOut(57, 100, u"Betrag 1234 EUR");
    c.pen.color = 0x010203;
    c.pen.width = 2;
    c.MoveTo(-4, 10);
    c.LineTo(300, 10);
    c.brush.color = 0xE6B433;  // 51, 180, 230
    c.FillRect(10, 20, 110, 70);
    c.NewPage();
    c.font.name = u"Courier New";
    c.TextOut(1, 1, u"Seite 2");
}

void ExpectNoComma(const std::string& path)
{
    const PdfFile file(ReadWholeFile(path));
    // The file without its compressed page data (binary, where any byte may occur).
    std::string text = file.Bytes();
    for (int page = 1; page <= 2; ++page) {
        const std::string raw = file.RawStream(size_t(2 * page));
        text.erase(text.find(raw), raw.size());
    }
    EXPECT_EQ(text.find(','), std::string::npos);
    for (int page = 1; page <= 2; ++page)
        EXPECT_EQ(file.PageContent(page).find(','), std::string::npos) << file.PageContent(page);
    const std::string one = file.PageContent(1);
    EXPECT_NE(one.find("0.698039215686275 0.890196078431373 0.501960784313725 rg\n"), std::string::npos) << one;
    EXPECT_NE(one.find("0.0117647058823529 0.00784313725490196 0.00392156862745098 RG\n"), std::string::npos);
    EXPECT_NE(one.find("0.2 0.705882352941176 0.901960784313725 rg\n"), std::string::npos);
    EXPECT_NE(one.find("-4 830 m\n"), std::string::npos);
}

}

TEST(PdfLocale, NoCommaWithACommaNumpunctGlobalLocale)
{
    TempDir dir;
    CommaLocale comma;
    std::ostringstream probe;
    probe << 1.5;
    ASSERT_EQ(probe.str(), "1,5");  // the global locale is in force for new streams
    WritePdf(dir.File("t.pdf"), DrawNumbers, [](TPDFCanvas& c) { c.ispdfa = true; });
    ExpectNoComma(dir.File("t.pdf"));
}

TEST(PdfLocale, NoCommaUnderAGermanCLocale)
{
    TempDir dir;
    CommaLocale comma;
    if (!comma.CHasComma())
        GTEST_SKIP() << comma.Why();
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.3f", 0.5);
    ASSERT_STREQ(buffer, "0,500");
    WritePdf(dir.File("t.pdf"), DrawNumbers);
    ExpectNoComma(dir.File("t.pdf"));
}
