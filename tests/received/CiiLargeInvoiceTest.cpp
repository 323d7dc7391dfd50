// A CII invoice of 50,000 lines, generated: every line read, the sums as the file states them.
#include "CiiReadHelper.h"

#include "support/LargeCiiInvoice.h"

#include <gtest/gtest.h>

TEST(CiiLargeInvoice, FiftyThousandLinesReadWithTheirSums)
{
    const LargeCiiInvoice large = MakeLargeCiiInvoice(50'000);
    const ReceivedReadResult read = ReadCiiBytes(large.xml);
    ASSERT_TRUE(read.invoice);
    const ReceivedInvoice& invoice = *read.invoice;
    ASSERT_EQ(invoice.lines.size(), 50'000u);
    Micros sum = 0;
    for (const ReceivedLine& line : invoice.lines)
        sum += line.netAmount.value_or(0);
    EXPECT_EQ(sum, large.lineNetTotal);
    EXPECT_EQ(invoice.totals.lineNetTotal, large.lineNetTotal);
    EXPECT_EQ(invoice.totals.netTotal, large.lineNetTotal);
    EXPECT_EQ(invoice.totals.vatTotal, large.vatTotal);
    EXPECT_EQ(invoice.totals.grossTotal, large.grossTotal);
    EXPECT_EQ(invoice.totals.amountDue, large.grossTotal);
    ASSERT_EQ(invoice.vatBreakdown.size(), 2u);
    EXPECT_EQ(invoice.vatBreakdown[0].taxableAmount, large.netAt19);
    EXPECT_EQ(invoice.vatBreakdown[0].taxAmount, large.vatAt19);
    EXPECT_EQ(invoice.vatBreakdown[1].taxableAmount, large.netAt7);
    EXPECT_EQ(invoice.vatBreakdown[1].taxAmount, large.vatAt7);
    // The last line: 50000 % 9 + 1 = 6 pieces at 0.99 (50000 % 250 = 0), 7 %.
    const ReceivedLine& last = invoice.lines.back();
    EXPECT_EQ(last.id, u"50000");
    EXPECT_EQ(last.quantity, 6'000'000);
    EXPECT_EQ(last.netPrice, 990'000);
    EXPECT_EQ(last.netAmount, 5'940'000);
    EXPECT_EQ(last.vatRate, 7'000'000);
    EXPECT_EQ(last.unitCode, u"H87");
}

// The line bound of the limits, one over and exactly at it.
TEST(CiiLargeInvoice, MoreLinesThanTheLimitAreRefusedNamingTheTransaction)
{
    const LargeCiiInvoice small = MakeLargeCiiInvoice(11);
    ReceivedLimits limits;
    limits.maxLines = 10;
    const ReceivedReadResult over = ReadCiiBytes(small.xml, limits);
    EXPECT_FALSE(over.invoice);
    EXPECT_NE(over.error.find(u"„rsm:SupplyChainTradeTransaction“"), std::u16string::npos);
    EXPECT_NE(over.error.find(u"11 Positionen, mehr als die 10"), std::u16string::npos);
    limits.maxLines = 11;
    EXPECT_TRUE(ReadCiiBytes(small.xml, limits).invoice);
}
