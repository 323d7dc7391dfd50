// Drawing images onto a device: the row-by-row stretch, the clipping of the source, the
// choice between rows and whole images, the layer's own stretch and the last resort.
#include "DibTestSupport.h"
#include "RecordingDibDevice.h"

#include "imaging/DibAccess.h"
#include "imaging/DibMemory.h"
#include "imaging/DibPixels.h"
#include "imaging/DibStretch.h"
#include "imaging/DrawDibToDevice.h"
#include "support/ScriptedMessenger.h"

#include <gtest/gtest.h>

namespace {

const uint32_t kBlack = Rgb(0, 0, 0);
const uint32_t A = Rgb(250, 0, 0), B = Rgb(0, 250, 0), C = Rgb(0, 0, 250), D = Rgb(250, 250, 0);
const uint32_t E = Rgb(0, 250, 250), F = Rgb(250, 0, 250), G = Rgb(100, 100, 100), H = Rgb(1, 2, 3);

void Draw(RecordingDibDevice& device, const dib& d, int32_t dx, int32_t dy, int32_t dw, int32_t dh, int32_t sx,
          int32_t sy, int32_t sw, int32_t sh, bool halftone = false)
{
    DrawDibToDevice(device, dx, dy, dw, dh, d, sx, sy, sw, sh, halftone, DibDevice::kSrcCopy, 0, 0);
}

void DrawWhole(RecordingDibDevice& device, const dib& d, int32_t dx, int32_t dy, int32_t dw, int32_t dh)
{
    Draw(device, d, dx, dy, dw, dh, 0, 0, DibWidth(d), DibHeight(d));
}

// The pictures the device received as rows, put together top row first.
Picture RowsPicture(const RecordingDibDevice& device)
{
    Picture p;
    for (const auto& r : device.rows)
        p.insert(p.end(), r.picture.begin(), r.picture.end());
    return p;
}

struct ScreenDepth {
    explicit ScreenDepth(int32_t depth) { SetScreenColorDepth(depth); }
    ~ScreenDepth() { SetScreenColorDepth(24); }
};

}

TEST(StretchDibToDevice, FourByTwoToEightByFourRepeatsColumnsAndRowsAndReusesTheRow)
{
    OwnedDib image;
    MakeImage24(image, {{A, B, C, D}, {E, F, G, H}});
    RecordingDibDevice device;
    EXPECT_EQ(StretchDib24ToDevice(device, 30, 40, 8, 4, image.d, 0, 0, 4, 2), 2);  // two rows copied
    ASSERT_EQ(device.rows.size(), 4u);
    const std::vector<uint32_t> top = {A, A, B, B, C, C, D, D};
    const std::vector<uint32_t> bottom = {E, E, F, F, G, G, H, H};
    for (int r = 0; r < 4; ++r) {
        const auto& row = device.rows[size_t(r)];
        EXPECT_EQ(row.x, 30);
        EXPECT_EQ(row.y, 40 + r);
        EXPECT_EQ(row.width, 8);
        EXPECT_EQ(row.height, 1);
        EXPECT_EQ(row.bits, 24);
        EXPECT_EQ(row.picture[0], r < 2 ? top : bottom) << r;
    }
    // One row image serves all target rows.
    EXPECT_EQ(device.rows[0].pixels, device.rows[1].pixels);
    EXPECT_EQ(device.rows[1].pixels, device.rows[3].pixels);
    EXPECT_TRUE(device.stretches.empty());
}

TEST(StretchDibToDevice, ShrinkingKeepsTheLeftmostColumnAndMaySkipTheRightmost)
{
    OwnedDib image;
    MakeImage24(image, CanonicalPicture());
    RecordingDibDevice device;
    StretchDib24ToDevice(device, 0, 0, 2, 2, image.d, 0, 0, 5, 3);
    // Columns 0 + (5 × i) div 2 = 0, 2; rows 0 + (3 × r) div 2 = 0, 1 from the top.
    EXPECT_EQ(RowsPicture(device), (Picture{{Rgb(255, 0, 0), Rgb(0, 0, 255)}, {Rgb(255, 255, 0), Rgb(255, 0, 255)}}));

    RecordingDibDevice part;
    StretchDib24ToDevice(part, 0, 0, 3, 1, image.d, 1, 1, 3, 1);  // columns 1..3 of the middle row
    EXPECT_EQ(RowsPicture(part), (Picture{{Rgb(0, 255, 255), Rgb(255, 0, 255), Rgb(128, 128, 128)}}));
}

