#include "support/LargeCiiInvoice.h"

#include <cstdint>
#include <cstdio>

namespace {

// Whole cents as "1234.56".
std::string Cents(int64_t cents)
{
    char text[32];
    const char* sign = cents < 0 ? "-" : "";
    const int64_t magnitude = cents < 0 ? -cents : cents;
    std::snprintf(text, sizeof text, "%s%lld.%02lld", sign, static_cast<long long>(magnitude / 100),
                  static_cast<long long>(magnitude % 100));
    return text;
}

// The VAT of a net amount at a whole percent rate, rounded half away from zero to cents.
int64_t VatCents(int64_t netCents, int rate)
{
    const int64_t hundredths = netCents * rate;
    return (hundredths + (hundredths >= 0 ? 50 : -50)) / 100;
}

void AppendLine(std::string& xml, size_t i, int64_t quantity, int64_t priceCents, int rate, int64_t netCents)
{
    const std::string id = std::to_string(i);
    xml += "<ram:IncludedSupplyChainTradeLineItem><ram:AssociatedDocumentLineDocument><ram:LineID>";
    xml += id;
    xml += "</ram:LineID></ram:AssociatedDocumentLineDocument><ram:SpecifiedTradeProduct><ram:SellerAssignedID>A-";
    xml += id;
    xml += "</ram:SellerAssignedID><ram:Name>Artikel ";
    xml += id;
    xml += "</ram:Name></ram:SpecifiedTradeProduct><ram:SpecifiedLineTradeAgreement><ram:NetPriceProductTradePrice>"
           "<ram:ChargeAmount>";
    xml += Cents(priceCents);
    xml += "</ram:ChargeAmount></ram:NetPriceProductTradePrice></ram:SpecifiedLineTradeAgreement>"
           "<ram:SpecifiedLineTradeDelivery><ram:BilledQuantity unitCode=\"H87\">";
    xml += std::to_string(quantity);
    xml += "</ram:BilledQuantity></ram:SpecifiedLineTradeDelivery><ram:SpecifiedLineTradeSettlement>"
           "<ram:ApplicableTradeTax><ram:TypeCode>VAT</ram:TypeCode><ram:CategoryCode>S</ram:CategoryCode>"
           "<ram:RateApplicablePercent>";
    xml += std::to_string(rate);
    xml += "</ram:RateApplicablePercent></ram:ApplicableTradeTax><ram:SpecifiedTradeSettlementLineMonetarySummation>"
           "<ram:LineTotalAmount>";
    xml += Cents(netCents);
    xml += "</ram:LineTotalAmount></ram:SpecifiedTradeSettlementLineMonetarySummation>"
           "</ram:SpecifiedLineTradeSettlement></ram:IncludedSupplyChainTradeLineItem>\n";
}

const char* kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<rsm:CrossIndustryInvoice xmlns:rsm=\"urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100\" "
    "xmlns:ram=\"urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100\" "
    "xmlns:udt=\"urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100\">\n"
    "<rsm:ExchangedDocumentContext><ram:GuidelineSpecifiedDocumentContextParameter><ram:ID>urn:cen.eu:en16931:2017"
    "</ram:ID></ram:GuidelineSpecifiedDocumentContextParameter></rsm:ExchangedDocumentContext>\n"
    "<rsm:ExchangedDocument><ram:ID>GROSS-2026-001</ram:ID><ram:TypeCode>380</ram:TypeCode><ram:IssueDateTime>"
    "<udt:DateTimeString format=\"102\">20260305</udt:DateTimeString></ram:IssueDateTime></rsm:ExchangedDocument>\n"
    "<rsm:SupplyChainTradeTransaction>\n";

const char* kAgreementAndDelivery =
    "<ram:ApplicableHeaderTradeAgreement><ram:BuyerReference>04011000-12345-67</ram:BuyerReference>"
    "<ram:SellerTradeParty><ram:Name>Großhandel Muster GmbH</ram:Name><ram:PostalTradeAddress>"
    "<ram:PostcodeCode>10115</ram:PostcodeCode><ram:LineOne>Lagerstraße 1</ram:LineOne><ram:CityName>Berlin"
    "</ram:CityName><ram:CountryID>DE</ram:CountryID></ram:PostalTradeAddress><ram:SpecifiedTaxRegistration>"
    "<ram:ID schemeID=\"VA\">DE123456789</ram:ID></ram:SpecifiedTaxRegistration></ram:SellerTradeParty>"
    "<ram:BuyerTradeParty><ram:Name>Baumarkt Beispiel KG</ram:Name><ram:PostalTradeAddress><ram:PostcodeCode>80331"
    "</ram:PostcodeCode><ram:LineOne>Marktplatz 5</ram:LineOne><ram:CityName>München</ram:CityName><ram:CountryID>DE"
    "</ram:CountryID></ram:PostalTradeAddress></ram:BuyerTradeParty></ram:ApplicableHeaderTradeAgreement>\n"
    "<ram:ApplicableHeaderTradeDelivery><ram:ActualDeliverySupplyChainEvent><ram:OccurrenceDateTime>"
    "<udt:DateTimeString format=\"102\">20260302</udt:DateTimeString></ram:OccurrenceDateTime>"
    "</ram:ActualDeliverySupplyChainEvent></ram:ApplicableHeaderTradeDelivery>\n";

void AppendTax(std::string& xml, int64_t netCents, int64_t vatCents, int rate)
{
    xml += "<ram:ApplicableTradeTax><ram:CalculatedAmount>" + Cents(vatCents) +
           "</ram:CalculatedAmount><ram:TypeCode>VAT</ram:TypeCode><ram:BasisAmount>" + Cents(netCents) +
           "</ram:BasisAmount><ram:CategoryCode>S</ram:CategoryCode><ram:RateApplicablePercent>" +
           std::to_string(rate) + "</ram:RateApplicablePercent></ram:ApplicableTradeTax>";
}

}  // namespace

