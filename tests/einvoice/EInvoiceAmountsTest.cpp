// The one calculation of e-invoice amounts: worked examples, the decimal conversion against
// the page's own rounding, and every EN 16931 sum rule over 100,000 random invoices, with the
// amount due equal to the "Gesamtbetrag" the page prints.
#include "einvoice/EInvoiceAmounts.h"
#include "einvoice/DecimalNumber.h"
#include "einvoice/EInvoiceDefaults.h"
#include "invoices/InvoiceTotals.h"
#include "invoices/NumberText.h"
#include "invoices/TRechnungBook.h"
#include "output/LayoutFixture.h"
#include "output/RecordingCanvas.h"
#include "output/TPageLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

namespace {

void Add(TRechnungBook& book, double menge, double mwst, double preis)
{
    TPositionRec& p = book.AppendPosition(0);
    p.menge = menge;
    p.mwst = mwst;
    p.preis = preis;
}

// An independent reading of a decimal text into units of 10^-decimals (test's own parser).
int64_t Units(const std::string& text, int decimals)
{
    int64_t units = 0;
    int after = -1;
    for (char c : text) {
        if (c == '.') {
            after = 0;
            continue;
        }
        if (c == '-')
            continue;
        units = units * 10 + (c - '0');
        if (after >= 0)
            ++after;
    }
    EXPECT_LE(after, decimals) << text;
    for (int k = std::max(after, 0); k < decimals; ++k)
        units *= 10;
    return !text.empty() && text[0] == '-' ? -units : units;
}

int64_t RoundedQuotient(__int128 n, __int128 d)
{
    const bool negative = n < 0;
    const __int128 m = negative ? -n : n;
    const __int128 q = (2 * m + d) / (2 * d);  // half up on the magnitude
    return static_cast<int64_t>(negative ? -q : q);
}

// Every sum rule of EN 16931 that the amounts touch, read back from their written texts.
void CheckSumRules(const EInvoiceAmounts& a, const TRechnungRec& r, const std::string& where)
{
    SCOPED_TRACE(where);
    ASSERT_TRUE(a.valid);
    int64_t lines = 0;
    for (const EInvoiceLine& line : a.lines) {
        const std::string price = DecimalText(line.netPrice, 6, 2);
        const std::string quantity = DecimalText(line.quantity, 6, 0);
        const std::string amount = DecimalText(line.netAmount, 2, 2);
        ASSERT_GE(line.netPrice, 0) << price;  // BR-27
        // BT-131 = BT-129 × BT-146, to the cent (the texts as written, ≤ 6 decimals).
        ASSERT_EQ(Units(amount, 2), RoundedQuotient(__int128(Units(quantity, 6)) * Units(price, 6), 10000000000))
            << quantity << " x " << price << " = " << amount;
        lines += Units(amount, 2);
    }
    const std::string lineTotal = DecimalText(a.lineTotal, 2, 2);
    ASSERT_EQ(Units(lineTotal, 2), lines);    // BR-CO-10
    ASSERT_EQ(a.taxBasisTotal, a.lineTotal);  // BR-CO-13
    int64_t taxes = 0;
    for (size_t g = 0; g < a.taxes.size(); ++g) {
        const EInvoiceTaxGroup& group = a.taxes[g];
        int64_t basis = 0;
        for (const EInvoiceLine& line : a.lines) {
            if (line.category == group.category && line.rate == group.rate)
                basis += line.netAmount;
        }
        ASSERT_EQ(group.basis, basis);  // BR-S-08, -Z-08, -E-08, ...
        const int64_t rate = Units(DecimalText(group.rate, 6, 2), 6);
        if (group.category == VatCategory::S) {
            ASSERT_GT(rate, 0);                                                              // BR-S-05
            ASSERT_EQ(group.tax, RoundedQuotient(__int128(group.basis) * rate, 100000000));  // BR-S-09, BR-CO-17
        } else {
            ASSERT_EQ(rate, 0);
            ASSERT_EQ(group.tax, 0);  // BR-Z-09, BR-E-09, ...
        }
        for (size_t h = 0; h < g; ++h)
            ASSERT_FALSE(a.taxes[h].category == group.category && a.taxes[h].rate == group.rate);
        taxes += group.tax;
    }
    ASSERT_EQ(a.taxTotal, taxes);                           // BR-CO-14
    ASSERT_EQ(a.grandTotal, a.taxBasisTotal + a.taxTotal);  // BR-CO-15
    ASSERT_EQ(a.duePayable, a.grandTotal + a.rounding);     // BR-CO-16
    // The amount due is the page's Gesamtbetrag, to the cent.
    const std::u16string printed = FormatFixed2(InvoiceTotals::Of(r).gross, u'.');
    ASSERT_EQ(DecimalText(a.duePayable, 2, 2), std::string(printed.begin(), printed.end()));
    // Rounding leaves at most half a cent per line (plus the quantity times half a millionth
    // that the written price may differ by) and per breakdown row, and one for the page.
    double bound = 1 + 0.5 * double(a.taxes.size());
    for (const EInvoiceLine& line : a.lines)
        bound += 0.5 + std::fabs(double(line.quantity)) / 1e6 * 0.5e-6 * 100 * 1.2;
    ASSERT_LE(double(std::abs(a.rounding)), bound);
}

}

