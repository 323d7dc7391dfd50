// One CII invoice that carries every business term the model knows, each with a value of its
// own (tests/data/einvoice-cii-every-term.xml, valid against the D16B schema), read into the
// model: every field compared with what the file says.
#include "CiiReadHelper.h"

#include "foundation/Utf8.h"

#include <gtest/gtest.h>

namespace {

constexpr Micros M(double value)  // whole millionths of a literal with at most six decimals
{
    return static_cast<Micros>(value * 1'000'000 + (value < 0 ? -0.5 : 0.5));
}

ReceivedInvoice Read(const char* name, const ReceivedLimits& limits = {})
{
    const ReceivedReadResult read = ReadCiiBytes(ReadWholeFile(std::string(REKOLON_TEST_DATA) + "/" + name), limits);
    EXPECT_TRUE(read.error.empty()) << Utf16ToUtf8(read.error);
    return read.invoice.value_or(ReceivedInvoice{});
}

ReceivedAddress Address(std::u16string line1, std::u16string postcode, std::u16string city)
{
    ReceivedAddress address;
    address.line1 = std::move(line1);
    address.postcode = std::move(postcode);
    address.city = std::move(city);
    address.country = u"DE";
    return address;
}

}  // namespace

TEST(CiiEveryTerm, HeaderReferencesAndNotes)
{
    const ReceivedInvoice r = Read("einvoice-cii-every-term.xml");
    EXPECT_EQ(r.processId, u"urn:fdc:peppol.eu:2017:poacc:billing:01.0");
    EXPECT_EQ(r.customizationId, u"urn:cen.eu:en16931:2017#compliant#urn:xeinkauf.de:kosit:xrechnung_3.0");
    EXPECT_EQ(r.number, u"RE-2026-0815");
    EXPECT_TRUE(r.issueDate == (ReceivedDate{2026, 3, 5}));
    EXPECT_EQ(r.typeCode, u"380");
    EXPECT_EQ(r.currency, u"EUR");
    EXPECT_EQ(r.vatCurrency, u"CHF");
    EXPECT_TRUE(r.taxPointDate == (ReceivedDate{2026, 2, 28}));  // udt:DateString
    EXPECT_TRUE(r.dueDate == (ReceivedDate{2026, 4, 4}));
    EXPECT_EQ(r.buyerReference, u"04011000-12345-67");
    EXPECT_EQ(r.projectReference, u"PRJ-12");
    EXPECT_EQ(r.contractReference, u"V-2025-9");
    EXPECT_EQ(r.orderReference, u"BEST-2026-1");
    EXPECT_EQ(r.salesOrderReference, u"AB-2026-77");
    EXPECT_EQ(r.receivingAdviceReference, u"WE-17");
    EXPECT_EQ(r.despatchAdviceReference, u"LS-881");
    EXPECT_EQ(r.tenderReference, u"LOS-4");
    EXPECT_TRUE(r.invoicedObjectId == (ReceivedId{u"ZAEHLER-8", u"AVE"}));
    EXPECT_EQ(r.buyerAccountingReference, u"1400-KST7");
    EXPECT_EQ(r.paymentTerms, u"Zahlbar bis 04.04.2026 ohne Abzug.\n2 % Skonto bis 15.03.2026.");
    const std::vector<ReceivedNote> notes = {{u"AAI", u"Vielen Dank für Ihren Auftrag & bis bald."},
                                             {u"", u"Zweite Bemerkung"}};
    EXPECT_TRUE(r.notes == notes);
    ASSERT_EQ(r.precedingInvoices.size(), 1u);
    EXPECT_EQ(r.precedingInvoices[0].number, u"RE-2026-0700");
    EXPECT_TRUE(r.precedingInvoices[0].date == (ReceivedDate{2026, 1, 15}));  // qdt:DateTimeString
}

TEST(CiiEveryTerm, SellerBuyerPayeeAndTaxRepresentative)
{
    const ReceivedInvoice r = Read("einvoice-cii-every-term.xml");
    ReceivedParty seller;
    seller.name = u"Möbelwerk Alpen GmbH";
    seller.tradingName = u"Alpenmöbel";
    seller.ids = {{u"LIEF-42", u""}, {u"4000001000005", u"0088"}};
    seller.legalId = {u"HRB1234", u"0002"};
    seller.vatId = u"DE123456789";
    seller.taxNumber = u"156/123/45678";
    seller.legalInfo = u"Sitz Rosenheim, HRB 1234";
    seller.electronicAddress = {u"rechnung@alpen.example", u"EM"};
    seller.address = {u"Holzweg 1", u"Halle 3", u"Tor B", u"Rosenheim", u"83022", u"Bayern", u"DE"};
    seller.contact = {u"Eva Berger", u"+49 8031 1234", u"eva.berger@alpen.example"};
    EXPECT_TRUE(r.seller == seller);

    ReceivedParty buyer;
    buyer.name = u"Stadt Musterhausen";
    buyer.ids = {{u"KD-555", u""}};
    buyer.legalId = {u"DE-MH-1", u""};
    buyer.vatId = u"DE987654321";
    buyer.electronicAddress = {u"04011000-12345-67", u"0204"};
    buyer.address = Address(u"Rathausplatz 1", u"12345", u"Musterhausen");
    buyer.contact.name = u"Beschaffung";  // a department where no person is named
    EXPECT_TRUE(r.buyer == buyer);

    ReceivedParty payee;
    payee.name = u"Factoring Süd AG";
    payee.ids = {{u"4000001000029", u"0088"}};
    payee.legalId = {u"HRB9876", u"0002"};
    EXPECT_TRUE(r.payee == payee);

    ReceivedParty representative;
    representative.name = u"Steuervertretung Nord";
    representative.vatId = u"DE111222333";
    representative.address = Address(u"Hafenstraße 2", u"20095", u"Hamburg");
    EXPECT_TRUE(r.taxRepresentative == representative);
}

