#include "received/CiiFields.h"

#include "received/XmlNodes.h"

namespace cii {

const xmlNode* Ram(const xmlNode* node, const char* local)
{
    return ChildElement(node, kRam, local);
}

std::u16string RamText(const xmlNode* node, const char* local)
{
    return ElementText(ChildElement(node, kRam, local));
}

ReceivedId RamId(const xmlNode* node, const char* local)
{
    const xmlNode* id = ChildElement(node, kRam, local);
    return {ElementText(id), AttributeText(id, "schemeID")};
}

std::optional<ReceivedDate> Date(ValueReader& values, const xmlNode* holder)
{
    return values.CiiDate(holder);
}

ReceivedAllowanceCharge AllowanceCharge(ValueReader& values, const xmlNode* node)
{
    ReceivedAllowanceCharge result;
    const xmlNode* indicator = ChildElement(Ram(node, "ChargeIndicator"), kUdt, "Indicator");
    const std::string flag = ElementTextUtf8(indicator);
    if (flag == "true" || flag == "1")
        result.charge = true;
    else if (indicator == nullptr || (flag != "false" && flag != "0"))
        values.Fail(indicator != nullptr ? indicator : node,
                    u"Es fehlt die Angabe, ob es ein Abschlag (false) oder ein Zuschlag (true) ist.");
    result.percentage = values.Number(Ram(node, "CalculationPercent"));
    result.baseAmount = values.Number(Ram(node, "BasisAmount"));
    result.amount = values.Number(Ram(node, "ActualAmount"));
    result.reasonCode = RamText(node, "ReasonCode");
    result.reason = RamText(node, "Reason");
    const xmlNode* tax = Ram(node, "CategoryTradeTax");
    result.vatCategory = RamText(tax, "CategoryCode");
    result.vatRate = values.Number(Ram(tax, "RateApplicablePercent"));
    return result;
}

}  // namespace cii