TEST(EInvoiceAmounts, WorkedExample)
{
    TRechnungBook book;
    book.AppendRechnung();
    Add(book, 3, 19, 10);   // the page: net 8,40, VAT 1,60, total 30,00
    Add(book, 2, 7, 10.7);  // net exactly 10
    Add(book, 1.5, 0, 4);   // zero rated
    const EInvoiceAmounts a = EInvoiceAmounts::Of(book.Rechnung(0), book.settings);
    ASSERT_EQ(a.lines.size(), 3u);
    EXPECT_EQ(DecimalText(a.lines[0].netPrice, 6, 2), "8.403361");
    EXPECT_EQ(a.lines[0].netAmount, 2521);
    EXPECT_EQ(DecimalText(a.lines[1].netPrice, 6, 2), "10.00");
    EXPECT_EQ(a.lines[1].netAmount, 2000);
    EXPECT_EQ(a.lines[2].category, VatCategory::Z);
    EXPECT_EQ(a.lines[2].netAmount, 600);
    ASSERT_EQ(a.taxes.size(), 3u);
    EXPECT_EQ(a.taxes[0].tax, 479);  // 25.21 × 19 % = 4.7899
    EXPECT_EQ(a.taxes[1].tax, 140);
    EXPECT_EQ(a.lineTotal, 5121);
    EXPECT_EQ(a.taxTotal, 619);
    EXPECT_EQ(a.grandTotal, 5740);
    EXPECT_EQ(a.duePayable, 5740);  // 30 + 21.40 + 6
    EXPECT_EQ(a.rounding, 0);
    CheckSumRules(a, book.Rechnung(0), "worked example");
}

TEST(EInvoiceAmounts, RoundingAmountMakesTheAmountDueThePrintedTotal)
{
    // Seven positions at 0.99 including 19 %: the lines round to 0.83 each, the page prints 6.93.
    TRechnungBook book;
    book.AppendRechnung();
    for (int i = 0; i < 7; ++i)
        Add(book, 1, 19, 0.99);
    const EInvoiceAmounts a = EInvoiceAmounts::Of(book.Rechnung(0), book.settings);
    EXPECT_EQ(a.lineTotal, 7 * 83);
    EXPECT_EQ(a.taxTotal, 110);  // 5.81 × 19 % = 1.1039
    EXPECT_EQ(a.grandTotal, 691);
    EXPECT_EQ(a.duePayable, 693);
    EXPECT_EQ(a.rounding, 2);
}

