// Margins, rule width and logo values in a save.dat far outside what their fields allow
// (damaged or written by something else): the page is laid out with each value brought into
// its field's range, and the file keeps what it had.
#include "RecordingCanvas.h"
#include "foundation/Utf8.h"
#include "invoices/SaveDatBytes.h"
#include "invoices/TRechnungBook.h"
#include "output/PdfExport.h"
#include "output/TOutputTarget.h"
#include "output/TPageLayout.h"
#include "pdf/PdfTestSupport.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The eight values as stored: RandXED, RandYEd, AnschriftYED, AdrXEd, LineSTEd, LogoXEd,
// LogoYEd, BreitEd; and the millimetres the page must use for them.
struct Case {
    const char* name;
    double stored[8];
    double used[8];
    bool onPage;  // whether the body lies on the page (margins of 1000 mm put it beside it)
};

const Case kCases[] = {
    {"huge and infinite",
     {2e9, -2e9, 1e300, -kInf, 1e300, 1e300, -1e300, kInf},
     {1000, 0, 1000, 0, 100, 10000, -10000, 10000},
     false},
    {"no numbers: the defaults",
     {kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN},
     {15, 15, 45, 130, 0.1, 15, 15, 170},
     true},
    {"just outside",
     {-1, 1001, 1000.4, 15.6, -0.5, -10000.5, 10001, 0},
     {0, 1000, 1000, 16, 0, -10000, 10000, 0.01},
     false},
    {"inside, as stored", {20, 12, 50, 120, 0.25, 20.5, 10.25, 80}, {20, 12, 50, 120, 0.25, 20.5, 10.25, 80}, true},
};

// The fixture book with the eight values replaced.
std::string WithValues(const double (&values)[8])
{
    std::string file = ReadWholeFile(std::string(REKOLON_TEST_DATA) + "/savedat-valid-varied.dat");
    const std::vector<size_t> ends = SectionEnds(file);
    FileBytes geometry;
    for (int i = 0; i < 5; ++i)
        geometry.F64(values[i]);
    file.replace(ends[2] - 40, 40, geometry.Str());
    FileBytes logo;
    for (int i = 5; i < 8; ++i)
        logo.F64(values[i]);
    file.replace(ends[4] - 24, 24, logo.Str());
    return file;
}

// Every coordinate a target is given stays far from the ends of the integer range.
void ExpectSaneCoordinates(const RecordingCanvas& canvas)
{
    constexpr int32_t kFar = 100000000;
    for (const auto& call : canvas.Calls()) {
        if (call.op == "Font")
            continue;
        for (const int32_t v : {call.x, call.y, call.a, call.b})
            ASSERT_LT(std::abs(int64_t(v)), kFar) << call.op << " " << U8(call.text);
    }
}

}  // namespace

TEST(SettingsOutOfRange, PageUsesTheFieldRangesAndTheFileKeepsItsValues)
{
    const TOutputTarget targets[] = {TOutputTarget::Pdf(kNoPrinterPage), TOutputTarget::Printer(kNoPrinterPage),
                                     TOutputTarget::Preview(96, 400, kNoPrinterPage)};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        ScriptedMessenger messenger;
        const std::string bytes = WithValues(c.stored);
        WriteWholeFile(dir.File("save.dat"), bytes);
        TRechnungBook book;
        book.progpath = Utf8ToUtf16(dir.Path());
        ASSERT_EQ(book.OpenRechnungen(), TRechnungBook::OpenResult::Loaded);

        // Saved again, the file is what it was.
        book.SaveRechnungen();
        EXPECT_EQ(ReadWholeFile(dir.File("save.dat")), bytes);

        book.settings.FilenameEdit1 = Utf8ToUtf16(std::string(REKOLON_TEST_DATA) + "/img-bmp-24bit.bmp");
        for (const TOutputTarget& target : targets) {
            SCOPED_TRACE(target.D);
            RecordingCanvas canvas(target);
            TPageLayout layout(canvas, book, 2, 0, TLayoutFormat{});
            layout.Run();
            EXPECT_EQ(layout.rx, target.Dev(c.used[0]));
            EXPECT_EQ(layout.ry, target.Dev(c.used[1]));
            EXPECT_EQ(layout.ay, target.Dev(c.used[2]));
            EXPECT_EQ(layout.ax, target.Dev(c.used[3]));
            EXPECT_EQ(layout.lw, target.Dev(c.used[4]));
            bool logo = false;
            for (const auto& call : canvas.Calls()) {
                if (call.op != "Logo")
                    continue;
                logo = true;
                EXPECT_EQ(call.x, target.Dev(c.used[5]));
                EXPECT_EQ(call.y, target.Dev(c.used[6]));
                EXPECT_EQ(call.a, target.Dev(c.used[7]));
            }
            EXPECT_TRUE(logo);
            ExpectSaneCoordinates(canvas);
            EXPECT_TRUE(canvas.HasText(u"Gesamtbetrag"));
        }

        // The PDF is written and read by others.
        const std::string pdf = dir.File("rechnung.pdf");
        ASSERT_EQ(ExportPdf(book, 2, 0, pdf, kNoPrinterPage, TLayoutFormat{}), PdfExportResult::Written);
        ExpectValidPdf(pdf);
        EXPECT_EQ(PdfToText(pdf).find("Gesamtbetrag") != std::string::npos, c.onPage);
        EXPECT_TRUE(messenger.Boxes().empty());
    }
}
