#include "RecordingCanvas.h"
#include "invoices/ArtikelList.h"
#include "invoices/TPositionRec.h"
#include "output/AmountText.h"
#include "output/CharWrap.h"
#include "output/WordBreakLines.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

// A canvas whose font is 10 points: every character 5 wide, lines 12 high.
struct TenPoint {
    RecordingCanvas canvas{TOutputTarget::Pdf(kNoPrinterPage)};
    TenPoint() { canvas.SetFont(TCanvasFont{u"Arial", 10, 0, 0}); }

    std::vector<std::pair<int32_t, std::u16string>> Lines() const
    {
        std::vector<std::pair<int32_t, std::u16string>> lines;
        for (const auto& call : canvas.Calls())
            if (call.op == "Text")
                lines.emplace_back(call.y, call.text);
        return lines;
    }
};

using Lines = std::vector<std::pair<int32_t, std::u16string>>;

}  // namespace

TEST(CharWrap, WordsMoveWholeToTheNextLine)
{
    TenPoint t;
    // 50 wide: ten characters fit.
    const int32_t y = CharWrap(t.canvas, u"Hallo schöne Welt", 7, 50, 100, nullptr, false);
    EXPECT_EQ(t.Lines(), (Lines{{100, u"Hallo "}, {112, u"schöne "}, {124, u"Welt"}}));
    EXPECT_EQ(y, 124);  // the closing text does not advance after its last line
    for (const auto& call : t.canvas.Calls())
        if (call.op == "Text") {
            EXPECT_EQ(call.x, 7);
        }
}

TEST(CharWrap, DescriptionsAdvanceAfterTheLastLine)
{
    TenPoint t;
    EXPECT_EQ(CharWrap(t.canvas, u"kurz", 0, 50, 100, nullptr, true), 112);
    EXPECT_EQ(CharWrap(t.canvas, u"", 0, 50, 100, nullptr, true), 112);
    EXPECT_EQ(CharWrap(t.canvas, u"", 0, 50, 100, nullptr, false), 100);
}

TEST(CharWrap, CarriageReturnEndsTheLineAndLineFeedIsNotDrawn)
{
    TenPoint t;
    const int32_t y = CharWrap(t.canvas, u"ab cd\r\n\r\nef gh", 0, 500, 0, nullptr, false);
    EXPECT_EQ(t.Lines(), (Lines{{0, u"ab cd"}, {24, u"ef gh"}}));
    EXPECT_EQ(y, 24);
    TenPoint lf;
    CharWrap(lf.canvas, u"ab\ncd", 0, 500, 0, nullptr, false);
    EXPECT_EQ(lf.Lines(), (Lines{{0, u"abcd"}}));
}

TEST(CharWrap, LineWithoutSpaceIsCutAfterTheOverflowingCharacter)
{
    TenPoint t;
    CharWrap(t.canvas, u"abcdefghijklmnop", 0, 50, 0, nullptr, false);
    // The eleventh character overflows and stays on the line.
    EXPECT_EQ(t.Lines(), (Lines{{0, u"abcdefghijk"}, {12, u"lmnop"}}));

    // A space only at the start does not count: the line is cut like a single word.
    TenPoint lead;
    CharWrap(lead.canvas, u" abcdefghijklmn", 0, 50, 0, nullptr, false);
    EXPECT_EQ(lead.Lines(), (Lines{{0, u" abcdefghij"}, {12, u"klmn"}}));
}

TEST(CharWrap, SpaceThatOverflowsAfterTheOnlyWordEndsTheLine)
{
    TenPoint t;
    // "abcdefghij" fills the 50 exactly; the space after it overflows.
    CharWrap(t.canvas, u"abcdefghij klm", 0, 50, 0, nullptr, false);
    EXPECT_EQ(t.Lines(), (Lines{{0, u"abcdefghij"}, {12, u"klm"}}));
}

