// The UBL reader on chosen samples, term by term, and on damaged files: each damage is refused
// with a German message naming the element and its line.
#include "UblFiles.h"

#include "foundation/Utf8.h"
#include "received/SafeXmlDocument.h"
#include "received/UblInvoiceReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using UblFiles::Fixture;
using UblFiles::Read;
using UblFiles::SamplesDir;

constexpr Micros M = 1'000'000;

ReceivedInvoice ReadSample(const std::string& name)
{
    const ReceivedReadResult result = Read(SamplesDir() + name);
    EXPECT_TRUE(result.invoice) << Utf16ToUtf8(result.error);
    return result.invoice.value_or(ReceivedInvoice{});
}

TEST(UblReader, InvoiceWithEveryGroupReadsTermByTerm)
{
    const ReceivedInvoice invoice = ReadSample("ubl-tc434-example5.xml");
    EXPECT_EQ(invoice.customizationId, u"urn:cen.eu:en16931:2017");
    EXPECT_EQ(invoice.processId, u"1");
    EXPECT_EQ(invoice.typeCode, u"380");
    EXPECT_EQ(invoice.vatCurrency, u"EUR");
    EXPECT_EQ(invoice.buyerAccountingReference, u"67543");
    EXPECT_EQ(invoice.buyerReference, u"qwerty");
    EXPECT_EQ(invoice.periodStart, (ReceivedDate{2013, 3, 10}));
    EXPECT_EQ(invoice.periodEnd, (ReceivedDate{2013, 4, 10}));
    // A hash inside the text is no subject code.
    EXPECT_EQ(invoice.notes, (std::vector<ReceivedNote>{{u"", u"Ordered through our website#Ordering information"}}));
    EXPECT_EQ(invoice.orderReference, u"PO4711");
    EXPECT_EQ(invoice.salesOrderReference, u"123");
    EXPECT_EQ(invoice.precedingInvoices,
              (std::vector<ReceivedPrecedingInvoice>{{u"TOSL109", ReceivedDate{2013, 3, 10}}}));
    EXPECT_EQ(invoice.despatchAdviceReference, u"5433");
    EXPECT_EQ(invoice.receivingAdviceReference, u"3544");
    EXPECT_EQ(invoice.tenderReference, u"Lot567");
    EXPECT_EQ(invoice.contractReference, u"2013-05");
    EXPECT_EQ(invoice.projectReference, u"Project345");
    ASSERT_EQ(invoice.attachments.size(), 2u);
    EXPECT_EQ(invoice.attachments[0], (ReceivedAttachment{u"OBJ999", u"ATS", u"", u"", u"", ""}));
    EXPECT_EQ(invoice.attachments[1], (ReceivedAttachment{u"sales slip", u"your sales slip", u"", u"application/pdf",
                                                          u"EHF.pdf", "Testing Base64 encoding"}));

    ReceivedParty seller;
    seller.name = u"SellerCompany";
    seller.tradingName = u"SelCo";
    seller.ids = {{u"5790000436101", u"0088"}};
    seller.legalId = {u"NL16356706", u""};
    seller.vatId = u"NL16356706";
    seller.taxNumber = u"NL16356706";
    seller.legalInfo = u"Export";
    seller.electronicAddress = {u"info@selco.nl", u"EM"};
    seller.address = {u"Hoofdstraat 4", u"Om de hoek", u"", u"Grootstad", u"54321", u"Overijssel", u"NL"};
    seller.contact = {u"Anthon Larsen", u"+3198989898", u"Anthon@Selco.nl"};
    EXPECT_EQ(invoice.seller, seller);
    EXPECT_EQ(invoice.buyer.name, u"Buyercompany ltd");
    EXPECT_EQ(invoice.buyer.address.line2, u"5th floor");
    ASSERT_TRUE(invoice.payee);
    EXPECT_EQ(invoice.payee->name, u"Dagobert Duck");
    EXPECT_EQ(invoice.payee->ids, (std::vector<ReceivedId>{{u"DK16356608", u""}}));
    EXPECT_EQ(invoice.payee->legalId.value, u"DK16356608");
    ASSERT_TRUE(invoice.taxRepresentative);
    EXPECT_EQ(invoice.taxRepresentative->name, u"Dick Panama");
    EXPECT_EQ(invoice.taxRepresentative->vatId, u"DK16356609");
    EXPECT_EQ(invoice.taxRepresentative->address.line2, u"6th floor");

    EXPECT_EQ(invoice.deliveryDate, (ReceivedDate{2013, 4, 15}));
    EXPECT_EQ(invoice.deliverToName, u"Logistic service Ltd");
    EXPECT_EQ(invoice.deliverToLocationId, (ReceivedId{u"5790000436068", u""}));
    ASSERT_TRUE(invoice.deliverToAddress);
    EXPECT_EQ(invoice.deliverToAddress->line2, u"Gate 15");
    EXPECT_EQ(invoice.deliverToAddress->city, u"Deliverycity");

    EXPECT_EQ(invoice.payment.meansCode, u"49");
    EXPECT_EQ(invoice.payment.remittanceInformation, u"Payref1");
    EXPECT_EQ(invoice.payment.mandateReference, u"123456");
    EXPECT_EQ(invoice.payment.debitedAccount, u"DK1212341234123412");
    EXPECT_TRUE(invoice.payment.accounts.empty());
    EXPECT_EQ(invoice.paymentTerms, u"50% prepaid, 50% within one month");

    ASSERT_EQ(invoice.allowancesCharges.size(), 2u);
    EXPECT_EQ(invoice.allowancesCharges[0],
              (ReceivedAllowanceCharge{false, 150 * M, 1500 * M, 10 * M, u"S", 25 * M, u"Loyal customer", u"100"}));
    EXPECT_TRUE(invoice.allowancesCharges[1].charge);
    EXPECT_EQ(invoice.allowancesCharges[1].reasonCode, u"ABL");

    EXPECT_EQ(invoice.vatBreakdown, (std::vector<ReceivedVatBreakdown>{{1500 * M, 375 * M, u"S", 25 * M, u"", u""},
                                                                       {2500 * M, 300 * M, u"S", 12 * M, u"", u""}}));
    const ReceivedTotals totals{4000 * M,    150 * M,  150 * M,      4000 * M,     675 * M,
                                628'620'000, 4675 * M, 2337'500'000, std::nullopt, 2337'500'000};
    EXPECT_EQ(invoice.totals, totals);

    ASSERT_EQ(invoice.lines.size(), 3u);
    ReceivedLine line;
    line.id = u"1";
    line.note = u"first line";
    line.objectId = {u"Object2", u""};
    line.quantity = 1000 * M;
    line.unitCode = u"EA";
    line.netAmount = 1000 * M;
    line.orderLineReference = u"1";
    line.accountingReference = u"ACC7654";
    line.periodStart = ReceivedDate{2013, 3, 10};
    line.periodEnd = ReceivedDate{2013, 4, 10};
    line.allowancesCharges = {{false, 100 * M, 1000 * M, 10 * M, u"", std::nullopt, u"Loyal customer", u"100"},
                              {true, 100 * M, 1000 * M, 10 * M, u"", std::nullopt, u"Packaging", u"ABL"}};
    line.netPrice = 1 * M;
    line.priceDiscount = 100'000;
    line.grossPrice = 1'100'000;
    line.baseQuantity = 1 * M;
    line.baseQuantityUnit = u"EA";
    line.vatCategory = u"S";
    line.vatRate = 25 * M;
    line.itemName = u"Printing paper";
    line.itemDescription = u"Printing paper, 2mm";
    line.sellerItemId = u"JB007";
    line.buyerItemId = u"BUY123";
    line.standardItemId = {u"1234567890128", u"0088"};
    line.classifications = {{u"12344321", u"ZZZ"}};
    line.originCountry = u"NL";
    line.attributes = {{u"Thickness", u"2 mm"}};
    EXPECT_EQ(invoice.lines[0], line);
    EXPECT_EQ(invoice.lines[2].vatRate, 12 * M);
    EXPECT_FALSE(invoice.lines[2].priceDiscount);
}

