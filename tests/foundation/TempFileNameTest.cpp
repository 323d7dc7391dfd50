#include "foundation/TempFileName.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Points TMPDIR at a fresh folder for one test.
class TempFolderOverride {
public:
    explicit TempFolderOverride(const std::string& folder)
    {
        const char* old = std::getenv("TMPDIR");
        had_ = old != nullptr;
        if (had_)
            old_ = old;
        setenv("TMPDIR", folder.c_str(), 1);
    }
    ~TempFolderOverride()
    {
        if (had_)
            setenv("TMPDIR", old_.c_str(), 1);
        else
            unsetenv("TMPDIR");
    }

private:
    bool had_ = false;
    std::string old_;
};

}

TEST(TempFileName, FirstNameEndsInZero)
{
    TempDir dir;
    TempFolderOverride override(dir.Path());
    EXPECT_EQ(TempFileName("temppdfimg", ".bmp"), dir.Path() + "temppdfimg0.bmp");
}

TEST(TempFileName, SkipsExistingNames)
{
    TempDir dir;
    TempFolderOverride override(dir.Path().substr(0, dir.Path().size() - 1));  // no slash
    WriteWholeFile(dir.File("tempim0.jpg"), "");
    WriteWholeFile(dir.File("tempim1.jpg"), "");
    WriteWholeFile(dir.File("tempim3.jpg"), "");
    EXPECT_EQ(TempFileName("tempim", ".jpg"), dir.Path() + "tempim2.jpg");
    EXPECT_EQ(TempFileName("tempim", ".jp2"), dir.Path() + "tempim0.jp2");
}
