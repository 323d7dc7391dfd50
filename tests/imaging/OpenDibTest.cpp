// Loading images: every supported kind of Windows bitmap, PNG and JPEG file, recognised by
// content, and damaged, cut, hostile and oversized files, which give no image.
#include "DibTestSupport.h"

#include "foundation/MemoryByteSource.h"
#include "imaging/DibAccess.h"
#include "imaging/DibDecoder.h"
#include "imaging/DibMemory.h"
#include "imaging/DibPixels.h"
#include "imaging/OpenDib.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <sstream>
#include <vector>

namespace {

const uint32_t kWhite = Rgb(255, 255, 255);
const uint32_t kHalfGreen = Rgb(127, 255, 127);  // green at alpha 128 over white

Picture CanonicalWithAlpha()
{
    Picture p = CanonicalPicture();
    p[0][0] = kWhite;
    p[0][1] = kHalfGreen;
    return p;
}

Picture Checker(uint32_t even, uint32_t odd)
{
    Picture p(3, std::vector<uint32_t>(5));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            p[size_t(y)][size_t(x)] = (x + y) % 2 ? odd : even;
    return p;
}

Picture Grey(const std::vector<std::vector<int>>& values)
{
    Picture p;
    for (const auto& row : values) {
        p.emplace_back();
        for (const int v : row)
            p.back().push_back(Rgb(uint32_t(v), uint32_t(v), uint32_t(v)));
    }
    return p;
}

const std::vector<std::vector<int>> kGrey = {{0, 64, 128, 192, 255}, {10, 20, 30, 40, 50}, {255, 254, 253, 252, 251}};

struct Expected {
    const char* name;
    int32_t bits;
    Picture picture;
};

std::vector<Expected> ExactFixtures()
{
    const Picture canonical = CanonicalPicture();
    std::vector<std::vector<int>> greyAlpha = kGrey;
    greyAlpha[0][0] = 255;  // 0 at alpha 0
    greyAlpha[0][1] = 159;  // 64 at alpha 128
    const uint32_t w = kWhite, r = Rgb(255, 0, 0);
    const Picture rgb555 = Through16Bits(canonical, 5, 5, 5);
    const Picture rgb565 = Through16Bits(canonical, 5, 6, 5);
    Picture alpha1555 = rgb555;
    alpha1555[0][0] = kWhite;  // the one clear pixel
    // Raw values 0, 1, 3, 16, 28, 31 (red, blue) and 0, 1, 12, 32, 51, 63 (green) widened.
    const Picture ramp = {
        {Rgb(0, 0, 0), Rgb(8, 4, 8), Rgb(24, 48, 24), Rgb(132, 130, 132), Rgb(231, 207, 231), Rgb(255, 255, 255)}};
    return {
        {"img-bmp-16-bits-per-pixel.bmp", 24, Picture(3, std::vector<uint32_t>(5, Rgb(0, 0, 0)))},
        {"img-bmp-16bit-555.bmp", 24, rgb555},
        {"img-bmp-16bit-555-top-down.bmp", 24, rgb555},
        {"img-bmp-16bit-565-bitfields.bmp", 24, rgb565},
        {"img-bmp-16bit-565-v5-header.bmp", 24, rgb565},
        {"img-bmp-16bit-1555-v4-header-alpha.bmp", 24, alpha1555},
        {"img-bmp-16bit-565-channel-ramp.bmp", 24, ramp},
        {"img-bmp-1bit.bmp", 1, Checker(Rgb(200, 30, 40), Rgb(20, 200, 60))},
        {"img-bmp-4bit.bmp", 4, canonical},
        {"img-bmp-8bit.bmp", 8, canonical},
        {"img-bmp-24bit.bmp", 24, canonical},
        {"img-bmp-24bit-top-down.bmp", 24, canonical},
        {"img-bmp-32bit.bmp", 32, canonical},
        {"img-bmp-32bit-bitfields-alpha.bmp", 32, CanonicalWithAlpha()},
        {"img-bmp-os2-core-8bit.bmp", 8, canonical},
        {"img-bmp-rle8.bmp", 8, canonical},
        {"img-bmp-rle4.bmp", 4, canonical},
        {"img-bmp-rle8-delta.bmp", 8, {{w, w, w, w}, {w, r, r, w}, {w, w, w, w}}},
        {"img-png-palette-8bit.png", 8, canonical},
        {"img-png-palette-4bit-transparent.png", 8, CanonicalWithAlpha()},
        {"img-png-grey-8bit.png", 8, Grey(kGrey)},
        {"img-png-grey-1bit.png", 8, Checker(Rgb(0, 0, 0), kWhite)},
        {"img-png-grey-alpha.png", 8, Grey(greyAlpha)},
        {"img-png-rgb-8bit.png", 24, canonical},
        {"img-png-rgba.png", 24, CanonicalWithAlpha()},
        {"img-png-rgb-16bit.png", 24, canonical},
    };
}

std::string Describe(const Picture& p)
{
    std::ostringstream out;
    out << std::hex;
    for (const auto& row : p) {
        for (const uint32_t c : row)
            out << c << ' ';
        out << '\n';
    }
    return out.str();
}

const char* const kDamaged[] = {
    "img-bmp-cut-inside-rows.bmp",
    "img-bmp-cut-inside-header.bmp",
    "img-bmp-rle8-cut-before-end-of-bitmap.bmp",
    "img-bmp-rle8-with-top-down-rows.bmp",
    "img-bmp-width-zero.bmp",
    "img-bmp-pixel-count-above-limit.bmp",
    "img-bmp-pixel-count-above-limit-rle8.bmp",
    "img-bmp-data-offset-inside-header.bmp",
    "img-bmp-16bit-bitfields-mask-zero.bmp",
    "img-bmp-16bit-bitfields-masks-overlapping.bmp",
    "img-bmp-16bit-bitfields-mask-outside-pixel.bmp",
    "img-bmp-16bit-bitfields-mask-with-gap.bmp",
    "img-bmp-16bit-cut-inside-rows.bmp",
    "img-bmp-32bit-bitfields-masks-overlapping.bmp",
    "img-bmp-colour-count-above-256.bmp",
    "img-bmp-header-size-unknown.bmp",
    "img-bmp-rle8-in-24-bit-file.bmp",
    "img-png-cut-inside-image-data.png",
    "img-png-header-crc-wrong.png",
    "img-png-pixel-count-above-limit.png",
    "img-png-image-data-too-short.png",
    "img-png-signature-damaged.png",
    "img-png-image-data-missing.png",
    "img-png-palette-missing.png",
    "img-png-text-chunk-length-past-end.png",
    "img-jpeg-cut-inside-scan.jpg",
    "img-jpeg-cut-inside-header.jpg",
    "img-jpeg-dimensions-above-limit.jpg",
    "img-jpeg-height-zero.jpg",
    "img-jpeg-frame-header-missing.jpg",
    "img-jpeg-marker-inside-scan.jpg",
    "img-jpeg-fewer-bits-than-blocks.jpg",
    "img-gif-not-read.gif",
    "img-empty-file.bmp",
};

bool Loads(const std::string& bytes, int32_t format = 0)
{
    MemoryByteSource source(bytes, "test");
    dib d;
    const bool ok = DibDecoder::Decode(source, format, d);
    if (ok) {
        // Every row of a loaded image can be read whole.
        EXPECT_TRUE(DibSizeAllowed(DibWidth(d), DibHeight(d), DibBitCount(d)));
        std::vector<uint8_t> row(size_t(DibWidth(d)) * 3);
        for (int32_t y = 0; y < DibHeight(d); ++y)
            EXPECT_TRUE(DibRowToBgr(d, y, row.data()));
        FreeDib(d);
    } else {
        EXPECT_EQ(d.bits, nullptr);
        EXPECT_EQ(d.info, nullptr);
    }
    return ok;
}

}

