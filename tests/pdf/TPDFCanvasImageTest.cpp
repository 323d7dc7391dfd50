// Images in PDF files: the drawing lines, the kept copies in memory and spool files, the
// image objects, and what independent readers (qpdf, pdfimages, pdftoppm) make of them.
#include "PdfTestSupport.h"

#include "foundation/StaleFiles.h"
#include "imaging/DibAccess.h"
#include "imaging/DibMemory.h"
#include "imaging/DibPixels.h"
#include "imaging/OpenDib.h"
#include "pdf/TPDFCanvas.h"
#include "support/EnvOverride.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <regex>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b)
{
    return r | g << 8 | b << 16;
}

bool Near(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

// Six colours, drawn as a logo of 3 × 2 blocks of 16 × 16 pixels: the top row left to right,
// then the bottom row.
const uint32_t kColours[6] = {Rgb(220, 30, 40),  Rgb(20, 150, 60),   Rgb(30, 60, 200),
                              Rgb(250, 200, 20), Rgb(255, 255, 255), Rgb(90, 40, 120)};

// Owns an image for the length of a test.
struct Logo {
    dib d;
    Logo() { std::memset(&d, 0, sizeof d); }
    ~Logo() { FreeDib(d); }
    Logo(const Logo&) = delete;
    Logo& operator=(const Logo&) = delete;
};

// The block logo at a depth: 24 and 32 bits by colour, 8 and 4 bits through a colour table
// whose entries lie away from the start (so that the table is what gives the colours).
void MakeBlockLogo(Logo& logo, int32_t bits, int32_t blockSize = 16)
{
    newdib(&logo.d, 3 * blockSize, 2 * blockSize, bits, nullptr, 0);
    ASSERT_NE(logo.d.bits, nullptr);
    const int32_t first = bits == 8 ? 200 : 5;
    if (bits <= 8)
        for (int i = 0; i < 6; ++i)
            DibSetColor(logo.d, first + i, uint8_t(kColours[i]), uint8_t(kColours[i] >> 8), uint8_t(kColours[i] >> 16));
    for (int32_t y = 0; y < 2 * blockSize; ++y)
        for (int32_t x = 0; x < 3 * blockSize; ++x) {
            const int block = (y / blockSize) * 3 + x / blockSize;  // y from the top
            setpixel(logo.d, x, 2 * blockSize - 1 - y, bits <= 8 ? uint32_t(first + block) : kColours[block]);
        }
}

// A logo of one colour, any size.
void MakePlainLogo(Logo& logo, int32_t width, int32_t height, uint32_t colour)
{
    newdib(&logo.d, width, height, 24, nullptr, 0);
    ASSERT_NE(logo.d.bits, nullptr);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            setpixel(logo.d, x, y, colour);
}

struct ListedImage {
    int page = 0, num = 0, width = 0, height = 0, components = 0, bpc = 0, object = 0;
    std::string type, color, encoding;
};

// pdfimages -list, one entry per image shown on a page.
std::vector<ListedImage> ListImages(const std::string& path)
{
    const ToolResult r = RunTool("pdfimages -list " + Quote(path));
    EXPECT_EQ(r.exitCode, 0) << r.output;
    std::vector<ListedImage> images;
    const std::vector<std::string> lines = Lines(r.output);
    for (size_t i = 2; i < lines.size(); ++i) {
        std::istringstream in(lines[i]);
        ListedImage image;
        std::string interpolate;
        in >> image.page >> image.num >> image.type >> image.width >> image.height >> image.color >> image.components >>
            image.bpc >> image.encoding >> interpolate >> image.object;
        if (in)
            images.push_back(image);
    }
    return images;
}

// The images of a file as pdfimages writes them out (poppler decodes them itself), loaded
// back as PNG files.
std::vector<std::vector<uint32_t>> ExtractedBlockColours(const std::string& path, const TempDir& dir,
                                                         size_t expectedCount)
{
    const ToolResult r = RunTool("pdfimages -png " + Quote(path) + " " + Quote(dir.File("bild")));
    EXPECT_EQ(r.exitCode, 0) << r.output;
    std::vector<std::vector<uint32_t>> all;
    for (size_t i = 0; i < expectedCount; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "bild-%03zu.png", i);
        dib d;
        EXPECT_EQ(OpenDib(&d, dir.File(name).c_str(), 0, 0), 1) << name;
        std::vector<uint32_t> colours;
        if (d.bits) {
            const int32_t block = DibWidth(d) / 3;
            for (int b = 0; b < 6; ++b) {
                const int32_t x = (b % 3) * block + block / 2;
                const int32_t yFromTop = (b / 3) * block + block / 2;
                colours.push_back(DibPixelRgb(d, x, DibHeight(d) - 1 - yFromTop));
            }
            FreeDib(d);
        }
        all.push_back(colours);
    }
    return all;
}

