#include "received/CiiInvoiceReader.h"

#include "foundation/Utf8.h"
#include "received/CiiFields.h"
#include "received/CiiLineReader.h"
#include "received/CiiPartyReader.h"
#include "received/XmlNodes.h"

#include <cstring>
#include <string>

using cii::kRam;
using cii::kRsm;
using cii::Ram;
using cii::RamText;

namespace {

bool IsElement(const xmlNode* node, const char* ns, const char* local)
{
    return node != nullptr && node->type == XML_ELEMENT_NODE && node->ns != nullptr &&
           std::strcmp(reinterpret_cast<const char*>(node->ns->href), ns) == 0 &&
           std::strcmp(reinterpret_cast<const char*>(node->name), local) == 0;
}

std::u16string Missing(const char16_t* element, const char16_t* consequence)
{
    return u"Das Element „" + std::u16string(element) + u"“ fehlt; " + consequence;
}

std::optional<ReceivedParty> OptionalParty(const xmlNode* party)
{
    if (party == nullptr)
        return std::nullopt;
    return ReadCiiParty(party);
}

void ReadDocument(ValueReader& values, const xmlNode* document, ReceivedInvoice& invoice)
{
    invoice.number = RamText(document, "ID");
    invoice.typeCode = RamText(document, "TypeCode");
    invoice.issueDate = cii::Date(values, Ram(document, "IssueDateTime"));
    for (const xmlNode* note : ChildElements(document, kRam, "IncludedNote"))
        invoice.notes.push_back({RamText(note, "SubjectCode"), RamText(note, "Content")});
}

// BT-17 (type 50), BT-18 (type 130) and the supporting documents BG-24 (type 916).
void ReadReferencedDocument(ValueReader& values, const xmlNode* document, const ReceivedLimits& limits,
                            ReceivedInvoice& invoice)
{
    const std::u16string type = RamText(document, "TypeCode");
    if (type == u"50") {
        invoice.tenderReference = RamText(document, "IssuerAssignedID");
    } else if (type == u"130") {
        invoice.invoicedObjectId = {RamText(document, "IssuerAssignedID"), RamText(document, "ReferenceTypeCode")};
    } else if (type == u"916") {
        ReceivedAttachment attachment;
        attachment.id = RamText(document, "IssuerAssignedID");
        attachment.uri = RamText(document, "URIID");
        attachment.description = RamText(document, "Name");
        if (const xmlNode* binary = Ram(document, "AttachmentBinaryObject")) {
            attachment.mimeCode = AttributeText(binary, "mimeCode");
            attachment.fileName = AttributeText(binary, "filename");
            attachment.content = values.Base64(binary, limits.maxAttachmentBytes);
        }
        invoice.attachments.push_back(std::move(attachment));
    }
}

void ReadAgreement(ValueReader& values, const xmlNode* agreement, const ReceivedLimits& limits,
                   ReceivedInvoice& invoice)
{
    invoice.buyerReference = RamText(agreement, "BuyerReference");
    invoice.seller = ReadCiiParty(Ram(agreement, "SellerTradeParty"));
    invoice.buyer = ReadCiiParty(Ram(agreement, "BuyerTradeParty"));
    invoice.taxRepresentative = OptionalParty(Ram(agreement, "SellerTaxRepresentativeTradeParty"));
    invoice.salesOrderReference = RamText(Ram(agreement, "SellerOrderReferencedDocument"), "IssuerAssignedID");
    invoice.orderReference = RamText(Ram(agreement, "BuyerOrderReferencedDocument"), "IssuerAssignedID");
    invoice.contractReference = RamText(Ram(agreement, "ContractReferencedDocument"), "IssuerAssignedID");
    for (const xmlNode* document : ChildElements(agreement, kRam, "AdditionalReferencedDocument"))
        ReadReferencedDocument(values, document, limits, invoice);
    invoice.projectReference = RamText(Ram(agreement, "SpecifiedProcuringProject"), "ID");
}

void ReadDelivery(ValueReader& values, const xmlNode* delivery, ReceivedInvoice& invoice)
{
    const xmlNode* shipTo = Ram(delivery, "ShipToTradeParty");
    invoice.deliverToName = RamText(shipTo, "Name");
    invoice.deliverToLocationId = cii::RamId(shipTo, "ID");
    if (invoice.deliverToLocationId.value.empty())
        invoice.deliverToLocationId = cii::RamId(shipTo, "GlobalID");
    if (const xmlNode* address = Ram(shipTo, "PostalTradeAddress"))
        invoice.deliverToAddress = ReadCiiAddress(address);
    invoice.deliveryDate =
        cii::Date(values, Ram(Ram(delivery, "ActualDeliverySupplyChainEvent"), "OccurrenceDateTime"));
    invoice.despatchAdviceReference = RamText(Ram(delivery, "DespatchAdviceReferencedDocument"), "IssuerAssignedID");
    invoice.receivingAdviceReference = RamText(Ram(delivery, "ReceivingAdviceReferencedDocument"), "IssuerAssignedID");
}

void ReadPaymentMeans(const xmlNode* means, ReceivedPayment& payment)
{
    if (payment.meansCode.empty()) {
        payment.meansCode = RamText(means, "TypeCode");
        payment.meansText = RamText(means, "Information");
    }
    const xmlNode* card = Ram(means, "ApplicableTradeSettlementFinancialCard");
    if (card != nullptr && payment.cardNumber.empty()) {
        payment.cardNumber = RamText(card, "ID");
        payment.cardHolder = RamText(card, "CardholderName");
    }
    if (const xmlNode* debtor = Ram(means, "PayerPartyDebtorFinancialAccount");
        debtor != nullptr && payment.debitedAccount.empty())
        payment.debitedAccount = RamText(debtor, "IBANID");
    if (const xmlNode* creditor = Ram(means, "PayeePartyCreditorFinancialAccount")) {
        ReceivedAccount account;
        account.iban = RamText(creditor, "IBANID");
        if (account.iban.empty())
            account.iban = RamText(creditor, "ProprietaryID");
        account.name = RamText(creditor, "AccountName");
        account.bic = RamText(Ram(means, "PayeeSpecifiedCreditorFinancialInstitution"), "BICID");
        payment.accounts.push_back(std::move(account));
    }
}

void ReadVatBreakdown(ValueReader& values, const xmlNode* tax, ReceivedInvoice& invoice)
{
    ReceivedVatBreakdown row;
    row.taxAmount = values.Number(Ram(tax, "CalculatedAmount"));
    row.exemptionReason = RamText(tax, "ExemptionReason");
    row.taxableAmount = values.Number(Ram(tax, "BasisAmount"));
    row.category = RamText(tax, "CategoryCode");
    row.exemptionCode = RamText(tax, "ExemptionReasonCode");
    row.rate = values.Number(Ram(tax, "RateApplicablePercent"));
    invoice.vatBreakdown.push_back(std::move(row));
    // BT-7 and BT-8 stand in the breakdown; the first that gives one counts.
    if (!invoice.taxPointDate)
        invoice.taxPointDate = cii::Date(values, Ram(tax, "TaxPointDate"));
    if (invoice.taxPointDateCode.empty())
        invoice.taxPointDateCode = RamText(tax, "DueDateTypeCode");
}

void ReadTotals(ValueReader& values, const xmlNode* sums, ReceivedInvoice& invoice)
{
    ReceivedTotals& totals = invoice.totals;
    totals.lineNetTotal = values.Number(Ram(sums, "LineTotalAmount"));
    totals.chargeTotal = values.Number(Ram(sums, "ChargeTotalAmount"));
    totals.allowanceTotal = values.Number(Ram(sums, "AllowanceTotalAmount"));
    totals.netTotal = values.Number(Ram(sums, "TaxBasisTotalAmount"));
    // BT-110 in the invoice currency, BT-111 in the VAT accounting currency (BT-6): told apart
    // by their currencyID.
    for (const xmlNode* tax : ChildElements(sums, kRam, "TaxTotalAmount")) {
        const std::u16string currency = AttributeText(tax, "currencyID");
        const bool accounting =
            !invoice.vatCurrency.empty() && invoice.vatCurrency != invoice.currency && currency == invoice.vatCurrency;
        std::optional<Micros>& target = accounting || totals.vatTotal ? totals.vatTotalAccounting : totals.vatTotal;
        if (!target)
            target = values.Number(tax);
    }
    totals.roundingAmount = values.Number(Ram(sums, "RoundingAmount"));
    totals.grossTotal = values.Number(Ram(sums, "GrandTotalAmount"));
    totals.paidAmount = values.Number(Ram(sums, "TotalPrepaidAmount"));
    totals.amountDue = values.Number(Ram(sums, "DuePayableAmount"));
}

void ReadSettlement(ValueReader& values, const xmlNode* settlement, ReceivedInvoice& invoice)
{
    invoice.payment.creditorId = RamText(settlement, "CreditorReferenceID");
    invoice.payment.remittanceInformation = RamText(settlement, "PaymentReference");
    invoice.vatCurrency = RamText(settlement, "TaxCurrencyCode");
    invoice.currency = RamText(settlement, "InvoiceCurrencyCode");
    invoice.payee = OptionalParty(Ram(settlement, "PayeeTradeParty"));
    for (const xmlNode* means : ChildElements(settlement, kRam, "SpecifiedTradeSettlementPaymentMeans"))
        ReadPaymentMeans(means, invoice.payment);
    for (const xmlNode* tax : ChildElements(settlement, kRam, "ApplicableTradeTax"))
        ReadVatBreakdown(values, tax, invoice);
    const xmlNode* period = Ram(settlement, "BillingSpecifiedPeriod");
    invoice.periodStart = cii::Date(values, Ram(period, "StartDateTime"));
    invoice.periodEnd = cii::Date(values, Ram(period, "EndDateTime"));
    for (const xmlNode* charge : ChildElements(settlement, kRam, "SpecifiedTradeAllowanceCharge"))
        invoice.allowancesCharges.push_back(cii::AllowanceCharge(values, charge));
    // BT-20 may be spread over several terms; BT-9 and BT-89 are the first that are given.
    for (const xmlNode* terms : ChildElements(settlement, kRam, "SpecifiedTradePaymentTerms")) {
        const std::u16string description = RamText(terms, "Description");
        if (!description.empty())
            invoice.paymentTerms += (invoice.paymentTerms.empty() ? u"" : u"\n") + description;
        if (!invoice.dueDate)
            invoice.dueDate = cii::Date(values, Ram(terms, "DueDateDateTime"));
        if (invoice.payment.mandateReference.empty())
            invoice.payment.mandateReference = RamText(terms, "DirectDebitMandateID");
    }
    ReadTotals(values, Ram(settlement, "SpecifiedTradeSettlementHeaderMonetarySummation"), invoice);
    for (const xmlNode* preceding : ChildElements(settlement, kRam, "InvoiceReferencedDocument")) {
        invoice.precedingInvoices.push_back(
            {RamText(preceding, "IssuerAssignedID"), cii::Date(values, Ram(preceding, "FormattedIssueDateTime"))});
    }
    invoice.buyerAccountingReference = RamText(Ram(settlement, "ReceivableSpecifiedTradeAccountingAccount"), "ID");
}

}  // namespace

