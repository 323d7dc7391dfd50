// Saving images: Windows bitmaps byte for byte and by round trip, JPEG and JPEG 2000 files
// with three colour components, and saves that cannot succeed.
#include "DibTestSupport.h"

#include "imaging/DibAccess.h"
#include "imaging/DibMemory.h"
#include "imaging/DibPixels.h"
#include "imaging/OpenDib.h"
#include "imaging/SaveDib.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <openjpeg.h>

#include <cstring>
#include <sys/stat.h>

namespace {

// Number of components in a JPEG file's frame header; -1 without one.
int JpegComponents(const std::string& bytes)
{
    for (size_t i = 2; i + 9 < bytes.size();) {
        if (uint8_t(bytes[i]) != 0xFF)
            return -1;
        const uint8_t marker = uint8_t(bytes[i + 1]);
        const size_t length = size_t(uint8_t(bytes[i + 2])) << 8 | uint8_t(bytes[i + 3]);
        if (marker >= 0xC0 && marker <= 0xC3)
            return uint8_t(bytes[i + 9]);
        i += 2 + length;
    }
    return -1;
}

// An image of 8 × 8 blocks of one colour each, so that JPEG keeps the colours closely.
void MakeBlocks(OwnedDib& image, const Picture& blocks)
{
    Picture big;
    for (const auto& row : blocks) {
        std::vector<uint32_t> line;
        for (const uint32_t c : row)
            line.insert(line.end(), 8, c);
        big.insert(big.end(), 8, line);
    }
    MakeImage24(image, big);
}

// Decodes a JPEG 2000 file with OpenJPEG: width, height, components and the top-down
// colours.
struct Jp2Image {
    int width = 0, height = 0, components = 0;
    Picture picture;
};

struct Jp2Input {
    const std::string* bytes;
    size_t pos;
};

OPJ_SIZE_T Jp2Read(void* buffer, OPJ_SIZE_T n, void* user)
{
    auto* in = static_cast<Jp2Input*>(user);
    const size_t left = in->bytes->size() - in->pos;
    if (left == 0)
        return OPJ_SIZE_T(-1);
    n = n < left ? n : left;
    std::memcpy(buffer, in->bytes->data() + in->pos, n);
    in->pos += n;
    return n;
}

OPJ_OFF_T Jp2Skip(OPJ_OFF_T n, void* user)
{
    static_cast<Jp2Input*>(user)->pos += size_t(n);
    return n;
}

OPJ_BOOL Jp2Seek(OPJ_OFF_T n, void* user)
{
    static_cast<Jp2Input*>(user)->pos = size_t(n);
    return OPJ_TRUE;
}

Jp2Image DecodeJp2(const std::string& bytes)
{
    Jp2Image result;
    Jp2Input input{&bytes, 0};
    opj_stream_t* stream = opj_stream_create(1 << 16, OPJ_TRUE);
    opj_stream_set_user_data(stream, &input, nullptr);
    opj_stream_set_user_data_length(stream, bytes.size());
    opj_stream_set_read_function(stream, Jp2Read);
    opj_stream_set_skip_function(stream, Jp2Skip);
    opj_stream_set_seek_function(stream, Jp2Seek);
    opj_codec_t* codec = opj_create_decompress(OPJ_CODEC_JP2);
    opj_dparameters_t parameters;
    opj_set_default_decoder_parameters(&parameters);
    opj_setup_decoder(codec, &parameters);
    opj_image_t* image = nullptr;
    if (opj_read_header(stream, codec, &image) && opj_decode(codec, stream, image)) {
        result.width = int(image->x1 - image->x0);
        result.height = int(image->y1 - image->y0);
        result.components = int(image->numcomps);
        if (result.components == 3) {
            for (int y = 0; y < result.height; ++y) {
                result.picture.emplace_back();
                for (int x = 0; x < result.width; ++x) {
                    const size_t i = size_t(y) * size_t(result.width) + size_t(x);
                    result.picture.back().push_back(Rgb(uint32_t(image->comps[0].data[i]),
                                                        uint32_t(image->comps[1].data[i]),
                                                        uint32_t(image->comps[2].data[i])));
                }
            }
        }
    }
    if (image)
        opj_image_destroy(image);
    opj_destroy_codec(codec);
    opj_stream_destroy(stream);
    return result;
}

}