TEST(EInvoiceAmounts, NegativePricesMoveTheirSignToTheQuantity)
{
    TRechnungBook book;
    book.AppendRechnung();
    Add(book, 1, 19, -11.9);  // a discount line
    Add(book, -2, 19, 11.9);  // a return
    const EInvoiceAmounts a = EInvoiceAmounts::Of(book.Rechnung(0), book.settings);
    EXPECT_EQ(a.lines[0].quantity, -1000000);
    EXPECT_EQ(a.lines[0].netPrice, 10000000);
    EXPECT_EQ(a.lines[0].netAmount, -1000);
    EXPECT_EQ(a.lines[1].quantity, -2000000);
    EXPECT_EQ(a.lines[1].netAmount, -2000);
    EXPECT_EQ(a.duePayable, -3570);
    CheckSumRules(a, book.Rechnung(0), "negative");
}

TEST(EInvoiceAmounts, KleinunternehmerAndNoVatTakeThePricesAsTheyAre)
{
    TRechnungBook book;
    book.AppendRechnung();
    Add(book, 2, 19, 11.9);
    Add(book, 1, 0, 5);
    book.settings.NoMwstCheck = true;
    book.settings.KleinunternehmerCheck = true;
    EInvoiceAmounts a = EInvoiceAmounts::Of(book.Rechnung(0), book.settings);
    ASSERT_EQ(a.taxes.size(), 1u);
    EXPECT_EQ(a.taxes[0].category, VatCategory::E);
    EXPECT_EQ(a.lines[0].netPrice, 11900000);  // the page shows no VAT: the price is the price
    EXPECT_EQ(a.taxTotal, 0);
    EXPECT_EQ(a.duePayable, 2880);
    EXPECT_EQ(a.rounding, 0);
    // Printed with VAT, a rate is refused for a Kleinunternehmer; without, it is simply E.
    book.settings.NoMwstCheck = false;
    EXPECT_EQ(TaxOfPosition(*static_cast<TPositionRec*>(book.Rechnung(0).posis->At(0)), book.settings, 0).problem,
              PositionProblem::VatDespiteKleinunternehmer);
    EXPECT_EQ(TaxOfPosition(*static_cast<TPositionRec*>(book.Rechnung(0).posis->At(1)), book.settings, 0).problem,
              PositionProblem::None);
    // "Keine MwSt berechnen" alone: 0 % lines of the invoice's category, rates refused.
    book.settings.KleinunternehmerCheck = false;
    book.settings.NoMwstCheck = true;
    book.Rechnung(0).nullkategorie = uint8_t(ZeroRateCategory::O);
    const PositionTax tax = TaxOfPosition(*static_cast<TPositionRec*>(book.Rechnung(0).posis->At(1)), book.settings,
                                          book.Rechnung(0).nullkategorie);
    EXPECT_EQ(tax.category, VatCategory::O);
    EXPECT_EQ(tax.problem, PositionProblem::None);
    EXPECT_EQ(TaxOfPosition(*static_cast<TPositionRec*>(book.Rechnung(0).posis->At(0)), book.settings, 5).problem,
              PositionProblem::VatDespiteNoMwst);
}

TEST(EInvoiceAmounts, NumbersAnEInvoiceCannotCarryMakeTheAmountsInvalid)
{
    for (const double bad : {std::nan(""), double(INFINITY), 2e12}) {
        TRechnungBook book;
        book.AppendRechnung();
        Add(book, 1, 19, 10);
        Add(book, 1, 19, bad);
        const EInvoiceAmounts a = EInvoiceAmounts::Of(book.Rechnung(0), book.settings);
        EXPECT_FALSE(a.valid) << bad;
    }
}

TEST(EInvoiceAmounts, DecimalsRoundLikeThePage)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> value(-200000, 200000);
    for (int i = 0; i < 20000; ++i) {
        const double x = i % 3 == 0 ? std::round(value(random) * 1000) / 1000 + 0.0005 : value(random);
        for (int decimals : {2, 6}) {
            const std::u16string page = FormatFixed(x, decimals, u'.');
            const auto units = ScaledDecimal(x, decimals);
            ASSERT_TRUE(units.has_value());
            ASSERT_EQ(DecimalText(*units, decimals, decimals), std::string(page.begin(), page.end())) << x;
        }
    }
    EXPECT_EQ(ScaledDecimal(0.125, 2), 13);
    EXPECT_EQ(ScaledDecimal(-0.125, 2), -13);
    EXPECT_EQ(ScaledDecimal(1.005, 2), 101);
    EXPECT_EQ(ScaledDecimal(0.0000005, 6), 1);
    EXPECT_EQ(ScaledDecimal(1e-9, 6), 0);
    EXPECT_FALSE(ScaledDecimal(1.5e12, 2).has_value());
    EXPECT_EQ(DivideRounded(-15, 10), -2);
    EXPECT_EQ(DivideRounded(14, 10), 1);
}