ReceivedReadResult ReadCiiInvoice(const xmlNode* root, const ReceivedLimits& limits)
{
    if (root == nullptr)
        return ReceivedReadResult::Failure(u"Die Datei enthält kein XML-Element.");
    if (!IsElement(root, kRsm, "CrossIndustryInvoice")) {
        return ReceivedReadResult::Failure(u"Die Datei ist keine CII-Rechnung: Ihr Wurzelelement ist „" +
                                           ElementName(root) + u"“ statt „rsm:CrossIndustryInvoice“.");
    }
    const xmlNode* document = ChildElement(root, kRsm, "ExchangedDocument");
    if (document == nullptr)
        return ReceivedReadResult::Failure(
            Missing(u"rsm:ExchangedDocument", u"ohne es hat die Rechnung keine Nummer und kein Datum."));
    const xmlNode* transaction = ChildElement(root, kRsm, "SupplyChainTradeTransaction");
    if (transaction == nullptr) {
        return ReceivedReadResult::Failure(
            Missing(u"rsm:SupplyChainTradeTransaction", u"ohne es hat die Rechnung weder Positionen noch Summen."));
    }
    const std::vector<const xmlNode*> items = ChildElements(transaction, kRam, "IncludedSupplyChainTradeLineItem");
    ValueReader values;
    if (items.size() > limits.maxLines) {
        values.Fail(transaction, u"Die Rechnung hat " + Utf8ToUtf16(std::to_string(items.size())) +
                                     u" Positionen, mehr als die " + Utf8ToUtf16(std::to_string(limits.maxLines)) +
                                     u", die gelesen werden.");
        return ReceivedReadResult::Failure(values.Error());
    }

    ReceivedInvoice invoice;
    invoice.syntax = ReceivedInvoice::Syntax::Cii;
    const xmlNode* context = ChildElement(root, kRsm, "ExchangedDocumentContext");
    invoice.processId = RamText(Ram(context, "BusinessProcessSpecifiedDocumentContextParameter"), "ID");
    invoice.customizationId = RamText(Ram(context, "GuidelineSpecifiedDocumentContextParameter"), "ID");
    ReadDocument(values, document, invoice);

    invoice.lines.reserve(items.size());
    for (const xmlNode* item : items) {
        invoice.lines.push_back(ReadCiiLine(values, item));
        if (values.Failed())
            break;  // the first problem is the message; the rest of a damaged file is not needed
    }
    ReadAgreement(values, Ram(transaction, "ApplicableHeaderTradeAgreement"), limits, invoice);
    ReadDelivery(values, Ram(transaction, "ApplicableHeaderTradeDelivery"), invoice);
    ReadSettlement(values, Ram(transaction, "ApplicableHeaderTradeSettlement"), invoice);
    if (values.Failed())
        return ReceivedReadResult::Failure(values.Error());
    ReceivedReadResult result;
    result.invoice = std::move(invoice);
    return result;
}