LargeCiiInvoice MakeLargeCiiInvoice(size_t lineCount)
{
    LargeCiiInvoice invoice;
    invoice.xml.reserve(lineCount * 760 + 4096);
    invoice.xml += kHead;
    int64_t netAt19 = 0;
    int64_t netAt7 = 0;
    for (size_t i = 1; i <= lineCount; ++i) {
        const int64_t quantity = static_cast<int64_t>(i % 9 + 1);
        const int64_t priceCents = static_cast<int64_t>(i % 250) * 100 + 99;
        const int rate = i % 2 == 1 ? 19 : 7;
        const int64_t netCents = quantity * priceCents;
        (rate == 19 ? netAt19 : netAt7) += netCents;
        AppendLine(invoice.xml, i, quantity, priceCents, rate, netCents);
    }
    const int64_t vatAt19 = VatCents(netAt19, 19);
    const int64_t vatAt7 = VatCents(netAt7, 7);
    const int64_t net = netAt19 + netAt7;
    const int64_t vat = vatAt19 + vatAt7;
    std::string& xml = invoice.xml;
    xml += kAgreementAndDelivery;
    xml += "<ram:ApplicableHeaderTradeSettlement><ram:PaymentReference>GROSS-2026-001</ram:PaymentReference>"
           "<ram:InvoiceCurrencyCode>EUR</ram:InvoiceCurrencyCode><ram:SpecifiedTradeSettlementPaymentMeans>"
           "<ram:TypeCode>58</ram:TypeCode><ram:PayeePartyCreditorFinancialAccount><ram:IBANID>DE02120300000000202051"
           "</ram:IBANID></ram:PayeePartyCreditorFinancialAccount></ram:SpecifiedTradeSettlementPaymentMeans>";
    if (netAt19 != 0 || lineCount == 0)
        AppendTax(xml, netAt19, vatAt19, 19);
    if (netAt7 != 0)
        AppendTax(xml, netAt7, vatAt7, 7);
    xml += "<ram:SpecifiedTradePaymentTerms><ram:Description>Zahlbar innerhalb von 30 Tagen ohne Abzug."
           "</ram:Description><ram:DueDateDateTime><udt:DateTimeString format=\"102\">20260404</udt:DateTimeString>"
           "</ram:DueDateDateTime></ram:SpecifiedTradePaymentTerms>"
           "<ram:SpecifiedTradeSettlementHeaderMonetarySummation><ram:LineTotalAmount>" +
           Cents(net) + "</ram:LineTotalAmount><ram:TaxBasisTotalAmount>" + Cents(net) +
           "</ram:TaxBasisTotalAmount><ram:TaxTotalAmount currencyID=\"EUR\">" + Cents(vat) +
           "</ram:TaxTotalAmount><ram:GrandTotalAmount>" + Cents(net + vat) +
           "</ram:GrandTotalAmount><ram:DuePayableAmount>" + Cents(net + vat) +
           "</ram:DuePayableAmount></ram:SpecifiedTradeSettlementHeaderMonetarySummation>"
           "</ram:ApplicableHeaderTradeSettlement>\n</rsm:SupplyChainTradeTransaction>\n</rsm:CrossIndustryInvoice>\n";
    constexpr Micros kCent = 10'000;
    invoice.lineNetTotal = net * kCent;
    invoice.netAt19 = netAt19 * kCent;
    invoice.netAt7 = netAt7 * kCent;
    invoice.vatAt19 = vatAt19 * kCent;
    invoice.vatAt7 = vatAt7 * kCent;
    invoice.vatTotal = vat * kCent;
    invoice.grossTotal = (net + vat) * kCent;
    return invoice;
}
