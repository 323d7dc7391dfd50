// Our own e-invoices read back: every test book written as CII XML (bare, and inside the hybrid
// PDF) and read by the received-invoice reader gives the document it was written from.
#include "CiiReadHelper.h"

#include "einvoice/CiiXmlWriter.h"
#include "einvoice/EInvoiceBooks.h"
#include "einvoice/EInvoiceBuilder.h"
#include "einvoice/HybridPdfExport.h"
#include "foundation/Utf8.h"
#include "invoices/DateTime.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextRules.h"
#include "output/TLayoutFormat.h"
#include "output/TPrinterPage.h"
#include "received/HybridPdfAttachment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

constexpr Micros kCent = 10'000;

ReceivedDate DateOf(double value)
{
    TDateTimeParts parts;
    EXPECT_TRUE(DecodeDateTime(value, parts));
    return {parts.year, parts.month, parts.day};
}

// A text as the XML carries it: line ends as LF, control characters as spaces, trimmed.
std::u16string AsWritten(const std::u16string& text)
{
    const std::u16string xml = XmlText(text);
    const size_t first = xml.find_first_not_of(u" \t\n");
    if (first == std::u16string::npos)
        return {};
    return xml.substr(first, xml.find_last_not_of(u" \t\n") - first + 1);
}

void ExpectAddress(const ReceivedAddress& read, const EInvoiceAddress& written)
{
    EXPECT_EQ(read.line1, AsWritten(written.line1));
    EXPECT_EQ(read.line2, AsWritten(written.line2));
    EXPECT_EQ(read.postcode, AsWritten(written.postcode));
    EXPECT_EQ(read.city, AsWritten(written.city));
    EXPECT_EQ(read.country, written.country);
}

void ExpectParties(const ReceivedInvoice& r, const EInvoiceDocument& d)
{
    EXPECT_EQ(r.seller.name, AsWritten(d.sellerName));
    if (d.sellerId.empty()) {
        EXPECT_TRUE(r.seller.ids.empty());
    } else {
        ASSERT_EQ(r.seller.ids.size(), 1u);
        EXPECT_EQ(r.seller.ids[0].value, AsWritten(d.sellerId));
    }
    EXPECT_EQ(r.seller.vatId, d.sellerVatId);
    EXPECT_EQ(r.seller.taxNumber, d.sellerTaxNumber);
    EXPECT_EQ(r.seller.electronicAddress.value, d.sellerEAddress);
    EXPECT_EQ(r.seller.electronicAddress.scheme, d.sellerEAddress.empty() ? u"" : u"EM");
    ExpectAddress(r.seller.address, d.sellerAddress);
    EXPECT_EQ(r.seller.contact.name, AsWritten(d.contactName));
    EXPECT_EQ(r.seller.contact.telephone, AsWritten(d.contactTelephone));
    EXPECT_EQ(r.seller.contact.email, AsWritten(d.contactEmail));
    EXPECT_EQ(r.buyer.name, AsWritten(d.buyerName));
    EXPECT_EQ(r.buyer.contact.name, AsWritten(d.buyerContact));
    EXPECT_EQ(r.buyer.vatId, d.buyerVatId);
    EXPECT_EQ(r.buyer.electronicAddress.value, d.buyerEAddress);
    EXPECT_EQ(r.buyer.electronicAddress.scheme, d.buyerEAddress.empty() ? u"" : u"EM");
    ExpectAddress(r.buyer.address, d.buyerAddress);
    EXPECT_FALSE(r.payee);
    EXPECT_FALSE(r.taxRepresentative);
}

