// The GiroCode on the recorded page: where it stands, what it carries, when it moves to a new
// page and on which documents it is never drawn.
#include "LayoutFixture.h"
#include "PageBoxes.h"
#include "output/GiroCodeMatrix.h"
#include "output/HybridPageFacts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::u16string_view kCaption = u"Zahlen mit Code";
constexpr std::u16string_view kClosing = u"Vielen Dank für Ihren Auftrag. Bitte überweisen Sie den Betrag "
                                         u"innerhalb von vierzehn Tagen auf unser Konto.";

void FillGiroCodeSettings(LayoutFixture& f)
{
    TRechnungSettings& s = f.settings();
    s.GiroCodeCheck = true;
    s.IbanEd = u"DE02 1203 0000 0000 2020 51";
    s.BicEd = u"BYLADEM1001";
    s.KontoinhaberEd = u"";
    s.FirmaED2 = u"Müller & Söhne GmbH";
    f.Set(&TRechnungRec::rechtext, kClosing);
}

// The payload the default test invoice (number 17, counted numbers) carries for this amount
// and title.
std::string Expected(const std::string& amount, const std::string& title = "Rechnung 17")
{
    return "BCD\n002\n1\nSCT\nBYLADEM1001\nMüller & Söhne GmbH\nDE02120300000000202051\n" + amount + "\n\n\n" + title;
}

// The code as the recorded module grid draws it: its square (quiet zone included) and the
// dark modules read back from the runs.
struct DrawnCode {
    int page = 0;
    int32_t left = 0, top = 0, side = 0, cells = 0;
    std::vector<bool> dark;  // n × n, n = cells − 8
};

// The one grid of the run read as a code of n modules with its quiet zone.
std::optional<DrawnCode> ReadCode(const RecordingCanvas& canvas, int32_t n)
{
    const auto fills = canvas.Fills();
    if (fills.empty())
        return std::nullopt;
    EXPECT_EQ(fills.size(), 1u);
    const RecordingCanvas::Fill& grid = fills.front();
    DrawnCode code{grid.page, grid.x, grid.y, grid.side, grid.cells, {}};
    EXPECT_EQ(grid.cells, n + 8);
    code.dark.assign(size_t(n) * n, false);
    for (const ModuleRun& run : grid.runs) {
        // Nothing in the quiet zone.
        EXPECT_GE(run.row, 4);
        EXPECT_LT(run.row, n + 4);
        EXPECT_GE(run.column, 4);
        EXPECT_LE(run.column + run.length, n + 4);
        for (int32_t c = run.column; c < run.column + run.length && run.row >= 4 && run.row < n + 4; ++c)
            code.dark[size_t(run.row - 4) * n + size_t(c - 4)] = true;
    }
    return code;
}

// Checks that the recorded code is exactly the matrix of `payload`, a 30 mm square at the
// right margin, and returns it.
DrawnCode ExpectCode(const RecordingCanvas& canvas, const std::string& payload)
{
    const auto matrix = GiroCodeMatrix::Encode(payload);
    EXPECT_TRUE(matrix);
    if (!matrix)
        return {};
    const int32_t n = matrix->Size();
    const auto code = ReadCode(canvas, n);
    EXPECT_TRUE(code) << "no code drawn";
    if (!code)
        return {};
    EXPECT_EQ(code->side, canvas.Target().Dev(30));
    // At the right margin (rx = 15 mm).
    EXPECT_EQ(code->left + code->side, canvas.Target().pw - canvas.Target().Dev(15));
    for (int32_t row = 0; row < n; ++row) {
        for (int32_t column = 0; column < n; ++column)
            EXPECT_EQ(code->dark[size_t(row) * n + column], matrix->Dark(column, row)) << column << "," << row;
    }
    return *code;
}

