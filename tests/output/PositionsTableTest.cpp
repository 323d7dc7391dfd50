#include "LayoutFixture.h"
#include "invoices/InvoiceTotals.h"
#include "invoices/TPositionRec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Coordinates on the PDF target with the default settings: table width 511, gap 8; the
// columns start at 42 (quantity), 93 (unit), 144 (article number), 195 (description); the
// net, VAT and unit price columns end at 399, 450 and 501, the line total at 553. The
// heading row stands at 289 and the first group heading at 303; table rows are 11 high.

namespace {

using Rule = RecordingCanvas::Rule;

int32_t W9(std::u16string_view text)
{
    return RecordingCanvas::Width(text, 9);
}

// x of a text right-aligned at r in the table font.
int32_t Right9(int32_t r, std::u16string_view text)
{
    return r - W9(text);
}

}  // namespace

TEST(PositionsTable, PriceIncludingVatTimesThree)
{
    LayoutFixture f;
    f.AddPosition(3, 19, 10, u"Beratung", u"A-1", u"Std.");
    const auto canvas = f.Run();
    const auto at = [&](std::u16string_view text) {
        const auto& call = canvas->TextCall(text);
        return std::make_pair(call.x, call.y);
    };
    EXPECT_EQ(at(u"Artikel mit 19% MwSt:"), std::make_pair(42, 303));
    EXPECT_EQ(at(u"3"), std::make_pair(42, 314));
    EXPECT_EQ(at(u"Std."), std::make_pair(93, 314));
    EXPECT_EQ(at(u"A-1"), std::make_pair(144, 314));
    EXPECT_EQ(at(u"Beratung"), std::make_pair(195, 314));
    EXPECT_EQ(at(u"8,40 €"), std::make_pair(Right9(391, u"8,40 €"), 314));
    EXPECT_EQ(at(u"1,60 €"), std::make_pair(Right9(442, u"1,60 €"), 314));
    EXPECT_EQ(at(u"10,00 €"), std::make_pair(Right9(493, u"10,00 €"), 314));
    EXPECT_EQ(at(u"30,00 €"), std::make_pair(Right9(553, u"30,00 €"), 314));
    // Totals: sums of the unrounded values, rounded once.
    EXPECT_EQ(at(u"Gesamtbetrag netto"), std::make_pair(297, 327));
    EXPECT_EQ(at(u"25,21 €"), std::make_pair(Right9(553, u"25,21 €"), 327));
    EXPECT_EQ(at(u"4,79 €"), std::make_pair(Right9(553, u"4,79 €"), 338));
    EXPECT_EQ(at(u"Gesamtbetrag"), std::make_pair(297, 351));
    EXPECT_EQ(canvas->CountText(u"30,00 €"), 2);
    const auto& grand = canvas->Calls()[size_t(canvas->IndexOfText(u"Gesamtbetrag") + 1)];
    EXPECT_EQ(grand.text, u"30,00 €");
    EXPECT_EQ(grand.x, 553 - RecordingCanvas::Width(u"30,00 €", 11));  // in the grand total font
    EXPECT_EQ(grand.y, 351);

    const std::vector<Rule> rules = canvas->Rules();
    const std::vector<Rule> table(rules.begin() + 2, rules.end() - 1);
    const std::vector<Rule> expected = {
        {42, 553, 302}, {42, 553, 326}, {297, 553, 350}, {297, 553, 365}, {297, 553, 368}};
    EXPECT_EQ(table, expected);
}

TEST(PositionsTable, CompactRulesOnThePrinter)
{
    LayoutFixture f;
    f.AddPosition(1, 19, 10);
    const auto canvas = f.Run(0, LayoutFixture::Printer());
    // lw = 2, dev(1) = 23 at 600 pixels per inch.
    const int32_t y = canvas->TextCall(u"Menge").y;
    const int32_t r = 4960 - 354;
    const std::vector<Rule> rules = canvas->Rules();
    const std::vector<Rule> table(rules.begin() + 2, rules.end() - 1);
    const std::vector<Rule> expected = {
        {354, r, y + 11}, {354, r, y + 36}, {2480, r, y + 61}, {2480, r, y + 77}, {2480, r, y + 103}};
    EXPECT_EQ(table, expected);
    EXPECT_EQ(canvas->TextCall(u"Gesamtbetrag").y, y + 64);
}

