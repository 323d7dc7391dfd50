#include "einvoice/CiiXmlWriter.h"

#include "einvoice/DecimalNumber.h"
#include "einvoice/EInvoiceDocument.h"
#include "foundation/ByteSink.h"
#include "foundation/MemoryByteSink.h"
#include "foundation/Utf8.h"
#include "invoices/DateTime.h"
#include "invoices/TextRules.h"

#include <libxml/xmlwriter.h>

#include <cstdio>
#include <exception>
#include <new>
#include <utility>

namespace {

constexpr const char* kRsm = "urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100";
constexpr const char* kRam = "urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100";
constexpr const char* kUdt = "urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100";

constexpr int kCentDecimals = 2;
constexpr int kUnitDecimals = 6;

const xmlChar* X(const char* text)
{
    return reinterpret_cast<const xmlChar*>(text);
}

std::string Amount(int64_t cents)
{
    return DecimalText(cents, kCentDecimals, 2);
}

std::string Rate(int64_t millionths)
{
    return DecimalText(millionths, kUnitDecimals, 2);
}

// YYYYMMDD of a date; the check before writing has refused anything that is no date.
std::string Date102(double value)
{
    TDateTimeParts parts;
    if (!DecodeDateTime(value, parts))
        return "00000000";
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", parts.year, parts.month, parts.day);
    return text;
}

const char* VatexCode(VatCategory category)
{
    switch (category) {
    case VatCategory::AE:
        return "VATEX-EU-AE";
    case VatCategory::K:
        return "VATEX-EU-IC";
    case VatCategory::G:
        return "VATEX-EU-G";
    case VatCategory::O:
        return "VATEX-EU-O";
    default:
        return nullptr;
    }
}

// The text writer straight into a byte sink, so that no copy of the whole document is made.
// A failing sink's error is kept while libxml2 unwinds and raised again afterwards; any other
// failure means libxml2 found no memory.
class Xml {
public:
    explicit Xml(ByteSink& sink) : sink_(sink)
    {
        // Failures come back as exceptions with the sink's own message; libxml2 would print
        // its own on standard error besides.
        xmlSetGenericErrorFunc(nullptr, &Xml::Quiet);
        xmlOutputBufferPtr output = xmlOutputBufferCreateIO(&Xml::Write, nullptr, this, nullptr);
        if (!output)
            throw std::bad_alloc();
        writer_ = xmlNewTextWriter(output);  // owns the output buffer from here on
        if (!writer_) {
            xmlOutputBufferClose(output);
            throw std::bad_alloc();
        }
        // Without indentation: libxml2's indenting would double the time of a long invoice.
    }
    ~Xml()
    {
        if (writer_)
            xmlFreeTextWriter(writer_);
    }
    Xml(const Xml&) = delete;
    Xml& operator=(const Xml&) = delete;

    void StartDocument() { Check(xmlTextWriterStartDocument(writer_, nullptr, "UTF-8", nullptr)); }
    void Start(const char* name) { Check(xmlTextWriterStartElement(writer_, X(name))); }
    void Attribute(const char* name, const std::string& value)
    {
        Check(xmlTextWriterWriteAttribute(writer_, X(name), X(value.c_str())));
    }
    void End() { Check(xmlTextWriterEndElement(writer_)); }
    void Leaf(const char* name, const std::string& text)
    {
        Check(xmlTextWriterWriteElement(writer_, X(name), X(text.c_str())));
    }
    void Leaf(const char* name, const std::u16string& text) { Leaf(name, Utf16ToUtf8(XmlText(text))); }
    // An element with one attribute and text.
    void Leaf(const char* name, const char* attribute, const std::string& value, const std::string& text)
    {
        Start(name);
        Attribute(attribute, value);
        Check(xmlTextWriterWriteString(writer_, X(text.c_str())));
        End();
    }
    void Date(const char* name, double value)
    {
        Start(name);
        Leaf("udt:DateTimeString", "format", "102", Date102(value));
        End();
    }
    void Finish()
    {
        Check(xmlTextWriterEndDocument(writer_));
        xmlFreeTextWriter(writer_);  // writes what is still buffered
        writer_ = nullptr;
        Check(0);
    }

private:
    void Check(int result)
    {
        if (failure_)
            std::rethrow_exception(failure_);
        if (result < 0)
            throw std::bad_alloc();
    }
    static void Quiet(void*, const char*, ...) {}
    static int Write(void* context, const char* bytes, int length)
    {
        Xml& xml = *static_cast<Xml*>(context);
        try {
            xml.sink_.Write(bytes, static_cast<size_t>(length));
        } catch (...) {
            xml.failure_ = std::current_exception();
            return -1;
        }
        return length;
    }

