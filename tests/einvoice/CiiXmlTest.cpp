// The XML as written, read back with libxml2's parser and XPath: identifiers of the profile,
// document type, dates, texts with special characters and line breaks, amounts with a full
// stop whatever the locale, payment means and what each tax category may and may not carry.
#include "EInvoiceBooks.h"

#include "einvoice/CiiXmlWriter.h"
#include "einvoice/EInvoiceBuilder.h"
#include "einvoice/EInvoiceDefaults.h"
#include "foundation/Utf8.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <clocale>
#include <memory>
#include <string>

namespace {

// A written e-invoice, parsed.
class Parsed {
public:
    explicit Parsed(const std::string& xml)
        : doc_(xmlReadMemory(xml.data(), int(xml.size()), "e.xml", "UTF-8", XML_PARSE_NONET))
    {
        if (!doc_)
            return;
        context_ = xmlXPathNewContext(doc_);
        xmlXPathRegisterNs(context_, BAD_CAST "rsm",
                           BAD_CAST "urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100");
        xmlXPathRegisterNs(context_, BAD_CAST "ram",
                           BAD_CAST
                           "urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100");
        xmlXPathRegisterNs(context_, BAD_CAST "udt",
                           BAD_CAST "urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100");
    }
    ~Parsed()
    {
        if (context_)
            xmlXPathFreeContext(context_);
        if (doc_)
            xmlFreeDoc(doc_);
    }
    bool Ok() const { return doc_ != nullptr; }
    // The string value of an XPath expression.
    std::string Value(const std::string& path) const
    {
        xmlXPathObjectPtr result = xmlXPathEvalExpression(BAD_CAST("string(" + path + ")").c_str(), context_);
        std::string value = result && result->stringval ? reinterpret_cast<const char*>(result->stringval) : "";
        xmlXPathFreeObject(result);
        return value;
    }
    int Count(const std::string& path) const { return std::stoi(Value("count(" + path + ")")); }

private:
    xmlDocPtr doc_;
    xmlXPathContextPtr context_ = nullptr;
};

const std::string kSettlement = "//ram:ApplicableHeaderTradeSettlement/";
const std::string kSeller = "//ram:SellerTradeParty/";
const std::string kBuyer = "//ram:BuyerTradeParty/";

std::string Xml(TRechnungBook& book, int32_t kind, EInvoiceProfile profile)
{
    const EInvoiceBuild build = BuildEInvoice(book, 0, kind, profile);
    EXPECT_EQ(Utf16ToUtf8(GapsText(build.gaps)), "");
    return WriteCiiXml(build.document);
}

const EInvoiceCase& Case(const std::string& name)
{
    for (const EInvoiceCase& c : EInvoiceCases()) {
        if (c.name.find(name) == 0)
            return c;
    }
    return EInvoiceCases()[0];
}

}