TEST(PositionsTable, NoPositions)
{
    LayoutFixture f;
    const auto canvas = f.Run();
    EXPECT_TRUE(canvas->HasText(u"Menge"));
    EXPECT_FALSE(canvas->HasText(u"Artikel mit 19% MwSt:"));
    EXPECT_EQ(canvas->CountText(u"0,00 €"), 3);
    EXPECT_EQ(canvas->Rules()[3], (Rule{42, 553, 304}));  // end rule directly under the heading rule
}

TEST(PositionsTable, GroupsInOrderOfFirstOccurrence)
{
    LayoutFixture f;
    f.AddPosition(1, 19, 11.9, u"erste");
    f.AddPosition(2, 7, 10.7, u"zweite");
    f.AddPosition(1, 19, 23.8, u"dritte");
    const auto canvas = f.Run();
    const std::vector<std::u16string> order = {u"Artikel mit 19% MwSt:", u"erste", u"dritte", u"Artikel mit 7% MwSt:",
                                               u"zweite"};
    int last = -1;
    for (const auto& text : order) {
        const int index = canvas->IndexOfText(text);
        EXPECT_GT(index, last) << U8(text);
        last = index;
    }
    EXPECT_EQ(canvas->TextCall(u"erste").y, 314);
    EXPECT_EQ(canvas->TextCall(u"dritte").y, 325);
    EXPECT_EQ(canvas->TextCall(u"Artikel mit 7% MwSt:").y, 336);
    EXPECT_EQ(canvas->TextCall(u"zweite").y, 347);
    // The sums cover all three: net 10 + 20 + 20, VAT 1,90 + 1,40 + 3,80, gross 57,10.
    EXPECT_TRUE(canvas->HasText(u"50,00 €"));
    EXPECT_TRUE(canvas->HasText(u"7,10 €"));
    EXPECT_TRUE(canvas->HasText(u"57,10 €"));
}

TEST(PositionsTable, RateZeroAndQuantityTexts)
{
    LayoutFixture f;
    f.AddPosition(2.5, 0, 10);
    const auto canvas = f.Run();
    EXPECT_TRUE(canvas->HasText(u"Artikel mit 0% MwSt:"));
    EXPECT_EQ(canvas->TextCall(u"2,5").x, 42);
    EXPECT_EQ(canvas->TextCall(u"10,00 €").x, Right9(391, u"10,00 €"));  // net = price
    EXPECT_EQ(canvas->TextCall(u"0,00 €").x, Right9(442, u"0,00 €"));    // no VAT
    EXPECT_TRUE(canvas->HasText(u"25,00 €"));
}

TEST(PositionsTable, RateMinusHundredCarriesNoVat)
{
    LayoutFixture f;
    f.AddPosition(1, -100, 10);
    f.AddPosition(1, 19, 11.9);
    const auto canvas = f.Run();
    EXPECT_TRUE(canvas->HasText(u"Artikel mit -100% MwSt:"));
    // Net = gross, VAT 0; the sums stay finite and consistent.
    EXPECT_EQ(canvas->TextCall(u"10,00 €").x, Right9(391, u"10,00 €"));
    EXPECT_EQ(canvas->TextCall(u"0,00 €").x, Right9(442, u"0,00 €"));
    EXPECT_TRUE(canvas->HasText(u"20,00 €"));  // net total
    EXPECT_TRUE(canvas->HasText(u"1,90 €"));   // VAT total
    EXPECT_TRUE(canvas->HasText(u"21,90 €"));  // grand total
    for (const auto& text : canvas->Texts()) {
        EXPECT_EQ(text.find(u"INF"), std::u16string::npos);
        EXPECT_EQ(text.find(u"NAN"), std::u16string::npos);
    }
    TPositionRec p{};
    p.mwst = -100;
    p.preis = 0;
    EXPECT_EQ(InvoiceTotals::NetPrice(p), 0.0);
}