void ExpectBlockColours(const std::vector<uint32_t>& got, int tolerance, const std::string& what)
{
    ASSERT_EQ(got.size(), 6u) << what;
    for (int b = 0; b < 6; ++b)
        EXPECT_TRUE(Near(got[size_t(b)], kColours[b], tolerance))
            << what << ", block " << b << std::hex << ": " << got[size_t(b)] << " instead of " << kColours[b];
}

size_t CountOf(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// Names in a folder that begin with a prefix.
std::vector<std::string> FilesStartingWith(const std::string& folder, const std::string& prefix)
{
    std::vector<std::string> names;
    if (DIR* d = opendir(folder.c_str())) {
        while (const dirent* e = readdir(d))
            if (std::string(e->d_name).rfind(prefix, 0) == 0)
                names.push_back(e->d_name);
        closedir(d);
    }
    return names;
}

const char* const kEmptyForm =
    "<< /Type /XObject /Subtype /Form /BBox [0 0 1 1] /Length 0 >>\nstream\nendstream\nendobj\n";

}

TEST(TPDFCanvasImages, ALogoOfTwoHundredByHundredAtFiftySevenFortyGivesItsMatrixAndOneJpegObject)
{
    TempDir dir;
    Logo logo;
    MakePlainLogo(logo, 200, 100, Rgb(200, 40, 40));
    const std::string path = dir.File("logo.pdf");
    const PdfFile file = WritePdf(path, [&](TPDFCanvas& c) {
        c.DrawDIB(57, 40, 200, 100, logo.d, 0, 0, 200, 100);
        EXPECT_EQ(c.ImageCount(), 1);
        c.NewPage();
    });
    EXPECT_EQ(file.PageContent(1), "q\n199 0 0 99 57 702 cm\n/Im0 Do\nQ\n");
    EXPECT_EQ(file.PageContent(2), "");

    // 0 free, 1 procedure set, 2-5 contents and lengths, 6 page tree, 7-8 pages, 9 catalogue,
    // 10 outlines, 11 the image: P + a + 3 + k.
    ASSERT_EQ(file.ObjectCount(), 12u);
    const std::string image = file.Object(11);
    const std::string data = file.RawStream(11);
    EXPECT_EQ(image.substr(0, image.find("stream\n")),
              "11 0 obj\n<< /Type /XObject /Subtype /Image /Width 200 /Height 100 /BitsPerComponent 8 "
              "/ColorSpace /DeviceRGB /Length " +
                  std::to_string(data.size()) + " /Filter /DCTDecode >>\n");
    EXPECT_EQ(data.substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(data.substr(data.size() - 2), "\xFF\xD9");
    // The data is followed directly by the endstream line.
    EXPECT_EQ(image.substr(image.size() - 17), "endstream\nendobj\n");
    EXPECT_EQ(image.find("stream\n") + 7 + data.size() + 17, image.size());
    for (const int page : {7, 8})
        EXPECT_NE(file.Object(size_t(page)).find("/Resources <</XObject << /Im0 11 0 R >>\n"), std::string::npos);

    const std::vector<ListedImage> listed = ListImages(path);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].page, 1);
    EXPECT_EQ(listed[0].type, "image");
    EXPECT_EQ(listed[0].width, 200);
    EXPECT_EQ(listed[0].height, 100);
    EXPECT_EQ(listed[0].color, "rgb");
    EXPECT_EQ(listed[0].components, 3);
    EXPECT_EQ(listed[0].bpc, 8);
    EXPECT_EQ(listed[0].encoding, "jpeg");
    EXPECT_EQ(listed[0].object, 11);
}

