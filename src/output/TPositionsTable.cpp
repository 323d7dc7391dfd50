#include "output/TPositionsTable.h"

#include "foundation/TDynaArray.h"
#include "invoices/InvoiceTotals.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "messages/HybridPageMessages.h"
#include "messages/MessageCatalog.h"
#include "output/AmountText.h"
#include "output/CharWrap.h"
#include "output/HybridPageFacts.h"
#include "output/TOutputCanvas.h"
#include "output/TPageLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// A column edge: computed in floating point, taken toward zero.
int32_t Edge(double value)
{
    if (!(value > double(std::numeric_limits<int32_t>::min()) && value < double(std::numeric_limits<int32_t>::max())))
        return value > 0 ? std::numeric_limits<int32_t>::max() : std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(std::trunc(value));
}

}

TPositionsTable::TPositionsTable(TPageLayout& layout) : l_(layout) {}

const TPositionRec& TPositionsTable::PositionAt(uint32_t index) const
{
    return *static_cast<const TPositionRec*>(l_.rechnung.posis->At(index));
}

template <class Visit> void TPositionsTable::ForEachPosition(Visit visit)
{
    TDynaArray& posis = *l_.rechnung.posis;
    posis.First();
    while (posis.WhileNext())
        visit(*l_.book.aposi);
}

std::u16string TPositionsTable::Amount(double value) const
{
    return AmountText(value, l_.format.decimalSeparator, l_.settings.WaehrEd);
}

std::u16string TPositionsTable::RateText(const TPositionRec& position) const
{
    return GeneralText(position.mwst, l_.format.decimalSeparator);
}

void TPositionsTable::ComputeColumns()
{
    TOutputCanvas& canvas = l_.canvas;
    const double tw = double(l_.pw) - 2.0 * l_.rx;
    c_.gap = canvas.Target().Dev(3);
    c_.quantity = l_.rx;
    c_.unit = l_.settings.DontShowEinheitCheck ? l_.rx : Edge(tw * 0.1 + c_.quantity);
    c_.article = Edge(tw * 0.1 + c_.unit);
    c_.description = Edge(tw * 0.1 + c_.article);
    const int32_t mark = Edge(tw * 0.3 + c_.description);
    c_.net = Edge(tw * 0.1 + mark);
    c_.vat = Edge(tw * 0.1 + c_.net);
    c_.unitPrice = Edge(tw * 0.1 + c_.vat);
    c_.total = l_.pw - l_.rx;
    // The description starts a gap after the widest article number; the columns to the
    // right stay where they are.
    ForEachPosition([&](const TPositionRec& p) {
        const int64_t after = int64_t(canvas.TextWidth(TextOf(p.artnr))) + c_.article + c_.gap;
        if (c_.description < after)
            c_.description = static_cast<int32_t>(std::min<int64_t>(after, std::numeric_limits<int32_t>::max()));
    });
    // The description ends left of the widest net price, also where no net price is shown.
    const int32_t twoSpaces = canvas.TextWidth(u"  ");
    c_.descriptionRight = c_.net - c_.gap - canvas.TextWidth(MessageText(66)) - twoSpaces;
    ForEachPosition([&](const TPositionRec& p) {
        const int32_t right = c_.net - (c_.gap + canvas.TextWidth(Amount(InvoiceTotals::NetPrice(p))) + twoSpaces);
        c_.descriptionRight = std::min(c_.descriptionRight, right);
    });
}

void TPositionsTable::HeadingRule(int32_t& y)
{
    const int32_t step = l_.lw + 1;
    if (l_.canvas.Target().tableRules == TOutputTarget::Rules::Offset)
        y += 2 * step;
    l_.Rule(l_.rx, l_.pw - l_.rx, y);
    y += step;
}

void TPositionsTable::PlainRule(int32_t x1, int32_t& y)
{
    const int32_t step = l_.lw + 1;
    if (l_.canvas.Target().tableRules == TOutputTarget::Rules::Offset)
        y += step;
    l_.Rule(x1, l_.pw - l_.rx, y);
    y += step;
}

void TPositionsTable::HeadingRow(int32_t& y)
{
    TOutputCanvas& canvas = l_.canvas;
    const auto left = [&](int32_t x, int32_t message) {
        const std::u16string text = MessageText(message);
        canvas.TextOut(x, y, text);
        return canvas.TextHeight(text);
    };
    const auto right = [&](int32_t r, int32_t message) {
        const std::u16string text = MessageText(message);
        l_.TextRight(r, y, text);
        return canvas.TextHeight(text);
    };
    int32_t height = left(c_.quantity, 82);
    if (!l_.settings.DontShowEinheitCheck)
        height = left(c_.unit, 144);
    height = left(c_.article, 145);
    height = left(c_.description, 146);
    if (!pricesOff_) {
        if (l_.settings.NoMwstCheck) {
            height = right(c_.unitPrice - c_.gap, 264);
        } else {
            height = right(c_.net - c_.gap, 66);
            height = right(c_.vat - c_.gap, 67);
            height = right(c_.unitPrice - c_.gap, 68);
        }
        height = right(c_.total, 147);
    }
    y += height;  // the height of the last heading drawn
    HeadingRule(y);
}

