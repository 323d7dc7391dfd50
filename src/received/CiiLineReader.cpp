#include "received/CiiLineReader.h"

#include "received/CiiFields.h"
#include "received/XmlNodes.h"

using cii::kRam;
using cii::Ram;
using cii::RamText;

namespace {

void ReadProduct(const xmlNode* product, ReceivedLine& line)
{
    line.standardItemId = cii::RamId(product, "GlobalID");
    line.sellerItemId = RamText(product, "SellerAssignedID");
    line.buyerItemId = RamText(product, "BuyerAssignedID");
    line.itemName = RamText(product, "Name");
    line.itemDescription = RamText(product, "Description");
    for (const xmlNode* characteristic : ChildElements(product, kRam, "ApplicableProductCharacteristic"))
        line.attributes.push_back({RamText(characteristic, "Description"), RamText(characteristic, "Value")});
    for (const xmlNode* classification : ChildElements(product, kRam, "DesignatedProductClassification")) {
        const xmlNode* code = Ram(classification, "ClassCode");
        line.classifications.push_back({ElementText(code), AttributeText(code, "listID")});
    }
    line.originCountry = RamText(Ram(product, "OriginTradeCountry"), "ID");
}

void ReadAgreement(ValueReader& values, const xmlNode* agreement, ReceivedLine& line)
{
    line.orderLineReference = RamText(Ram(agreement, "BuyerOrderReferencedDocument"), "LineID");
    // BT-148 with the discount BT-147 that leads from it to the net price BT-146.
    const xmlNode* gross = Ram(agreement, "GrossPriceProductTradePrice");
    line.grossPrice = values.Number(Ram(gross, "ChargeAmount"));
    for (const xmlNode* discount : ChildElements(gross, kRam, "AppliedTradeAllowanceCharge")) {
        if (const std::optional<Micros> amount = values.Number(Ram(discount, "ActualAmount")))
            line.priceDiscount = line.priceDiscount.value_or(0) + *amount;
    }
    const xmlNode* net = Ram(agreement, "NetPriceProductTradePrice");
    line.netPrice = values.Number(Ram(net, "ChargeAmount"));
    // BT-149/150: the base quantity is on the net price, or on the gross price alone.
    const xmlNode* basis = Ram(net, "BasisQuantity");
    if (basis == nullptr)
        basis = Ram(gross, "BasisQuantity");
    line.baseQuantity = values.Number(basis);
    line.baseQuantityUnit = AttributeText(basis, "unitCode");
}

void ReadSettlement(ValueReader& values, const xmlNode* settlement, ReceivedLine& line)
{
    const xmlNode* tax = Ram(settlement, "ApplicableTradeTax");
    line.vatCategory = RamText(tax, "CategoryCode");
    line.vatRate = values.Number(Ram(tax, "RateApplicablePercent"));
    const xmlNode* period = Ram(settlement, "BillingSpecifiedPeriod");
    line.periodStart = cii::Date(values, Ram(period, "StartDateTime"));
    line.periodEnd = cii::Date(values, Ram(period, "EndDateTime"));
    for (const xmlNode* charge : ChildElements(settlement, kRam, "SpecifiedTradeAllowanceCharge")) {
        ReceivedAllowanceCharge entry = cii::AllowanceCharge(values, charge);
        entry.vatCategory.clear();  // a line's allowance or charge takes the line's VAT
        entry.vatRate.reset();
        line.allowancesCharges.push_back(std::move(entry));
    }
    line.netAmount =
        values.Number(Ram(Ram(settlement, "SpecifiedTradeSettlementLineMonetarySummation"), "LineTotalAmount"));
    // BT-128: the invoiced object, a referenced document of type 130.
    for (const xmlNode* document : ChildElements(settlement, kRam, "AdditionalReferencedDocument")) {
        if (RamText(document, "TypeCode") == u"130" && line.objectId.value.empty())
            line.objectId = {RamText(document, "IssuerAssignedID"), RamText(document, "ReferenceTypeCode")};
    }
    line.accountingReference = RamText(Ram(settlement, "ReceivableSpecifiedTradeAccountingAccount"), "ID");
}

}  // namespace

ReceivedLine ReadCiiLine(ValueReader& values, const xmlNode* item)
{
    ReceivedLine line;
    const xmlNode* document = Ram(item, "AssociatedDocumentLineDocument");
    line.id = RamText(document, "LineID");
    line.note = RamText(Ram(document, "IncludedNote"), "Content");
    ReadProduct(Ram(item, "SpecifiedTradeProduct"), line);
    ReadAgreement(values, Ram(item, "SpecifiedLineTradeAgreement"), line);
    const xmlNode* quantity = Ram(Ram(item, "SpecifiedLineTradeDelivery"), "BilledQuantity");
    line.quantity = values.Number(quantity);
    line.unitCode = AttributeText(quantity, "unitCode");
    ReadSettlement(values, Ram(item, "SpecifiedLineTradeSettlement"), line);
    return line;
}