TEST(TPDFCanvasImages, EightAndFourBitLogosAreEmbeddedAsColourJpegsWithTheirTablesColours)
{
    TempDir dir;
    Logo eight, four, rgb, wide, mono;
    MakeBlockLogo(eight, 8);
    MakeBlockLogo(four, 4);
    MakeBlockLogo(rgb, 24);
    MakeBlockLogo(wide, 32);
    newdib(&mono.d, 48, 32, 1, nullptr, 0);
    DibSetColor(mono.d, 0, 220, 30, 40);
    DibSetColor(mono.d, 1, 20, 150, 60);
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 24; x < 48; ++x)
            setpixel(mono.d, x, y, 1);  // right half colour 1

    const std::string path = dir.File("tiefen.pdf");
    const PdfFile file = WritePdf(path, [&](TPDFCanvas& c) {
        c.DrawDIB(50, 50, 96, 64, eight.d, 0, 0, 48, 32);
        c.DrawDIB(50, 150, 96, 64, four.d, 0, 0, 48, 32);
        c.DrawDIB(50, 250, 96, 64, rgb.d, 0, 0, 48, 32);
        c.DrawDIB(50, 350, 96, 64, wide.d, 0, 0, 48, 32);
        c.DrawDIB(50, 450, 96, 64, mono.d, 0, 0, 48, 32);
        EXPECT_EQ(c.ImageCount(), 5);
    });
    const std::vector<ListedImage> listed = ListImages(path);
    ASSERT_EQ(listed.size(), 5u);
    for (const ListedImage& image : listed) {
        EXPECT_EQ(image.width, 48);
        EXPECT_EQ(image.height, 32);
        EXPECT_EQ(image.color, "rgb");
        EXPECT_EQ(image.components, 3);
        EXPECT_EQ(image.encoding, "jpeg");
    }
    const auto colours = ExtractedBlockColours(path, dir, 5);
    ExpectBlockColours(colours[0], 10, "8 bits");
    ExpectBlockColours(colours[1], 10, "4 bits");
    ExpectBlockColours(colours[2], 10, "24 bits");
    ExpectBlockColours(colours[3], 10, "32 bits");
    ASSERT_EQ(colours[4].size(), 6u);
    EXPECT_TRUE(Near(colours[4][0], Rgb(220, 30, 40), 10)) << std::hex << colours[4][0];
    EXPECT_TRUE(Near(colours[4][2], Rgb(20, 150, 60), 10)) << std::hex << colours[4][2];
}

TEST(TPDFCanvasImages, TheLogoLandsWhereItIsDrawnTheRightWayUp)
{
    TempDir dir;
    Logo logo;
    MakeBlockLogo(logo, 8);
    const std::string path = dir.File("lage.pdf");
    WritePdf(path, [&](TPDFCanvas& c) { c.DrawDIB(100, 200, 150, 100, logo.d, 0, 0, 48, 32); });
    const ToolResult r = RunTool("pdftoppm -r 72 -png -singlefile " + Quote(path) + " " + Quote(dir.File("seite")));
    ASSERT_EQ(r.exitCode, 0) << r.output;
    dib page;
    ASSERT_EQ(OpenDib(&page, dir.File("seite.png").c_str(), 0, 0), 1);
    ASSERT_EQ(DibWidth(page), 594);  // the media box is 594 points wide
    auto at = [&](int x, int yFromTop) { return DibPixelRgb(page, x, DibHeight(page) - 1 - yFromTop); };
    // Blocks of 50 × 50 points from (100, 200): top left, top right, bottom middle.
    EXPECT_TRUE(Near(at(125, 225), kColours[0], 16)) << std::hex << at(125, 225);
    EXPECT_TRUE(Near(at(225, 225), kColours[2], 16)) << std::hex << at(225, 225);
    EXPECT_TRUE(Near(at(175, 275), kColours[4], 16)) << std::hex << at(175, 275);
    EXPECT_EQ(at(90, 190), Rgb(255, 255, 255));  // outside the box
    EXPECT_EQ(at(260, 310), Rgb(255, 255, 255));
    FreeDib(page);
}