TEST(PositionsTable, WithoutVat)
{
    LayoutFixture f;
    f.settings().NoMwstCheck = true;
    f.AddPosition(1, 19, 10, u"erste");
    f.AddPosition(1, 7, 20, u"zweite");
    f.AddPosition(1, 19, 30, u"dritte");
    const auto canvas = f.Run();
    EXPECT_EQ(canvas->TextCall(u"Einzeln").x, Right9(493, u"Einzeln"));
    EXPECT_EQ(canvas->TextCall(u"Gesamt").x, Right9(553, u"Gesamt"));
    EXPECT_FALSE(canvas->HasText(u"Netto"));
    EXPECT_FALSE(canvas->HasText(u"Brutto"));
    EXPECT_FALSE(canvas->HasText(u"Artikel mit 19% MwSt:"));
    EXPECT_FALSE(canvas->HasText(u"Gesamtbetrag netto"));
    // Still ordered by rate groups; rows from 303 without group headings.
    EXPECT_EQ(canvas->TextCall(u"erste").y, 303);
    EXPECT_EQ(canvas->TextCall(u"dritte").y, 314);
    EXPECT_EQ(canvas->TextCall(u"zweite").y, 325);
    EXPECT_EQ(canvas->TextCall(u"10,00 €").x, Right9(493, u"10,00 €"));
    // Only the grand total, with its double rule.
    EXPECT_EQ(canvas->TextCall(u"Gesamtbetrag").y, 338);
    const auto rules = canvas->Rules();
    EXPECT_EQ(rules[rules.size() - 4], (Rule{42, 553, 337}));  // end rule
    EXPECT_EQ(rules[rules.size() - 3], (Rule{297, 553, 352}));
    EXPECT_EQ(rules[rules.size() - 2], (Rule{297, 553, 355}));
}

TEST(PositionsTable, DeliveryNoteWithoutPrices)
{
    LayoutFixture f;
    const std::u16string bez = u"Schrauben Muttern Unterlegscheiben Dübel Winkel Haken Ösen Nägel";
    f.AddPosition(4, 19, 1234.56, bez);
    const auto canvas = f.Run(1);
    for (const char16_t* text :
         {u"Netto", u"MwSt", u"Brutto", u"Gesamt", u"Einzeln", u"Gesamtbetrag", u"Artikel mit 19% MwSt:", u"1234,56 €"})
        EXPECT_FALSE(canvas->HasText(text)) << U8(text);
    EXPECT_EQ(canvas->TextCall(u"4").y, 303);
    // The description still ends left of the widest net price: dr = 399 − (8 + 40 + 9) = 342,
    // 147 wide from 195 at 4.5 per character, so 32 characters fit.
    EXPECT_EQ(canvas->TextCall(u"Schrauben Muttern ").y, 303);
    EXPECT_EQ(canvas->TextCall(u"Unterlegscheiben Dübel Winkel ").y, 314);
    EXPECT_EQ(canvas->TextCall(u"Haken Ösen Nägel").y, 325);
    // End rule after the row (the wrap ends 3 lines lower), and nothing after it.
    const auto rules = canvas->Rules();
    EXPECT_EQ(rules[3], (Rule{42, 553, 337}));
    EXPECT_EQ(rules.size(), 5u);  // header, sender, heading, end, footer

    // The same setting does nothing for an invoice.
    EXPECT_TRUE(f.Run(0)->HasText(u"4938,24 €"));
    f.settings().LieferNoWertCheck = false;
    EXPECT_TRUE(f.Run(1)->HasText(u"4938,24 €"));
}

