// The logo file of a layout run found by its name as the file system spells it, and a pipe in
// its place refused at once.
#include "foundation/PathText.h"
#include "output/TInvoiceLogo.h"
#include "support/TempDir.h"
#include "support/Watchdog.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(InvoiceLogoFile, ANameThatIsNotUtf8IsOpenedAsItIs)
{
    const std::string png = ReadWholeFile(std::string(REKOLON_TEST_DATA) + "/img-png-rgb-8bit.png");
    for (const char* name : {"Gr\xfc\xdf"
                             ".png",
                             "\xff\xfe.png",
                             "Gr\xc3\xbc\xc3\x9f"
                             "e.png"}) {
        TempDir dir;
        WriteWholeFile(dir.File(name), png);
        const TInvoiceLogo logo(PathToText(dir.File(name)));
        EXPECT_TRUE(logo.Loaded()) << name;
        EXPECT_GT(logo.Width(), 0) << name;
    }
}

TEST(InvoiceLogoFile, APipeInPlaceOfTheLogoGivesNoLogoAtOnce)
{
    const Watchdog watchdog(20, "logo file as a pipe");
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("logo.png").c_str(), 0600), 0);
    const TInvoiceLogo logo(PathToText(dir.File("logo.png")));
    EXPECT_FALSE(logo.Loaded());
}
