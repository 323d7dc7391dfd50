#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

struct TPositionRec;
struct TRechnungRec;
struct TRechnungSettings;

// VAT category of an e-invoice line (UNTDID 5305).
enum class VatCategory : uint8_t { S, Z, E, AE, K, G, O };

// "S", "Z", "E", "AE", "K", "G", "O".
std::u16string_view VatCategoryCode(VatCategory category);

// Why a position cannot go into an e-invoice as it stands.
enum class PositionProblem : uint8_t {
    None,
    NotANumber,                  // quantity, price or rate not a number, or too large
    RateOutOfRange,              // a rate below 0 or above 100 %
    RateBelowHalfPercent,        // a rate above 0 and below 0.5 %, which the rules cannot express
    VatDespiteNoMwst,            // a rate above 0 while "Keine MwSt berechnen" is set
    VatDespiteKleinunternehmer,  // a rate above 0 printed with VAT by a seller under § 19 UStG
    UnknownZeroRateCategory,     // a 0 % position of an invoice whose category this version does not know
};

// How one position is taxed in the e-invoice: its category and the net unit price that
// belongs to it.
//  - A seller under § 19 UStG charges no VAT: every line is exempt (E), its price the price
//    as entered. Positions with a rate are refused unless "Keine MwSt berechnen" keeps the
//    page from printing VAT.
//  - "Keine MwSt berechnen" prints no VAT: the positions must carry 0 %, and are lines of the
//    invoice's category for 0 %.
//  - Otherwise a rate above 0 is standard rated (S), the net price gross × 100 / (rate + 100)
//    as on the page; 0 % is the invoice's category for 0 %.
struct PositionTax {
    VatCategory category = VatCategory::S;
    double netPrice = 0;
    PositionProblem problem = PositionProblem::None;
};
PositionTax TaxOfPosition(const TPositionRec& position, const TRechnungSettings& settings, uint8_t zeroRateCategory);

// One line: amounts in cents, quantity, price and rate in millionths.
struct EInvoiceLine {
    uint32_t position = 0;                  // index in the invoice's positions
    int64_t quantity = 0;                   // BT-129; the sign of a negative price moves here
    int64_t netPrice = 0;                   // BT-146, never negative, at most 6 decimals
    int64_t netAmount = 0;                  // BT-131 = quantity × net price, to the cent
    VatCategory category = VatCategory::S;  // BT-151
    int64_t rate = 0;                       // BT-152 in millionths of a percent; 0 but for S
};

// One row of the VAT breakdown.
struct EInvoiceTaxGroup {
    VatCategory category = VatCategory::S;  // BT-118
    int64_t rate = 0;                       // BT-119, millionths of a percent
    int64_t basis = 0;                      // BT-116 = Σ BT-131 of the category and rate
    int64_t tax = 0;                        // BT-117 = basis × rate / 100, to the cent
};

// The amounts of an electronic invoice, computed once for the XML and for every other place
// that shows them. Lines in the order of the positions; the breakdown in the order in which
// its category and rate first occur. Every rounding is half away from zero on the decimal
// value. The amount due equals, to the cent, the "Gesamtbetrag" the page prints (the gross sum
// of InvoiceTotals); the rounding amount takes up the difference that rounding the lines and
// the tax leaves.
class EInvoiceAmounts {
public:
    std::vector<EInvoiceLine> lines;
    std::vector<EInvoiceTaxGroup> taxes;
    int64_t lineTotal = 0;      // BT-106 = Σ BT-131
    int64_t taxBasisTotal = 0;  // BT-109 = BT-106 (no allowances or charges on the document)
    int64_t taxTotal = 0;       // BT-110 = Σ BT-117
    int64_t grandTotal = 0;     // BT-112 = BT-109 + BT-110
    int64_t rounding = 0;       // BT-114 = BT-115 − BT-112
    int64_t duePayable = 0;     // BT-115 = the page's Gesamtbetrag
    // False when a position or the page's total holds no number the e-invoice can carry
    // (the amounts are then not to be used; the check names the position).
    bool valid = true;

    static EInvoiceAmounts Of(const TRechnungRec& rechnung, const TRechnungSettings& settings);
};