TEST(CiiXml, ProfilesTypeDatesAndTotals)
{
    TRechnungBook book;
    Case("ein-satz").fill(book);
    const std::string xml = Xml(book, 0, EInvoiceProfile::XRechnung);
    EXPECT_EQ(xml.substr(0, 38), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    const Parsed x(xml);
    ASSERT_TRUE(x.Ok());
    EXPECT_EQ(x.Value("//ram:GuidelineSpecifiedDocumentContextParameter/ram:ID"),
              "urn:cen.eu:en16931:2017#compliant#urn:xeinkauf.de:kosit:xrechnung_3.0");
    EXPECT_EQ(x.Value("//ram:BusinessProcessSpecifiedDocumentContextParameter/ram:ID"),
              "urn:fdc:peppol.eu:2017:poacc:billing:01.0");
    EXPECT_EQ(x.Value("/rsm:CrossIndustryInvoice/rsm:ExchangedDocument/ram:ID"), "RE-2026-001");
    EXPECT_EQ(x.Value("//rsm:ExchangedDocument/ram:TypeCode"), "380");
    EXPECT_EQ(x.Value("//ram:IssueDateTime/udt:DateTimeString"), "20260305");
    EXPECT_EQ(x.Value("//ram:IssueDateTime/udt:DateTimeString/@format"), "102");
    EXPECT_EQ(x.Value("//ram:ActualDeliverySupplyChainEvent//udt:DateTimeString"), "20260305");
    EXPECT_EQ(x.Value("//ram:DueDateDateTime/udt:DateTimeString"), "20260319");  // 14 days
    EXPECT_EQ(x.Value("//ram:BuyerReference"), "991-01234-56");
    EXPECT_EQ(x.Value("//ram:BuyerOrderReferencedDocument/ram:IssuerAssignedID"), "B-4711");
    EXPECT_EQ(x.Value(kSettlement + "ram:InvoiceCurrencyCode"), "EUR");
    EXPECT_EQ(x.Value(kSettlement + "ram:PaymentReference"), "RE-2026-001");
    // 8 h at 119 incl. 19 % and 100 pieces at 0.12: 800 + 10.08 net, 153.92 VAT, 964 due.
    EXPECT_EQ(x.Count("//ram:IncludedSupplyChainTradeLineItem"), 2);
    EXPECT_EQ(x.Value("//ram:IncludedSupplyChainTradeLineItem[2]//ram:ChargeAmount"), "0.10084");
    EXPECT_EQ(x.Value("//ram:IncludedSupplyChainTradeLineItem[2]//ram:BilledQuantity"), "100");
    EXPECT_EQ(x.Value("//ram:IncludedSupplyChainTradeLineItem[2]//ram:BilledQuantity/@unitCode"), "H87");
    EXPECT_EQ(x.Value("//ram:IncludedSupplyChainTradeLineItem[1]//ram:BilledQuantity/@unitCode"), "HUR");
    EXPECT_EQ(x.Value("//ram:IncludedSupplyChainTradeLineItem[1]//ram:SellerAssignedID"), "B-1");
    const std::string sums = kSettlement + "ram:SpecifiedTradeSettlementHeaderMonetarySummation/";
    EXPECT_EQ(x.Value(sums + "ram:LineTotalAmount"), "810.08");
    EXPECT_EQ(x.Value(sums + "ram:TaxTotalAmount"), "153.92");
    EXPECT_EQ(x.Value(sums + "ram:TaxTotalAmount/@currencyID"), "EUR");
    EXPECT_EQ(x.Value(sums + "ram:GrandTotalAmount"), "964.00");
    EXPECT_EQ(x.Value(sums + "ram:DuePayableAmount"), "964.00");
    EXPECT_EQ(x.Count(sums + "ram:RoundingAmount"), 0);
    // SEPA credit transfer with the account.
    EXPECT_EQ(x.Value("//ram:SpecifiedTradeSettlementPaymentMeans/ram:TypeCode"), "58");
    EXPECT_EQ(x.Value("//ram:IBANID"), "DE02120300000000202051");
    EXPECT_EQ(x.Value("//ram:AccountName"), "Vestrik Bürobedarf GmbH");
    EXPECT_EQ(x.Value("//ram:BICID"), "BYLADEM1001");
    EXPECT_EQ(x.Value(kSeller + "ram:SpecifiedTaxRegistration/ram:ID[@schemeID='VA']"), "DE123456789");
    EXPECT_EQ(x.Value(kSeller + "ram:SpecifiedTaxRegistration/ram:ID[@schemeID='FC']"), "143/123/45678");
    EXPECT_EQ(x.Value(kSeller + "ram:URIUniversalCommunication/ram:URIID[@schemeID='EM']"), "info@vestrik.example");
    EXPECT_EQ(x.Value(kBuyer + "ram:URIUniversalCommunication/ram:URIID"), "rechnung@stadtwerke.example");
    EXPECT_EQ(x.Value(kBuyer + "ram:PostalTradeAddress/ram:CountryID"), "DE");

    // EN 16931: its own guideline, no business process; a credit note is 381.
    const Parsed e(Xml(book, 3, EInvoiceProfile::EN16931));
    EXPECT_EQ(e.Value("//ram:GuidelineSpecifiedDocumentContextParameter/ram:ID"), "urn:cen.eu:en16931:2017");
    EXPECT_EQ(e.Count("//ram:BusinessProcessSpecifiedDocumentContextParameter"), 0);
    EXPECT_EQ(e.Value("//rsm:ExchangedDocument/ram:TypeCode"), "381");

    // No IBAN: payment means "not defined", no account.
    book.settings.IbanEd.clear();
    book.settings.BicEd.clear();
    const Parsed n(Xml(book, 0, EInvoiceProfile::XRechnung));
    EXPECT_EQ(n.Value("//ram:SpecifiedTradeSettlementPaymentMeans/ram:TypeCode"), "1");
    EXPECT_EQ(n.Count("//ram:PayeePartyCreditorFinancialAccount"), 0);
    EXPECT_EQ(n.Value("//ram:SpecifiedTradePaymentTerms/ram:Description"),
              "Zahlbar innerhalb von 14 Tagen ohne Abzug.");
}

TEST(CiiXml, TextsComeThroughWholeAndAmountsKeepTheFullStopInAGermanLocale)
{
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_ALL, "de_DE.UTF-8");  // where installed; the C locale otherwise
    TRechnungBook book;
    Case("gemischt").fill(book);
    book.settings.ZusatzEd2 = u"Inhaber Jörg Müller";
    const std::string xml = Xml(book, 0, EInvoiceProfile::XRechnung);
    std::setlocale(LC_ALL, saved.c_str());
    const Parsed x(xml);
    ASSERT_TRUE(x.Ok());
    const TRechnungRec& r = book.Rechnung(0);
    EXPECT_EQ(x.Value("/rsm:CrossIndustryInvoice/rsm:ExchangedDocument/ram:ID"), "RE-2026/002 & <Ä>");
    EXPECT_EQ(x.Value("//rsm:ExchangedDocument/ram:IncludedNote/ram:Content"),
              "Vielen Dank für Ihren Auftrag & Ihr Vertrauen!\n<Hinweis>: 5 € Skonto\nletzte Zeile");
    EXPECT_EQ(x.Value(kSeller + "ram:Name"), "Müller & Söhne <Werkzeug> GmbH");
    EXPECT_EQ(x.Value(kSeller + "ram:DefinedTradeContact/ram:PersonName"), "Jörg „Jö“ Müller & Co.");
    EXPECT_EQ(x.Value(kBuyer + "ram:Name"), Utf16ToUtf8(TextOf(r.firma)));
    EXPECT_EQ(x.Value(kBuyer + "ram:DefinedTradeContact/ram:PersonName"), "Ünal Weiß & Groß");
    EXPECT_EQ(x.Value(kBuyer + "ram:PostalTradeAddress/ram:LineTwo"), "z. Hd. <Einkauf>\nGebäude 2");
    // The company block's additional text is a slogan or the owner's name, no address line.
    EXPECT_EQ(x.Count(kSeller + "ram:PostalTradeAddress/ram:LineTwo"), 0);
    EXPECT_EQ(x.Value("//ram:ShipToTradeParty/ram:Name"), "Lager Süd & Nord <Tor 3>");
    EXPECT_EQ(x.Value("//ram:ShipToTradeParty//ram:CountryID"), "AT");
    EXPECT_EQ(x.Value("//ram:IncludedSupplyChainTradeLineItem[1]//ram:Name"), "Artikel Stück & <Teil>");
    EXPECT_EQ(x.Value("//ram:IncludedSupplyChainTradeLineItem[1]//ram:Description"), "zweite Zeile mit €\ndritte");
    EXPECT_EQ(x.Value("//ram:IncludedSupplyChainTradeLineItem[1]//ram:SellerAssignedID"), "ART-H87&<>");
    // Every unit of the default table, then the empty and the unknown unit as "one".
    const std::vector<TEinheitCode>& units = book.settings.EinheitenGrid;
    for (size_t i = 0; i < units.size(); ++i)
        EXPECT_EQ(x.Value("//ram:IncludedSupplyChainTradeLineItem[" + std::to_string(i + 1) +
                          "]//ram:BilledQuantity/@unitCode"),
                  Utf16ToUtf8(units[i].code));
    const std::string after = "//ram:IncludedSupplyChainTradeLineItem[" + std::to_string(units.size() + 1) + "]";
    EXPECT_EQ(x.Value(after + "//ram:BilledQuantity/@unitCode"), "C62");
    // The return: quantity −2; the discount: quantity −1 at a positive price.
    EXPECT_EQ(x.Value(after + "//ram:BilledQuantity"), "-2");
    const std::string discount = "//ram:IncludedSupplyChainTradeLineItem[" + std::to_string(units.size() + 2) + "]";
    EXPECT_EQ(x.Value(discount + "//ram:BilledQuantity"), "-1");
    EXPECT_EQ(x.Value(discount + "//ram:ChargeAmount"), "21.428571");
    EXPECT_EQ(x.Value(discount + "//ram:LineTotalAmount"), "-21.43");
    // Amounts with a full stop: no comma anywhere in an amount or quantity.
    EXPECT_EQ(x.Count("//*[contains(local-name(), 'Amount') and contains(., ',')]"), 0);
    EXPECT_EQ(x.Count("//ram:BilledQuantity[contains(., ',')]"), 0);
    EXPECT_EQ(x.Count(kSettlement + "ram:ApplicableTradeTax"), 3);  // 19 %, 7 % and Z
    EXPECT_EQ(x.Count(kSettlement + "ram:ApplicableTradeTax[ram:CategoryCode='Z']/ram:ExemptionReason"), 0);
    EXPECT_EQ(x.Value("//ram:SpecifiedTradeSettlementHeaderMonetarySummation/ram:RoundingAmount"), "-0.02");
}

