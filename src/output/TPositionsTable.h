#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct HybridPageFacts;
class TPageLayout;
struct TPositionRec;

// The middle of the invoice page: the positions grouped by VAT rate under a heading row,
// and the totals below them. Prices are entered gross; the net price and the VAT of a
// position are derived from its rate. The groups and the sums come from InvoiceTotals, so
// that the page and the lists show the same totals.
class TPositionsTable {
public:
    explicit TPositionsTable(TPageLayout& layout);

    // Draws the table and the totals from y; returns the y at which the closing text begins.
    int32_t Draw(int32_t y);

    // Column edges as computed by the last Draw (for tests and the reader of the page).
    struct Columns {
        int32_t quantity = 0;          // left
        int32_t unit = 0;              // left
        int32_t article = 0;           // left
        int32_t description = 0;       // left, widened for the widest article number
        int32_t descriptionRight = 0;  // dr: the description's right edge
        int32_t net = 0;               // right
        int32_t vat = 0;               // right
        int32_t unitPrice = 0;         // right
        int32_t total = 0;             // right
        int32_t gap = 0;               // g
    };
    const Columns& Edges() const { return c_; }

private:
    void ComputeColumns();
    void HeadingRow(int32_t& y);
    void Row(const TPositionRec& position, int32_t& y);
    void Totals(int32_t& y);
    // The totals of a hybrid e-invoice: net, VAT per rate, rounding, amount due.
    void FactTotals(const HybridPageFacts& facts, int32_t& y);
    // The lines of text of the totals block (for keeping it on one page).
    int32_t TotalsLineCount() const;
    // Label at pw div 2, amount right-aligned at the right margin; y advances by the label.
    void TotalsLine(int32_t& y, std::u16string_view label, const std::u16string& amount);
    // The grand total in its font and the double rule under it.
    void GrandTotal(int32_t& y, const std::u16string& amount);
    // The rules under the heading row and the others, placed as the target places them.
    void HeadingRule(int32_t& y);
    void PlainRule(int32_t x1, int32_t& y);
    std::u16string Amount(double value) const;
    std::u16string RateText(const TPositionRec& position) const;
    const TPositionRec& PositionAt(uint32_t index) const;
    // Walks the invoice's positions in list order with the book's cursor.
    template <class Visit> void ForEachPosition(Visit visit);

    TPageLayout& l_;
    Columns c_;
    bool pricesOff_ = false;
};