TEST(TPDFCanvasImages, ZeroSizesWriteNothingAndKeepNothing)
{
    TempDir dir;
    Logo logo;
    MakeBlockLogo(logo, 24);
    const std::string path = dir.File("null.pdf");
    const PdfFile file = WritePdf(path, [&](TPDFCanvas& c) {
        c.DrawDIB(10, 10, 0, 50, logo.d, 0, 0, 48, 32);
        c.DrawDIB(10, 10, 50, 0, logo.d, 0, 0, 48, 32);
        c.DrawDIB(10, 10, 50, 50, logo.d, 0, 0, 0, 32);
        c.DrawDIB(10, 10, 50, 50, logo.d, 0, 0, 48, 0);
        EXPECT_EQ(c.ImageCount(), 0);
    });
    EXPECT_EQ(file.PageContent(1), "");
    EXPECT_NE(file.Bytes().find("/XObject <<  >>"), std::string::npos);
    EXPECT_TRUE(ListImages(path).empty());

    // Only the source's sizes count of its rectangle: its position is not used.
    const PdfFile moved =
        WritePdf(dir.File("quelle.pdf"), [&](TPDFCanvas& c) { c.DrawDIB(10, 10, 50, 50, logo.d, 7, 9, -1, 1); });
    EXPECT_EQ(moved.PageContent(1), "q\n49 0 0 49 10 782 cm\n/Im0 Do\nQ\n");
}

TEST(TPDFCanvasImages, NegativeSizesAreWrittenOneNearerToZero)
{
    TempDir dir;
    Logo logo;
    MakeBlockLogo(logo, 24);
    const PdfFile file = WritePdf(dir.File("spiegel.pdf"), [&](TPDFCanvas& c) {
        c.DrawDIB(100, 200, -100, -50, logo.d, 0, 0, 48, 32);
        c.PageHeight = 500;
        c.DrawDIB(0, 0, 1, 1, logo.d, 0, 0, 48, 32);
    });
    EXPECT_EQ(file.PageContent(1), "q\n-99 0 0 -49 100 690 cm\n/Im0 Do\nQ\nq\n0 0 0 0 0 500 cm\n/Im1 Do\nQ\n");
}

TEST(TPDFCanvasImages, DrawingTwiceKeepsTwoCopiesAndDrawingByNumberReusesOne)
{
    TempDir dir;
    Logo logo;
    MakeBlockLogo(logo, 24);
    const std::string path = dir.File("zweimal.pdf");
    const PdfFile file = WritePdf(path, [&](TPDFCanvas& c) {
        c.DrawDIB(10, 10, 48, 32, logo.d, 0, 0, 48, 32);
        c.DrawDIB(10, 60, 48, 32, logo.d, 0, 0, 48, 32);
        c.DrawDIBOfImageNr(10, 110, 96, 64, 0, 0, 0, 48, 32);
        c.NewPage();
        c.DrawDIBOfImageNr(20, 20, 48, 32, 1, 0, 0, 48, 32);
        // Numbers of images not kept and zero sizes draw nothing.
        c.DrawDIBOfImageNr(20, 20, 48, 32, 2, 0, 0, 48, 32);
        c.DrawDIBOfImageNr(20, 20, 48, 32, -1, 0, 0, 48, 32);
        c.DrawDIBOfImageNr(20, 20, 0, 32, 0, 0, 0, 48, 32);
        c.DrawDIBOfImageNr(20, 20, 48, 32, 0, 0, 0, 48, 0);
        EXPECT_EQ(c.ImageCount(), 2);
    });
    EXPECT_EQ(file.PageContent(1), "q\n47 0 0 31 10 800 cm\n/Im0 Do\nQ\n"
                                   "q\n47 0 0 31 10 750 cm\n/Im1 Do\nQ\n"
                                   "q\n95 0 0 63 10 668 cm\n/Im0 Do\nQ\n");
    EXPECT_EQ(file.PageContent(2), "q\n47 0 0 31 20 790 cm\n/Im1 Do\nQ\n");
    // P = 6, two pages: the images are 11 and 12.
    ASSERT_EQ(file.ObjectCount(), 13u);
    EXPECT_NE(file.Bytes().find("/XObject << /Im0 11 0 R/Im1 12 0 R >>"), std::string::npos);
    const std::vector<ListedImage> listed = ListImages(path);
    ASSERT_EQ(listed.size(), 4u);  // shown four times
    EXPECT_EQ(listed[0].object, 11);
    EXPECT_EQ(listed[1].object, 12);
    EXPECT_EQ(listed[2].object, 11);
    EXPECT_EQ(listed[3].object, 12);
}