TEST(CiiXml, WhatEachTaxCategoryCarries)
{
    {
        TRechnungBook book;
        Case("nicht-steuerbar").fill(book);
        const Parsed x(Xml(book, 0, EInvoiceProfile::XRechnung));
        // Not subject to VAT: no VAT identifiers, no line rate; the tax number identifies the seller.
        EXPECT_EQ(x.Count("//ram:SpecifiedTaxRegistration/ram:ID[@schemeID='VA']"), 0);
        EXPECT_EQ(x.Value(kSeller + "ram:ID"), "143/123/45678");
        EXPECT_EQ(x.Count("//ram:SpecifiedLineTradeSettlement/ram:ApplicableTradeTax/ram:RateApplicablePercent"), 0);
        EXPECT_EQ(x.Value(kSettlement + "ram:ApplicableTradeTax/ram:ExemptionReasonCode"), "VATEX-EU-O");
        EXPECT_EQ(x.Value(kSettlement + "ram:ApplicableTradeTax/ram:ExemptionReason"),
                  Utf16ToUtf8(DefaultExemptionReason(uint8_t(ZeroRateCategory::O))));
    }
    {
        TRechnungBook book;
        Case("innergemeinschaftlich").fill(book);
        const Parsed x(Xml(book, 0, EInvoiceProfile::XRechnung));
        // Delivered to the buyer's address, which names the country.
        EXPECT_EQ(x.Value("//ram:ShipToTradeParty//ram:CountryID"), "FR");
        EXPECT_EQ(x.Value("//ram:ShipToTradeParty//ram:CityName"), "Paris");
        EXPECT_EQ(x.Value(kBuyer + "ram:SpecifiedTaxRegistration/ram:ID[@schemeID='VA']"), "FR12345678901");
        EXPECT_EQ(x.Value(kSettlement + "ram:ApplicableTradeTax/ram:CategoryCode"), "K");
        EXPECT_EQ(x.Value(kSettlement + "ram:ApplicableTradeTax/ram:ExemptionReasonCode"), "VATEX-EU-IC");
    }
    {
        TRechnungBook book;
        Case("kleinunternehmer").fill(book);
        const Parsed x(Xml(book, 0, EInvoiceProfile::XRechnung));
        EXPECT_EQ(x.Value(kSettlement + "ram:ApplicableTradeTax/ram:CategoryCode"), "E");
        EXPECT_EQ(x.Value(kSettlement + "ram:ApplicableTradeTax/ram:ExemptionReason"),
                  "Kein Ausweis von Umsatzsteuer, da Kleinunternehmer gemäß § 19 UStG");
        EXPECT_EQ(x.Value(kSeller + "ram:ID"), "143/123/45678");  // no VAT number: the tax number
        EXPECT_EQ(x.Count(kSeller + "ram:SpecifiedTaxRegistration/ram:ID[@schemeID='VA']"), 0);
    }
    {
        TRechnungBook book;
        Case("gutschrift").fill(book);
        const Parsed x(Xml(book, 3, EInvoiceProfile::XRechnung));
        EXPECT_EQ(x.Count("//ram:ActualDeliverySupplyChainEvent"), 0);
        EXPECT_EQ(x.Value(kSettlement + "ram:BillingSpecifiedPeriod/ram:StartDateTime/udt:DateTimeString"), "20260201");
        EXPECT_EQ(x.Value(kSettlement + "ram:BillingSpecifiedPeriod/ram:EndDateTime/udt:DateTimeString"), "20260228");
        EXPECT_EQ(x.Value(kSettlement + "ram:ApplicableTradeTax[ram:CategoryCode='E']/ram:ExemptionReason"),
                  "Steuerfreie Heilbehandlung gemäß § 4 Nr. 14 UStG");
    }
}