TEST(UblReader, CreditNoteReadsItsTypeQuantitiesAndAccount)
{
    const ReceivedInvoice note = ReadSample("ubl-tc434-creditnote1.xml");
    EXPECT_EQ(note.typeCode, u"381");
    EXPECT_EQ(note.number, u"018304 / 28865");
    ASSERT_EQ(note.lines.size(), 1u);
    EXPECT_EQ(note.lines[0].quantity, 1 * M);
    EXPECT_EQ(note.lines[0].unitCode, u"C62");
    EXPECT_EQ(note.lines[0].itemName, u"Exonération du versement du PP");
    // A tax scheme without its VAT code still holds the VAT identifier.
    EXPECT_EQ(note.seller.vatId, u"BE0000000196");
    EXPECT_EQ(note.seller.taxNumber, u"");
    EXPECT_EQ(note.payment.accounts, (std::vector<ReceivedAccount>{{u"BE91000000143476", u"", u"BPOTBEB1"}}));
    ASSERT_EQ(note.vatBreakdown.size(), 1u);
    EXPECT_EQ(note.vatBreakdown[0].category, u"E");
    EXPECT_EQ(note.vatBreakdown[0].exemptionReason, u"Taxes are not applicable");
}

TEST(UblReader, CurrenciesAndAccountsAsWritten)
{
    struct Case {
        const char* sample;
        std::u16string currency;
        std::vector<std::u16string> ibans;
    };
    const Case cases[] = {
        {"issue116.xml", u"SEK", {}},
        {"ubl-tc434-example2.xml", u"NOK", {u"NO9386011117947"}},
        {"ubl-tc434-example1.xml", u"EUR", {u"NL57 RABO 0107307510", u"NL03 INGB 0004489902"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sample);
        const ReceivedInvoice invoice = ReadSample(c.sample);
        EXPECT_EQ(invoice.currency, c.currency);
        std::vector<std::u16string> ibans;
        for (const ReceivedAccount& account : invoice.payment.accounts)
            ibans.push_back(account.iban);
        EXPECT_EQ(ibans, c.ibans);
    }
    // The first of several means gives the reference for the transfer.
    EXPECT_EQ(ReadSample("ubl-tc434-example1.xml").payment.remittanceInformation, u"Deb. 10202 / Fact. 12115118");
}

TEST(UblReader, ThreeMegabyteAttachmentDecodesAsBase64Does)
{
    const std::string file = SamplesDir() + "FT_G2G_TD01_con_Allegato,_Bonifico_e_Split_Payment.xml";
    const ReceivedInvoice invoice = ReadSample("FT_G2G_TD01_con_Allegato,_Bonifico_e_Split_Payment.xml");
    ASSERT_EQ(invoice.attachments.size(), 1u);
    const ReceivedAttachment& attachment = invoice.attachments[0];
    EXPECT_EQ(attachment.fileName, u"mappatura_ubl_sdi.pdf");
    EXPECT_EQ(attachment.mimeCode, u"application/pdf");
    // The same content decoded by xmllint and coreutils' base64.
    std::FILE* pipe = popen(("xmllint --nonet --xpath \"string(//*[local-name()='EmbeddedDocumentBinaryObject'])\" '" +
                             file + "' | tr -d ' \\t\\r\\n' | base64 -d")
                                .c_str(),
                            "r");
    ASSERT_NE(pipe, nullptr);
    std::string expected;
    char buffer[65536];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        expected.append(buffer, n);
    pclose(pipe);
    EXPECT_EQ(expected.size(), 2'464'230u);
    EXPECT_TRUE(attachment.content == expected);
    EXPECT_EQ(attachment.content.substr(0, 8), "%PDF-1.4");
    EXPECT_EQ(invoice.totals.amountDue, 1246 * M);
    EXPECT_EQ(invoice.totals.paidAmount, 274'120'000);
}

// Terms the samples leave out, in a credit note whose prefixes are none of the usual ones.
TEST(UblReader, RarelyUsedTermsOfACreditNote)
{
    const ReceivedReadResult result = Read(Fixture("einvoice-ubl-valid-rare-terms.xml"));
    ASSERT_TRUE(result.invoice) << Utf16ToUtf8(result.error);
    const ReceivedInvoice& note = *result.invoice;
    EXPECT_EQ(note.typeCode, u"381");
    EXPECT_EQ(note.taxPointDate, (ReceivedDate{2026, 3, 31}));
    EXPECT_EQ(note.taxPointDateCode, u"35");
    EXPECT_EQ(note.notes, (std::vector<ReceivedNote>{{u"ADU", u"Gutschrift zur Rechnung RE-2026-17"},
                                                     {u"REG", u"Amtsgericht Kiel HRB 4711"}}));
    EXPECT_EQ(note.precedingInvoices, (std::vector<ReceivedPrecedingInvoice>{
                                          {u"RE-2026-17", std::nullopt}, {u"RE-2026-18", ReceivedDate{2026, 3, 5}}}));
    EXPECT_EQ(note.invoicedObjectId, (ReceivedId{u"Zähler 0815", u"AAB"}));
    EXPECT_EQ(note.attachments,
              (std::vector<ReceivedAttachment>{{u"Lieferschein", u"", u"https://example.org/ls/77", u"", u"", ""}}));
    // The seller's SEPA identifier is the creditor identifier, the payee's is not taken twice.
    EXPECT_EQ(note.payment.creditorId, u"DE98ZZZ09999999999");
    EXPECT_EQ(note.seller.ids, (std::vector<ReceivedId>{{u"4000001000005", u"0088"}}));
    EXPECT_EQ(note.seller.address.line3, u"Hinterhaus");
    EXPECT_EQ(note.seller.taxNumber, u"19/123/45678");
    EXPECT_EQ(note.seller.vatId, u"");
    ASSERT_TRUE(note.payee);
    EXPECT_EQ(note.payee->name, u"Factoring Nord AG");
    EXPECT_TRUE(note.payee->ids.empty());
    EXPECT_FALSE(note.taxRepresentative);
    EXPECT_FALSE(note.deliverToAddress);
    EXPECT_EQ(note.payment.meansCode, u"54");
    EXPECT_EQ(note.payment.meansText, u"Kreditkarte");
    EXPECT_EQ(note.payment.cardNumber, u"1234");
    EXPECT_EQ(note.payment.cardHolder, u"Dr. Eva Lindner");
    EXPECT_EQ(note.dueDate, (ReceivedDate{2026, 4, 15}));
    EXPECT_EQ(note.paymentTerms, u"#SKONTO#TAGE=7#PROZENT=2.00#\nZahlbar ohne Abzug bis 15.04.2026");
    EXPECT_EQ(note.totals.roundingAmount, -100'000);
    EXPECT_EQ(note.totals.amountDue, 108 * M);
    EXPECT_EQ(note.vatBreakdown[0].rate, 8'100'000);
    ASSERT_EQ(note.lines.size(), 1u);
    const ReceivedLine& line = note.lines[0];
    EXPECT_EQ(line.quantity, 2'500'000);
    EXPECT_EQ(line.unitCode, u"HUR");
    EXPECT_EQ(line.itemDescription, u"Montage\nam Samstag");
    EXPECT_EQ(line.objectId, ReceivedId{});  // a reference to a contract, not to the object
    EXPECT_EQ(line.classifications, (std::vector<ReceivedId>{{u"73", u"STI"}, {u"45421100", u"CV"}}));
    EXPECT_EQ(line.netPrice, 40 * M);
}

// A note's subject code stands between two hash signs at its start.
TEST(UblReader, NoteSubjectCodes)
{
    const struct {
        const char* text;
        std::u16string code;
        std::u16string rest;
    } cases[] = {
        {"#AAI#Lieferung frei Haus", u"AAI", u"Lieferung frei Haus"},
        {"#REG#", u"REG", u""},
        {"Bestellt #AAI#", u"", u"Bestellt #AAI#"},
        {"#aai#klein", u"", u"#aai#klein"},
        {"##leer", u"", u"##leer"},
        {"#ZU LANGER CODE#x", u"", u"#ZU LANGER CODE#x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string xml =
            std::string("<Invoice xmlns='urn:oasis:names:specification:ubl:schema:xsd:Invoice-2' "
                        "xmlns:cbc='urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2'>"
                        "<cbc:Note>") +
            c.text + "</cbc:Note></Invoice>";
        const SafeXmlDocument document(xml, {});
        const ReceivedReadResult result = ReadUblInvoice(document.Root(), {});
        ASSERT_TRUE(result.invoice) << Utf16ToUtf8(result.error);
        EXPECT_EQ(result.invoice->notes, (std::vector<ReceivedNote>{{c.code, c.rest}}));
    }
}

TEST(UblReader, DamagedFilesAreRefusedNamingTheElement)
{
    struct Case {
        const char* fixture;
        std::u16string message;
    };
    const Case cases[] = {
        {"einvoice-ubl-wrong-root-order.xml",
         u"Im Element „Order“ (Zeile 4): Das ist weder eine UBL-Rechnung (Invoice) noch eine UBL-Gutschrift "
         u"(CreditNote)."},
        {"einvoice-ubl-invoice-root-in-credit-note-namespace.xml",
         u"Im Element „Invoice“ (Zeile 4): Das ist weder eine UBL-Rechnung (Invoice) noch eine UBL-Gutschrift "
         u"(CreditNote)."},
        {"einvoice-ubl-amount-with-decimal-comma.xml",
         u"Im Element „cbc:PayableAmount“ (Zeile 23): „119,00“ ist keine Zahl, wie sie hier stehen muss (etwa "
         u"„1234.56“)."},
        {"einvoice-ubl-issue-date-30-february.xml",
         u"Im Element „cbc:IssueDate“ (Zeile 7): „2026-02-30“ ist kein Datum der Form JJJJ-MM-TT."},
        {"einvoice-ubl-credit-note-quantity-with-exponent.xml",
         u"Im Element „cbc:CreditedQuantity“ (Zeile 27): „1E3“ ist keine Zahl, wie sie hier stehen muss (etwa "
         u"„1234.56“)."},
        {"einvoice-ubl-charge-indicator-yes.xml",
         u"Im Element „cbc:ChargeIndicator“ (Zeile 17): „yes“ ist weder „true“ noch „false“."},
        {"einvoice-ubl-external-entity-names-local-file.xml",
         u"Die Datei enthält eine Dokumenttypdefinition (<!DOCTYPE>). Eine E-Rechnung hat keine; sie wird aus "
         u"Sicherheitsgründen nicht gelesen."},
        {"einvoice-ubl-attachment-not-base64.xml",
         u"Im Element „cbc:EmbeddedDocumentBinaryObject“ (Zeile 13): Der Inhalt ist kein gültiges Base64."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fixture);
        const ReceivedReadResult result = Read(Fixture(c.fixture));
        EXPECT_FALSE(result.invoice);
        EXPECT_EQ(Utf16ToUtf8(result.error), Utf16ToUtf8(c.message));
    }
}

// The bounds given: the same file reads within them and is refused beyond them.
TEST(UblReader, AttachmentAndLineBounds)
{
    std::string kib;
    for (int k = 0; k < 1024; ++k)
        kib += static_cast<char>(k % 256);
    ReceivedLimits limits;
    limits.maxAttachmentBytes = 1024;
    ReceivedReadResult result = Read(Fixture("einvoice-ubl-attachment-of-1-kib.xml"), limits);
    ASSERT_TRUE(result.invoice) << Utf16ToUtf8(result.error);
    ASSERT_EQ(result.invoice->attachments.size(), 1u);
    EXPECT_TRUE(result.invoice->attachments[0].content == kib);
    limits.maxAttachmentBytes = 1023;
    result = Read(Fixture("einvoice-ubl-attachment-of-1-kib.xml"), limits);
    EXPECT_FALSE(result.invoice);
    EXPECT_EQ(Utf16ToUtf8(result.error), "Im Element „cbc:EmbeddedDocumentBinaryObject“ (Zeile 13): Der Anhang ist "
                                         "größer als 1023 Bytes und wird nicht gelesen.");

    limits = {};
    limits.maxLines = 3;
    result = Read(Fixture("einvoice-ubl-three-lines.xml"), limits);
    ASSERT_TRUE(result.invoice) << Utf16ToUtf8(result.error);
    EXPECT_EQ(result.invoice->lines.size(), 3u);
    limits.maxLines = 2;
    result = Read(Fixture("einvoice-ubl-three-lines.xml"), limits);
    EXPECT_FALSE(result.invoice);
    EXPECT_EQ(Utf16ToUtf8(result.error), "Im Element „cac:InvoiceLine“ (Zeile 39): Die Rechnung hat mehr als 2 "
                                         "Positionen; so viele werden nicht gelesen.");
}

}  // namespace
