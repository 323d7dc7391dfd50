#include "foundation/TempFileName.h"
#include "support/EnvOverride.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(TempFileName, FirstNameEndsInZero)
{
    TempDir dir;
    EnvOverride override("TMPDIR", dir.Path().c_str());
    EXPECT_EQ(TempFileName("temppdfimg", ".bmp"), dir.Path() + "temppdfimg0.bmp");
}

TEST(TempFileName, SkipsExistingNames)
{
    TempDir dir;
    const std::string withoutSlash = dir.Path().substr(0, dir.Path().size() - 1);
    EnvOverride override("TMPDIR", withoutSlash.c_str());
    WriteWholeFile(dir.File("tempim0.jpg"), "");
    WriteWholeFile(dir.File("tempim1.jpg"), "");
    WriteWholeFile(dir.File("tempim3.jpg"), "");
    EXPECT_EQ(TempFileName("tempim", ".jpg"), dir.Path() + "tempim2.jpg");
    EXPECT_EQ(TempFileName("tempim", ".jp2"), dir.Path() + "tempim0.jp2");
}
