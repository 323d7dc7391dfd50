#include "einvoice/HybridPageFactsBuilder.h"

#include "einvoice/EInvoiceDocument.h"
#include "invoices/DateTime.h"
#include "messages/HybridPageMessages.h"
#include "messages/MessageCatalog.h"
#include "output/TLayoutFormat.h"

#include <algorithm>
#include <string>

namespace {

constexpr int64_t kMillionths = 1000000;

std::u16string Digits(uint64_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// "Label: value", nothing when there is no value.
std::u16string Labelled(std::u16string_view label, const std::u16string& value)
{
    if (value.empty())
        return {};
    return std::u16string(label) + u" " + value;
}

}

std::u16string RatePercentText(int64_t millionths, char16_t separator)
{
    const uint64_t magnitude = millionths < 0 ? 0 - uint64_t(millionths) : uint64_t(millionths);
    std::u16string text = millionths < 0 ? u"-" : u"";
    text += Digits(magnitude / kMillionths);
    uint64_t fraction = magnitude % kMillionths;
    if (fraction != 0) {
        std::u16string decimals = Digits(fraction);
        decimals.insert(0, 6 - decimals.size(), u'0');
        while (decimals.back() == u'0')
            decimals.pop_back();
        text += separator;
        text += decimals;
    }
    return text;
}

HybridPageFacts HybridPageFactsOf(const EInvoiceDocument& d, const TLayoutFormat& format)
{
    namespace M = HybridPageMessages;
    const auto date = [&](double value) { return ShortDateText(value, format.shortDate); };

    HybridPageFacts facts;
    const EInvoiceAmounts& a = d.amounts;
    facts.netTotal = a.taxBasisTotal;
    for (const EInvoiceTaxGroup& group : a.taxes)
        facts.vatLines.push_back(
            {MessageText(67) + u" " + RatePercentText(group.rate, format.decimalSeparator) + u" %", group.tax});
    facts.rounding = a.rounding;
    facts.amountDue = a.duePayable;

    const std::u16string from = date(d.supplyDate);
    const std::u16string to = date(d.periodEnd);
    if (d.hasPeriod && !from.empty() && !to.empty())
        facts.supplyLine = std::u16string(M::kSupplyPeriod) + u" " + from + std::u16string(M::kPeriodDash) + to;
    else
        facts.supplyLine = Labelled(M::kSupplyDate, from);
    facts.dueLine = Labelled(M::kDueDate, date(d.dueDate));
    facts.sellerVatId = Labelled(M::kSellerVatId, d.sellerVatId);
    facts.buyerVatId = Labelled(M::kBuyerVatId, d.buyerVatId);

    // The XML gives the reason to every row of the breakdown that is neither standard nor
    // zero rated; all of them share the one reason of the invoice.
    const bool exempt = std::any_of(a.taxes.begin(), a.taxes.end(), [](const EInvoiceTaxGroup& group) {
        return group.category != VatCategory::S && group.category != VatCategory::Z;
    });
    if (exempt && !d.exemptionReason.empty())
        facts.exemptionLines.push_back(d.exemptionReason);
    return facts;
}