TEST(TPDFCanvasImages, PdfAUsesTheCalibratedColourSpace)
{
    TempDir dir;
    Logo logo;
    MakeBlockLogo(logo, 24);
    const PdfFile file = WritePdf(
        dir.File("pdfa.pdf"), [&](TPDFCanvas& c) { c.DrawDIB(10, 10, 48, 32, logo.d, 0, 0, 48, 32); },
        [](TPDFCanvas& c) { c.ispdfa = true; });
    const std::string image = file.Object(file.ObjectCount() - 1);
    EXPECT_NE(image.find(" /Width 48 /Height 32 /BitsPerComponent 8 /ColorSpace [ /CalRGB<< /WhitePoint "
                         "[0.9505 1.0000 1.0890]/Gamma [1.8000 1.8000 1.8000]/Matrix [ 0.4497 0.2446 0.0252 "
                         "0.3163 0.6720 0.1412 0.1845 0.0833 0.9227]>>] /Length "),
              std::string::npos)
        << image.substr(0, 300);
    EXPECT_EQ(CountOf(file.Bytes(), "/DeviceRGB"), 0u);
}

TEST(TPDFCanvasImages, Jpeg2000ImagesUseJpxDecode)
{
    TempDir dir;
    Logo logo;
    MakeBlockLogo(logo, 8);
    const std::string path = dir.File("jpx.pdf");
    const PdfFile file = WritePdf(
        path, [&](TPDFCanvas& c) { c.DrawDIB(10, 10, 96, 64, logo.d, 0, 0, 48, 32); },
        [](TPDFCanvas& c) { c.usejpeg2000 = true; });
    EXPECT_EQ(file.Bytes().substr(0, 9), "%PDF-1.5\n");
    const std::string image = file.Object(file.ObjectCount() - 1);
    EXPECT_NE(image.find(" /Filter /JPXDecode >>\nstream\n"), std::string::npos);
    const std::vector<ListedImage> listed = ListImages(path);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].encoding, "jpx");
    EXPECT_EQ(listed[0].components, 3);
    EXPECT_EQ(listed[0].width, 48);
    ExpectBlockColours(ExtractedBlockColours(path, dir, 1)[0], 16, "JPEG 2000");
}

TEST(TPDFCanvasImages, SpoolModeKeepsImagesInBitmapFilesUntilDestroy)
{
    TempDir files;
    TempDir temp;
    EnvOverride override("TMPDIR", temp.Path().c_str());
    const std::string path = files.File("spool.pdf");
    {
        TPDFCanvas c;
        c.usetempfileforimages = true;
        ASSERT_TRUE(c.BeginDoc(path));
        {
            Logo logo;
            MakeBlockLogo(logo, 8);
            c.DrawDIB(10, 10, 96, 64, logo.d, 0, 0, 48, 32);
            c.DrawDIB(10, 100, 96, 64, logo.d, 0, 0, 48, 32);
        }  // the caller's image is gone before the document ends
        std::vector<std::string> spool = FilesStartingWith(temp.Path(), "temppdfimg");
        std::sort(spool.begin(), spool.end());
        EXPECT_EQ(spool, (std::vector<std::string>{"temppdfimg0.bmp", "temppdfimg1.bmp"}));
        // The spool file holds the image as kept: expanded to 24 bits.
        dib spooled;
        ASSERT_EQ(OpenDib(&spooled, temp.File("temppdfimg0.bmp").c_str(), 3, 0), 1);
        EXPECT_EQ(DibBitCount(spooled), 24);
        EXPECT_EQ(DibPixelRgb(spooled, 40, 0), kColours[5]);  // bottom right block
        FreeDib(spooled);
        EXPECT_EQ(FilesStartingWith(temp.Path(), "temppdfimg").size(), 2u);
        c.EndDoc();
        // Still there after the document: kept images live until the object goes.
        EXPECT_EQ(FilesStartingWith(temp.Path(), "temppdfimg").size(), 2u);
        EXPECT_TRUE(FilesStartingWith(temp.Path(), "tempim").empty());  // encodings deleted
    }
    EXPECT_TRUE(FilesStartingWith(temp.Path(), "temp").empty());
    ExpectValidPdf(path);
    const std::vector<ListedImage> listed = ListImages(path);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].components, 3);
    const auto colours = ExtractedBlockColours(path, files, 2);
    ExpectBlockColours(colours[0], 10, "spooled image 0");
    ExpectBlockColours(colours[1], 10, "spooled image 1");
}

