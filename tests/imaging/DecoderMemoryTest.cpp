// Peak memory of the decoders on hostile files: no file may make a decoder take more memory
// than its bytes and the layer's pixel limit justify. Each file is loaded in a forked child
// whose peak resident size is measured, so that a faulty decoder shows as a number, not as a
// frozen machine.
#include "ChildPeakMemory.h"
#include "DibTestSupport.h"

#include "imaging/DibAccess.h"
#include "imaging/OpenDib.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr int64_t kMiB = int64_t(1) << 20;
// A faulty decoder may get this much address space in the child, enough to show a 2 GiB
// request instead of having it fail quietly.
constexpr uint64_t kAllowance = uint64_t(4) << 30;

// Loads a fixture with OpenDib: 1 when an image came out, 0 when none did.
ChildPeak LoadInChild(const std::string& name)
{
    const std::string path = FixturePath(name);
    return MeasureInChild(
        [&] {
            dib d;
            const bool loaded = OpenDib(&d, path.c_str(), 0, 0) == 1;
            FreeDib(d);
            return loaded ? 1 : 0;
        },
        kAllowance);
}

}

TEST(DecoderMemory, TheMeasurementSeesMemoryThatIsTouched)
{
    const ChildPeak peak = MeasureInChild(
        [] {
            auto* block = static_cast<volatile char*>(std::malloc(size_t(64 * kMiB)));
            if (!block)
                return 0;
            for (int64_t i = 0; i < 64 * kMiB; i += 4096)
                block[i] = char(i);
            std::free(const_cast<char*>(block));
            return 1;
        },
        kAllowance);
    ASSERT_TRUE(peak.measured);
    EXPECT_EQ(peak.result, 1);
    EXPECT_GT(peak.growth, 60 * kMiB);
    EXPECT_LT(peak.growth, 80 * kMiB);
}

TEST(DecoderMemory, HostileFilesTakeLittleMemory)
{
    const struct {
        const char* name;
        bool loads;
    } files[] = {
        // A text chunk claiming 0x7FFFFFF0 bytes in a file of 44.
        {"img-png-text-chunk-length-past-end.png", false},
        // Four compressed text chunks of 8 KiB that expand to almost 8 MiB each; the picture
        // itself is fine.
        {"img-png-compressed-text-expanding-to-32-mib.png", true},
        // 4096 × 4096 pixels announced by 8 KiB, too few for one bit per block.
        {"img-jpeg-fewer-bits-than-blocks.jpg", false},
        {"img-png-pixel-count-above-limit.png", false},
        {"img-jpeg-dimensions-above-limit.jpg", false},
        {"img-bmp-pixel-count-above-limit.bmp", false},
        {"img-bmp-pixel-count-above-limit-rle8.bmp", false},
    };
    for (const auto& f : files) {
        const ChildPeak peak = LoadInChild(f.name);
        ASSERT_TRUE(peak.measured) << f.name;
        EXPECT_EQ(peak.result, f.loads ? 1 : 0) << f.name;
        EXPECT_LT(peak.growth, 16 * kMiB) << f.name << ": " << peak.growth / kMiB << " MiB";
    }
}

TEST(DecoderMemory, PictureBehindLargeTextChunksIsRead)
{
    OwnedDib image;
    LoadFixture(image, "img-png-compressed-text-expanding-to-32-mib.png");
    ASSERT_NE(image.d.bits, nullptr);
    EXPECT_EQ(TopDown(image.d), CanonicalPicture());
}
