// A logo of 16 bits per pixel on its way into a PDF file: loaded as a 24-bit image, kept by
// the PDF writer and embedded as a colour JPEG that poppler's pdfimages reads back.
#include "DibTestSupport.h"

#include "imaging/DibAccess.h"
#include "imaging/DibPixels.h"
#include "imaging/OpenDib.h"
#include "pdf/PdfTestSupport.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The colours of the fixture's 3 × 2 blocks of 16 × 16 pixels, top row first, as 5-6-5 keeps
// them.
Picture BlockColours()
{
    return Through16Bits({{Rgb(220, 30, 40), Rgb(20, 150, 60), Rgb(30, 60, 200)},
                          {Rgb(250, 200, 20), Rgb(255, 255, 255), Rgb(90, 40, 120)}},
                         5, 6, 5);
}

// The colour at the middle of each block, top row first.
Picture BlockMiddles(const dib& d)
{
    const int32_t block = DibWidth(d) / 3;
    Picture middles(2);
    for (int32_t by = 0; by < 2; ++by)
        for (int32_t bx = 0; bx < 3; ++bx)
            middles[size_t(by)].push_back(
                DibPixelRgb(d, bx * block + block / 2, DibHeight(d) - 1 - (by * block + block / 2)));
    return middles;
}

}

TEST(SixteenBitLogo, IsEmbeddedInAPdfFileAsAColourJpegWithItsColours)
{
    OwnedDib logo;
    LoadFixture(logo, "img-bmp-16bit-565-block-logo.bmp");
    ASSERT_NE(logo.d.bits, nullptr);
    ASSERT_EQ(DibBitCount(logo.d), 24);
    ASSERT_EQ(DibWidth(logo.d), 48);
    ASSERT_EQ(DibHeight(logo.d), 32);
    const Picture expected = BlockColours();
    EXPECT_EQ(BlockMiddles(logo.d), expected);

    TempDir dir;
    const std::string path = dir.File("logo16.pdf");
    WritePdf(path, [&](TPDFCanvas& c) {
        c.DrawDIB(50, 50, 96, 64, logo.d, 0, 0, 48, 32);
        EXPECT_EQ(c.ImageCount(), 1);
    });

    // pdfimages -list: page, number, type, width, height, colour, components, bits, encoding.
    const ToolResult list = RunTool("pdfimages -list " + Quote(path));
    ASSERT_EQ(list.exitCode, 0) << list.output;
    const std::vector<std::string> lines = Lines(list.output);
    ASSERT_GE(lines.size(), 3u) << list.output;
    std::istringstream entry(lines[2]);
    int page = 0, number = -1, width = 0, height = 0, components = 0, bits = 0;
    std::string type, colour, encoding;
    entry >> page >> number >> type >> width >> height >> colour >> components >> bits >> encoding;
    EXPECT_EQ(page, 1);
    EXPECT_EQ(width, 48);
    EXPECT_EQ(height, 32);
    EXPECT_EQ(colour, "rgb");
    EXPECT_EQ(components, 3);
    EXPECT_EQ(bits, 8);
    EXPECT_EQ(encoding, "jpeg");

    // poppler decodes the embedded JPEG itself; JPEG is lossy, so the colours are compared
    // loosely.
    const ToolResult extract = RunTool("pdfimages -png " + Quote(path) + " " + Quote(dir.File("bild")));
    ASSERT_EQ(extract.exitCode, 0) << extract.output;
    OwnedDib back;
    ASSERT_EQ(OpenDib(&back.d, dir.File("bild-000.png").c_str(), 0, 0), 1);
    ASSERT_EQ(DibWidth(back.d), 48);
    const Picture got = BlockMiddles(back.d);
    for (size_t y = 0; y < 2; ++y)
        for (size_t x = 0; x < 3; ++x)
            EXPECT_TRUE(Near(got[y][x], expected[y][x], 10))
                << x << "," << y << std::hex << ": " << got[y][x] << " instead of " << expected[y][x];
}
