#include "received/UblInvoiceReader.h"

#include "foundation/Utf8.h"
#include "received/UblLineReader.h"
#include "received/UblNames.h"
#include "received/UblPartyReader.h"
#include "received/ValueReader.h"

#include <cstring>

using namespace Ubl;

namespace {

bool IsRoot(const xmlNode* root, const char* ns, const char* local)
{
    return root->type == XML_ELEMENT_NODE && root->ns != nullptr &&
           std::strcmp(reinterpret_cast<const char*>(root->ns->href), ns) == 0 &&
           std::strcmp(reinterpret_cast<const char*>(root->name), local) == 0;
}

bool IsCodeCharacter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// A note may start with its subject code between two hash signs: "#AAI#Text".
ReceivedNote Note(std::u16string text)
{
    ReceivedNote note;
    if (text.size() >= 3 && text[0] == u'#') {
        const size_t end = text.find(u'#', 1);
        if (end != std::u16string::npos && end > 1 && end <= 9) {
            bool code = true;
            for (size_t i = 1; i < end; ++i)
                code = code && IsCodeCharacter(text[i]);
            if (code) {
                note.subjectCode = text.substr(1, end - 1);
                note.text = text.substr(end + 1);
                return note;
            }
        }
    }
    note.text = std::move(text);
    return note;
}

ReceivedId IdWithScheme(const xmlNode* node)
{
    return {ElementText(node), AttributeText(node, "schemeID")};
}

// The header's own terms: identifiers, dates, codes, notes and the period.
void ReadHeader(const xmlNode* root, bool creditNote, ReceivedInvoice& invoice, ValueReader& values)
{
    invoice.customizationId = Text(root, "CustomizationID");
    invoice.processId = Text(root, "ProfileID");
    invoice.number = Text(root, "ID");
    invoice.issueDate = values.IsoDate(Cbc(root, "IssueDate"));
    invoice.dueDate = values.IsoDate(Cbc(root, "DueDate"));
    invoice.typeCode = Text(root, creditNote ? "CreditNoteTypeCode" : "InvoiceTypeCode");
    for (const xmlNode* note : ChildElements(root, kCbc, "Note"))
        invoice.notes.push_back(Note(ElementText(note)));
    invoice.taxPointDate = values.IsoDate(Cbc(root, "TaxPointDate"));
    invoice.currency = Text(root, "DocumentCurrencyCode");
    invoice.vatCurrency = Text(root, "TaxCurrencyCode");
    invoice.buyerAccountingReference = Text(root, "AccountingCost");
    invoice.buyerReference = Text(root, "BuyerReference");
    const xmlNode* period = Cac(root, "InvoicePeriod");
    invoice.periodStart = values.IsoDate(Cbc(period, "StartDate"));
    invoice.periodEnd = values.IsoDate(Cbc(period, "EndDate"));
    invoice.taxPointDateCode = Text(period, "DescriptionCode");
}

// The references to other documents, and the supporting documents with their content.
void ReadReferences(const xmlNode* root, const ReceivedLimits& limits, ReceivedInvoice& invoice, ValueReader& values)
{
    const xmlNode* order = Cac(root, "OrderReference");
    invoice.orderReference = Text(order, "ID");
    invoice.salesOrderReference = Text(order, "SalesOrderID");
    for (const xmlNode* billing : Cacs(root, "BillingReference")) {
        const xmlNode* preceding = Cac(billing, "InvoiceDocumentReference");
        if (preceding == nullptr)
            continue;
        invoice.precedingInvoices.push_back({Text(preceding, "ID"), values.IsoDate(Cbc(preceding, "IssueDate"))});
    }
    invoice.despatchAdviceReference = Text(Cac(root, "DespatchDocumentReference"), "ID");
    invoice.receivingAdviceReference = Text(Cac(root, "ReceiptDocumentReference"), "ID");
    invoice.tenderReference = Text(Cac(root, "OriginatorDocumentReference"), "ID");
    invoice.contractReference = Text(Cac(root, "ContractDocumentReference"), "ID");
    for (const xmlNode* reference : Cacs(root, "AdditionalDocumentReference")) {
        if (Text(reference, "DocumentTypeCode") == u"130") {
            if (invoice.invoicedObjectId.value.empty())
                invoice.invoicedObjectId = IdWithScheme(Cbc(reference, "ID"));
            continue;
        }
        ReceivedAttachment attachment;
        attachment.id = Text(reference, "ID");
        attachment.description = Text(reference, "DocumentDescription");
        const xmlNode* content = Cac(reference, "Attachment");
        attachment.uri = Text(Cac(content, "ExternalReference"), "URI");
        const xmlNode* embedded = Cbc(content, "EmbeddedDocumentBinaryObject");
        attachment.mimeCode = AttributeText(embedded, "mimeCode");
        attachment.fileName = AttributeText(embedded, "filename");
        attachment.content = values.Base64(embedded, limits.maxAttachmentBytes);
        invoice.attachments.push_back(std::move(attachment));
    }
    invoice.projectReference = Text(Cac(root, "ProjectReference"), "ID");
}

void ReadParties(const xmlNode* root, ReceivedInvoice& invoice, ValueReader& values)
{
    std::u16string& creditorId = invoice.payment.creditorId;
    invoice.seller = UblPartyReader::Party(Cac(Cac(root, "AccountingSupplierParty"), "Party"), &creditorId);
    invoice.buyer = UblPartyReader::Party(Cac(Cac(root, "AccountingCustomerParty"), "Party"), nullptr);
    // Payee and tax representative have one name only, written as the party name.
    if (const xmlNode* payee = Cac(root, "PayeeParty")) {
        ReceivedParty party = UblPartyReader::Party(payee, &creditorId);
        party.name = std::move(party.tradingName);
        party.tradingName.clear();
        invoice.payee = std::move(party);
    }
    if (const xmlNode* representative = Cac(root, "TaxRepresentativeParty")) {
        ReceivedParty party = UblPartyReader::Party(representative, nullptr);
        party.name = std::move(party.tradingName);
        party.tradingName.clear();
        invoice.taxRepresentative = std::move(party);
    }
    const xmlNode* delivery = Cac(root, "Delivery");
    if (delivery == nullptr)
        return;
    invoice.deliveryDate = values.IsoDate(Cbc(delivery, "ActualDeliveryDate"));
    invoice.deliverToName = Text(Cac(Cac(delivery, "DeliveryParty"), "PartyName"), "Name");
    const xmlNode* location = Cac(delivery, "DeliveryLocation");
    invoice.deliverToLocationId = IdWithScheme(Cbc(location, "ID"));
    if (const xmlNode* address = Cac(location, "Address"))
        invoice.deliverToAddress = UblPartyReader::Address(address);
}

// Payment instructions: the first means gives code, text and reference; the accounts of every
// means are kept, as a seller may offer several.
void ReadPayment(const xmlNode* root, ReceivedInvoice& invoice, ValueReader& values)
{
    ReceivedPayment& payment = invoice.payment;
    for (const xmlNode* means : Cacs(root, "PaymentMeans")) {
        const xmlNode* code = Cbc(means, "PaymentMeansCode");
        if (payment.meansCode.empty()) {
            payment.meansCode = ElementText(code);
            payment.meansText = AttributeText(code, "name");
        }
        if (payment.remittanceInformation.empty())
            payment.remittanceInformation = Text(means, "PaymentID");
        // A credit note has no cbc:DueDate of its own; its due date stands here.
        std::optional<ReceivedDate> due = values.IsoDate(Cbc(means, "PaymentDueDate"));
        if (!invoice.dueDate)
            invoice.dueDate = due;
        for (const xmlNode* account : Cacs(means, "PayeeFinancialAccount")) {
            payment.accounts.push_back(
                {Text(account, "ID"), Text(account, "Name"), Text(Cac(account, "FinancialInstitutionBranch"), "ID")});
        }
        if (const xmlNode* card = Cac(means, "CardAccount"); card != nullptr && payment.cardNumber.empty()) {
            payment.cardNumber = Text(card, "PrimaryAccountNumberID");
            payment.cardHolder = Text(card, "HolderName");
        }
        if (const xmlNode* mandate = Cac(means, "PaymentMandate");
            mandate != nullptr && payment.mandateReference.empty()) {
            payment.mandateReference = Text(mandate, "ID");
            payment.debitedAccount = Text(Cac(mandate, "PayerFinancialAccount"), "ID");
        }
    }
    for (const xmlNode* terms : Cacs(root, "PaymentTerms")) {
        for (const xmlNode* note : ChildElements(terms, kCbc, "Note")) {
            if (!invoice.paymentTerms.empty())
                invoice.paymentTerms += u'\n';
            invoice.paymentTerms += ElementText(note);
        }
    }
}

// The VAT totals and breakdown, and the document totals. The cac:TaxTotal with the breakdown
// holds the VAT in the invoice currency (BT-110); one without a breakdown in the VAT accounting
// currency holds BT-111.
void ReadTotals(const xmlNode* root, ReceivedInvoice& invoice, ValueReader& values)
{
    bool vatTotalFromBreakdown = false;
    for (const xmlNode* taxTotal : Cacs(root, "TaxTotal")) {
        const xmlNode* amountNode = Cbc(taxTotal, "TaxAmount");
        const std::optional<Micros> amount = values.Number(amountNode);
        const std::vector<const xmlNode*> subtotals = Cacs(taxTotal, "TaxSubtotal");
        const std::u16string currency = AttributeText(amountNode, "currencyID");
        if (!subtotals.empty()) {
            if (!vatTotalFromBreakdown)
                invoice.totals.vatTotal = amount;
            vatTotalFromBreakdown = true;
        } else if (!invoice.vatCurrency.empty() && invoice.vatCurrency != invoice.currency &&
                   currency == invoice.vatCurrency) {
            invoice.totals.vatTotalAccounting = amount;
        } else if (!invoice.totals.vatTotal) {
            invoice.totals.vatTotal = amount;
        }
        for (const xmlNode* subtotal : subtotals) {
            ReceivedVatBreakdown row;
            row.taxableAmount = values.Number(Cbc(subtotal, "TaxableAmount"));
            row.taxAmount = values.Number(Cbc(subtotal, "TaxAmount"));
            const xmlNode* category = Cac(subtotal, "TaxCategory");
            row.category = Text(category, "ID");
            row.rate = values.Number(Cbc(category, "Percent"));
            row.exemptionReason = Text(category, "TaxExemptionReason");
            row.exemptionCode = Text(category, "TaxExemptionReasonCode");
            invoice.vatBreakdown.push_back(std::move(row));
        }
    }
    const xmlNode* monetary = Cac(root, "LegalMonetaryTotal");
    ReceivedTotals& totals = invoice.totals;
    totals.lineNetTotal = values.Number(Cbc(monetary, "LineExtensionAmount"));
    totals.netTotal = values.Number(Cbc(monetary, "TaxExclusiveAmount"));
    totals.grossTotal = values.Number(Cbc(monetary, "TaxInclusiveAmount"));
    totals.allowanceTotal = values.Number(Cbc(monetary, "AllowanceTotalAmount"));
    totals.chargeTotal = values.Number(Cbc(monetary, "ChargeTotalAmount"));
    totals.paidAmount = values.Number(Cbc(monetary, "PrepaidAmount"));
    totals.roundingAmount = values.Number(Cbc(monetary, "PayableRoundingAmount"));
    totals.amountDue = values.Number(Cbc(monetary, "PayableAmount"));
}

}  // namespace

