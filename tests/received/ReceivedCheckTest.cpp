// The check of a received invoice: sums recomputed from their parts, missing mandatory fields,
// each found once and named in German with both figures.
#include "ReceivedTestInvoice.h"
#include "output/RecordingCanvas.h"
#include "received/ReceivedInvoiceCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

struct CheckCase {
    const char* name;
    std::function<void(ReceivedInvoice&)> change;
    std::vector<std::u16string> problems;
};

std::vector<std::string> Utf8Lines(const std::vector<std::u16string>& lines)
{
    std::vector<std::string> out;
    for (const std::u16string& line : lines)
        out.push_back(U8(line));
    return out;
}

}  // namespace

TEST(ReceivedCheck, EachKindOfFaultIsNamedWithBothFigures)
{
    const std::vector<CheckCase> cases = {
        {"agreeing invoice", [](ReceivedInvoice&) {}, {}},
        {"line one cent off is accepted", [](ReceivedInvoice& i) { i.lines[2].netAmount = M(35.01); }, {}},
        {"line two cents off",
         [](ReceivedInvoice& i) { i.lines[2].netAmount = M(35.02); },
         {u"Position 3: Nettobetrag 35,02 € angegeben, berechnet 35,00 €.",
          u"Summe der Positionen netto (BT-106) 299,69 € angegeben, berechnet 299,71 €.",
          u"Umsatzsteuer S 7 %: Bemessungsgrundlage 35,00 € angegeben, berechnet 35,02 €."}},
        {"line net a tenth of the stated",
         [](ReceivedInvoice& i) { i.lines[2].netPrice = M(3.5); },
         {u"Position 3: Nettobetrag 35,00 € angegeben, berechnet 3,50 €."}},
        {"line allowance forgotten by the sender",
         [](ReceivedInvoice& i) {
             i.lines[1].netAmount = M(24.69);
             i.lines[1].allowancesCharges[0].charge = true;
         },
         {u"Position 2: Nettobetrag 24,69 € angegeben, berechnet 25,69 €.",
          u"Summe der Positionen netto (BT-106) 299,69 € angegeben, berechnet 300,69 €.",
          u"Umsatzsteuer S 19 %: Bemessungsgrundlage 258,69 € angegeben, berechnet 259,69 €."}},
        {"allowance total",
         [](ReceivedInvoice& i) { i.totals.allowanceTotal = M(12); },
         {u"Summe der Nachlässe (BT-107) 12,00 € angegeben, berechnet 10,00 €.",
          u"Gesamtbetrag ohne Umsatzsteuer (BT-109) 294,69 € angegeben, berechnet 292,69 €."}},
        {"charge total",
         [](ReceivedInvoice& i) { i.totals.chargeTotal = M(0); },
         {u"Summe der Zuschläge (BT-108) 0,00 € angegeben, berechnet 5,00 €.",
          u"Gesamtbetrag ohne Umsatzsteuer (BT-109) 294,69 € angegeben, berechnet 289,69 €."}},
        {"net total alone",
         [](ReceivedInvoice& i) { i.totals.netTotal = M(284.69); },
         {u"Gesamtbetrag ohne Umsatzsteuer (BT-109) 284,69 € angegeben, berechnet 294,69 €.",
          u"Gesamtbetrag mit Umsatzsteuer (BT-112) 346,29 € angegeben, berechnet 336,29 €."}},
        {"tax of one rate",
         [](ReceivedInvoice& i) { i.vatBreakdown[0].taxAmount = M(49.17); },
         {u"Umsatzsteuer S 19 %: Steuerbetrag 49,17 € angegeben, berechnet 49,15 €.",
          u"Umsatzsteuer gesamt (BT-110) 51,60 € angegeben, berechnet 51,62 €."}},
        {"amount due",
         [](ReceivedInvoice& i) { i.totals.amountDue = M(246.32); },
         {u"Zahlbetrag (BT-115) 246,32 € angegeben, berechnet 246,30 €."}},
        {"amount due in another currency",
         [](ReceivedInvoice& i) {
             i.currency = u"CHF";
             i.totals.amountDue = M(1246.30);
         },
         {u"Zahlbetrag (BT-115) 1.246,30 CHF angegeben, berechnet 246,30 CHF."}},
        {"paid amount left out of the amount due",
         [](ReceivedInvoice& i) { i.totals.paidAmount.reset(); },
         {u"Zahlbetrag (BT-115) 246,30 € angegeben, berechnet 346,30 €."}},
        {"gross total",
         [](ReceivedInvoice& i) { i.totals.grossTotal = M(346); },
         {u"Gesamtbetrag mit Umsatzsteuer (BT-112) 346,00 € angegeben, berechnet 346,29 €.",
          u"Zahlbetrag (BT-115) 246,30 € angegeben, berechnet 246,01 €."}},
        {"number and date missing",
         [](ReceivedInvoice& i) {
             i.number.clear();
             i.issueDate.reset();
         },
         {u"Rechnungsnummer fehlt.", u"Rechnungsdatum fehlt."}},
        {"header fields missing",
         [](ReceivedInvoice& i) {
             i.typeCode.clear();
             i.seller.name.clear();
             i.seller.address.country.clear();
             i.buyer.name.clear();
             i.buyer.address.country.clear();
         },
         {u"Rechnungsart fehlt.", u"Name des Verkäufers fehlt.", u"Land in der Anschrift des Verkäufers fehlt.",
          u"Name des Käufers fehlt.", u"Land in der Anschrift des Käufers fehlt."}},
        {"line fields missing",
         [](ReceivedInvoice& i) {
             i.lines[0].itemName.clear();
             i.lines[0].unitCode.clear();
             i.lines[3].id.clear();
             i.lines[3].netPrice.reset();
         },
         {u"Position 1: Bezeichnung fehlt.", u"Position 1: Einheit fehlt.", u"Position 4: Positionsnummer fehlt.",
          u"Position 4: Nettopreis fehlt."}},
        {"seller without VAT id or tax number",
         [](ReceivedInvoice& i) { i.seller.vatId.clear(); },
         {u"Umsatzsteuer-Identifikationsnummer oder Steuernummer des Verkäufers fehlt."}},
        {"seller with a tax number only",
         [](ReceivedInvoice& i) {
             i.seller.vatId.clear();
             i.seller.taxNumber = u"217/5734/1234";
         },
         {}},
        {"exemption without reason",
         [](ReceivedInvoice& i) { i.vatBreakdown[2].exemptionReason.clear(); },
         {u"Umsatzsteuer E 0 %: Befreiungsgrund fehlt."}},
        {"exemption with a code only",
         [](ReceivedInvoice& i) {
             i.vatBreakdown[2].exemptionReason.clear();
             i.vatBreakdown[2].exemptionCode = u"VATEX-EU-132";
         },
         {}},
        {"VAT group without breakdown row",
         [](ReceivedInvoice& i) { i.vatBreakdown.erase(i.vatBreakdown.begin() + 1); },
         {u"Umsatzsteuer S 7 %: Aufschlüsselung fehlt, obwohl Positionen sie tragen.",
          u"Umsatzsteuer gesamt (BT-110) 51,60 € angegeben, berechnet 49,15 €."}},
        {"due date and payment terms missing",
         [](ReceivedInvoice& i) {
             i.dueDate.reset();
             i.paymentTerms.clear();
         },
         {u"Fälligkeitsdatum oder Zahlungsbedingungen fehlen."}},
        {"totals missing",
         [](ReceivedInvoice& i) { i.totals = ReceivedTotals(); },
         {u"Summe der Positionen netto (BT-106) fehlt.", u"Summe der Nachlässe (BT-107) fehlt.",
          u"Summe der Zuschläge (BT-108) fehlt.", u"Gesamtbetrag ohne Umsatzsteuer (BT-109) fehlt.",
          u"Umsatzsteuer gesamt (BT-110) fehlt.", u"Gesamtbetrag mit Umsatzsteuer (BT-112) fehlt.",
          u"Zahlbetrag (BT-115) fehlt."}},
        {"VAT breakdown missing",
         [](ReceivedInvoice& i) {
             i.vatBreakdown.clear();
             i.totals.vatTotal = 0;
             i.totals.grossTotal = M(294.69);
             i.totals.amountDue = M(194.70);
         },
         {u"Aufschlüsselung der Umsatzsteuer fehlt.",
          u"Umsatzsteuer E 0 %: Aufschlüsselung fehlt, obwohl Positionen sie tragen.",
          u"Umsatzsteuer S 7 %: Aufschlüsselung fehlt, obwohl Positionen sie tragen.",
          u"Umsatzsteuer S 19 %: Aufschlüsselung fehlt, obwohl Positionen sie tragen."}},
        {"payment account without IBAN and means",
         [](ReceivedInvoice& i) {
             i.payment.meansCode.clear();
             i.payment.accounts[0].iban.clear();
         },
         {u"Zahlungsart fehlt.", u"Kontokennung (IBAN) fehlt."}},
    };
    for (const CheckCase& c : cases) {
        ReceivedInvoice invoice = AgreeingInvoice();
        c.change(invoice);
        EXPECT_EQ(Utf8Lines(CheckReceivedInvoice(invoice).problems), Utf8Lines(c.problems)) << c.name;
    }
}

