#include "received/UblLineReader.h"

#include "foundation/Utf8.h"
#include "received/UblNames.h"

using namespace Ubl;

namespace UblLineReader {

namespace {

// xs:boolean: "true", "false", "1" or "0".
bool Indicator(const xmlNode* node, ValueReader& values)
{
    const std::string text = ElementTextUtf8(node);
    if (text == "true" || text == "1")
        return true;
    if (text == "false" || text == "0")
        return false;
    values.Fail(node, u"„" + Utf8ToUtf16(text.substr(0, 40)) + u"“ ist weder „true“ noch „false“.");
    return false;
}

// Several notes of one line are joined, one per line of text.
std::u16string JoinedTexts(const xmlNode* node, const char* local)
{
    std::u16string joined;
    for (const xmlNode* child : ChildElements(node, kCbc, local)) {
        if (!joined.empty())
            joined += u'\n';
        joined += ElementText(child);
    }
    return joined;
}

void ReadItem(const xmlNode* item, ReceivedLine& line, ValueReader& values)
{
    line.itemDescription = JoinedTexts(item, "Description");
    line.itemName = Text(item, "Name");
    line.buyerItemId = Text(Cac(item, "BuyersItemIdentification"), "ID");
    line.sellerItemId = Text(Cac(item, "SellersItemIdentification"), "ID");
    const xmlNode* standard = Cbc(Cac(item, "StandardItemIdentification"), "ID");
    line.standardItemId = {ElementText(standard), AttributeText(standard, "schemeID")};
    line.originCountry = Text(Cac(item, "OriginCountry"), "IdentificationCode");
    for (const xmlNode* classification : Cacs(item, "CommodityClassification")) {
        const xmlNode* code = Cbc(classification, "ItemClassificationCode");
        if (code != nullptr)
            line.classifications.push_back({ElementText(code), AttributeText(code, "listID")});
    }
    const xmlNode* category = Cac(item, "ClassifiedTaxCategory");
    line.vatCategory = Text(category, "ID");
    line.vatRate = values.Number(Cbc(category, "Percent"));
    for (const xmlNode* property : Cacs(item, "AdditionalItemProperty"))
        line.attributes.push_back({Text(property, "Name"), Text(property, "Value")});
}

void ReadPrice(const xmlNode* price, ReceivedLine& line, ValueReader& values)
{
    line.netPrice = values.Number(Cbc(price, "PriceAmount"));
    const xmlNode* base = Cbc(price, "BaseQuantity");
    line.baseQuantity = values.Number(base);
    line.baseQuantityUnit = AttributeText(base, "unitCode");
    // The one allowance on the price: the discount (BT-147) from the gross price (BT-148).
    const xmlNode* discount = Cac(price, "AllowanceCharge");
    line.priceDiscount = values.Number(Cbc(discount, "Amount"));
    line.grossPrice = values.Number(Cbc(discount, "BaseAmount"));
}

}  // namespace

ReceivedAllowanceCharge AllowanceCharge(const xmlNode* node, ValueReader& values)
{
    ReceivedAllowanceCharge result;
    const xmlNode* indicator = Cbc(node, "ChargeIndicator");
    if (indicator != nullptr)
        result.charge = Indicator(indicator, values);
    else
        values.Fail(node, u"Es fehlt cbc:ChargeIndicator, das sagt, ob es ein Zu- oder ein Abschlag ist.");
    result.amount = values.Number(Cbc(node, "Amount"));
    result.baseAmount = values.Number(Cbc(node, "BaseAmount"));
    result.percentage = values.Number(Cbc(node, "MultiplierFactorNumeric"));
    result.reason = Text(node, "AllowanceChargeReason");
    result.reasonCode = Text(node, "AllowanceChargeReasonCode");
    const xmlNode* category = Cac(node, "TaxCategory");
    result.vatCategory = Text(category, "ID");
    result.vatRate = values.Number(Cbc(category, "Percent"));
    return result;
}

ReceivedLine Line(const xmlNode* node, bool creditNote, ValueReader& values)
{
    ReceivedLine line;
    line.id = Text(node, "ID");
    line.note = JoinedTexts(node, "Note");
    const xmlNode* quantity = Cbc(node, creditNote ? "CreditedQuantity" : "InvoicedQuantity");
    line.quantity = values.Number(quantity);
    line.unitCode = AttributeText(quantity, "unitCode");
    line.netAmount = values.Number(Cbc(node, "LineExtensionAmount"));
    line.accountingReference = Text(node, "AccountingCost");
    const xmlNode* period = Cac(node, "InvoicePeriod");
    line.periodStart = values.IsoDate(Cbc(period, "StartDate"));
    line.periodEnd = values.IsoDate(Cbc(period, "EndDate"));
    line.orderLineReference = Text(Cac(node, "OrderLineReference"), "LineID");
    for (const xmlNode* reference : Cacs(node, "DocumentReference")) {
        // A line refers to no other kind of document; a reference without a type is the object too.
        const std::u16string type = Text(reference, "DocumentTypeCode");
        if ((type == u"130" || type.empty()) && line.objectId.value.empty()) {
            const xmlNode* id = Cbc(reference, "ID");
            line.objectId = {ElementText(id), AttributeText(id, "schemeID")};
        }
    }
    for (const xmlNode* allowanceCharge : Cacs(node, "AllowanceCharge"))
        line.allowancesCharges.push_back(AllowanceCharge(allowanceCharge, values));
    ReadItem(Cac(node, "Item"), line, values);
    ReadPrice(Cac(node, "Price"), line, values);
    return line;
}

}  // namespace UblLineReader