TEST(StretchDibToDevice, SourceRowsAndColumnsOutsideTheImageAreBlack)
{
    OwnedDib image;
    MakeImage24(image, CanonicalPicture());
    const Picture canonical = CanonicalPicture();
    const std::vector<uint32_t> blackRow(5, kBlack);

    RecordingDibDevice above;  // one row above the top
    EXPECT_EQ(StretchDib24ToDevice(above, 0, 0, 5, 3, image.d, 0, -1, 5, 3), 2);
    EXPECT_EQ(RowsPicture(above), (Picture{blackRow, canonical[0], canonical[1]}));

    RecordingDibDevice below;  // one row below the bottom
    StretchDib24ToDevice(below, 0, 0, 5, 3, image.d, 0, 1, 5, 3);
    EXPECT_EQ(RowsPicture(below), (Picture{canonical[1], canonical[2], blackRow}));

    RecordingDibDevice left;  // one column left of the image
    StretchDib24ToDevice(left, 0, 0, 5, 1, image.d, -1, 0, 5, 1);
    EXPECT_EQ(RowsPicture(left),
              (Picture{{kBlack, canonical[0][0], canonical[0][1], canonical[0][2], canonical[0][3]}}));

    RecordingDibDevice nothing;  // no column inside: black rows only
    StretchDib24ToDevice(nothing, 0, 0, 2, 1, image.d, 7, 0, 2, 1);
    EXPECT_EQ(RowsPicture(nothing), (Picture{{kBlack, kBlack}}));
}

TEST(StretchDibToDevice, EightBitRowsCarryTheColourTable)
{
    OwnedDib image;
    LoadFixture(image, "img-bmp-8bit.bmp");
    RecordingDibDevice device;
    EXPECT_EQ(StretchDib8ToDevice(device, 5, 6, 10, 3, image.d, 0, 0, 5, 3), 3);
    ASSERT_EQ(device.rows.size(), 3u);
    const Picture canonical = CanonicalPicture();
    for (size_t r = 0; r < 3; ++r) {
        EXPECT_EQ(device.rows[r].bits, 8);
        EXPECT_EQ(device.rows[r].table.size(), 1024u);
        EXPECT_EQ(device.rows[r].table[4 * 9 + 1], 128);  // green of entry 9, orange
        std::vector<uint32_t> doubled;
        for (const uint32_t c : canonical[r])
            doubled.insert(doubled.end(), 2, c);
        EXPECT_EQ(device.rows[r].picture[0], doubled);
    }
    // A 24-bit image is not an 8-bit one, and a target without area gets nothing.
    OwnedDib rgb;
    MakeImage24(rgb, CanonicalPicture());
    RecordingDibDevice none;
    EXPECT_EQ(StretchDib8ToDevice(none, 0, 0, 5, 3, rgb.d, 0, 0, 5, 3), 0);
    EXPECT_EQ(StretchDib24ToDevice(none, 0, 0, 0, 3, rgb.d, 0, 0, 5, 3), 0);
    EXPECT_EQ(StretchDib24ToDevice(none, 0, 0, 5, -3, rgb.d, 0, 0, 5, 3), 0);
    EXPECT_TRUE(none.rows.empty());
}