TEST(CiiEveryTerm, DeliveryAndPayment)
{
    const ReceivedInvoice r = Read("einvoice-cii-every-term.xml");
    EXPECT_EQ(r.deliverToName, u"Rathaus, Anbau");
    EXPECT_TRUE(r.deliverToLocationId == (ReceivedId{u"4000001000012", u"0088"}));
    EXPECT_TRUE(r.deliveryDate == (ReceivedDate{2026, 2, 27}));
    EXPECT_TRUE(r.periodStart == (ReceivedDate{2026, 2, 1}));
    EXPECT_TRUE(r.periodEnd == (ReceivedDate{2026, 2, 28}));
    EXPECT_TRUE(r.deliverToAddress == Address(u"Baustelle 3", u"12346", u"Musterhausen"));

    ReceivedPayment payment;
    payment.meansCode = u"58";  // the first of the four means
    payment.meansText = u"SEPA-Überweisung";
    payment.remittanceInformation = u"RE-2026-0815 KD-555";
    payment.accounts = {{u"DE02120300000000202051", u"Factoring Süd AG", u"BYLADEM1001"},
                        {u"AT611904300234573201", u"", u""}};
    payment.cardNumber = u"4242";
    payment.cardHolder = u"E. Berger";
    payment.mandateReference = u"MANDAT-3";
    payment.creditorId = u"DE98ZZZ09999999999";
    payment.debitedAccount = u"DE75512108001245126199";
    EXPECT_TRUE(r.payment == payment);
}

TEST(CiiEveryTerm, AllowancesChargesBreakdownTotalsAndAttachments)
{
    const ReceivedInvoice r = Read("einvoice-cii-every-term.xml");
    const std::vector<ReceivedAllowanceCharge> documentLevel = {
        {false, M(37.5), M(375), M(10), u"S", M(19), u"Treuerabatt", u"95"},
        {true, M(6), std::nullopt, std::nullopt, u"S", M(19), u"Fracht", u"FC"},
    };
    EXPECT_TRUE(r.allowancesCharges == documentLevel);
    const std::vector<ReceivedVatBreakdown> breakdown = {
        {M(343.5), M(65.27), u"S", M(19), u"", u""},
        {M(-18.52), M(-1.3), u"S", M(7), u"", u""},
        {M(0), M(0), u"G", M(0), u"Steuerfreie Ausfuhr", u"VATEX-EU-G"},
    };
    EXPECT_TRUE(r.vatBreakdown == breakdown);
    const ReceivedTotals totals{M(356.48), M(37.5),   M(6),   M(324.98), M(63.97),
                                M(60.13),  M(388.95), M(100), M(0.05),   M(289)};
    EXPECT_TRUE(r.totals == totals);
    ASSERT_EQ(r.attachments.size(), 2u);
    EXPECT_TRUE(r.attachments[0] == (ReceivedAttachment{u"ANL-1", u"Stundenzettel", u"", u"text/csv", u"stunden.csv",
                                                        "Datum;Stunden\n2026-02-02;8\n"}));
    EXPECT_TRUE(r.attachments[1] ==
                (ReceivedAttachment{u"ANL-2", u"Aufbauplan", u"https://alpen.example/plan.pdf", u"", u"", ""}));
}

TEST(CiiEveryTerm, LinesWithItemPricePeriodAndTheirAllowancesAndCharges)
{
    const ReceivedInvoice r = Read("einvoice-cii-every-term.xml");
    ASSERT_EQ(r.lines.size(), 2u);
    ReceivedLine first;
    first.id = u"10";
    first.note = u"Montage inklusive";
    first.objectId = {u"OBJ-1", u"AAB"};
    first.quantity = M(2);
    first.unitCode = u"H87";
    first.netAmount = M(375);
    first.orderLineReference = u"3";
    first.accountingReference = u"4400";
    first.periodStart = ReceivedDate{2026, 2, 1};
    first.periodEnd = ReceivedDate{2026, 2, 28};
    first.allowancesCharges = {{false, M(40), M(400), M(10), u"", std::nullopt, u"Mengenrabatt", u"95"},
                               {true, M(15), std::nullopt, std::nullopt, u"", std::nullopt, u"Verpackung", u"ABL"}};
    first.netPrice = M(200);
    first.priceDiscount = M(50);
    first.grossPrice = M(250);
    first.baseQuantity = M(1);
    first.baseQuantityUnit = u"H87";
    first.vatCategory = u"S";
    first.vatRate = M(19);
    first.itemName = u"Regal Eiche";
    first.itemDescription = u"Massivholz, 80 × 200 cm";
    first.sellerItemId = u"ART-7";
    first.buyerItemId = u"K-99";
    first.standardItemId = {u"4012345000016", u"0160"};
    first.classifications = {{u"56101519", u"STI"}};
    first.originCountry = u"AT";
    first.attributes = {{u"Farbe", u"natur"}, {u"Böden", u"5"}};
    EXPECT_TRUE(r.lines[0] == first);

    ReceivedLine second;
    second.id = u"20";
    second.itemName = u"Buch";
    second.netPrice = 12'345'679;  // 12.3456789: the seventh decimal rounds up
    second.quantity = M(-1.5);
    second.unitCode = u"C62";
    second.vatCategory = u"S";
    second.vatRate = M(7);
    second.netAmount = M(-18.52);
    EXPECT_TRUE(r.lines[1] == second);
}