TEST(ReceivedCheck, HeadingCountsDifferencesAndMissingFields)
{
    struct HeadingCase {
        int differences;
        int lines;
        int missing;
        std::u16string heading;
    };
    const HeadingCase cases[] = {
        {0, 0, 0, u"Summen geprüft: stimmen."},
        {1, 0, 0, u"Summen geprüft: 1 Abweichung."},
        {2, 0, 0, u"Summen geprüft: 2 Abweichungen."},
        {0, 0, 1, u"Summen geprüft: stimmen. 1 Pflichtangabe fehlt."},
        {0, 1, 0, u"Summen geprüft: stimmen. 1 Position weicht von Menge × Preis ab."},
        {3, 4, 2,
         u"Summen geprüft: 3 Abweichungen. 4 Positionen weichen von Menge × Preis ab. 2 Pflichtangaben fehlen."},
    };
    for (const HeadingCase& c : cases) {
        ReceivedCheck check;
        check.differences = c.differences;
        check.lineDifferences = c.lines;
        check.missing = c.missing;
        EXPECT_EQ(U8(check.Heading()), U8(c.heading));
    }
    ReceivedInvoice invoice = AgreeingInvoice();
    invoice.number.clear();
    invoice.totals.amountDue = M(1);
    invoice.lines[2].netAmount = M(36);
    const ReceivedCheck check = CheckReceivedInvoice(invoice);
    // The line, and the sums it enters: BT-106 and the 7 % VAT group; the amount due.
    EXPECT_EQ(check.lineDifferences, 1);
    EXPECT_EQ(check.differences, 3);
    EXPECT_EQ(check.missing, 1);
    EXPECT_FALSE(check.Agrees());
    EXPECT_FALSE(check.SumsAgree());
    invoice = AgreeingInvoice();
    invoice.lines[2].netPrice = M(36);
    const ReceivedCheck lineOnly = CheckReceivedInvoice(invoice);
    EXPECT_TRUE(lineOnly.SumsAgree());
    EXPECT_FALSE(lineOnly.Agrees());
    EXPECT_EQ(lineOnly.lineDifferences, 1);
}

