#pragma once

#include <cstdint>
#include <string>

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