TEST(DrawDibToDevice, OnTheScreen24And8BitGoByRowsOtherDepthsWhole)
{
    for (const char* name : {"img-bmp-24bit.bmp", "img-bmp-8bit.bmp"}) {
        OwnedDib image;
        LoadFixture(image, name);
        RecordingDibDevice screen;
        DrawWhole(screen, image.d, 10, 20, 5, 6);
        EXPECT_TRUE(screen.stretches.empty()) << name;
        ASSERT_EQ(screen.rows.size(), 6u) << name;
        EXPECT_EQ(screen.rows[0].y, 20);
        EXPECT_EQ(screen.rows[5].y, 25);
        const Picture canonical = CanonicalPicture();
        EXPECT_EQ(RowsPicture(screen),
                  (Picture{canonical[0], canonical[0], canonical[1], canonical[1], canonical[2], canonical[2]}))
            << name;
    }
    for (const char* name : {"img-bmp-1bit.bmp", "img-bmp-4bit.bmp", "img-bmp-32bit.bmp"}) {
        OwnedDib image;
        LoadFixture(image, name);
        RecordingDibDevice screen;
        DrawWhole(screen, image.d, 10, 20, 50, 30);
        EXPECT_TRUE(screen.rows.empty()) << name;
        ASSERT_EQ(screen.stretches.size(), 1u) << name;
        const auto& s = screen.stretches[0];
        // The whole-image call is never changed by the clipping.
        EXPECT_EQ((std::vector<int32_t>{s.dx, s.dy, s.dw, s.dh, s.sx, s.sy, s.sw, s.sh}),
                  (std::vector<int32_t>{10, 20, 50, 30, 0, 0, 5, 3}))
            << name;
        EXPECT_EQ(s.rop, DibDevice::kSrcCopy);
        EXPECT_EQ(s.bits, DibBitCount(image.d));
    }
}

TEST(DrawDibToDevice, OnAPrinterEveryDepthGoesWhole)
{
    for (const char* name : {"img-bmp-24bit.bmp", "img-bmp-8bit.bmp", "img-bmp-1bit.bmp"}) {
        OwnedDib image;
        LoadFixture(image, name);
        RecordingDibDevice printer;
        printer.printer = true;
        DrawWhole(printer, image.d, 100, 200, 500, 300);
        EXPECT_TRUE(printer.rows.empty()) << name;
        ASSERT_EQ(printer.stretches.size(), 1u) << name;
        EXPECT_EQ(printer.stretches[0].dw, 500);
        EXPECT_EQ(printer.stretches[0].picture, TopDown(image.d));
    }
}

TEST(DrawDibToDevice, TheSourceIsClippedToTheImageAndTheTargetInProportion)
{
    OwnedDib image;
    MakeImage24(image, CanonicalPicture());  // 5 × 3
    struct Case {
        int32_t in[8];
        int32_t out[8];  // dx, dy, dw, dh, sx, sy, sw, sh after clipping
    };
    const Case cases[] = {
        {{0, 0, 12, 6, 2, 0, 6, 3}, {0, 0, 6, 6, 2, 0, 3, 3}},         // past the right edge
        {{0, 0, 5, 6, 4, 0, 2, 3}, {0, 0, 2, 6, 4, 0, 1, 3}},          // 2.5 rounds to even 2
        {{0, 0, 3, 6, 4, 0, 2, 3}, {0, 0, 2, 6, 4, 0, 1, 3}},          // 1.5 rounds to even 2
        {{0, 0, 10, 9, 0, -1, 5, 3}, {0, 0, 10, 6, 0, 0, 5, 2}},       // below the bottom row
        {{0, 100, 10, 8, 0, 1, 5, 4}, {0, 104, 10, 4, 0, 1, 5, 2}},    // above the top row
        {{10, 0, 8, 6, -2, 0, 4, 3}, {14, 0, 4, 6, 0, 0, 2, 3}},       // left of the image
        {{10, 20, 50, 30, 0, 0, 5, 3}, {10, 20, 50, 30, 0, 0, 5, 3}},  // the whole image
    };
    for (const Case& c : cases) {
        RecordingDibDevice printer;
        printer.printer = true;
        Draw(printer, image.d, c.in[0], c.in[1], c.in[2], c.in[3], c.in[4], c.in[5], c.in[6], c.in[7]);
        ASSERT_EQ(printer.stretches.size(), 1u);
        const auto& s = printer.stretches[0];
        EXPECT_EQ((std::vector<int32_t>{s.dx, s.dy, s.dw, s.dh, s.sx, s.sy, s.sw, s.sh}),
                  std::vector<int32_t>(c.out, c.out + 8))
            << "case with sx " << c.in[4] << ", sy " << c.in[5];
    }

    // On the screen the row stretch gets the source row counted from the top: bottom-based
    // rows 1 and 2 are the top two rows.
    RecordingDibDevice screen;
    Draw(screen, image.d, 0, 0, 5, 2, 0, 1, 5, 2);
    EXPECT_EQ(RowsPicture(screen), (Picture{CanonicalPicture()[0], CanonicalPicture()[1]}));

    // Nothing to draw: a source outside the image or without area, a target without area.
    const int32_t empty[][8] = {{0, 0, 10, 10, 5, 0, 2, 3},  {0, 0, 10, 10, 0, 3, 5, 2}, {0, 0, 10, 10, 0, 0, 0, 3},
                                {0, 0, 10, 10, 0, 0, 5, 0},  {0, 0, 0, 10, 0, 0, 5, 3},  {0, 0, 10, -4, 0, 0, 5, 3},
                                {0, 0, 10, 10, -5, 0, 5, 3}, {0, 0, 1, 1, 4, 0, 8, 3}};
    for (const auto& e : empty) {
        RecordingDibDevice device;
        device.printer = true;
        Draw(device, image.d, e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7]);
        RecordingDibDevice rows;
        Draw(rows, image.d, e[0], e[1], e[2], e[3], e[4], e[5], e[6], e[7]);
        EXPECT_TRUE(device.stretches.empty() && device.rows.empty() && rows.rows.empty())
            << e[2] << " " << e[3] << " " << e[4] << " " << e[5] << " " << e[6] << " " << e[7];
    }
    dib none{};
    RecordingDibDevice device;
    DrawWhole(device, none, 0, 0, 10, 10);
    EXPECT_TRUE(device.stretches.empty() && device.rows.empty());
}