TEST(TPDFCanvasImages, AnImageThatCannotBeEncodedStillHasAnObjectAtItsNumber)
{
    TempDir files;
    TempDir temp;
    EnvOverride override("TMPDIR", temp.Path().c_str());
    const std::string path = files.File("fehlend.pdf");
    {
        TPDFCanvas c;
        c.usetempfileforimages = true;
        ASSERT_TRUE(c.BeginDoc(path));
        Logo logo;
        MakeBlockLogo(logo, 24);
        c.DrawDIB(10, 10, 48, 32, logo.d, 0, 0, 48, 32);
        c.DrawDIB(10, 100, 48, 32, logo.d, 0, 0, 48, 32);
        ASSERT_EQ(unlink(temp.File("temppdfimg0.bmp").c_str()), 0);  // the first spool file is lost
        c.EndDoc();
    }
    ExpectValidPdf(path);
    const PdfFile file(ReadWholeFile(path));
    // One page, no font: P = 4, the images are 8 and 9.
    ASSERT_EQ(file.ObjectCount(), 10u);
    EXPECT_EQ(file.Object(8), std::string("8 0 obj\n") + kEmptyForm);
    EXPECT_NE(file.Object(9).find("/Subtype /Image /Width 48"), std::string::npos);
    const std::vector<ListedImage> listed = ListImages(path);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].object, 9);

    // The same for a kept image without pixels in memory mode.
    Logo logo;
    MakeBlockLogo(logo, 24);
    dib withoutPixels = logo.d;
    withoutPixels.bits = nullptr;
    const PdfFile memory = WritePdf(files.File("leer.pdf"),
                                    [&](TPDFCanvas& c) { c.DrawDIB(10, 10, 48, 32, withoutPixels, 0, 0, 48, 32); });
    EXPECT_EQ(memory.Object(8), std::string("8 0 obj\n") + kEmptyForm);
}

TEST(TPDFCanvasImages, ASecondDocumentWritesTheKeptImagesAgain)
{
    TempDir dir;
    Logo logo;
    MakeBlockLogo(logo, 24);
    TPDFCanvas c;
    ASSERT_TRUE(c.BeginDoc(dir.File("eins.pdf")));
    c.DrawDIB(10, 10, 48, 32, logo.d, 0, 0, 48, 32);
    c.EndDoc();
    ASSERT_TRUE(c.BeginDoc(dir.File("zwei.pdf")));
    c.DrawDIBOfImageNr(10, 10, 48, 32, 0, 0, 0, 48, 32);
    c.EndDoc();
    EXPECT_EQ(c.ImageCount(), 1);
    ExpectValidPdf(dir.File("zwei.pdf"));
    const std::vector<ListedImage> listed = ListImages(dir.File("zwei.pdf"));
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].object, 8);

    // Outside a document nothing is drawn or kept.
    c.DrawDIB(10, 10, 48, 32, logo.d, 0, 0, 48, 32);
    EXPECT_EQ(c.ImageCount(), 1);
}

TEST(TPDFCanvasImages, ExpandTo24BitGoesThroughPalWithoutFlipping)
{
    Logo four;
    ASSERT_EQ(OpenDib(&four.d, (std::string(REKOLON_TEST_DATA) + "/img-bmp-4bit.bmp").c_str(), 0, 0), 1);
    Logo eight;
    ASSERT_EQ(OpenDib(&eight.d, (std::string(REKOLON_TEST_DATA) + "/img-bmp-8bit.bmp").c_str(), 0, 0), 1);
    for (const dib* source : {&four.d, &eight.d}) {
        dib expanded = TPDFCanvas::ExpandTo24Bit(*source);
        ASSERT_NE(expanded.bits, source->bits);
        EXPECT_EQ(DibBitCount(expanded), 24);
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < 5; ++x)
                EXPECT_EQ(DibPixelRgb(expanded, x, y), DibPixelRgb(*source, x, y)) << x << "," << y;
        FreeDib(expanded);
    }
    // Colours come from pal.
    four.d.pal[2][0] = 77;  // red of entry 2 (the top-left pixel)
    dib expanded = TPDFCanvas::ExpandTo24Bit(four.d);
    EXPECT_EQ(DibPixelRgb(expanded, 0, 2), Rgb(77, 0, 0));
    FreeDib(expanded);

    // Other depths and images without pixels come back unchanged.
    Logo rgb;
    MakeBlockLogo(rgb, 24);
    EXPECT_EQ(TPDFCanvas::ExpandTo24Bit(rgb.d).bits, rgb.d.bits);
    dib none{};
    EXPECT_EQ(TPDFCanvas::ExpandTo24Bit(none).bits, nullptr);
}