// The page: the code's square is the closing text's top at the right margin, the caption
// centred under it, the closing text left of it and no text of the page inside the square.
TEST(GiroCodePage, BesideTheClosingTextAtTheRightMarginBelowTheTotals)
{
    LayoutFixture f;
    FillGiroCodeSettings(f);
    f.AddPosition(3, 19, 10, u"Beratung");
    const auto canvas = f.Run(0);
    const DrawnCode code = ExpectCode(*canvas, Expected("EUR30.00"));
    ASSERT_GT(code.side, 0);

    const std::vector<TextBox> boxes = TextBoxes(*canvas);
    const auto found =
        std::find_if(boxes.begin(), boxes.end(), [](const TextBox& b) { return b.text.starts_with(u"Vielen Dank"); });
    ASSERT_NE(found, boxes.end());
    const TextBox closing = *found;
    EXPECT_EQ(code.top, closing.y1);
    const TextBox total = BoxOf(*canvas, u"Gesamtbetrag");
    EXPECT_GE(code.top, total.y2);

    const TextBox caption = BoxOf(*canvas, kCaption);
    EXPECT_EQ(caption.y1, code.top + code.side);
    // Centred under the square, but not past the margin: the 30 mm hold 49 modules of one
    // point, narrower than the caption.
    const int32_t captionWidth = caption.x2 - caption.x1;
    EXPECT_EQ(caption.x1, std::min(code.left + (code.side - captionWidth) / 2, code.left + code.side - captionWidth));
    EXPECT_EQ(canvas->FontSizeAt(size_t(canvas->IndexOfText(kCaption))), 9);  // the table's font

    int closingLines = 0;
    for (const TextBox& b : boxes) {
        const bool inside = b.page == code.page && b.x1 < code.left + code.side && code.left < b.x2 &&
                            b.y1 < code.top + code.side && code.top < b.y2;
        EXPECT_FALSE(inside) << "inside the code: " << U8(b.text);
        if (b.y1 >= closing.y1 && b.text != kCaption && b.text != u"- 1 -" && b.text != f.settings().FussEd) {
            ++closingLines;
            EXPECT_LE(b.x2, code.left - 8) << "runs under the code: " << U8(b.text);  // a gap of 3 mm
        }
    }
    EXPECT_GE(closingLines, 2);  // the closing text wraps in the narrowed width
    ExpectClearPages(*canvas, f.settings());
}

// Pro forma invoices and reminders carry the code with their own title; the amount of a
// hybrid page is the e-invoice's amount due; the preview and the printer get 30 mm in their
// own units.
TEST(GiroCodePage, KindsTitlesAmountsAndTargets)
{
    LayoutFixture f;
    FillGiroCodeSettings(f);
    f.AddPosition(1, 19, 0.125, u"Schraube");  // prints 0,13 €
    f.AddPosition(2, 7, 1.005, u"Mutter");     // 2,01 €; total 2,135 prints 2,14 €
    ExpectCode(*f.Run(0), Expected("EUR2.14"));
    ExpectCode(*f.Run(5), Expected("EUR2.14", "Proforma Rechnung 17"));
    ExpectCode(*f.Run(6), Expected("EUR2.14", "Mahnung 17"));
    f.settings().KontoinhaberEd = u"  Anna Müller ";
    const auto holder = f.Run(0);
    EXPECT_FALSE(holder->Fills().empty());
    ExpectCode(*holder, "BCD\n002\n1\nSCT\nBYLADEM1001\nAnna Müller\nDE02120300000000202051\nEUR2.14\n\n\nRechnung 17");
    f.settings().KontoinhaberEd.clear();

    HybridPageFacts facts;
    facts.netTotal = 200;
    facts.vatLines = {{u"MwSt 7 %", 14}};
    facts.amountDue = 4242;
    ExpectCode(*f.Run(0, LayoutFixture::Pdf(), &facts), Expected("EUR42.42"));

    for (const TOutputTarget& target : {LayoutFixture::Printer(), LayoutFixture::Preview()}) {
        const auto canvas = f.Run(0, target);
        const DrawnCode code = ExpectCode(*canvas, Expected("EUR2.14"));
        ExpectClearPages(*canvas, f.settings());
    }
}