TEST(PositionsTable, WithoutUnitColumn)
{
    LayoutFixture f;
    f.settings().DontShowEinheitCheck = true;
    f.AddPosition(1, 19, 11.9, u"Teil", u"X1", u"Stück");
    const auto canvas = f.Run();
    EXPECT_FALSE(canvas->HasText(u"Einheit"));
    EXPECT_FALSE(canvas->HasText(u"Stück"));
    EXPECT_EQ(canvas->TextCall(u"ArtikelNr").x, 93);
    EXPECT_EQ(canvas->TextCall(u"X1").x, 93);
    EXPECT_EQ(canvas->TextCall(u"Bezeichnung").x, 144);
    EXPECT_EQ(canvas->TextCall(u"Netto").x, Right9(340, u"Netto"));
    EXPECT_EQ(canvas->TextCall(u"MwSt").x, Right9(391, u"MwSt"));
    EXPECT_EQ(canvas->TextCall(u"Brutto").x, Right9(442, u"Brutto"));
    EXPECT_EQ(canvas->TextCall(u"Gesamt").x, Right9(553, u"Gesamt"));
}

TEST(PositionsTable, WideArticleNumberNarrowsTheDescription)
{
    LayoutFixture f;
    f.AddPosition(1, 19, 11.9, u"kurz", u"A1");
    f.AddPosition(1, 19, 11.9, u"Eine Beschreibung mit vielen Worten", u"ARTIKEL-NUMMER-123456");
    const auto canvas = f.Run();
    const int32_t d = 144 + W9(u"ARTIKEL-NUMMER-123456") + 8;
    EXPECT_EQ(d, 246);
    EXPECT_EQ(canvas->TextCall(u"Bezeichnung").x, d);
    EXPECT_EQ(canvas->TextCall(u"kurz").x, d);
    // The box is now 351 − 246 = 105 wide: 23 characters fit.
    EXPECT_EQ(canvas->TextCall(u"Eine Beschreibung mit ").y, 325);
    EXPECT_EQ(canvas->TextCall(u"vielen Worten").y, 336);
    EXPECT_EQ(canvas->TextCall(u"Netto").x, Right9(391, u"Netto"));  // the right columns stay
}

TEST(PositionsTable, TotalsAreRoundedSeparately)
{
    LayoutFixture f;
    f.AddPosition(2.5, 19, 10.05);
    const auto canvas = f.Run();
    // Net 21,113…, VAT 4,0115…, gross exactly 25,125: written 21,11 + 4,01 against 25,13.
    EXPECT_TRUE(canvas->HasText(u"21,11 €"));
    EXPECT_TRUE(canvas->HasText(u"4,01 €"));
    EXPECT_EQ(canvas->CountText(u"25,13 €"), 2);  // line total and grand total
}

TEST(PositionsTable, RowsBreakThePageWithoutRepeatingHeadings)
{
    LayoutFixture f;
    for (int i = 0; i < 45; ++i)
        f.AddPosition(1, 19, 1,
                      u"Posten " + std::u16string(1, char16_t(u'a' + i % 26)) +
                          std::u16string(1, char16_t(u'a' + i / 26)));
    const auto canvas = f.Run();
    ASSERT_EQ(canvas->NewPages(), 1);
    // Row 39 ends at 314 + 39 × 11 = 743, past the limit of 733: the page breaks after it.
    EXPECT_EQ(canvas->TextCall(u"Posten mb").y, 732);
    EXPECT_EQ(canvas->TextCall(u"Posten nb").y, 147);
    EXPECT_EQ(canvas->CountText(u"Menge"), 1);
    EXPECT_EQ(canvas->CountText(u"Artikel mit 19% MwSt:"), 1);
    EXPECT_EQ(canvas->TextCall(u"- 1 -").y, 765);
    EXPECT_EQ(canvas->TextCall(u"- 2 -").y, 765);
    EXPECT_LT(canvas->IndexOfText(u"- 1 -"), canvas->IndexOfText(u"Posten nb"));
    // The table font is selected again on the new page.
    EXPECT_EQ(canvas->FontSizeAt(size_t(canvas->IndexOfText(u"Posten nb"))), 9);
    EXPECT_EQ(canvas->CountText(u"Firma - wir sind die besten"), 2);
}