// 100,000 random invoices: up to 50 lines, quantities with up to 3 decimals and some negative,
// prices from 0.01 to 100,000 (some negative as discounts), rates 0, 7, 19 and odd ones, now
// and then a Kleinunternehmer or "Keine MwSt berechnen" and each category of 0 % lines.
TEST(EInvoiceAmounts, SumRulesAndThePrintedTotalHoldForRandomInvoices)
{
#if defined(__SANITIZE_ADDRESS__)
    // Under the sanitizers every allocation and access is checked: a tenth of the invoices
    // keeps the run under a minute there; the normal build runs them all.
    constexpr int kInvoices = 10000;
#else
    constexpr int kInvoices = 100000;
#endif
    static constexpr double kRates[] = {0, 7, 19, 19, 7, 5.5, 10.7, 16, 2.5, 25, 0.5, 99.99, 3.8};
    std::mt19937_64 random(20260305);
    const auto uniform = [&](int64_t low, int64_t high) {
        return std::uniform_int_distribution<int64_t>(low, high)(random);
    };
    TRechnungBook book;
    book.AppendRechnung();
    size_t lineCount = 0;
    for (int n = 0; n < kInvoices; ++n) {
        TRechnungRec& r = book.Rechnung(0);
        r.posis->Clear();
        book.settings.KleinunternehmerCheck = uniform(0, 19) == 0;
        book.settings.NoMwstCheck = uniform(0, 19) == 0;
        r.nullkategorie = static_cast<uint8_t>(uniform(0, 5));
        const int64_t count = uniform(0, 50);
        for (int64_t k = 0; k < count; ++k) {
            const double menge = (uniform(0, 1) ? double(uniform(1, 10000)) : double(uniform(1, 1000000)) / 1000) *
                                 (uniform(0, 9) == 0 ? -1 : 1);
            const double preis = double(uniform(1, 10000000)) / 100 * (uniform(0, 19) == 0 ? -1 : 1);
            Add(book, menge, kRates[uniform(0, 12)], preis);
        }
        lineCount += size_t(count);
        const EInvoiceAmounts a = EInvoiceAmounts::Of(r, book.settings);
        ASSERT_EQ(a.lines.size(), size_t(count));
        CheckSumRules(a, r, "invoice " + std::to_string(n));
        if (HasFailure())
            return;
    }
    EXPECT_GT(lineCount, size_t(kInvoices) * 20);
}

// The page itself: for random invoices, the text drawn after "Gesamtbetrag" is the amount due.
TEST(EInvoiceAmounts, AmountDueIsWhatThePagePrints)
{
    std::mt19937_64 random(17);
    for (int n = 0; n < 100; ++n) {
        TRechnungBook book;
        book.AppendRechnung();
        for (int k = 0; k < 1 + n % 12; ++k)
            Add(book, double(random() % 5000) / 1000, k % 3 == 0 ? 7 : 19, double(random() % 1000000) / 100);
        const EInvoiceAmounts a = EInvoiceAmounts::Of(book.Rechnung(0), book.settings);
        RecordingCanvas canvas(LayoutFixture::Pdf());
        TPageLayout(canvas, book, 0, 0, TLayoutFormat{}).Run();
        const int label = canvas.IndexOfText(u"Gesamtbetrag");
        ASSERT_GE(label, 0);
        std::string due = DecimalText(a.duePayable, 2, 2);
        std::replace(due.begin(), due.end(), '.', ',');
        EXPECT_EQ(canvas.Calls()[size_t(label) + 1].text, std::u16string(due.begin(), due.end()) + u" €");
    }
}
