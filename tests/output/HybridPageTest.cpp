// The page of a hybrid e-invoice: the ordinary page with the facts of its XML added.
#include "LayoutFixture.h"
#include "PageBoxes.h"
#include "output/AmountText.h"
#include "output/HybridPageFacts.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace {

// With the recording metrics on the PDF target: table lines 11 high, the grand total, the
// address and company fonts and the closing text 13; totals labels at pw div 2 = 297, amounts
// right-aligned at pw − rx = 553, the body from ay + 2 × hs = 147 on continued pages.
constexpr int32_t kLabelX = 297;
constexpr int32_t kRight = 553;

void FillAddress(LayoutFixture& f)
{
    f.FillAddress();
    f.Set(&TRechnungRec::rechtext, u"Vielen Dank.");
}

// 3 × 10,00 € at 19 %: net 25,21 €, VAT 4,79 €, total 30,00 €.
HybridPageFacts OneRate()
{
    HybridPageFacts facts;
    facts.netTotal = 2521;
    facts.vatLines = {{u"MwSt 19 %", 479}};
    facts.amountDue = 3000;
    facts.supplyLine = u"Leistungsdatum: 05.03.2026";
    facts.dueLine = u"Zahlbar bis zum 19.03.2026";
    facts.sellerVatId = u"USt-IdNr.: DE123456789";
    facts.buyerVatId = u"Ihre USt-IdNr.: ATU12345678";
    return facts;
}

struct Drawn {
    int32_t x;
    int32_t y;
    std::u16string text;
    bool operator==(const Drawn&) const = default;
};

void PrintTo(const Drawn& d, std::ostream* os)
{
    *os << "(" << d.x << ", " << d.y << ", \"" << U8(d.text) << "\")";
}

std::vector<Drawn> DrawnAt(const RecordingCanvas& canvas, const std::function<bool(const Drawn&)>& keep)
{
    std::vector<Drawn> out;
    for (const auto& call : canvas.Calls()) {
        const Drawn d{call.x, call.y, call.text};
        if (call.op == "Text" && !call.text.empty() && keep(d))
            out.push_back(d);
    }
    return out;
}

// The labels of the totals block in order, each with the amount drawn on its line flush with
// the right margin.
std::vector<std::pair<std::u16string, std::u16string>> TotalsOf(const RecordingCanvas& canvas)
{
    std::vector<std::pair<std::u16string, std::u16string>> totals;
    const std::vector<TextBox> boxes = TextBoxes(canvas);
    for (const TextBox& label : boxes) {
        if (label.x1 != kLabelX)
            continue;
        std::u16string amount = u"(none)";
        for (const TextBox& b : boxes)
            if (b.page == label.page && b.y1 == label.y1 && b.x2 == kRight)
                amount = b.text;
        totals.emplace_back(label.text, amount);
    }
    return totals;
}

}  // namespace

TEST(HybridPage, CentsAreWrittenAsTheTotalsWriteAmounts)
{
    for (const int64_t cents : {0LL, 5LL, -5LL, 99LL, 100LL, -100LL, 2521LL, 123456789LL, -98765432101LL}) {
        EXPECT_EQ(CentsText(cents, u',', u"€"), AmountText(double(cents) / 100, u',', u"€")) << cents;
        EXPECT_EQ(CentsText(cents, u'.', u"EUR"), AmountText(double(cents) / 100, u'.', u"EUR")) << cents;
    }
    // Beyond what a double holds to the cent the text stays exact.
    EXPECT_EQ(CentsText(LLONG_MIN, u',', u"€"), u"-92233720368547758,08 €");
    EXPECT_EQ(CentsText(LLONG_MAX, u',', u"€"), u"92233720368547758,07 €");
}