    ByteSink& sink_;
    xmlTextWriterPtr writer_ = nullptr;
    std::exception_ptr failure_;
};

}

namespace {

void OptionalLeaf(Xml& xml, const char* name, const std::u16string& text)
{
    if (!text.empty())
        xml.Leaf(name, text);
}

void Address(Xml& xml, const EInvoiceAddress& address)
{
    xml.Start("ram:PostalTradeAddress");
    OptionalLeaf(xml, "ram:PostcodeCode", address.postcode);
    OptionalLeaf(xml, "ram:LineOne", address.line1);
    OptionalLeaf(xml, "ram:LineTwo", address.line2);
    OptionalLeaf(xml, "ram:CityName", address.city);
    xml.Leaf("ram:CountryID", address.country);
    xml.End();
}

void EmailAddress(Xml& xml, const std::u16string& address)
{
    if (address.empty())
        return;
    xml.Start("ram:URIUniversalCommunication");
    xml.Leaf("ram:URIID", "schemeID", "EM", Utf16ToUtf8(XmlText(address)));
    xml.End();
}

void TaxRegistration(Xml& xml, const char* scheme, const std::u16string& id)
{
    if (id.empty())
        return;
    xml.Start("ram:SpecifiedTaxRegistration");
    xml.Leaf("ram:ID", "schemeID", scheme, Utf16ToUtf8(XmlText(id)));
    xml.End();
}

void Context(Xml& xml, const EInvoiceDocument& d)
{
    const bool xrechnung = d.profile == EInvoiceProfile::XRechnung;
    xml.Start("rsm:ExchangedDocumentContext");
    if (xrechnung) {
        xml.Start("ram:BusinessProcessSpecifiedDocumentContextParameter");
        xml.Leaf("ram:ID", std::string(kXRechnungProcess));
        xml.End();
    }
    xml.Start("ram:GuidelineSpecifiedDocumentContextParameter");
    xml.Leaf("ram:ID", std::string(xrechnung ? kXRechnungGuideline : kEn16931Guideline));
    xml.End();
    xml.End();

    xml.Start("rsm:ExchangedDocument");
    xml.Leaf("ram:ID", d.number);
    xml.Leaf("ram:TypeCode", std::to_string(d.typeCode));
    xml.Date("ram:IssueDateTime", d.issueDate);
    if (!d.note.empty()) {
        xml.Start("ram:IncludedNote");
        xml.Leaf("ram:Content", d.note);
        xml.End();
    }
    xml.End();
}

void LineTax(Xml& xml, VatCategory category, int64_t rate)
{
    xml.Start("ram:ApplicableTradeTax");
    xml.Leaf("ram:TypeCode", std::string("VAT"));
    xml.Leaf("ram:CategoryCode", std::u16string(VatCategoryCode(category)));
    // Not subject to VAT: the line carries no rate.
    if (category != VatCategory::O)
        xml.Leaf("ram:RateApplicablePercent", Rate(rate));
    xml.End();
}

void Lines(Xml& xml, const EInvoiceDocument& d)
{
    for (size_t i = 0; i < d.amounts.lines.size(); ++i) {
        const EInvoiceLine& line = d.amounts.lines[i];
        const EInvoiceItem& item = d.items[i];
        xml.Start("ram:IncludedSupplyChainTradeLineItem");
        xml.Start("ram:AssociatedDocumentLineDocument");
        xml.Leaf("ram:LineID", std::to_string(i + 1));
        xml.End();
        xml.Start("ram:SpecifiedTradeProduct");
        OptionalLeaf(xml, "ram:SellerAssignedID", item.sellerId);
        xml.Leaf("ram:Name", item.name);
        OptionalLeaf(xml, "ram:Description", item.description);
        xml.End();
        xml.Start("ram:SpecifiedLineTradeAgreement");
        xml.Start("ram:NetPriceProductTradePrice");
        xml.Leaf("ram:ChargeAmount", DecimalText(line.netPrice, kUnitDecimals, 2));
        xml.End();
        xml.End();
        xml.Start("ram:SpecifiedLineTradeDelivery");
        xml.Leaf("ram:BilledQuantity", "unitCode", Utf16ToUtf8(item.unitCode),
                 DecimalText(line.quantity, kUnitDecimals, 0));
        xml.End();
        xml.Start("ram:SpecifiedLineTradeSettlement");
        LineTax(xml, line.category, line.rate);
        xml.Start("ram:SpecifiedTradeSettlementLineMonetarySummation");
        xml.Leaf("ram:LineTotalAmount", Amount(line.netAmount));
        xml.End();
        xml.End();
        xml.End();
    }
}

void Agreement(Xml& xml, const EInvoiceDocument& d)
{
    xml.Start("ram:ApplicableHeaderTradeAgreement");
    OptionalLeaf(xml, "ram:BuyerReference", d.buyerReference);

    xml.Start("ram:SellerTradeParty");
    OptionalLeaf(xml, "ram:ID", d.sellerId);
    xml.Leaf("ram:Name", d.sellerName);
    if (!d.contactName.empty() || !d.contactTelephone.empty() || !d.contactEmail.empty()) {
        xml.Start("ram:DefinedTradeContact");
        OptionalLeaf(xml, "ram:PersonName", d.contactName);
        if (!d.contactTelephone.empty()) {
            xml.Start("ram:TelephoneUniversalCommunication");
            xml.Leaf("ram:CompleteNumber", d.contactTelephone);
            xml.End();
        }
        if (!d.contactEmail.empty()) {
            xml.Start("ram:EmailURIUniversalCommunication");
            xml.Leaf("ram:URIID", d.contactEmail);
            xml.End();
        }
        xml.End();
    }
    Address(xml, d.sellerAddress);
    EmailAddress(xml, d.sellerEAddress);
    TaxRegistration(xml, "FC", d.sellerTaxNumber);
    TaxRegistration(xml, "VA", d.sellerVatId);
    xml.End();

    xml.Start("ram:BuyerTradeParty");
    xml.Leaf("ram:Name", d.buyerName);
    if (!d.buyerContact.empty()) {
        xml.Start("ram:DefinedTradeContact");
        xml.Leaf("ram:PersonName", d.buyerContact);
        xml.End();
    }
    Address(xml, d.buyerAddress);
    EmailAddress(xml, d.buyerEAddress);
    TaxRegistration(xml, "VA", d.buyerVatId);
    xml.End();

    if (!d.orderReference.empty()) {
        xml.Start("ram:BuyerOrderReferencedDocument");
        xml.Leaf("ram:IssuerAssignedID", d.orderReference);
        xml.End();
    }
    xml.End();
}

void Delivery(Xml& xml, const EInvoiceDocument& d)
{
    xml.Start("ram:ApplicableHeaderTradeDelivery");
    if (d.hasDelivery) {
        xml.Start("ram:ShipToTradeParty");
        OptionalLeaf(xml, "ram:Name", d.deliveryName);
        Address(xml, d.deliveryAddress);
        xml.End();
    }
    if (!d.hasPeriod) {
        xml.Start("ram:ActualDeliverySupplyChainEvent");
        xml.Date("ram:OccurrenceDateTime", d.supplyDate);
        xml.End();
    }
    xml.End();
}

void Settlement(Xml& xml, const EInvoiceDocument& d)
{
    const std::string currency = Utf16ToUtf8(d.currency);
    xml.Start("ram:ApplicableHeaderTradeSettlement");
    OptionalLeaf(xml, "ram:PaymentReference", d.paymentReference);
    xml.Leaf("ram:InvoiceCurrencyCode", currency);

    xml.Start("ram:SpecifiedTradeSettlementPaymentMeans");
    if (d.iban.empty()) {
        xml.Leaf("ram:TypeCode", std::string("1"));
    } else {
        xml.Leaf("ram:TypeCode", std::string("58"));
        xml.Start("ram:PayeePartyCreditorFinancialAccount");
        xml.Leaf("ram:IBANID", d.iban);
        OptionalLeaf(xml, "ram:AccountName", d.accountHolder);
        xml.End();
        if (!d.bic.empty()) {
            xml.Start("ram:PayeeSpecifiedCreditorFinancialInstitution");
            xml.Leaf("ram:BICID", d.bic);
            xml.End();
        }
    }
    xml.End();

    for (const EInvoiceTaxGroup& group : d.amounts.taxes) {
        xml.Start("ram:ApplicableTradeTax");
        xml.Leaf("ram:CalculatedAmount", Amount(group.tax));
        xml.Leaf("ram:TypeCode", std::string("VAT"));
        const bool exempt = group.category != VatCategory::S && group.category != VatCategory::Z;
        if (exempt)
            xml.Leaf("ram:ExemptionReason", d.exemptionReason);
        xml.Leaf("ram:BasisAmount", Amount(group.basis));
        xml.Leaf("ram:CategoryCode", std::u16string(VatCategoryCode(group.category)));
        if (const char* code = VatexCode(group.category))
            xml.Leaf("ram:ExemptionReasonCode", std::string(code));
        xml.Leaf("ram:RateApplicablePercent", Rate(group.rate));
        xml.End();
    }

    if (d.hasPeriod) {
        xml.Start("ram:BillingSpecifiedPeriod");
        xml.Date("ram:StartDateTime", d.supplyDate);
        xml.Date("ram:EndDateTime", d.periodEnd);
        xml.End();
    }

    xml.Start("ram:SpecifiedTradePaymentTerms");
    OptionalLeaf(xml, "ram:Description", d.paymentTerms);
    xml.Date("ram:DueDateDateTime", d.dueDate);
    xml.End();

    const EInvoiceAmounts& a = d.amounts;
    xml.Start("ram:SpecifiedTradeSettlementHeaderMonetarySummation");
    xml.Leaf("ram:LineTotalAmount", Amount(a.lineTotal));
    xml.Leaf("ram:TaxBasisTotalAmount", Amount(a.taxBasisTotal));
    xml.Leaf("ram:TaxTotalAmount", "currencyID", currency, Amount(a.taxTotal));
    if (a.rounding != 0)
        xml.Leaf("ram:RoundingAmount", Amount(a.rounding));
    xml.Leaf("ram:GrandTotalAmount", Amount(a.grandTotal));
    xml.Leaf("ram:DuePayableAmount", Amount(a.duePayable));
    xml.End();
    xml.End();
}

}

void WriteCiiXml(const EInvoiceDocument& d, ByteSink& sink)
{
    Xml xml(sink);
    xml.StartDocument();
    xml.Start("rsm:CrossIndustryInvoice");
    xml.Attribute("xmlns:rsm", kRsm);
    xml.Attribute("xmlns:ram", kRam);
    xml.Attribute("xmlns:udt", kUdt);
    Context(xml, d);
    xml.Start("rsm:SupplyChainTradeTransaction");
    Lines(xml, d);
    Agreement(xml, d);
    Delivery(xml, d);
    Settlement(xml, d);
    xml.End();
    xml.End();
    xml.Finish();
}

std::string WriteCiiXml(const EInvoiceDocument& document)
{
    MemoryByteSink sink;
    WriteCiiXml(document, sink);
    return sink.Bytes();
}