TEST(OpenDib, EveryKindOfBitmapAndPngGivesItsPixelsAndDepth)
{
    for (const Expected& e : ExactFixtures()) {
        OwnedDib image;
        EXPECT_EQ(OpenDib(&image.d, FixturePath(e.name).c_str(), 0, 0), 1) << e.name;
        ASSERT_NE(image.d.bits, nullptr) << e.name;
        EXPECT_EQ(DibBitCount(image.d), e.bits) << e.name;
        EXPECT_EQ(image.d.stride, DibStrideFor(DibWidth(image.d), e.bits)) << e.name;
        const Picture got = TopDown(image.d);
        EXPECT_EQ(got, e.picture) << e.name << "\ngot:\n" << Describe(got) << "expected:\n" << Describe(e.picture);
    }
}

TEST(OpenDib, ColourTablesKeepTheFilesEntriesAndPalMatchesThem)
{
    OwnedDib image;
    LoadFixture(image, "img-bmp-8bit.bmp");
    ASSERT_NE(image.d.bits, nullptr);
    EXPECT_EQ(image.d.info->colors[9].rgbRed, 255);  // orange
    EXPECT_EQ(image.d.info->colors[9].rgbGreen, 128);
    EXPECT_EQ(image.d.info->colors[9].rgbBlue, 0);
    EXPECT_EQ(image.d.pal[9][0], 255);
    EXPECT_EQ(image.d.pal[9][1], 128);
    EXPECT_EQ(image.d.pal[9][2], 0);
    EXPECT_EQ(image.d.info->colors[12].rgbRed, 0);  // beyond the file's 12 entries: black
    EXPECT_EQ(getpixel(image.d, 4, 1), 9u);         // raw index, storage row 1

    LoadFixture(image, "img-png-grey-8bit.png");
    ASSERT_NE(image.d.bits, nullptr);
    for (int i = 0; i < 256; i += 51)
        EXPECT_EQ(image.d.pal[i][1], i);
}