TEST(SaveDib, WindowsBitmapsAreWrittenByteForByteAsTheirFormatDescribes)
{
    // The fixtures were written from the format's description by make-image-fixtures.py;
    // saving what was read from them gives the same bytes.
    TempDir dir;
    for (const char* name : {"img-bmp-24bit.bmp", "img-bmp-32bit.bmp", "img-bmp-4bit.bmp", "img-bmp-1bit.bmp"}) {
        OwnedDib image;
        LoadFixture(image, name);
        ASSERT_NE(image.d.bits, nullptr) << name;
        const std::string out = dir.File("out.bmp");
        EXPECT_EQ(SaveDib(image.d, out.c_str(), 3, 0), 1) << name;
        EXPECT_EQ(ReadWholeFile(out), ReadWholeFile(FixturePath(name))) << name;
    }
}

TEST(SaveDib, BitmapRoundTripKeepsPixelsAndTheFullColourTable)
{
    TempDir dir;
    for (const char* name : {"img-bmp-8bit.bmp", "img-bmp-rle4.bmp", "img-png-palette-8bit.png", "img-png-rgba.png",
                             "img-bmp-32bit-bitfields-alpha.bmp"}) {
        OwnedDib image;
        LoadFixture(image, name);
        ASSERT_NE(image.d.bits, nullptr) << name;
        const std::string out = dir.File("rund.bmp");
        ASSERT_EQ(SaveDib(image.d, out.c_str(), 3, 0), 1) << name;
        OwnedDib back;
        ASSERT_EQ(OpenDib(&back.d, out.c_str(), 3, 0), 1) << name;
        EXPECT_EQ(DibBitCount(back.d), DibBitCount(image.d)) << name;
        EXPECT_EQ(TopDown(back.d), TopDown(image.d)) << name;
        if (DibBitCount(image.d) <= 8) {
            EXPECT_EQ(std::memcmp(back.d.info->colors, image.d.info->colors, sizeof(TRgbQuad) << DibBitCount(image.d)),
                      0)
                << name;
            EXPECT_EQ(std::memcmp(back.d.pal, image.d.pal, 4u << DibBitCount(image.d)), 0) << name;
        }
    }
}

TEST(SaveDib, JpegFilesHaveThreeComponentsAndTheColoursOfEveryDepth)
{
    TempDir dir;
    const Picture blocks = {{Rgb(255, 0, 0), Rgb(0, 160, 0), Rgb(30, 60, 200)},
                            {Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(250, 200, 20)}};
    OwnedDib rgb;
    MakeBlocks(rgb, blocks);

    // The same picture as an 8-bit image through a colour table, and as 32 bits.
    OwnedDib indexed;
    newdib(&indexed.d, 24, 16, 8, nullptr, 0);
    OwnedDib wide;
    newdib(&wide.d, 24, 16, 32, nullptr, 0);
    for (int i = 0; i < 6; ++i) {
        const uint32_t c = blocks[size_t(i / 3)][size_t(i % 3)];
        DibSetColor(indexed.d, 10 + i, uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16));
    }
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 24; ++x) {
            setpixel(indexed.d, x, 15 - y, uint32_t(10 + (y / 8) * 3 + x / 8));
            setpixel(wide.d, x, 15 - y, blocks[size_t(y / 8)][size_t(x / 8)]);
        }

    for (const dib* image : {&rgb.d, &indexed.d, &wide.d}) {
        const std::string out = dir.File("bild.jpg");
        ASSERT_EQ(SaveDib(*image, out.c_str(), 7, 0), 1) << DibBitCount(*image);
        const std::string bytes = ReadWholeFile(out);
        EXPECT_EQ(bytes.substr(0, 2), "\xFF\xD8");
        EXPECT_EQ(JpegComponents(bytes), 3) << DibBitCount(*image);
        OwnedDib back;
        ASSERT_EQ(OpenDib(&back.d, out.c_str(), 0, 0), 1);
        EXPECT_EQ(DibBitCount(back.d), 24);
        const Picture got = TopDown(back.d);
        for (int by = 0; by < 2; ++by)
            for (int bx = 0; bx < 3; ++bx)
                EXPECT_TRUE(Near(got[size_t(by * 8 + 4)][size_t(bx * 8 + 4)], blocks[size_t(by)][size_t(bx)], 8))
                    << DibBitCount(*image) << " bits, block " << bx << "," << by << std::hex << ": "
                    << got[size_t(by * 8 + 4)][size_t(bx * 8 + 4)];
    }

    // A grey 8-bit image and a 1-bit image also become three components.
    for (const char* name : {"img-png-grey-8bit.png", "img-bmp-1bit.bmp"}) {
        OwnedDib image;
        LoadFixture(image, name);
        const std::string out = dir.File("klein.jpg");
        ASSERT_EQ(SaveDib(image.d, out.c_str(), 7, 0), 1) << name;
        EXPECT_EQ(JpegComponents(ReadWholeFile(out)), 3) << name;
    }
}