// An invoice written in whole currency units (forints) rounds its lines and its VAT to whole
// units; the same rounding in an invoice with cents is a difference.
TEST(ReceivedCheck, WholeUnitInvoicesRoundToWholeUnits)
{
    ReceivedInvoice invoice;
    invoice.currency = u"HUF";
    ReceivedLine line;
    line.id = u"1";
    line.quantity = M(3);
    line.netPrice = M(7813.25);  // 23.439,75
    line.netAmount = M(23440);
    line.vatCategory = u"S";
    line.vatRate = M(27);
    invoice.lines.push_back(line);
    invoice.vatBreakdown.push_back({M(23440), M(6329), u"S", M(27), u"", u""});  // 6.328,80
    invoice.totals = {M(23440),     std::nullopt, std::nullopt, M(23440),     M(6329),
                      std::nullopt, M(29769),     std::nullopt, std::nullopt, M(29769)};
    ReceivedCheck check = CheckReceivedInvoice(invoice);
    EXPECT_EQ(check.differences + check.lineDifferences, 0) << U8(check.problems.empty() ? u"" : check.problems[0]);

    invoice.totals.paidAmount = M(0.5);
    invoice.totals.amountDue = M(29768.5);
    check = CheckReceivedInvoice(invoice);
    std::vector<std::string> expected = {
        "Position 1: Nettobetrag 23.440,00 HUF angegeben, berechnet 23.439,75 HUF.",
        "Umsatzsteuer S 27 %: Steuerbetrag 6.329,00 HUF angegeben, berechnet 6.328,80 HUF."};
    std::vector<std::string> found;
    for (const std::u16string& problem : check.problems)
        if (!problem.ends_with(u"fehlt.") && !problem.ends_with(u"fehlen."))
            found.push_back(U8(problem));
    EXPECT_EQ(found, expected);
}

TEST(ReceivedCheck, ExtremeFiguresNeitherOverflowNorPass)
{
    ReceivedInvoice invoice = AgreeingInvoice();
    // The readers' largest values: the product is far beyond 64 bits.
    invoice.lines[0].quantity = M(1e12);
    invoice.lines[0].netPrice = M(1e12);
    invoice.lines[0].baseQuantity = 1;
    invoice.lines[1].baseQuantity = 0;
    const ReceivedCheck check = CheckReceivedInvoice(invoice);
    ASSERT_GE(check.problems.size(), 2u);
    EXPECT_EQ(U8(check.problems[0]).rfind("Position 1: Nettobetrag 240,00 € angegeben, berechnet ", 0), 0u)
        << U8(check.problems[0]);
    EXPECT_EQ(U8(check.problems[1]), "Position 2: Basismenge 0 ist nicht größer als null.");
}

TEST(ReceivedCheck, InvoiceWithoutLinesSaysSo)
{
    ReceivedInvoice invoice = AgreeingInvoice();
    invoice.lines.clear();
    const auto problems = Utf8Lines(CheckReceivedInvoice(invoice).problems);
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems[0], "Keine Rechnungsposition.");
    EXPECT_NE(std::find(problems.begin(), problems.end(),
                        "Summe der Positionen netto (BT-106) 299,69 € angegeben, berechnet 0,00 €."),
              problems.end());
}