TEST(DrawDibToDevice, WhenTheDeviceCannotStretchTheLayerStretchesAndPutsTheRows)
{
    const Picture canonical = CanonicalPicture();
    // 5 × 3 to 3 × 2: columns (4 × c) div 2 = 0, 2, 4; storage rows (2 × r) div 1 = 0, 2.
    const Picture expected = {{canonical[0][0], canonical[0][2], canonical[0][4]},
                              {canonical[2][0], canonical[2][2], canonical[2][4]}};
    for (const char* name : {"img-bmp-24bit.bmp", "img-bmp-8bit.bmp", "img-bmp-4bit.bmp", "img-bmp-32bit.bmp"}) {
        OwnedDib image;
        LoadFixture(image, name);
        RecordingDibDevice printer;
        printer.printer = true;
        printer.stretchFails = true;
        DrawWhole(printer, image.d, 7, 8, 3, 2);
        ASSERT_EQ(printer.rows.size(), 1u) << name;
        const auto& r = printer.rows[0];
        EXPECT_EQ((std::vector<int32_t>{r.x, r.y, r.width, r.height, r.bits}),
                  (std::vector<int32_t>{7, 8, 3, 2, DibBitCount(image.d)}))
            << name;
        EXPECT_EQ(r.picture, expected) << name;
    }

    OwnedDib mono;
    LoadFixture(mono, "img-bmp-1bit.bmp");
    RecordingDibDevice printer;
    printer.printer = true;
    printer.stretchFails = true;
    DrawWhole(printer, mono.d, 0, 0, 3, 2);
    ASSERT_EQ(printer.rows.size(), 1u);
    const Picture source = TopDown(mono.d);
    EXPECT_EQ(printer.rows[0].picture,
              (Picture{{source[0][0], source[0][2], source[0][4]}, {source[2][0], source[2][2], source[2][4]}}));

    // A target one pixel wide takes the first column, one pixel high the first (bottom) row.
    OwnedDib image;
    LoadFixture(image, "img-bmp-24bit.bmp");
    RecordingDibDevice narrow;
    narrow.printer = true;
    narrow.stretchFails = true;
    DrawWhole(narrow, image.d, 0, 0, 1, 3);
    ASSERT_EQ(narrow.rows.size(), 1u);
    EXPECT_EQ(narrow.rows[0].picture, (Picture{{canonical[0][0]}, {canonical[1][0]}, {canonical[2][0]}}));
    RecordingDibDevice flat;
    flat.printer = true;
    flat.stretchFails = true;
    DrawWhole(flat, image.d, 0, 0, 5, 1);
    ASSERT_EQ(flat.rows.size(), 1u);
    EXPECT_EQ(flat.rows[0].picture, (Picture{canonical[2]}));
}

