#include "PdfTestSupport.h"

#include "foundation/MemoryByteSink.h"
#include "imaging/DibAccess.h"
#include "imaging/OpenDib.h"
#include "pdf/PdfImageStore.h"
#include "pdf/PdfObjectWriter.h"
#include "support/EnvOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

namespace {

// An image from the test data, released at the end of the test.
struct TestImage {
    dib d;
    explicit TestImage(const char* name)
    {
        std::memset(&d, 0, sizeof d);
        OpenDib(&d, (std::string(REKOLON_TEST_DATA) + "/" + name).c_str(), 0, 0);
    }
    ~TestImage() { FreeDib(d); }
    TestImage(const TestImage&) = delete;
    TestImage& operator=(const TestImage&) = delete;
};

size_t FileCount(const std::string& folder)
{
    size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++n;
    return n;
}

}

TEST(PdfImageStore, KeepsDrawableDepthsInOrderAndWritesOneObjectEach)
{
    const TestImage eight("img-bmp-8bit.bmp");
    const TestImage colour("img-bmp-24bit.bmp");
    dib none;  // no image at all: no depth
    std::memset(&none, 0, sizeof none);

    PdfImageStore store;
    const struct {
        const dib& image;
        int32_t result;
    } cases[] = {
        {eight.d, 0},
        {none, PdfImageStore::kNotKept},
        {colour.d, 1},
        {eight.d, 2},  // the same image again is a copy of its own
    };
    for (const auto& c : cases)
        EXPECT_EQ(store.Keep(c.image, false), c.result);
    EXPECT_EQ(store.Count(), 3);
    std::string resources;
    store.AppendResources(resources, 7);
    EXPECT_EQ(resources, "/Im0 7 0 R/Im1 8 0 R/Im2 9 0 R");

    MemoryByteSink sink;
    PdfObjectWriter out;
    ASSERT_TRUE(out.Open(sink));
    store.WriteObjects(out, true, false);
    const std::string& bytes = sink.Bytes();
    const std::string head = "<< /Type /XObject /Subtype /Image /Width " + std::to_string(DibWidth(eight.d)) +
                             " /Height " + std::to_string(DibHeight(eight.d)) +
                             " /BitsPerComponent 8 /ColorSpace [ /CalRGB<<";
    EXPECT_EQ(bytes.substr(0, 8 + head.size()), "1 0 obj\n" + head);
    EXPECT_NE(bytes.find("2 0 obj\n<< /Type /XObject /Subtype /Image /Width " + std::to_string(DibWidth(colour.d))),
              std::string::npos);
    EXPECT_NE(bytes.find("3 0 obj\n"), std::string::npos);
    EXPECT_EQ(bytes.find("4 0 obj\n"), std::string::npos);
    EXPECT_EQ(bytes.find("/DeviceRGB"), std::string::npos);
    // The JPEG data ends with its end marker, and "endstream" follows it directly.
    EXPECT_NE(bytes.find("\xFF\xD9"
                         "endstream\nendobj\n3 0 obj\n"),
              std::string::npos);

    store.Release();
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.Keep(colour.d, false), 0);  // numbering starts again
}

TEST(PdfImageStore, SpoolFilesLiveUntilRelease)
{
    TempDir temp;
    EnvOverride override("TMPDIR", temp.Path().c_str());
    const TestImage colour("img-bmp-24bit.bmp");
    {
        PdfImageStore store;
        EXPECT_EQ(store.Keep(colour.d, true), 0);
        EXPECT_EQ(store.Keep(colour.d, true), 1);
        EXPECT_EQ(FileCount(temp.Path()), 3u);  // two bitmaps and the folder's lock file

        MemoryByteSink sink;
        PdfObjectWriter out;
        ASSERT_TRUE(out.Open(sink));
        store.WriteObjects(out, false, true);
        EXPECT_NE(sink.Bytes().find("/ColorSpace /DeviceRGB"), std::string::npos);
        EXPECT_NE(sink.Bytes().find("/Filter /JPXDecode >>"), std::string::npos);
        EXPECT_EQ(sink.Bytes().find("/Subtype /Form"), std::string::npos);  // both read back
        EXPECT_EQ(FileCount(temp.Path()), 3u);                              // and still kept
        store.Release();
        EXPECT_EQ(FileCount(temp.Path()), 1u);
        EXPECT_EQ(store.Keep(colour.d, true), 0);
    }  // the destructor releases as well
    EXPECT_EQ(FileCount(temp.Path()), 1u);
}
