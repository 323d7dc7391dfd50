// The image record: making images, their header and colour table, pixels, release.
#include "DibTestSupport.h"

#include "imaging/DibAccess.h"
#include "imaging/DibMemory.h"
#include "imaging/DibPixels.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

bool AllNull(const dib& d)
{
    return !d.info && !d.block1 && !d.block2 && !d.bits && d.stride == 0;
}

}

TEST(DibMemory, NewImageHasZeroPixelsWholeWordRowsAndAFullHeader)
{
    OwnedDib image;
    newdib(&image.d, 5, 3, 24, nullptr, 0);
    ASSERT_NE(image.d.bits, nullptr);
    EXPECT_EQ(image.d.stride, 16);  // 15 bytes raised to whole 32-bit words
    EXPECT_EQ(DibWidth(image.d), 5);
    EXPECT_EQ(DibHeight(image.d), 3);
    EXPECT_EQ(DibBitCount(image.d), 24);
    const TBitmapInfoHeader& h = image.d.info->header;
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biCompression, 0u);
    EXPECT_EQ(h.biSizeImage, 48u);
    EXPECT_EQ(image.d.block1, static_cast<void*>(image.d.info));
    EXPECT_EQ(image.d.block2, static_cast<void*>(image.d.bits));
    for (int i = 0; i < 48; ++i)
        EXPECT_EQ(image.d.bits[i], 0) << i;

    const int strides[][3] = {{1, 1, 4}, {32, 1, 4}, {33, 1, 8}, {7, 4, 4},
                              {9, 4, 8}, {3, 8, 4},  {1, 32, 4}, {2, 24, 8}};
    for (const auto& s : strides) {
        OwnedDib other;
        newdib(&other.d, s[0], 2, s[1], nullptr, 0);
        EXPECT_EQ(other.d.stride, s[2]) << s[0] << " pixels of " << s[1] << " bits";
    }
}

TEST(DibMemory, ColourTableTakesTheGivenEntriesOnlyAndKeepsBothOrders)
{
    TDibInfo source{};
    for (int i = 0; i < 256; ++i)
        source.colors[i] = TRgbQuad{uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), 77};
    OwnedDib image;
    newdib(&image.d, 2, 2, 8, &source, 3);
    ASSERT_NE(image.d.bits, nullptr);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(image.d.info->colors[i].rgbBlue, i);
        EXPECT_EQ(image.d.info->colors[i].rgbGreen, 255 - i);
        EXPECT_EQ(image.d.info->colors[i].rgbRed, i / 2);
        EXPECT_EQ(image.d.info->colors[i].rgbReserved, 0);
        EXPECT_EQ(image.d.pal[i][0], i / 2);  // red first in pal
        EXPECT_EQ(image.d.pal[i][1], 255 - i);
        EXPECT_EQ(image.d.pal[i][2], i);
    }
    for (int i = 3; i < 256; ++i) {
        EXPECT_EQ(image.d.info->colors[i].rgbGreen, 0) << i;
        EXPECT_EQ(image.d.pal[i][1], 0) << i;
    }

    // A 4-bit image takes at most 16 entries, whatever it is asked for.
    OwnedDib four;
    newdib(&four.d, 2, 2, 4, &source, 256);
    EXPECT_EQ(four.d.info->colors[15].rgbBlue, 15);
    EXPECT_EQ(four.d.info->colors[16].rgbGreen, 0);
}

TEST(DibMemory, RefusedSizesAndDepthsLeaveTheRecordEmpty)
{
    const int64_t side = kDibMaxSide;
    const struct {
        int64_t width, height;
        int32_t bits;
    } refused[] = {
        {0, 5, 24}, {5, 0, 24}, {-1, 5, 8},       {5, -3, 8},       {5, 5, 16},
        {5, 5, 2},  {5, 5, 0},  {side + 1, 1, 8}, {1, side + 1, 8}, {8193, 8193, 8},  // 67,125,249 pixels
    };
    for (const auto& r : refused) {
        dib d;
        std::memset(&d, 0xAB, sizeof d);
        newdib(&d, int32_t(r.width), int32_t(r.height), r.bits, nullptr, 0);
        EXPECT_TRUE(AllNull(d)) << r.width << " x " << r.height << " x " << r.bits;
        EXPECT_FALSE(DibSizeAllowed(r.width, r.height, r.bits));
    }
    EXPECT_TRUE(DibSizeAllowed(8192, 8192, 32));  // exactly the pixel limit
    EXPECT_TRUE(DibSizeAllowed(side, 1, 1));
}

