#include "einvoice/EInvoiceAmounts.h"

#include "einvoice/DecimalNumber.h"
#include "einvoice/EInvoiceDefaults.h"
#include "foundation/TDynaArray.h"
#include "invoices/InvoiceTotals.h"
#include "invoices/NumberText.h"
#include "invoices/TPositionRec.h"
#include "invoices/TRechnungRec.h"
#include "invoices/TRechnungSettings.h"

#include <cmath>
#include <string>

namespace {

constexpr int kUnitDecimals = 6;                     // quantities, prices, rates
constexpr int64_t kMillionthsToCents = 10000000000;  // 10^12 (quantity × price) to 10^2
constexpr int64_t kRateToCents = 100000000;          // cents × millionths of a percent to cents
// Totals beyond this (ten trillion euros in cents) are not carried.
constexpr __int128 kLargestTotal = __int128(1000000000000000);

VatCategory FromZeroRate(uint8_t category)
{
    switch (static_cast<ZeroRateCategory>(category)) {
    case ZeroRateCategory::Z:
        return VatCategory::Z;
    case ZeroRateCategory::E:
        return VatCategory::E;
    case ZeroRateCategory::AE:
        return VatCategory::AE;
    case ZeroRateCategory::K:
        return VatCategory::K;
    case ZeroRateCategory::G:
        return VatCategory::G;
    case ZeroRateCategory::O:
        return VatCategory::O;
    }
    return VatCategory::Z;
}

}

std::u16string_view VatCategoryCode(VatCategory category)
{
    switch (category) {
    case VatCategory::S:
        return u"S";
    case VatCategory::Z:
        return u"Z";
    case VatCategory::E:
        return u"E";
    case VatCategory::AE:
        return u"AE";
    case VatCategory::K:
        return u"K";
    case VatCategory::G:
        return u"G";
    case VatCategory::O:
        return u"O";
    }
    return u"S";
}

PositionTax TaxOfPosition(const TPositionRec& p, const TRechnungSettings& settings, uint8_t zeroRateCategory)
{
    PositionTax tax;
    tax.netPrice = p.preis;
    if (!std::isfinite(p.menge) || !std::isfinite(p.preis) || !std::isfinite(p.mwst) ||
        std::fabs(p.menge) > kLargestDecimal || std::fabs(p.preis) > kLargestDecimal ||
        std::fabs(p.menge * p.preis) > kLargestDecimal) {
        tax.problem = PositionProblem::NotANumber;
        return tax;
    }
    const auto zeroRate = [&] {
        tax.category = FromZeroRate(zeroRateCategory);
        if (zeroRateCategory >= kZeroRateCategoryCount)
            tax.problem = PositionProblem::UnknownZeroRateCategory;
    };
    if (settings.KleinunternehmerCheck) {
        tax.category = VatCategory::E;
        if (p.mwst != 0 && !settings.NoMwstCheck)
            tax.problem = PositionProblem::VatDespiteKleinunternehmer;
        return tax;
    }
    if (settings.NoMwstCheck) {
        zeroRate();
        if (p.mwst != 0)
            tax.problem = PositionProblem::VatDespiteNoMwst;
        return tax;
    }
    if (p.mwst < 0 || p.mwst > 100) {
        tax.problem = PositionProblem::RateOutOfRange;
        return tax;
    }
    if (p.mwst == 0) {
        zeroRate();
        return tax;
    }
    tax.category = VatCategory::S;
    tax.netPrice = InvoiceTotals::NetPrice(p);
    if (p.mwst < 0.5)
        tax.problem = PositionProblem::RateBelowHalfPercent;
    return tax;
}

EInvoiceAmounts EInvoiceAmounts::Of(const TRechnungRec& rechnung, const TRechnungSettings& settings)
{
    EInvoiceAmounts a;
    const uint32_t count = rechnung.posis->Count();
    a.lines.reserve(count);
    __int128 lineTotal = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const auto& p = *static_cast<const TPositionRec*>(rechnung.posis->At(i));
        const PositionTax tax = TaxOfPosition(p, settings, rechnung.nullkategorie);
        EInvoiceLine line;
        line.position = i;
        line.category = tax.category;
        const auto quantity = ScaledDecimal(p.menge, kUnitDecimals);
        const auto price = ScaledDecimal(std::fabs(tax.netPrice), kUnitDecimals);
        const auto rate = ScaledDecimal(p.mwst, kUnitDecimals);
        if (tax.problem == PositionProblem::NotANumber || !quantity || !price || !rate) {
            a.valid = false;
        } else {
            // The price is never negative: a negative price turns into a negative quantity.
            line.quantity = tax.netPrice < 0 ? -*quantity : *quantity;
            line.netPrice = *price;
            line.netAmount = DivideRounded(__int128(line.quantity) * line.netPrice, kMillionthsToCents);
            line.rate = tax.category == VatCategory::S ? *rate : 0;
        }
        EInvoiceTaxGroup* group = nullptr;
        for (EInvoiceTaxGroup& g : a.taxes) {
            if (g.category == line.category && g.rate == line.rate)
                group = &g;
        }
        if (!group) {
            a.taxes.push_back({line.category, line.rate, 0, 0});
            group = &a.taxes.back();
        }
        // No sum may leave the range that the products below can take.
        const __int128 basis = __int128(group->basis) + line.netAmount;
        if (basis > kLargestTotal || basis < -kLargestTotal) {
            a.valid = false;
            line.netAmount = 0;
        }
        group->basis += line.netAmount;
        lineTotal += line.netAmount;
        a.lines.push_back(line);
    }
    __int128 taxTotal = 0;
    for (EInvoiceTaxGroup& group : a.taxes) {
        group.tax =
            group.category == VatCategory::S ? DivideRounded(__int128(group.basis) * group.rate, kRateToCents) : 0;
        taxTotal += group.tax;
    }
    // The amount due is what the page prints as "Gesamtbetrag".
    const std::u16string printed = FormatFixed2(InvoiceTotals::Of(rechnung).gross, u'.');
    const auto due = ParseDecimal(std::string(printed.begin(), printed.end()), 2);
    if (!due || lineTotal > kLargestTotal || lineTotal < -kLargestTotal || taxTotal > kLargestTotal ||
        taxTotal < -kLargestTotal || *due > kLargestTotal || *due < -kLargestTotal) {
        a.valid = false;
        return a;
    }
    a.lineTotal = static_cast<int64_t>(lineTotal);
    a.taxBasisTotal = a.lineTotal;
    a.taxTotal = static_cast<int64_t>(taxTotal);
    a.grandTotal = a.taxBasisTotal + a.taxTotal;
    a.duePayable = *due;
    a.rounding = a.duePayable - a.grandTotal;
    return a;
}