void ExpectLinesAndSums(const ReceivedInvoice& r, const EInvoiceDocument& d)
{
    const EInvoiceAmounts& a = d.amounts;
    ASSERT_EQ(r.lines.size(), a.lines.size());
    for (size_t i = 0; i < a.lines.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i + 1));
        const ReceivedLine& line = r.lines[i];
        EXPECT_EQ(line.id, Utf8ToUtf16(std::to_string(i + 1)));
        EXPECT_EQ(line.itemName, AsWritten(d.items[i].name));
        EXPECT_EQ(line.itemDescription, AsWritten(d.items[i].description));
        EXPECT_EQ(line.sellerItemId, AsWritten(d.items[i].sellerId));
        EXPECT_EQ(line.unitCode, d.items[i].unitCode);
        EXPECT_EQ(line.quantity, a.lines[i].quantity);
        EXPECT_EQ(line.netPrice, a.lines[i].netPrice);
        EXPECT_EQ(line.netAmount, a.lines[i].netAmount * kCent);
        EXPECT_EQ(line.vatCategory, VatCategoryCode(a.lines[i].category));
        if (a.lines[i].category == VatCategory::O) {
            EXPECT_FALSE(line.vatRate);
        } else {
            EXPECT_EQ(line.vatRate, a.lines[i].rate);
        }
    }
    ASSERT_EQ(r.vatBreakdown.size(), a.taxes.size());
    for (size_t i = 0; i < a.taxes.size(); ++i) {
        const ReceivedVatBreakdown& row = r.vatBreakdown[i];
        EXPECT_EQ(row.category, VatCategoryCode(a.taxes[i].category));
        EXPECT_EQ(row.rate, a.taxes[i].rate);
        EXPECT_EQ(row.taxableAmount, a.taxes[i].basis * kCent);
        EXPECT_EQ(row.taxAmount, a.taxes[i].tax * kCent);
        const bool exempt = a.taxes[i].category != VatCategory::S && a.taxes[i].category != VatCategory::Z;
        EXPECT_EQ(row.exemptionReason, exempt ? AsWritten(d.exemptionReason) : u"");
    }
    const ReceivedTotals& t = r.totals;
    EXPECT_EQ(t.lineNetTotal, a.lineTotal * kCent);
    EXPECT_EQ(t.netTotal, a.taxBasisTotal * kCent);
    EXPECT_EQ(t.vatTotal, a.taxTotal * kCent);
    EXPECT_FALSE(t.vatTotalAccounting);
    EXPECT_EQ(t.grossTotal, a.grandTotal * kCent);
    EXPECT_EQ(t.roundingAmount, a.rounding != 0 ? std::optional<Micros>(a.rounding * kCent) : std::nullopt);
    EXPECT_EQ(t.amountDue, a.duePayable * kCent);
    EXPECT_FALSE(t.allowanceTotal);
    EXPECT_FALSE(t.chargeTotal);
    EXPECT_FALSE(t.paidAmount);
}

void ExpectDocument(const ReceivedInvoice& r, const EInvoiceDocument& d)
{
    const bool xrechnung = d.profile == EInvoiceProfile::XRechnung;
    EXPECT_EQ(r.processId, Utf8ToUtf16(xrechnung ? kXRechnungProcess : ""));
    EXPECT_EQ(r.customizationId, Utf8ToUtf16(xrechnung ? kXRechnungGuideline : kEn16931Guideline));
    EXPECT_EQ(r.number, AsWritten(d.number));
    EXPECT_EQ(r.typeCode, Utf8ToUtf16(std::to_string(d.typeCode)));
    EXPECT_EQ(r.issueDate, DateOf(d.issueDate));
    if (d.note.empty()) {
        EXPECT_TRUE(r.notes.empty());
    } else {
        ASSERT_EQ(r.notes.size(), 1u);
        EXPECT_EQ(r.notes[0].text, AsWritten(d.note));
    }
    EXPECT_EQ(r.currency, d.currency);
    EXPECT_EQ(r.buyerReference, AsWritten(d.buyerReference));
    EXPECT_EQ(r.orderReference, AsWritten(d.orderReference));
    ExpectParties(r, d);
    EXPECT_EQ(r.deliverToName, d.hasDelivery ? AsWritten(d.deliveryName) : u"");
    EXPECT_EQ(r.deliverToAddress.has_value(), d.hasDelivery);
    if (d.hasDelivery && r.deliverToAddress)
        ExpectAddress(*r.deliverToAddress, d.deliveryAddress);
    if (d.hasPeriod) {
        EXPECT_FALSE(r.deliveryDate);
        EXPECT_EQ(r.periodStart, DateOf(d.supplyDate));
        EXPECT_EQ(r.periodEnd, DateOf(d.periodEnd));
    } else {
        EXPECT_EQ(r.deliveryDate, DateOf(d.supplyDate));
        EXPECT_FALSE(r.periodStart);
    }
    EXPECT_EQ(r.dueDate, DateOf(d.dueDate));
    EXPECT_EQ(r.paymentTerms, AsWritten(d.paymentTerms));
    EXPECT_EQ(r.payment.meansCode, d.iban.empty() ? u"1" : u"58");
    EXPECT_EQ(r.payment.remittanceInformation, AsWritten(d.paymentReference));
    if (d.iban.empty()) {
        EXPECT_TRUE(r.payment.accounts.empty());
    } else {
        ASSERT_EQ(r.payment.accounts.size(), 1u);
        EXPECT_EQ(r.payment.accounts[0].iban, d.iban);
        EXPECT_EQ(r.payment.accounts[0].name, AsWritten(d.accountHolder));
        EXPECT_EQ(r.payment.accounts[0].bic, d.bic);
    }
    ExpectLinesAndSums(r, d);
}