TEST(HybridPage, EveryFactAtItsPlace)
{
    LayoutFixture f;
    FillAddress(f);
    f.AddPosition(3, 19, 10, u"Brötchen");
    const HybridPageFacts facts = OneRate();
    const auto canvas = f.Run(0, LayoutFixture::Pdf(), &facts);
    ExpectClearPages(*canvas, f.settings());
    EXPECT_EQ(canvas->NewPages(), 0);

    // Company block at ax = 368 from ay = 127 (13 a line): the VAT number after the tax number.
    const std::vector<Drawn> company = {
        {368, 127, u"StraßeEd"},       {368, 140, u"PLZEd OrtED"},         {368, 166, u"Tel. TelED"},
        {368, 179, u"Fax FaxEd"},      {368, 192, u"Steuer-Nr. SteuerED"}, {368, 205, u"USt-IdNr.: DE123456789"},
        {368, 218, u"eMail: eMailEd"},
    };
    EXPECT_EQ(DrawnAt(*canvas, [](const Drawn& d) { return d.x == 368 && d.y < 260; }), company);

    // The block ends at 231, three lines lower the date and the title (16 high, then a 16-point
    // line); the service date and the buyer's VAT number under the title, a blank line, the table.
    const std::vector<Drawn> left = {
        {42, 270, u"Rechnung 17"},
        {42, 302, u"Leistungsdatum: 05.03.2026"},
        {42, 315, u"Ihre USt-IdNr.: ATU12345678"},
        {42, 341, u"Menge"},
    };
    const auto between = [](const Drawn& d) { return d.x == 42 && d.y >= 270 && d.y <= 341; };
    EXPECT_EQ(DrawnAt(*canvas, between), left);
    EXPECT_EQ(canvas->TextCall(u"OrtED, 05.03.2026").y, 270);

    // Heading 341 + 11, rule offset by 2, group heading at 355, the row at 366, the end rule
    // offset: totals from 379; the rule under the VAT line moves the total to 403.
    const std::vector<Drawn> totals = {
        {kLabelX, 379, u"Gesamtbetrag netto"}, {kRight - RecordingCanvas::Width(u"25,21 €", 9), 379, u"25,21 €"},
        {kLabelX, 390, u"MwSt 19 %"},          {kRight - RecordingCanvas::Width(u"4,79 €", 9), 390, u"4,79 €"},
        {kLabelX, 403, u"Gesamtbetrag"},       {kRight - RecordingCanvas::Width(u"30,00 €", 11), 403, u"30,00 €"},
    };
    EXPECT_EQ(DrawnAt(*canvas, [](const Drawn& d) { return d.y >= 379 && d.x >= kLabelX; }), totals);
    EXPECT_EQ(canvas->FontSizeAt(size_t(canvas->IndexOfText(u"MwSt 19 %"))), 9);
    EXPECT_EQ(canvas->FontSizeAt(size_t(canvas->IndexOfText(u"Gesamtbetrag"))), 11);

    // The double rule ends at 421: a blank line of the text font, the due date, and the
    // closing text two lines below it.
    EXPECT_EQ(RuleLines(*canvas).back().y, 787);  // the footer's
    EXPECT_EQ(RuleLines(*canvas)[RuleLines(*canvas).size() - 2].y, 420);
    const std::vector<Drawn> below = {
        {42, 434, u"Zahlbar bis zum 19.03.2026"},
        {42, 473, u"Vielen Dank."},
    };
    EXPECT_EQ(DrawnAt(*canvas, [](const Drawn& d) { return d.x == 42 && d.y > 420 && d.y < 700; }), below);
    EXPECT_EQ(canvas->FontSizeAt(size_t(canvas->IndexOfText(u"Zahlbar bis zum 19.03.2026"))), 11);
}