TEST(OpenDib, InterlacedPngIsPutTogetherFromItsSevenPasses)
{
    OwnedDib image;
    LoadFixture(image, "img-png-rgb-interlaced.png");
    ASSERT_NE(image.d.bits, nullptr);
    ASSERT_EQ(DibWidth(image.d), 9);
    ASSERT_EQ(DibHeight(image.d), 9);
    const Picture got = TopDown(image.d);
    for (uint32_t y = 0; y < 9; ++y)
        for (uint32_t x = 0; x < 9; ++x)
            EXPECT_EQ(got[y][x], Rgb(x * 28, y * 28, 200)) << x << "," << y;
}

TEST(OpenDib, JpegColourGreyAndProgressiveFilesFromAnotherEncoder)
{
    // 16 × 16 pixels rendered by pdftoppm: red top left, green top right, blue bottom left,
    // white bottom right. JPEG is lossy, so the middles of the quarters are compared loosely.
    const struct {
        const char* name;
        int32_t bits;
    } files[] = {{"img-jpeg-colour.jpg", 24}, {"img-jpeg-progressive.jpg", 24}, {"img-jpeg-grey.jpg", 8}};
    for (const auto& f : files) {
        OwnedDib image;
        LoadFixture(image, f.name);
        ASSERT_NE(image.d.bits, nullptr) << f.name;
        EXPECT_EQ(DibWidth(image.d), 16);
        EXPECT_EQ(DibHeight(image.d), 16);
        EXPECT_EQ(DibBitCount(image.d), f.bits);
        const Picture got = TopDown(image.d);
        const bool grey = f.bits == 8;
        // Luminance of red, green and blue: 0.299, 0.587 and 0.114 of full.
        const uint32_t red = grey ? Rgb(76, 76, 76) : Rgb(255, 0, 0);
        const uint32_t green = grey ? Rgb(150, 150, 150) : Rgb(0, 255, 0);
        const uint32_t blue = grey ? Rgb(29, 29, 29) : Rgb(0, 0, 255);
        EXPECT_TRUE(Near(got[3][3], red, 12)) << f.name << std::hex << " " << got[3][3];
        EXPECT_TRUE(Near(got[3][12], green, 12)) << f.name << std::hex << " " << got[3][12];
        EXPECT_TRUE(Near(got[12][3], blue, 12)) << f.name << std::hex << " " << got[12][3];
        EXPECT_TRUE(Near(got[12][12], kWhite, 12)) << f.name << std::hex << " " << got[12][12];
    }
}

