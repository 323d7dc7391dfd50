#pragma once

#include <cstdint>
#include <vector>

struct TPositionRec;
struct TRechnungRec;

// The totals of an invoice exactly as its page prints them: the positions grouped by the text
// of their VAT rate, the groups in the order in which their rates first occur, the positions
// of a group in list order, and the sums added up position by position in that order from
// unrounded values. Everything that shows an invoice's total takes it from here, so that the
// lists and the page can never differ by a cent.
class InvoiceTotals {
public:
    double gross = 0;  // Σ quantity × gross unit price
    double net = 0;    // Σ quantity × net unit price
    double vat = 0;    // Σ quantity × (gross − net unit price)

    // The sums of the invoice's positions in the page's order.
    static InvoiceTotals Of(const TRechnungRec& rechnung);

    // Indexes of the positions, one list per rate group, in the page's order. Two positions
    // share a group when their rates are written alike (15 significant digits).
    static std::vector<std::vector<uint32_t>> RateGroups(const TRechnungRec& rechnung);

    // The net unit price: gross × 100 / (rate + 100). A rate of −100 has no net price; such a
    // position is taken as carrying no VAT (net = gross).
    static double NetPrice(const TPositionRec& position);
};