struct Written {
    std::string name;
    EInvoiceProfile profile;
    TRechnungBook book;
    int32_t kind;
};

// Every test book under its own profile and under EN 16931.
std::vector<std::unique_ptr<Written>> EveryBook()
{
    std::vector<std::unique_ptr<Written>> all;
    for (const EInvoiceCase& c : EInvoiceCases()) {
        for (const EInvoiceProfile profile : {c.profile, EInvoiceProfile::EN16931}) {
            if (profile == EInvoiceProfile::EN16931 && c.profile == EInvoiceProfile::EN16931 && !all.empty() &&
                all.back()->name == c.name)
                continue;
            auto w = std::make_unique<Written>();
            w->name = c.name;
            w->profile = profile;
            w->kind = c.kind;
            c.fill(w->book);
            all.push_back(std::move(w));
        }
    }
    return all;
}

}  // namespace

TEST(CiiRoundTrip, EveryTestBookReadsBackFromItsXml)
{
    // Nine books, eight of them under a second profile.
    ASSERT_EQ(EveryBook().size(), 17u);
    for (const auto& w : EveryBook()) {
        SCOPED_TRACE(w->name + (w->profile == EInvoiceProfile::XRechnung ? " XRechnung" : " EN 16931"));
        const EInvoiceBuild build = BuildEInvoice(w->book, 0, w->kind, w->profile);
        ASSERT_TRUE(build.gaps.empty());
        const ReceivedReadResult read = ReadCiiBytes(WriteCiiXml(build.document));
        ASSERT_TRUE(read.invoice) << Utf16ToUtf8(read.error);
        ExpectDocument(*read.invoice, build.document);
    }
}

TEST(CiiRoundTrip, EveryTestBookReadsBackFromItsHybridPdf)
{
    const TempDir dir;
    for (const auto& w : EveryBook()) {
        SCOPED_TRACE(w->name + (w->profile == EInvoiceProfile::XRechnung ? " XRechnung" : " EN 16931"));
        const std::string path = dir.File(w->name + ".pdf");
        const EInvoiceExportResult written = ExportHybridPdf(w->book, 0, w->kind, w->profile, path, kNoPrinterPage,
                                                             TLayoutFormat{}, HybridPdfTime{1772717400, 60});
        ASSERT_EQ(written.status, EInvoiceExportResult::Status::Written);
        const HybridPdfXml xml = ExtractHybridXml(ReadWholeFile(path), ReceivedLimits{});
        ASSERT_TRUE(xml.error.empty()) << Utf16ToUtf8(xml.error);
        EXPECT_EQ(xml.fileName, Utf8ToUtf16(HybridXmlFileName(w->profile)));
        const EInvoiceBuild build = BuildEInvoice(w->book, 0, w->kind, w->profile);
        EXPECT_EQ(xml.xml, WriteCiiXml(build.document));
        const ReceivedReadResult read = ReadCiiBytes(xml.xml);
        ASSERT_TRUE(read.invoice) << Utf16ToUtf8(read.error);
        ExpectDocument(*read.invoice, build.document);
    }
}