TEST(OpenDib, JpegOfAPlainPageNearOneBitPerBlockIsRead)
{
    // 1024 × 1024 pixels with half-size colour components: 16384 + 2 × 4096 blocks. A file that
    // cannot give each block one bit is refused; this ordinary one spends less than three.
    const std::string name = "img-jpeg-white-page-optimised.jpg";
    const uint64_t blocks = 16384 + 2 * 4096;
    const uint64_t size = ReadWholeFile(FixturePath(name)).size();
    EXPECT_GT(size * 8, blocks);
    EXPECT_LT(size * 8, 3 * blocks);
    OwnedDib image;
    LoadFixture(image, name);
    ASSERT_NE(image.d.bits, nullptr);
    ASSERT_EQ(DibWidth(image.d), 1024);
    ASSERT_EQ(DibHeight(image.d), 1024);
    for (const int32_t at : {0, 511, 1023})
        EXPECT_TRUE(Near(DibPixelRgb(image.d, at, at), kWhite, 2)) << at;
}

TEST(OpenDib, DamagedUnsupportedAndOversizedFilesGiveNoImage)
{
    for (const char* name : kDamaged) {
        dib d;
        std::memset(&d, 0x5A, sizeof d);  // whatever the caller left in the record
        EXPECT_EQ(OpenDib(&d, FixturePath(name).c_str(), 0, 0), 0) << name;
        EXPECT_EQ(d.bits, nullptr) << name;
        EXPECT_EQ(d.info, nullptr) << name;
        EXPECT_EQ(d.block1, nullptr) << name;
        EXPECT_EQ(d.block2, nullptr) << name;
    }
}

TEST(OpenDib, MissingFilesFoldersAndEmptyNamesGiveNoImage)
{
    TempDir dir;
    dib d;
    EXPECT_EQ(OpenDib(&d, dir.File("fehlt.png").c_str(), 0, 0), 0);
    EXPECT_EQ(d.bits, nullptr);
    EXPECT_EQ(OpenDib(&d, dir.Path().c_str(), 0, 0), 0);
    EXPECT_EQ(OpenDib(&d, "", 0, 0), 0);
    EXPECT_EQ(OpenDib(&d, nullptr, 0, 0), 0);
    EXPECT_EQ(d.bits, nullptr);
}

TEST(OpenDib, FormatThreeReadsWindowsBitmapsOnly)
{
    OwnedDib image;
    LoadFixture(image, "img-bmp-24bit.bmp", 3);
    EXPECT_NE(image.d.bits, nullptr);
    LoadFixture(image, "img-png-rgb-8bit.png", 3);
    EXPECT_EQ(image.d.bits, nullptr);
    LoadFixture(image, "img-jpeg-colour.jpg", 3);
    EXPECT_EQ(image.d.bits, nullptr);
    LoadFixture(image, "img-bmp-24bit.bmp", 7);  // no other code is a reading format
    EXPECT_EQ(image.d.bits, nullptr);
}

TEST(OpenDib, FileNamesGoToTheFileSystemUnchanged)
{
    TempDir dir;
    const std::string path = dir.File("Logo Müller & Söhne.png");
    WriteWholeFile(path, ReadWholeFile(FixturePath("img-png-rgb-8bit.png")));
    OwnedDib image;
    EXPECT_EQ(OpenDib(&image.d, path.c_str(), 0, 0), 1);
    EXPECT_EQ(TopDown(image.d), CanonicalPicture());
}