TEST(DrawDibToDevice, TheLastResortIsAWholeBitmapOfTheDevicesKindStretched)
{
    ScriptedMessenger messenger;
    OwnedDib four;
    LoadFixture(four, "img-bmp-4bit.bmp");

    // The device takes no rows and cannot stretch 4-bit images, but 24-bit ones.
    RecordingDibDevice printer;
    printer.printer = true;
    printer.takesRows = false;
    printer.stretchFailsForBits = 4;
    DrawWhole(printer, four.d, 1, 2, 30, 40);
    ASSERT_EQ(printer.stretches.size(), 2u);
    EXPECT_EQ(printer.stretches[1].bits, 24);
    EXPECT_EQ(printer.stretches[1].picture, CanonicalPicture());
    EXPECT_EQ(printer.stretches[1].dw, 30);
    EXPECT_EQ(printer.stretches[1].sw, 5);
    EXPECT_TRUE(messenger.Boxes().empty());

    // Rows that the device refuses lead there too; a device that cannot stretch at all is
    // reported.
    RecordingDibDevice refusing;
    refusing.printer = true;
    refusing.stretchFails = true;
    refusing.putFails = true;
    DrawWhole(refusing, four.d, 1, 2, 30, 40);
    EXPECT_EQ(refusing.rows.size(), 1u);
    EXPECT_EQ(refusing.stretches.size(), 2u);
    ASSERT_EQ(messenger.Boxes().size(), 1u);
    EXPECT_EQ(messenger.Boxes()[0].kind, ScriptedMessenger::Kind::Information);
    EXPECT_EQ(messenger.Boxes()[0].text, u"The device does not support the function StretchBlt!");

    // An image whose rows cannot be put into the bitmap (a depth the layer does not know).
    messenger.Reset();
    OwnedDib odd;
    newdib(&odd.d, 4, 4, 32, nullptr, 0);
    odd.d.info->header.biBitCount = 16;
    RecordingDibDevice device;
    device.printer = true;
    device.stretchFails = true;
    DrawWhole(device, odd.d, 0, 0, 8, 8);
    odd.d.info->header.biBitCount = 32;
    EXPECT_TRUE(device.rows.empty());
    ASSERT_EQ(messenger.Boxes().size(), 1u);
    EXPECT_EQ(messenger.Boxes()[0].text, u"The device does not support the Funtkion setdibits!");
}

TEST(DrawDibToDevice, HalftoneCopiesOnScreensOfEightBitsOrFewer)
{
    OwnedDib image;
    MakeImage24(image, CanonicalPicture());
    {
        ScreenDepth depth(8);
        RecordingDibDevice screen;
        Draw(screen, image.d, 0, 0, 10, 6, 0, 0, 5, 3, true);
        EXPECT_TRUE(screen.rows.empty());
        ASSERT_EQ(screen.stretches.size(), 1u);
        const auto& s = screen.stretches[0];
        EXPECT_EQ(s.bits, 8);
        EXPECT_EQ(s.width, 5);
        EXPECT_EQ(s.height, 3);
        EXPECT_EQ((std::vector<int32_t>{s.dx, s.dy, s.dw, s.dh, s.sx, s.sy, s.sw, s.sh}),
                  (std::vector<int32_t>{0, 0, 10, 6, 0, 0, 5, 3}));
        EXPECT_EQ(s.picture[0][0], Rgb(255, 0, 0));  // pure colours are in the halftone table

        // Shrinking: a copy resized to Round(5 × 2 / 5) × Round(3 × 2 / 3), drawn whole.
        RecordingDibDevice small;
        Draw(small, image.d, 0, 0, 2, 2, 0, 0, 5, 3, true);
        ASSERT_EQ(small.stretches.size(), 1u);
        const auto& t = small.stretches[0];
        EXPECT_EQ((std::vector<int32_t>{t.width, t.height, t.sx, t.sy, t.sw, t.sh}),
                  (std::vector<int32_t>{2, 2, 0, 0, 2, 2}));

        // Without the halftone flag the rows go as usual.
        RecordingDibDevice plain;
        Draw(plain, image.d, 0, 0, 5, 3, 0, 0, 5, 3, false);
        EXPECT_EQ(plain.rows.size(), 3u);
    }
    RecordingDibDevice deep;  // a screen of 24 bits needs no halftone
    Draw(deep, image.d, 0, 0, 5, 3, 0, 0, 5, 3, true);
    EXPECT_EQ(deep.rows.size(), 3u);
    EXPECT_TRUE(deep.stretches.empty());
}
