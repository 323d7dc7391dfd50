// "rekolon --list" run as a user runs it, against the page: every invoice's gross total in
// the list is the text the page prints after "Gesamtbetrag".
#include "LayoutFixture.h"
#include "RecordingCanvas.h"
#include "foundation/Utf8.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "output/TPageLayout.h"
#include "pdf/PdfTestSupport.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

// The text drawn right after the label "Gesamtbetrag" on the PDF target.
std::u16string PageGrandTotal(TRechnungBook& book, uint32_t index)
{
    RecordingCanvas canvas(LayoutFixture::Pdf());
    TPageLayout(canvas, book, index, 0, TLayoutFormat{}).Run();
    const int label = canvas.IndexOfText(u"Gesamtbetrag");
    if (label < 0 || size_t(label) + 1 >= canvas.Calls().size())
        return u"(no grand total)";
    return canvas.Calls()[size_t(label) + 1].text;
}

// The last tab-separated field of every line of `rekolon --list` on the folder.
std::vector<std::u16string> ListedTotals(const TempDir& dir)
{
    const char* bin = std::getenv("REKOLON_BIN_DIR");
    EXPECT_NE(bin, nullptr) << "REKOLON_BIN_DIR is not set";
    if (!bin)
        return {};
    const std::string out = dir.File("list.txt");
    const ToolResult r = RunTool("LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen " + Quote(std::string(bin) + "/rekolon") +
                                 " --data-dir " + Quote(dir.Path()) + " --list > " + Quote(out));
    EXPECT_EQ(r.exitCode, 0) << r.output;
    std::vector<std::u16string> totals;
    for (const std::string& line : Lines(ReadWholeFile(out))) {
        if (line.empty())
            continue;
        totals.push_back(Utf8ToUtf16(line.substr(line.rfind('\t') + 1)));
    }
    return totals;
}

void AddPosition(TRechnungBook& book, uint32_t rechnung, double menge, double mwst, double preis)
{
    TPositionRec& p = book.AppendPosition(rechnung);
    p.menge = menge;
    p.mwst = mwst;
    p.preis = preis;
}

}  // namespace

TEST(ListTotals, EveryListedTotalIsThePagesGrandTotal)
{
#ifndef REKOLON_WITH_PROGRAM
    GTEST_SKIP() << "the program is not built (REKOLON_GUI=OFF)";
#endif
    TempDir dir;
    ScriptedMessenger messenger;
    TRechnungBook book;
    book.progpath = Utf8ToUtf16(dir.Path());
    book.OpenRechnungen();

    // Summed in list order 10^16 + 1 − 10^16 gives 0; the page sums the 19 % group first
    // and shows 1,00.
    book.AppendRechnung().datum = 46086;
    AddPosition(book, 0, 1, 19, 1e16);
    AddPosition(book, 0, 1, 7, 1);
    AddPosition(book, 0, 1, 19, -1e16);
    // Half a cent: 0,5 × 2,01.
    book.AppendRechnung().datum = 46086;
    AddPosition(book, 1, 0.5, 19, 2.01);

    // Many random invoices: prices with three decimals, some negative, several rates in
    // mixed order, quantities with halves and quarters.
    std::mt19937 random(20260305);
    const double rates[] = {19, 7, 0, 16, 5.5, 10.7};
    const double quantities[] = {0.25, 0.5, 1, 1.5, 2, 3, 7, 12.5};
    std::uniform_int_distribution<int> positions(1, 8);
    std::uniform_int_distribution<int> thousandths(-20000, 300000);
    std::uniform_int_distribution<size_t> rate(0, std::size(rates) - 1);
    std::uniform_int_distribution<size_t> quantity(0, std::size(quantities) - 1);
    for (uint32_t i = 2; i < 1500; ++i) {
        book.AppendRechnung().datum = 46086;
        const int n = positions(random);
        for (int j = 0; j < n; ++j)
            AddPosition(book, i, quantities[quantity(random)], rates[rate(random)], thousandths(random) / 1000.0);
    }
    book.SaveRechnungen();
    ASSERT_TRUE(messenger.Boxes().empty());

    const std::vector<std::u16string> listed = ListedTotals(dir);
    ASSERT_EQ(listed.size(), book.RechnungCount());
    EXPECT_EQ(listed[0], u"1,00 €");
    EXPECT_EQ(listed[1], u"1,01 €");
    int differing = 0;
    for (uint32_t i = 0; i < book.RechnungCount(); ++i) {
        const std::u16string page = PageGrandTotal(book, i);
        if (listed[i] != page && ++differing <= 5)
            ADD_FAILURE() << "invoice " << i + 1 << ": list " << Utf16ToUtf8(listed[i]) << ", page "
                          << Utf16ToUtf8(page);
    }
    EXPECT_EQ(differing, 0) << "of " << book.RechnungCount() << " invoices";
}
