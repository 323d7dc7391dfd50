// Halftone copies: the colour cube table, ordered dithering, resizing.
#include "DibTestSupport.h"

#include "imaging/DibAccess.h"
#include "imaging/DibHalftone.h"
#include "imaging/DibMemory.h"
#include "imaging/DibPixels.h"

#include <gtest/gtest.h>

TEST(DibHalftone, PureColoursMapToTheirCubeEntries)
{
    OwnedDib image;
    MakeImage24(image, CanonicalPicture());
    OwnedDib halftone;
    DIBHalftoneDIB(&halftone.d, image.d);
    ASSERT_NE(halftone.d.bits, nullptr);
    EXPECT_EQ(DibBitCount(halftone.d), 8);
    EXPECT_EQ(DibWidth(halftone.d), 5);
    EXPECT_EQ(DibHeight(halftone.d), 3);
    // Index 36 r + 6 g + b with the levels 0..5 of red, green and blue.
    EXPECT_EQ(getpixel(halftone.d, 0, 2), 180u);  // red
    EXPECT_EQ(getpixel(halftone.d, 1, 2), 30u);   // green
    EXPECT_EQ(getpixel(halftone.d, 2, 2), 5u);    // blue
    EXPECT_EQ(getpixel(halftone.d, 3, 2), 215u);  // white
    EXPECT_EQ(getpixel(halftone.d, 4, 2), 0u);    // black
    const Picture got = TopDown(halftone.d);
    for (size_t x = 0; x < 5; ++x)
        EXPECT_EQ(got[0][x], CanonicalPicture()[0][x]);
    EXPECT_EQ(halftone.d.pal[129][0], 153);  // entry 3 × 36 + 3 × 6 + 3
    EXPECT_EQ(halftone.d.info->colors[216].rgbRed, 0);
}

TEST(DibHalftone, InBetweenColoursAreDitheredToTheirMeanAndCopiesResize)
{
    Picture grey(8, std::vector<uint32_t>(8, Rgb(128, 128, 128)));
    OwnedDib image;
    MakeImage24(image, grey);
    OwnedDib halftone;
    DIBHalftoneDIB(&halftone.d, image.d);
    int sum = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const uint32_t index = getpixel(halftone.d, x, y);
            EXPECT_TRUE(index == 86u || index == 129u) << index;  // the greys 102 and 153
            sum += halftone.d.pal[index][0];
        }
    EXPECT_NEAR(sum / 64.0, 128.0, 4.0);

    OwnedDib canonical;
    MakeImage24(canonical, CanonicalPicture());
    OwnedDib resized;
    DIBHalftoneDIBXY(&resized.d, canonical.d, 10, 6);
    ASSERT_NE(resized.d.bits, nullptr);
    EXPECT_EQ(DibWidth(resized.d), 10);
    EXPECT_EQ(DibHeight(resized.d), 6);
    const Picture got = TopDown(resized.d);
    EXPECT_EQ(got[0][0], Rgb(255, 0, 0));
    EXPECT_EQ(got[1][1], Rgb(255, 0, 0));
    EXPECT_EQ(got[0][2], Rgb(0, 255, 0));
    EXPECT_EQ(got[2][4], Rgb(255, 0, 255));  // middle row, column 2: magenta

    // Indexed sources go through their colour table; nothing comes of nothing.
    OwnedDib four;
    LoadFixture(four, "img-bmp-4bit.bmp");
    OwnedDib fromFour;
    DIBHalftoneDIB(&fromFour.d, four.d);
    EXPECT_EQ(TopDown(fromFour.d)[0][2], Rgb(0, 0, 255));
    dib none{};
    OwnedDib empty;
    DIBHalftoneDIB(&empty.d, none);
    EXPECT_EQ(empty.d.bits, nullptr);
    DIBHalftoneDIBXY(&empty.d, canonical.d, 0, 5);
    EXPECT_EQ(empty.d.bits, nullptr);
}