TEST(TPDFCanvasImages, CopyDibCopiesPixelsAndTableIntoItsOwnMemory)
{
    ScriptedMessenger messenger;
    Logo eight;
    MakeBlockLogo(eight, 8);
    dib copy = TPDFCanvas::CopyDib(eight.d);
    ASSERT_NE(copy.bits, nullptr);
    EXPECT_NE(copy.bits, eight.d.bits);
    EXPECT_NE(copy.info, eight.d.info);
    EXPECT_EQ(std::memcmp(copy.bits, eight.d.bits, size_t(copy.stride) * 32), 0);
    EXPECT_EQ(std::memcmp(copy.info, eight.d.info, sizeof(TDibInfo)), 0);
    EXPECT_EQ(std::memcmp(copy.pal, eight.d.pal, sizeof copy.pal), 0);
    FreeDib(copy);

    dib none{};
    EXPECT_EQ(TPDFCanvas::CopyDib(none).bits, nullptr);
    EXPECT_TRUE(messenger.Boxes().empty());

    // When the copy cannot be made the user is told and the copy has no pixels.
    Logo odd;
    newdib(&odd.d, 4, 4, 32, nullptr, 0);
    odd.d.info->header.biBitCount = 16;
    const dib failed = TPDFCanvas::CopyDib(odd.d);
    odd.d.info->header.biBitCount = 32;
    EXPECT_EQ(failed.bits, nullptr);
    ASSERT_EQ(messenger.Errors().size(), 1u);
    EXPECT_EQ(messenger.Errors()[0], u"Fehler: nicht genug Speicher für diese Operation!");
}

TEST(TPDFCanvasImages, ADocumentThatCannotBeFinishedIsReportedOnceNoFileOfItIsLeft)
{
    TempDir files;
    TempDir temp;
    EnvOverride override("TMPDIR", temp.Path().c_str());
    ScriptedMessenger messenger;
    std::vector<std::string> tempWhileShown;
    std::vector<std::string> filesWhileShown;
    messenger.WhenBoxShown([&](const ScriptedMessenger::Box&) {
        tempWhileShown = FilesStartingWith(temp.Path(), "temp");
        filesWhileShown = FilesStartingWith(files.Path(), "bericht.pdf.");
    });
    {
        TPDFCanvas c;
        c.usetempfileforimages = true;
        ASSERT_TRUE(c.BeginDoc(files.File("bericht.pdf")));
        Logo logo;
        MakeBlockLogo(logo, 24);
        c.DrawDIB(10, 10, 48, 32, logo.d, 0, 0, 48, 32);
        ASSERT_EQ(FilesStartingWith(temp.Path(), "temppdfimg").size(), 1u);
        // A folder that is not empty in the file's place makes the last step fail.
        std::filesystem::create_directories(files.File("bericht.pdf/inhalt"));
    }  // left open: the destructor finishes the document, which fails
    ASSERT_EQ(messenger.Errors().size(), 1u);
    EXPECT_TRUE(tempWhileShown.empty()) << tempWhileShown.front();
    EXPECT_TRUE(filesWhileShown.empty()) << filesWhileShown.front();
}

TEST(TPDFCanvasImages, WhileItKeepsImageFilesNoOtherInstanceMayClearTheTemporaryFolder)
{
    TempDir files;
    TempDir temp;
    EnvOverride override("TMPDIR", temp.Path().c_str());
    TPDFCanvas c;
    c.usetempfileforimages = true;
    ASSERT_TRUE(c.BeginDoc(files.File("x.pdf")));
    Logo logo;
    MakeBlockLogo(logo, 24);
    c.DrawDIB(10, 10, 48, 32, logo.d, 0, 0, 48, 32);
    ASSERT_EQ(FilesStartingWith(temp.Path(), "temppdfimg").size(), 1u);
    // Another instance, starting now, tries for the lock that allows clearing.
    const int other = open(StaleFiles::TempFolderLockPath(temp.Path()).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(other, 0);
    EXPECT_NE(flock(other, LOCK_EX | LOCK_NB), 0);
    close(other);
}