// Never on delivery notes, quotations, credit notes, order confirmations and purchase
// orders, nor without the setting, without an IBAN or without an amount due; these pages are
// the ordinary page call for call.
TEST(GiroCodePage, OnlyWhereAPaymentIsAsked)
{
    const struct {
        const char* name;
        int32_t kind;
        void (*change)(LayoutFixture&);
    } cases[] = {
        {"Lieferschein", 1, nullptr},
        {"Angebot", 2, nullptr},
        {"Gutschrift", 3, nullptr},
        {"Auftragsbestätigung", 4, nullptr},
        {"Bestellung", 7, nullptr},
        {"no kind selected", 8, nullptr},
        {"setting off", 0, [](LayoutFixture& f) { f.settings().GiroCodeCheck = false; }},
        {"no IBAN", 0, [](LayoutFixture& f) { f.settings().IbanEd = u"   "; }},
        {"Swiss francs", 0, [](LayoutFixture& f) { f.settings().WaehrEd = u"sFr."; }},
        {"amount 0", 0, [](LayoutFixture& f) { f.AddPosition(-3, 19, 10, u"Gutschrift"); }},
        {"amount below 0", 0, [](LayoutFixture& f) { f.AddPosition(-4, 19, 10, u"Gutschrift"); }},
        {"below half a cent", 0, [](LayoutFixture& f) { f.AddPosition(-1, 19, 29.996, u"Rabatt"); }},
        {"above 999999999,99", 0, [](LayoutFixture& f) { f.AddPosition(1, 19, 1e9, u"Anlage"); }},
    };
    for (const auto& c : cases) {
        LayoutFixture f;
        FillGiroCodeSettings(f);
        f.AddPosition(3, 19, 10, u"Beratung");
        LayoutFixture reference;
        FillGiroCodeSettings(reference);
        reference.settings().GiroCodeCheck = false;
        reference.AddPosition(3, 19, 10, u"Beratung");
        if (c.change) {
            c.change(f);
            c.change(reference);
            reference.settings().GiroCodeCheck = false;
        }
        const auto canvas = f.Run(c.kind);
        EXPECT_TRUE(canvas->Fills().empty()) << c.name;
        EXPECT_FALSE(canvas->HasText(kCaption)) << c.name;
        const auto ordinary = reference.Run(c.kind);
        ASSERT_EQ(canvas->Calls().size(), ordinary->Calls().size()) << c.name;
        for (size_t i = 0; i < canvas->Calls().size(); ++i) {
            const auto& a = canvas->Calls()[i];
            const auto& b = ordinary->Calls()[i];
            EXPECT_TRUE(a.op == b.op && a.x == b.x && a.y == b.y && a.a == b.a && a.text == b.text)
                << c.name << ": call " << i << " " << a.op;
        }
    }
}

// When code and caption do not fit above the limit, they go to a new page together with the
// closing text, where the body resumes; the page before ends with the totals.
TEST(GiroCodePage, MovesWithTheClosingTextToANewPage)
{
    bool found = false;
    for (int positions = 20; positions < 80 && !found; ++positions) {
        LayoutFixture f;
        FillGiroCodeSettings(f);
        for (int i = 0; i < positions; ++i)
            f.AddPosition(1, 19, 10, u"Beratung");
        const auto withCode = f.Run(0);
        f.settings().GiroCodeCheck = false;
        const auto without = f.Run(0);
        if (withCode->NewPages() != without->NewPages() + 1)
            continue;
        found = true;
        SCOPED_TRACE(positions);
        const std::string amount = "EUR" + std::to_string(positions * 10) + ".00";
        const DrawnCode code = ExpectCode(*withCode, Expected(amount));
        EXPECT_EQ(code.page, withCode->NewPages());
        EXPECT_EQ(code.top, 147);  // ay + 2 × hs: where the body resumes
        const std::vector<TextBox> boxes = TextBoxes(*withCode);
        const auto closing = std::find_if(boxes.begin(), boxes.end(),
                                          [](const TextBox& b) { return b.text.starts_with(u"Vielen Dank"); });
        ASSERT_NE(closing, boxes.end());
        EXPECT_EQ(closing->page, code.page);
        EXPECT_EQ(closing->y1, code.top);
        EXPECT_EQ(BoxOf(*withCode, u"Gesamtbetrag").page, code.page - 1);
        EXPECT_EQ(BoxOf(*withCode, kCaption).page, code.page);
        ExpectClearPages(*withCode, f.settings());
    }
    EXPECT_TRUE(found) << "no invoice whose code needed a new page";
}

}
