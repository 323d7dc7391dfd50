#include "invoices/InvoiceTotals.h"
#include "invoices/NumberText.h"
#include "invoices/TRechnungBook.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct Line {
    double menge;
    double mwst;
    double preis;
};

TRechnungRec& Invoice(TRechnungBook& book, std::initializer_list<Line> lines)
{
    const uint32_t index = book.RechnungCount();
    TRechnungRec& r = book.AppendRechnung();
    for (const Line& line : lines) {
        TPositionRec& p = book.AppendPosition(index);
        p.menge = line.menge;
        p.mwst = line.mwst;
        p.preis = line.preis;
    }
    return r;
}

}  // namespace

TEST(InvoiceTotals, GroupsByRateTextInOrderOfFirstOccurrence)
{
    TRechnungBook book;
    const TRechnungRec& r = Invoice(book, {{1, 19, 1},
                                           {1, 7, 1},
                                           {1, 19, 1},
                                           {1, 0, 1},
                                           {1, 7.0000000000000001, 1},
                                           {1, 16.0000000000001, 1},
                                           {1, 16, 1}});
    const std::vector<std::vector<uint32_t>> expected = {{0, 2}, {1, 4}, {3}, {5}, {6}};
    EXPECT_EQ(InvoiceTotals::RateGroups(r), expected);
    EXPECT_TRUE(InvoiceTotals::RateGroups(Invoice(book, {})).empty());
}

TEST(InvoiceTotals, SumsInThePagesOrderFromUnroundedValues)
{
    TRechnungBook book;
    // In list order 10^16 + 1 − 10^16 would be 0; the 19 % group comes first.
    EXPECT_EQ(InvoiceTotals::Of(Invoice(book, {{1, 19, 1e16}, {1, 7, 1}, {1, 19, -1e16}})).gross, 1.0);

    const InvoiceTotals t = InvoiceTotals::Of(Invoice(book, {{3, 19, 10}}));
    EXPECT_EQ(t.gross, 30.0);
    EXPECT_EQ(FormatFixed2(t.net, u','), u"25,21");
    EXPECT_EQ(FormatFixed2(t.vat, u','), u"4,79");
    EXPECT_DOUBLE_EQ(t.net + t.vat, 30.0);

    // 2,5 × 10,05 = 25,125: the totals are rounded only when written, each by itself.
    const InvoiceTotals half = InvoiceTotals::Of(Invoice(book, {{2.5, 19, 10.05}}));
    EXPECT_EQ(FormatFixed2(half.gross, u','), u"25,13");
    EXPECT_EQ(FormatFixed2(half.net, u','), u"21,11");
    EXPECT_EQ(FormatFixed2(half.vat, u','), u"4,01");

    // Negative amounts, and a rate of −100 carrying no VAT.
    const InvoiceTotals credit = InvoiceTotals::Of(Invoice(book, {{-1, 0, 2.675}, {0.5, -100, 2.01}}));
    EXPECT_EQ(FormatFixed2(credit.gross, u','), u"-1,67");
    EXPECT_EQ(credit.vat, 0.0);
    EXPECT_EQ(credit.net, credit.gross);

    const InvoiceTotals none = InvoiceTotals::Of(Invoice(book, {}));
    EXPECT_EQ(none.gross, 0.0);
    EXPECT_EQ(none.net, 0.0);
    EXPECT_EQ(none.vat, 0.0);
}

TEST(InvoiceTotals, NetPrice)
{
    TPositionRec p{};
    p.preis = 119;
    p.mwst = 19;
    EXPECT_DOUBLE_EQ(InvoiceTotals::NetPrice(p), 100.0);
    p.mwst = -100;
    EXPECT_EQ(InvoiceTotals::NetPrice(p), 119.0);
    p.mwst = 0;
    EXPECT_EQ(InvoiceTotals::NetPrice(p), 119.0);
}