TEST(CharWrap, BeforeEveryCharacterTheCallerMayBreakThePage)
{
    TenPoint t;
    int calls = 0;
    const auto before = [&](int32_t& y) {
        ++calls;
        if (y > 20)
            y = 1000;  // a new page
    };
    const int32_t y = CharWrap(t.canvas, u"aaaa bbbb cccc", 0, 25, 0, before, false);
    EXPECT_EQ(calls, 16);  // the characters of the moved words twice
    EXPECT_EQ(t.Lines(), (Lines{{0, u"aaaa "}, {12, u"bbbb "}, {1000, u"cccc"}}));
    EXPECT_EQ(y, 1000);
}

TEST(CharWrap, NegativeWidthStillEnds)
{
    TenPoint t;
    const int32_t y = CharWrap(t.canvas, u"ab c\nd", 0, -10, 0, nullptr, true);
    EXPECT_EQ(t.Lines(), (Lines{{0, u"a"}, {12, u"b"}, {24, u" "}, {36, u"c"}, {60, u"d"}}));
    EXPECT_EQ(y, 84);
}

TEST(WordBreakLines, BreaksAtSpacesAndLineBreaks)
{
    const auto measure = [](std::u16string_view t) { return int32_t(t.size()) * 5; };
    EXPECT_EQ(WordBreakLines(u"", 50, measure), std::vector<std::u16string>{});
    EXPECT_EQ(WordBreakLines(u"Hallo schöne Welt", 50, measure),
              (std::vector<std::u16string>{u"Hallo", u"schöne", u"Welt"}));
    EXPECT_EQ(WordBreakLines(u"eins zwei\r\n\r\ndrei\rvier\nfünf", 200, measure),
              (std::vector<std::u16string>{u"eins zwei", u"", u"drei", u"vier", u"fünf"}));
    // A word wider than the rectangle stays whole on its own line; "&" is literal.
    EXPECT_EQ(WordBreakLines(u"a Donaudampfschiff b&c", 30, measure),
              (std::vector<std::u16string>{u"a", u"Donaudampfschiff", u"b&c"}));
    EXPECT_EQ(WordBreakLines(u"Ende\r\n", 200, measure), (std::vector<std::u16string>{u"Ende"}));
}

TEST(AmountText, TwoDecimalsOfTheDecimalValue)
{
    EXPECT_EQ(AmountText(1234.5, u',', u"€"), u"1234,50 €");
    EXPECT_EQ(AmountText(30, u',', u"EUR"), u"30,00 EUR");
    EXPECT_EQ(AmountText(1234567.891, u'.', u"€"), u"1234567.89 €");
    // The value as typed, rounded half away from zero: 1.005 is stored as 1.00499999…,
    // 2.675 as 2.67499999…, yet they are the halves a reader sees.
    const struct {
        double value;
        const char16_t* text;
    } cases[] = {
        {1.005, u"1,01"},
        {2.675, u"2,68"},
        {0.015, u"0,02"},
        {9.995, u"10,00"},
        {0.995, u"1,00"},
        {99.995, u"100,00"},
        {0.125, u"0,13"},
        {0.375, u"0,38"},
        {-0.125, u"-0,13"},
        {-1.005, u"-1,01"},
        {-2.675, u"-2,68"},
        {999.875, u"999,88"},
        {3 * 0.35, u"1,05"},  // 1.0499999999999998
        {1.0049, u"1,00"},
        {-8.4033613445, u"-8,40"},
        {-0.001, u"0,00"},
        {-0.0, u"0,00"},
        {0, u"0,00"},
        {1e20, u"100000000000000000000,00"},  // never with an exponent
        {std::numeric_limits<double>::infinity(), u"INF"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AmountText(c.value, u',', u"€"), std::u16string(c.text) + u" €") << c.value;

    EXPECT_EQ(GeneralText(19, u','), u"19");
    EXPECT_EQ(GeneralText(2.5, u','), u"2,5");
    EXPECT_EQ(GeneralText(7, u'.'), u"7");
}

TEST(AmountText, TheSameCentsAsThePositionsList)
{
    // Every price with three decimals from −20 to 20: the page and the list agree.
    TPositionRec p{};
    for (int k = -20000; k <= 20000; ++k) {
        p.preis = k / 1000.0;
        ASSERT_EQ(AmountText(p.preis, u',', u"€"), PositionColumnText(p, 5, u',') + u" €") << k;
    }
}
