#include "received/CiiFields.h"

#include "foundation/Utf8.h"
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
    if (holder == nullptr)
        return std::nullopt;
    // udt:DateTimeString is the common form, read (with its messages) by the value reader.
    if (ChildElement(holder, kUdt, "DateTimeString") != nullptr)
        return values.CiiDate(holder);
    const xmlNode* node = ChildElement(holder, kUdt, "DateString");
    if (node == nullptr)
        node = ChildElement(holder, kQdt, "DateTimeString");
    if (node == nullptr)
        return values.CiiDate(holder);  // reports the missing date
    const std::u16string format = AttributeText(node, "format");
    if (!format.empty() && format != u"102") {
        values.Fail(node, u"Das Datumsformat „" + format + u"“ wird nicht unterstützt (erwartet: 102, JJJJMMTT).");
        return std::nullopt;
    }
    const std::string text = ElementTextUtf8(node);
    std::optional<ReceivedDate> date = ValueReader::ParseDate(text, false);
    if (!date) {
        // A long text is cut in the message: the user needs to recognise it, not read it all.
        const std::string shown = text.size() > 40 ? text.substr(0, 40) + "…" : text;
        values.Fail(node, u"„" + Utf8ToUtf16(shown) + u"“ ist kein Datum der Form JJJJMMTT.");
    }
    return date;
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