TEST(DibMemory, PixelsOfEveryDepthByStorageRow)
{
    OwnedDib mono, four, eight, rgb, rgbx;
    newdib(&mono.d, 10, 2, 1, nullptr, 0);
    newdib(&four.d, 3, 2, 4, nullptr, 0);
    newdib(&eight.d, 3, 2, 8, nullptr, 0);
    newdib(&rgb.d, 3, 2, 24, nullptr, 0);
    newdib(&rgbx.d, 3, 2, 32, nullptr, 0);

    setpixel(mono.d, 0, 1, 1);
    setpixel(mono.d, 9, 1, 1);
    setpixel(mono.d, 3, 0, 7);                    // only the lowest bit counts
    EXPECT_EQ(mono.d.bits[mono.d.stride], 0x80);  // leftmost pixel in the highest bit
    EXPECT_EQ(mono.d.bits[mono.d.stride + 1], 0x40);
    EXPECT_EQ(mono.d.bits[0], 0x10);
    EXPECT_EQ(getpixel(mono.d, 9, 1), 1u);
    EXPECT_EQ(getpixel(mono.d, 8, 1), 0u);
    setpixel(mono.d, 0, 1, 0);
    EXPECT_EQ(mono.d.bits[mono.d.stride], 0x00);

    setpixel(four.d, 0, 0, 0xA);
    setpixel(four.d, 1, 0, 0x5);
    setpixel(four.d, 2, 0, 0xF3);
    EXPECT_EQ(four.d.bits[0], 0xA5);  // left pixel in the high four bits
    EXPECT_EQ(four.d.bits[1], 0x30);
    EXPECT_EQ(getpixel(four.d, 1, 0), 5u);
    EXPECT_EQ(getpixel(four.d, 2, 0), 3u);

    setpixel(eight.d, 2, 1, 200);
    EXPECT_EQ(eight.d.bits[eight.d.stride + 2], 200);
    EXPECT_EQ(getpixel(eight.d, 2, 1), 200u);

    // 24 and 32 bits: a colour with red in the lowest byte, stored blue, green, red.
    setpixel(rgb.d, 1, 1, Rgb(0x11, 0x22, 0x33));
    const uint8_t* p = rgb.d.bits + rgb.d.stride + 3;
    EXPECT_EQ(p[0], 0x33);
    EXPECT_EQ(p[1], 0x22);
    EXPECT_EQ(p[2], 0x11);
    EXPECT_EQ(getpixel(rgb.d, 1, 1), Rgb(0x11, 0x22, 0x33));
    setpixel(rgbx.d, 2, 0, Rgb(1, 2, 3));
    EXPECT_EQ(rgbx.d.bits[8], 3);
    EXPECT_EQ(rgbx.d.bits[10], 1);
    EXPECT_EQ(getpixel(rgbx.d, 2, 0), Rgb(1, 2, 3));

    // Outside the image nothing is read or written.
    for (const int32_t xy : {-1, 3, 1000000}) {
        setpixel(rgb.d, xy, 0, 0xFFFFFF);
        setpixel(rgb.d, 0, xy, 0xFFFFFF);
        EXPECT_EQ(getpixel(rgb.d, xy, 0), 0u);
        EXPECT_EQ(getpixel(rgb.d, 0, xy), 0u);
    }
    dib empty{};
    setpixel(empty, 0, 0, 1);
    EXPECT_EQ(getpixel(empty, 0, 0), 0u);
}

TEST(DibMemory, RowsToBlueGreenRedThroughTheColourTable)
{
    OwnedDib four;
    newdib(&four.d, 3, 1, 4, nullptr, 0);
    DibSetColor(four.d, 1, 10, 20, 30);
    DibSetColor(four.d, 2, 40, 50, 60);
    setpixel(four.d, 0, 0, 1);
    setpixel(four.d, 1, 0, 2);
    uint8_t row[9];
    ASSERT_TRUE(DibRowToBgr(four.d, 0, row));
    const uint8_t expected[9] = {30, 20, 10, 60, 50, 40, 0, 0, 0};
    EXPECT_EQ(std::memcmp(row, expected, 9), 0);
    EXPECT_FALSE(DibRowToBgr(four.d, 1, row));
    EXPECT_FALSE(DibRowToBgr(four.d, -1, row));
    EXPECT_EQ(DibPixelRgb(four.d, 1, 0), Rgb(40, 50, 60));
}

TEST(DibMemory, AccessorsAndReleaseOfTheRecord)
{
    dib none{};
    EXPECT_EQ(DibWidth(none), 0);
    EXPECT_EQ(DibHeight(none), 0);
    EXPECT_EQ(DibBitCount(none), 0);
    EXPECT_EQ(DibColors(none), 1);
    FreeDib(none);  // nothing to release
    EXPECT_TRUE(AllNull(none));

    const std::pair<int32_t, int64_t> colours[] = {{1, 2}, {4, 16}, {8, 256}, {24, 16777216}, {32, 4294967296}};
    for (const auto& [bits, count] : colours) {
        dib d;
        newdib(&d, 4, 4, bits, nullptr, 0);
        EXPECT_EQ(DibColors(d), count) << bits;
        FreeDib(d);
        EXPECT_EQ(d.info, nullptr);
        EXPECT_EQ(d.block1, nullptr);
        EXPECT_EQ(d.block2, nullptr);
        EXPECT_EQ(d.bits, nullptr);
    }

    // deldib takes the record by value and releases both blocks.
    dib two;
    newdib(&two, 2, 2, 8, nullptr, 0);
    deldib(two);

    // An image in one block (block1 equal to block2) is released once.
    dib single{};
    auto* block = static_cast<uint8_t*>(std::calloc(1, sizeof(TDibInfo) + 8));
    single.info = reinterpret_cast<TDibInfo*>(block);
    single.info->header.biWidth = 2;
    single.info->header.biHeight = 2;
    single.info->header.biBitCount = 8;
    single.bits = block + sizeof(TDibInfo);
    single.stride = 4;
    single.block1 = block;
    single.block2 = block;
    FreeDib(single);
    EXPECT_TRUE(AllNull(dib{single.info, single.block1, single.block2, single.bits, 0, {}}));

    EXPECT_EQ(ScreenColorDepth(), 24);
    SetScreenColorDepth(8);
    EXPECT_EQ(ScreenColorDepth(), 8);
    SetScreenColorDepth(24);
}