void TPositionsTable::Row(const TPositionRec& p, int32_t& y)
{
    TOutputCanvas& canvas = l_.canvas;
    const TOutputTarget& target = canvas.Target();
    canvas.TextOut(c_.quantity, y, GeneralText(p.menge, l_.format.decimalSeparator));
    if (!l_.settings.DontShowEinheitCheck)
        canvas.TextOut(c_.unit, y, TextOf(p.einheit));
    canvas.TextOut(c_.article, y, TextOf(p.artnr));

    const std::u16string_view bez = TextOf(p.bez);
    int32_t bottom;
    if (target.descriptions == TOutputTarget::Wrap::WordBreak) {
        bottom = canvas.WordBreak(c_.description, y, c_.descriptionRight, y, bez, true);
        canvas.WordBreak(c_.description, y, c_.descriptionRight, bottom, bez, false);
    } else {
        bottom = CharWrap(canvas, bez, c_.description, c_.descriptionRight - c_.description, y, nullptr, true);
    }

    if (!pricesOff_) {
        const double n = InvoiceTotals::NetPrice(p);
        const double v = p.preis - n;
        if (!l_.settings.NoMwstCheck) {
            l_.TextRight(c_.net - c_.gap, y, Amount(n));
            l_.TextRight(c_.vat - c_.gap, y, Amount(v));
        }
        l_.TextRight(c_.unitPrice - c_.gap, y, Amount(p.preis));
        l_.TextRight(c_.total, y, Amount(p.menge * p.preis));
    }

    y += l_.LineHeight();
    if (y < bottom)
        y = bottom;
    if (l_.BreakWanted(y))
        y = l_.PageBreak(l_.settings.FontDialog5);
}

void TPositionsTable::TotalsLine(int32_t& y, std::u16string_view label, const std::u16string& amount)
{
    l_.canvas.TextOut(l_.pw / 2, y, label);
    l_.TextRight(c_.total, y, amount);
    y += l_.canvas.TextHeight(label);
}

void TPositionsTable::GrandTotal(int32_t& y, const std::u16string& amount)
{
    TOutputCanvas& canvas = l_.canvas;
    const int32_t x = l_.pw / 2;
    canvas.SelectFont(l_.settings.FontDialog9);
    TotalsLine(y, MessageText(57), amount);
    canvas.SelectFont(l_.settings.FontDialog6);
    PlainRule(x, y);
    y += canvas.Target().Dev(1);
    l_.Rule(x, l_.pw - l_.rx, y);
    y += l_.lw + 1;
}

void TPositionsTable::Totals(int32_t& y)
{
    if (l_.facts) {
        FactTotals(*l_.facts, y);
        return;
    }
    const InvoiceTotals totals = InvoiceTotals::Of(l_.rechnung);
    if (!l_.settings.NoMwstCheck) {
        TotalsLine(y, MessageText(148), Amount(totals.net));
        TotalsLine(y, MessageText(67), Amount(totals.vat));
        PlainRule(l_.pw / 2, y);
    }
    GrandTotal(y, Amount(totals.gross));
}

// The amounts of the e-invoice, so that the page and its XML agree to the cent. Without VAT on
// the page ("Keine MwSt berechnen") there are no VAT lines; the net total then stands only to
// show what a rounding amount rounds.
void TPositionsTable::FactTotals(const HybridPageFacts& f, int32_t& y)
{
    const auto cents = [&](int64_t value) { return CentsText(value, l_.format.decimalSeparator, l_.settings.WaehrEd); };
    const bool vat = !l_.settings.NoMwstCheck;
    const bool above = vat || f.rounding != 0;
    if (above)
        TotalsLine(y, MessageText(148), cents(f.netTotal));
    if (vat) {
        for (const HybridTotalsLine& line : f.vatLines)
            TotalsLine(y, line.label, cents(line.cents));
    }
    if (f.rounding != 0)
        TotalsLine(y, HybridPageMessages::kRounding, cents(f.rounding));
    if (above)
        PlainRule(l_.pw / 2, y);
    GrandTotal(y, cents(f.amountDue));
}

int32_t TPositionsTable::TotalsLineCount() const
{
    if (!l_.facts)
        return 3;  // net, VAT and grand total (or less: the ordinary page keeps room for them all)
    const HybridPageFacts& f = *l_.facts;
    const bool vat = !l_.settings.NoMwstCheck;
    int32_t lines = 1;  // the grand total
    if (vat || f.rounding != 0)
        ++lines;
    if (vat)
        lines += static_cast<int32_t>(f.vatLines.size());
    if (f.rounding != 0)
        ++lines;
    return lines;
}

int32_t TPositionsTable::Draw(int32_t y)
{
    TOutputCanvas& canvas = l_.canvas;
    const TRechnungSettings& s = l_.settings;
    pricesOff_ = s.LieferNoWertCheck && l_.kindRow.pricesOffKind;
    canvas.SelectFont(s.FontDialog5);
    ComputeColumns();
    HeadingRow(y);

    // The rates in the order in which they first occur; each group holds the positions of
    // its rate, in list order.
    for (const std::vector<uint32_t>& group : InvoiceTotals::RateGroups(l_.rechnung)) {
        if (!pricesOff_ && !s.NoMwstCheck) {
            canvas.TextOut(l_.rx, y, MessageText(149) + u" " + RateText(PositionAt(group.front())) + MessageText(150));
            y += l_.LineHeight();
        }
        for (const uint32_t index : group)
            Row(PositionAt(index), y);
    }

    // The totals block stays together: it goes to a new page when it would pass the limit, with
    // a line's room to spare for its rules.
    PlainRule(l_.rx, y);
    if (l_.BreakWanted(int64_t(y) + (int64_t(TotalsLineCount()) + 1) * l_.LineHeight()))
        y = l_.PageBreak(s.FontDialog5);

    if (!pricesOff_)
        Totals(y);
    return y;
}