TEST(HybridPage, TotalsAndLinesOfEachKindOfInvoice)
{
    const std::u16string longReason =
        u"Steuerschuldnerschaft des Leistungsempfängers gemäß § 13b UStG; der Leistungsempfänger schuldet die "
        u"Umsatzsteuer für diese Bauleistung.";
    struct Case {
        const char* name;
        std::function<void(HybridPageFacts&, LayoutFixture&)> change;
        std::vector<std::pair<std::u16string, std::u16string>> totals;
        std::vector<std::u16string> below;  // lines at the left margin under the totals, then the closing text
        bool buyerVatId = true;
    };
    const std::vector<Case> cases = {
        {"one rate",
         [](HybridPageFacts&, LayoutFixture&) {},
         {{u"Gesamtbetrag netto", u"25,21 €"}, {u"MwSt 19 %", u"4,79 €"}, {u"Gesamtbetrag", u"30,00 €"}},
         {u"Zahlbar bis zum 19.03.2026", u"Vielen Dank."}},
        {"two rates in the order of the breakdown",
         [](HybridPageFacts& facts, LayoutFixture&) {
             facts.netTotal = 3456;
             facts.vatLines = {{u"MwSt 7 %", 72}, {u"MwSt 19 %", 479}};
             facts.amountDue = 4007;
         },
         {{u"Gesamtbetrag netto", u"34,56 €"},
          {u"MwSt 7 %", u"0,72 €"},
          {u"MwSt 19 %", u"4,79 €"},
          {u"Gesamtbetrag", u"40,07 €"}},
         {u"Zahlbar bis zum 19.03.2026", u"Vielen Dank."}},
        {"a rounding amount, negative",
         [](HybridPageFacts& facts, LayoutFixture&) {
             facts.rounding = -1;
             facts.amountDue = 2999;
         },
         {{u"Gesamtbetrag netto", u"25,21 €"},
          {u"MwSt 19 %", u"4,79 €"},
          {u"Rundungsbetrag", u"-0,01 €"},
          {u"Gesamtbetrag", u"29,99 €"}},
         {u"Zahlbar bis zum 19.03.2026", u"Vielen Dank."}},
        {"a service period, no buyer VAT number",
         [](HybridPageFacts& facts, LayoutFixture&) {
             facts.supplyLine = u"Leistungszeitraum: 01.02.2026 – 28.02.2026";
             facts.buyerVatId.clear();
         },
         {{u"Gesamtbetrag netto", u"25,21 €"}, {u"MwSt 19 %", u"4,79 €"}, {u"Gesamtbetrag", u"30,00 €"}},
         {u"Zahlbar bis zum 19.03.2026", u"Vielen Dank."},
         false},
        {"0 % with its exemption reason, wrapped at the margin",
         [&](HybridPageFacts& facts, LayoutFixture&) {
             facts.netTotal = 3000;
             facts.vatLines = {{u"MwSt 0 %", 0}};
             facts.exemptionLines = {longReason};
         },
         {{u"Gesamtbetrag netto", u"30,00 €"}, {u"MwSt 0 %", u"0,00 €"}, {u"Gesamtbetrag", u"30,00 €"}},
         // 511 wide at 5,5 a character: the word that would pass 92 characters starts the next line.
         {u"Zahlbar bis zum 19.03.2026",
          u"Steuerschuldnerschaft des Leistungsempfängers gemäß § 13b UStG; der Leistungsempfänger ",
          u"schuldet die Umsatzsteuer für diese Bauleistung.", u"Vielen Dank."}},
        {"no VAT on the page: the total alone",
         [](HybridPageFacts& facts, LayoutFixture& f) {
             f.settings().NoMwstCheck = true;
             facts.netTotal = 3000;
             facts.vatLines = {{u"MwSt 0 %", 0}};
         },
         {{u"Gesamtbetrag", u"30,00 €"}},
         {u"Zahlbar bis zum 19.03.2026", u"Vielen Dank."}},
        {"no VAT on the page with a rounding amount: net total and rounding explain the total",
         [](HybridPageFacts& facts, LayoutFixture& f) {
             f.settings().NoMwstCheck = true;
             facts.netTotal = 2999;
             facts.vatLines = {{u"MwSt 0 %", 0}};
             facts.rounding = 1;
         },
         {{u"Gesamtbetrag netto", u"29,99 €"}, {u"Rundungsbetrag", u"0,01 €"}, {u"Gesamtbetrag", u"30,00 €"}},
         {u"Zahlbar bis zum 19.03.2026", u"Vielen Dank."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LayoutFixture f;
        FillAddress(f);
        f.AddPosition(3, 19, 10, u"Brötchen");
        HybridPageFacts facts = OneRate();
        c.change(facts, f);
        for (const TOutputTarget& target : {LayoutFixture::Pdf(), LayoutFixture::Printer(), LayoutFixture::Preview()})
            ExpectClearPages(*f.Run(0, target, &facts), f.settings());

        const auto canvas = f.Run(0, LayoutFixture::Pdf(), &facts);
        EXPECT_EQ(TotalsOf(*canvas), c.totals);
        // The labels follow each other line by line (the total after the rule under the others).
        const int grand = canvas->IndexOfText(u"Gesamtbetrag");
        const int32_t totalY = canvas->Calls()[size_t(grand)].y;
        std::vector<std::u16string> below;
        for (const TextBox& b : TextBoxes(*canvas))
            if (b.x1 == 42 && b.y1 > totalY && b.text.rfind(u"- ", 0) != 0 && b.text != f.settings().FussEd)
                below.push_back(b.text);
        EXPECT_EQ(below, c.below);
        EXPECT_EQ(canvas->HasText(u"Ihre USt-IdNr.: ATU12345678"), c.buyerVatId);
        EXPECT_TRUE(canvas->HasText(facts.supplyLine));
        EXPECT_EQ(canvas->TextCall(facts.supplyLine).x, 42);
    }
}

TEST(HybridPage, OwnLetterheadCarriesTheSellerVatNumberUnderTheTitle)
{
    LayoutFixture f;
    FillAddress(f);
    f.settings().OwnBirefpapierCheck = true;
    f.AddPosition(3, 19, 10, u"Brötchen");
    const HybridPageFacts facts = OneRate();
    const auto canvas = f.Run(0, LayoutFixture::Pdf(), &facts);
    ExpectClearPages(*canvas, f.settings());
    EXPECT_EQ(canvas->CountText(u"USt-IdNr.: DE123456789"), 1);
    const TextBox supply = BoxOf(*canvas, u"Leistungsdatum: 05.03.2026");
    const TextBox seller = BoxOf(*canvas, u"USt-IdNr.: DE123456789");
    const TextBox buyer = BoxOf(*canvas, u"Ihre USt-IdNr.: ATU12345678");
    EXPECT_EQ(seller.x1, 42);
    EXPECT_EQ(seller.y1, supply.y2);
    EXPECT_EQ(buyer.y1, seller.y2);
}

TEST(HybridPage, WithoutFactsTheTotalsAreTheOrdinaryOnes)
{
    LayoutFixture f;
    FillAddress(f);
    f.AddPosition(3, 19, 10, u"Brötchen");
    const auto canvas = f.Run();
    EXPECT_EQ(TotalsOf(*canvas),
              (std::vector<std::pair<std::u16string, std::u16string>>{
                  {u"Gesamtbetrag netto", u"25,21 €"}, {u"MwSt", u"4,79 €"}, {u"Gesamtbetrag", u"30,00 €"}}));
    EXPECT_FALSE(canvas->HasText(u"Zahlbar bis zum 19.03.2026"));
}

// 29 rows end with the end rule at y = 368 + 11 × 29 = 687 (the limit is 733).
TEST(HybridPage, PageBreaksKeepTheTotalsTogetherAndMoveTheLinesBelowThem)
{
    const auto rows = [](LayoutFixture& f, int n) {
        FillAddress(f);
        for (int i = 0; i < n; ++i)
            f.AddPosition(1, 19, 1, u"Posten " + std::u16string(1, char16_t(u'a' + i % 26)));
    };
    {
        // One VAT line: the totals need 4 lines and fit (687 + 44 ≤ 733); they end at 729, the
        // due date would start at 742, past the limit: it opens page 2 at the body's top.
        LayoutFixture f;
        rows(f, 29);
        const HybridPageFacts facts = OneRate();
        const auto canvas = f.Run(0, LayoutFixture::Pdf(), &facts);
        ExpectClearPages(*canvas, f.settings());
        ASSERT_EQ(canvas->NewPages(), 1);
        const TextBox total = BoxOf(*canvas, u"Gesamtbetrag");
        EXPECT_EQ(total.page, 0);
        EXPECT_EQ(total.y1, 687 + 24);
        const TextBox due = BoxOf(*canvas, u"Zahlbar bis zum 19.03.2026");
        EXPECT_EQ(due.page, 1);
        EXPECT_EQ(due.y1, 147);
        EXPECT_EQ(BoxOf(*canvas, u"Vielen Dank.").y1, 147 + 13 + 26);
        EXPECT_LT(canvas->IndexOfText(u"- 1 -"), canvas->IndexOfText(u"Zahlbar bis zum 19.03.2026"));
    }
    {
        // Two VAT lines and a rounding line need 6 lines with the rules' room: 687 + 66 > 733,
        // so the whole block goes to page 2 (with one VAT line above it stayed).
        LayoutFixture f;
        rows(f, 29);
        HybridPageFacts facts = OneRate();
        facts.vatLines = {{u"MwSt 7 %", 0}, {u"MwSt 19 %", 479}};
        facts.rounding = 1;
        facts.amountDue = 3001;
        const auto canvas = f.Run(0, LayoutFixture::Pdf(), &facts);
        ExpectClearPages(*canvas, f.settings());
        ASSERT_EQ(canvas->NewPages(), 1);
        for (const char16_t* label : {u"Gesamtbetrag netto", u"MwSt 7 %", u"MwSt 19 %", u"Rundungsbetrag"})
            EXPECT_EQ(BoxOf(*canvas, label).page, 1) << U8(label);
        EXPECT_EQ(BoxOf(*canvas, u"Gesamtbetrag netto").y1, 147);
        EXPECT_EQ(BoxOf(*canvas, u"Zahlbar bis zum 19.03.2026").page, 1);
    }
    {
        // 28 rows: the due date still starts at the limit (731) and stays; the reason after it
        // starts past the limit and goes on on page 2.
        LayoutFixture f;
        rows(f, 28);
        HybridPageFacts facts = OneRate();
        facts.exemptionLines = {u"Steuerfreie innergemeinschaftliche Lieferung gemäß § 4 Nr. 1b UStG"};
        const auto canvas = f.Run(0, LayoutFixture::Pdf(), &facts);
        ExpectClearPages(*canvas, f.settings());
        ASSERT_EQ(canvas->NewPages(), 1);
        const TextBox due = BoxOf(*canvas, u"Zahlbar bis zum 19.03.2026");
        EXPECT_EQ(due.page, 0);
        EXPECT_EQ(due.y1, 731);
        const TextBox reason = BoxOf(*canvas, facts.exemptionLines[0]);
        EXPECT_EQ(reason.page, 1);
        EXPECT_EQ(reason.y1, 147);
    }
    {
        // A long invoice over several pages stays clear on every page, on the printer too.
        LayoutFixture f;
        rows(f, 140);
        HybridPageFacts facts = OneRate();
        facts.exemptionLines = {u"Steuerfreie innergemeinschaftliche Lieferung gemäß § 4 Nr. 1b UStG"};
        const auto pdf = f.Run(0, LayoutFixture::Pdf(), &facts);
        EXPECT_GE(pdf->NewPages(), 2);
        ExpectClearPages(*pdf, f.settings());
        ExpectClearPages(*f.Run(0, LayoutFixture::Printer(), &facts), f.settings());
    }
}
