#include "invoices/InvoiceTotals.h"

#include "foundation/TDynaArray.h"
#include "invoices/NumberText.h"
#include "invoices/TPositionRec.h"
#include "invoices/TRechnungRec.h"

#include <algorithm>
#include <string>

namespace {

const TPositionRec& PositionAt(const TRechnungRec& rechnung, uint32_t index)
{
    return *static_cast<const TPositionRec*>(rechnung.posis->At(index));
}

}

double InvoiceTotals::NetPrice(const TPositionRec& position)
{
    const double divisor = position.mwst + 100;
    if (divisor == 0)
        return position.preis;
    return position.preis * 100 / divisor;
}

std::vector<std::vector<uint32_t>> InvoiceTotals::RateGroups(const TRechnungRec& rechnung)
{
    // The separator does not matter for telling rates apart.
    std::vector<std::u16string> rates;
    std::vector<std::vector<uint32_t>> groups;
    for (uint32_t i = 0; i < rechnung.posis->Count(); ++i) {
        const std::u16string rate = FormatGeneral(PositionAt(rechnung, i).mwst, u',');
        const auto found = std::find(rates.begin(), rates.end(), rate);
        if (found == rates.end()) {
            rates.push_back(rate);
            groups.push_back({i});
        } else {
            groups[size_t(found - rates.begin())].push_back(i);
        }
    }
    return groups;
}

InvoiceTotals InvoiceTotals::Of(const TRechnungRec& rechnung)
{
    InvoiceTotals totals;
    for (const std::vector<uint32_t>& group : RateGroups(rechnung)) {
        for (const uint32_t index : group) {
            const TPositionRec& p = PositionAt(rechnung, index);
            const double n = NetPrice(p);
            totals.gross += p.menge * p.preis;
            totals.net += p.menge * n;
            totals.vat += p.menge * (p.preis - n);
        }
    }
    return totals;
}