TEST(OpenDib, EveryCutOfAGoodFileGivesNoImage)
{
    // A cut file gives no image up to the point where all pixels are there: a PNG needs no
    // end chunk, an uncompressed bitmap no padding after its last row, a run-length encoded one
    // no end mark after a line end that completes the last row.
    for (const Expected& e : ExactFixtures()) {
        const std::string bytes = ReadWholeFile(FixturePath(e.name));
        const std::string name = e.name;
        size_t whole = bytes.size();
        if (name.find(".png") != std::string::npos)
            whole -= 12;
        else if (name.find("rle") != std::string::npos)
            whole -= 2;  // all rows there: the end-of-bitmap mark may be missing
        else
            whole -= 3;
        for (size_t n = 0; n < whole; ++n)
            EXPECT_FALSE(Loads(bytes.substr(0, n))) << name << " cut to " << n;
    }
    for (const char* name : {"img-jpeg-colour.jpg", "img-jpeg-grey.jpg", "img-jpeg-progressive.jpg"}) {
        const std::string bytes = ReadWholeFile(FixturePath(name));
        for (size_t n = 0; n < bytes.size(); ++n)
            EXPECT_FALSE(Loads(bytes.substr(0, n))) << name << " cut to " << n;
        EXPECT_TRUE(Loads(bytes));
    }
}

TEST(OpenDib, EveryFlippedByteOfEveryFixtureIsReadSafely)
{
    // Whatever a damaged byte does, the reader neither crashes nor reads or writes outside its
    // memory (the sanitizer build checks that), and whatever it loads is whole.
    std::vector<std::string> names;
    for (const Expected& e : ExactFixtures())
        names.push_back(e.name);
    for (const char* name :
         {"img-jpeg-colour.jpg", "img-jpeg-grey.jpg", "img-jpeg-progressive.jpg", "img-png-rgb-interlaced.png"})
        names.push_back(name);
    int loaded = 0, refused = 0;
    for (const std::string& name : names) {
        const std::string bytes = ReadWholeFile(FixturePath(name));
        for (size_t i = 0; i < bytes.size(); ++i) {
            for (const uint8_t mask : {uint8_t(0xFF), uint8_t(0x01), uint8_t(0x80)}) {
                std::string damaged = bytes;
                damaged[i] = char(uint8_t(damaged[i]) ^ mask);
                (Loads(damaged) ? loaded : refused)++;
            }
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(loaded, 0);
}

TEST(OpenDib, FilterNamesExactlyTheFormatsThatAreRead)
{
    const std::string filter = GetDIBOpenFilter();
    for (const unsigned char c : filter)
        EXPECT_LT(c, 0x80);  // plain ASCII: the same in Windows-1252
    std::vector<std::string> parts;
    std::stringstream in(filter);
    for (std::string part; std::getline(in, part, '|');)
        parts.push_back(part);
    ASSERT_EQ(parts.size() % 2, 0u);
    ASSERT_GE(parts.size(), 2u);

    std::set<std::string> all;
    std::set<std::string> first;
    for (size_t i = 0; i < parts.size(); i += 2) {
        std::stringstream patterns(parts[i + 1]);
        for (std::string pattern; std::getline(patterns, pattern, ';');) {
            ASSERT_EQ(pattern.substr(0, 2), "*.");
            EXPECT_NE(parts[i].find(pattern), std::string::npos) << parts[i] << " lists " << pattern;
            (i == 0 ? first : all).insert(pattern.substr(2));
        }
    }
    const std::set<std::string> read = {"bmp", "dib", "png", "jpg", "jpeg", "jpe", "jfif"};
    EXPECT_EQ(first, read);  // the first entry offers every readable file
    EXPECT_EQ(all, read);

    // A file of the right kind under each named extension loads.
    TempDir dir;
    for (const std::string& ext : read) {
        const char* fixture = ext == "bmp" || ext == "dib" ? "img-bmp-8bit.bmp"
                              : ext == "png"               ? "img-png-rgba.png"
                                                           : "img-jpeg-colour.jpg";
        const std::string path = dir.File("logo." + ext);
        WriteWholeFile(path, ReadWholeFile(FixturePath(fixture)));
        OwnedDib image;
        EXPECT_EQ(OpenDib(&image.d, path.c_str(), 0, 0), 1) << ext;
    }
}