TEST(PositionsTable, TotalsMoveToANewPageNearTheLimit)
{
    {
        LayoutFixture f;
        for (int i = 0; i < 34; ++i)
            f.AddPosition(1, 19, 1);
        const auto canvas = f.Run();
        // The end rule leaves y at 690; four lines more pass the limit of 733.
        ASSERT_EQ(canvas->NewPages(), 1);
        EXPECT_EQ(canvas->TextCall(u"Gesamtbetrag netto").y, 147);
        EXPECT_EQ(canvas->Rules()[3], (Rule{42, 553, 689}));
    }
    {
        LayoutFixture f;
        for (int i = 0; i < 33; ++i)
            f.AddPosition(1, 19, 1);
        EXPECT_EQ(f.Run()->TextCall(u"Gesamtbetrag netto").y, 679);
    }
}

TEST(PositionsTable, DescriptionLinesOnThePdf)
{
    LayoutFixture f;
    f.AddPosition(1, 19, 1, u"Zeile eins\r\nZeile zwei");
    f.AddPosition(1, 19, 1, u"danach\r\n");
    f.AddPosition(1, 19, 1, u"zuletzt");
    const auto canvas = f.Run();
    EXPECT_EQ(canvas->TextCall(u"Zeile eins").y, 314);
    EXPECT_EQ(canvas->TextCall(u"Zeile zwei").y, 325);
    EXPECT_EQ(canvas->TextCall(u"danach").y, 336);
    // A description ending in a line break takes one line more.
    EXPECT_EQ(canvas->TextCall(u"zuletzt").y, 358);
}

TEST(PositionsTable, DescriptionsOnThePrinterUseWordBreakDrawing)
{
    LayoutFixture f;
    f.AddPosition(1, 19, 1, u"eins zwei");
    const auto canvas = f.Run(0, LayoutFixture::Printer());
    std::vector<RecordingCanvas::Call> calls;
    for (const auto& call : canvas->Calls())
        if (call.op == "WordBreak" && call.text == u"eins zwei")
            calls.push_back(call);
    ASSERT_EQ(calls.size(), 2u);
    // First measured, then drawn into the measured rectangle.
    EXPECT_EQ(calls[0].c, 1);
    EXPECT_EQ(calls[1].c, 0);
    EXPECT_EQ(calls[1].y, calls[0].y);
    EXPECT_EQ(calls[1].b, calls[0].y + 11);
    EXPECT_EQ(calls[0].x, canvas->TextCall(u"Bezeichnung").x);
}

TEST(PositionsTable, AmountsAreRoundedAsDecimalNumbersHalfAwayFromZero)
{
    // Rate 0: net, unit price, line total and grand total show the same amount.
    const struct {
        double menge;
        double preis;
        const char16_t* shown;
    } cases[] = {
        {0.5, 2.01, u"1,01 €"},                          // 1,005, stored as 1.00499999…
        {1, 2.675, u"2,68 €"},                           // stored as 2.67499999…
        {1, 0.015, u"0,02 €"},                           // stored as 0.01499999…
        {1, 0.125, u"0,13 €"},                           // an exact half
        {-0.5, 2.01, u"-1,01 €"},                        // negative ties go away from zero as well
        {1, -2.675, u"-2,68 €"},  {3, 0.35, u"1,05 €"},  // 1.0499999999999998 is 1,05 as typed
        {1, 1.0049, u"1,00 €"},                          // below the half
        {1, -0.004, u"0,00 €"},                          // no sign on a zero
    };
    for (const auto& c : cases) {
        LayoutFixture f;
        f.AddPosition(c.menge, 0, c.preis);
        const auto canvas = f.Run();
        SCOPED_TRACE(U8(c.shown));
        const auto& texts = canvas->Calls();
        const int grand = canvas->IndexOfText(u"Gesamtbetrag");
        ASSERT_GE(grand, 0);
        EXPECT_EQ(texts[size_t(grand) + 1].text, c.shown);
        // The line total right-aligned at the right margin in the row.
        const int32_t rowY = canvas->TextCall(u"Artikel mit 0% MwSt:").y + 11;
        bool lineTotal = false;
        for (const auto& call : texts)
            lineTotal = lineTotal ||
                        (call.op == "Text" && call.y == rowY && call.text == c.shown && call.x == Right9(553, c.shown));
        EXPECT_TRUE(lineTotal);
    }
}