TEST(SaveDib, Jpeg2000FilesDecodeToThreeComponentsOfTheImagesColours)
{
    TempDir dir;
    const Picture blocks = {{Rgb(255, 0, 0), Rgb(0, 0, 255)}, {Rgb(255, 255, 255), Rgb(40, 160, 40)}};
    OwnedDib rgb;
    MakeBlocks(rgb, blocks);
    const std::string out = dir.File("bild.jp2");
    ASSERT_EQ(SaveDib(rgb.d, out.c_str(), 14, 0), 1);
    const std::string bytes = ReadWholeFile(out);
    EXPECT_EQ(bytes.substr(0, 12), std::string("\0\0\0\x0CjP  \r\n\x87\n", 12));  // JP2 signature box
    const Jp2Image decoded = DecodeJp2(bytes);
    ASSERT_EQ(decoded.components, 3);
    ASSERT_EQ(decoded.width, 16);
    ASSERT_EQ(decoded.height, 16);
    for (int by = 0; by < 2; ++by)
        for (int bx = 0; bx < 2; ++bx)
            EXPECT_TRUE(
                Near(decoded.picture[size_t(by * 8 + 4)][size_t(bx * 8 + 4)], blocks[size_t(by)][size_t(bx)], 12))
                << bx << "," << by << std::hex << ": " << decoded.picture[size_t(by * 8 + 4)][size_t(bx * 8 + 4)];

    // Tiny images and indexed ones are encoded too.
    OwnedDib tiny;
    LoadFixture(tiny, "img-bmp-4bit.bmp");
    ASSERT_EQ(SaveDib(tiny.d, out.c_str(), 14, 0), 1);
    const Jp2Image small = DecodeJp2(ReadWholeFile(out));
    EXPECT_EQ(small.components, 3);
    EXPECT_EQ(small.width, 5);
    EXPECT_EQ(small.height, 3);
}

TEST(SaveDib, ASaveThatCannotSucceedReturnsZeroAndLeavesFilesAlone)
{
    TempDir dir;
    OwnedDib image;
    LoadFixture(image, "img-bmp-24bit.bmp");
    const std::string existing = dir.File("alt.bmp");
    WriteWholeFile(existing, "bisheriger Inhalt");

    dib empty{};
    for (const int32_t format : {3, 7, 14})
        EXPECT_EQ(SaveDib(empty, existing.c_str(), format, 0), 0);
    EXPECT_EQ(SaveDib(image.d, existing.c_str(), 5, 0), 0);  // no such format
    EXPECT_EQ(SaveDib(image.d, existing.c_str(), 0, 0), 0);
    EXPECT_EQ(ReadWholeFile(existing), "bisheriger Inhalt");

    EXPECT_EQ(SaveDib(image.d, dir.File("fehlt/bild.bmp").c_str(), 3, 0), 0);
    EXPECT_EQ(SaveDib(image.d, dir.Path().c_str(), 7, 0), 0);  // a folder
    EXPECT_EQ(SaveDib(image.d, "", 3, 0), 0);
    EXPECT_EQ(SaveDib(image.d, nullptr, 3, 0), 0);
    struct stat st;
    EXPECT_NE(stat(dir.File("fehlt").c_str(), &st), 0);

    // A depth the formats do not take: a 16-bit record made by hand.
    OwnedDib sixteen;
    newdib(&sixteen.d, 4, 4, 32, nullptr, 0);
    sixteen.d.info->header.biBitCount = 16;
    for (const int32_t format : {3, 7, 14})
        EXPECT_EQ(SaveDib(sixteen.d, existing.c_str(), format, 0), 0) << format;
    sixteen.d.info->header.biBitCount = 32;
    EXPECT_EQ(ReadWholeFile(existing), "bisheriger Inhalt");
}