ReceivedReadResult ReadUblInvoice(const xmlNode* root, const ReceivedLimits& limits)
{
    if (root == nullptr)
        return ReceivedReadResult::Failure(u"Die Datei enthält kein XML-Element.");
    const bool creditNote = IsRoot(root, kCreditNote, "CreditNote");
    ValueReader values;
    if (!creditNote && !IsRoot(root, kInvoice, "Invoice")) {
        values.Fail(root, u"Das ist weder eine UBL-Rechnung (Invoice) noch eine UBL-Gutschrift (CreditNote).");
        return ReceivedReadResult::Failure(values.Error());
    }
    const char* lineName = creditNote ? "CreditNoteLine" : "InvoiceLine";
    const std::vector<const xmlNode*> lineNodes = Cacs(root, lineName);
    if (lineNodes.size() > limits.maxLines) {
        values.Fail(lineNodes[limits.maxLines], u"Die Rechnung hat mehr als " +
                                                    Utf8ToUtf16(std::to_string(limits.maxLines)) +
                                                    u" Positionen; so viele werden nicht gelesen.");
        return ReceivedReadResult::Failure(values.Error());
    }

    ReceivedInvoice invoice;
    invoice.syntax = ReceivedInvoice::Syntax::Ubl;
    ReadHeader(root, creditNote, invoice, values);
    ReadReferences(root, limits, invoice, values);
    ReadParties(root, invoice, values);
    ReadPayment(root, invoice, values);
    for (const xmlNode* node : Cacs(root, "AllowanceCharge"))
        invoice.allowancesCharges.push_back(UblLineReader::AllowanceCharge(node, values));
    ReadTotals(root, invoice, values);
    invoice.lines.reserve(lineNodes.size());
    for (const xmlNode* node : lineNodes) {
        invoice.lines.push_back(UblLineReader::Line(node, creditNote, values));
        if (values.Failed())
            break;
    }
    if (values.Failed())
        return ReceivedReadResult::Failure(values.Error());
    ReceivedReadResult result;
    result.invoice = std::move(invoice);
    return result;
}
