#include "received/ReceivedInvoiceCheck.h"

#include "received/ReceivedCodeNames.h"

#include <limits>
#include <map>
#include <string>
#include <utility>

namespace {

constexpr Micros kCent = 10'000;
constexpr Micros kOneMillion = 1'000'000;
// Sums stay far inside int64: the readers bound every value to 10^12, so even a million
// lines of the largest amount is 10^24 millionths at most only in theory; the check clamps
// its working sums to this bound instead of overflowing.
constexpr Micros kSumBound = Micros{1} << 62;

Micros Clamp(__int128 value)
{
    if (value > kSumBound)
        return kSumBound;
    if (value < -kSumBound)
        return -kSumBound;
    return Micros(value);
}

Micros Add(Micros a, Micros b)
{
    return Clamp(__int128(a) + b);
}

// n / d rounded half away from zero; d > 0.
__int128 DivideRounded(__int128 n, __int128 d)
{
    const __int128 half = d / 2;
    return n >= 0 ? (n + half) / d : -((-n + half) / d);
}

std::u16string Number(size_t n)
{
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

// The key of a VAT breakdown row: category and rate (no rate counts as 0 %).
using VatKey = std::pair<std::u16string, Micros>;

// Whether every amount the invoice states is a whole number of currency units (as invoices
// in forints or yen are written): such an invoice rounds its sums to whole units as well.
bool WholeUnits(const ReceivedInvoice& invoice)
{
    const auto whole = [](const std::optional<Micros>& v) { return !v || *v % kOneMillion == 0; };
    for (const ReceivedLine& line : invoice.lines)
        if (!whole(line.netAmount))
            return false;
    for (const ReceivedAllowanceCharge& ac : invoice.allowancesCharges)
        if (!whole(ac.amount))
            return false;
    for (const ReceivedVatBreakdown& row : invoice.vatBreakdown)
        if (!whole(row.taxableAmount) || !whole(row.taxAmount))
            return false;
    const ReceivedTotals& t = invoice.totals;
    for (const std::optional<Micros>* v : {&t.lineNetTotal, &t.allowanceTotal, &t.chargeTotal, &t.netTotal, &t.vatTotal,
                                           &t.grossTotal, &t.paidAmount, &t.roundingAmount, &t.amountDue})
        if (!whole(*v))
            return false;
    return true;
}

Micros RoundToUnits(Micros value)
{
    return Clamp(DivideRounded(value, kOneMillion) * kOneMillion);
}

class Findings {
public:
    Findings(ReceivedCheck& check, const ReceivedInvoice& invoice)
        : check_(check),
          currency_(invoice.currency),
          wholeUnits_(WholeUnits(invoice))
    {
    }

    void Missing(std::u16string text)
    {
        check_.problems.push_back(std::move(text));
        ++check_.missing;
    }

    // A stated figure against the one recomputed from its parts: more than one cent apart is
    // a difference, unless the invoice is written in whole units and the figure is the
    // recomputed one rounded to a whole unit.
    void Compare(const std::u16string& label, Micros stated, Micros computed, bool line = false)
    {
        if (Near(stated, computed) || (wholeUnits_ && Near(stated, RoundToUnits(computed))))
            return;
        check_.problems.push_back(label + u' ' + MoneyText(stated, currency_) + u" angegeben, berechnet " +
                                  MoneyText(computed, currency_) + u'.');
        ++(line ? check_.lineDifferences : check_.differences);
    }

    void Difference(std::u16string text, bool line = false)
    {
        check_.problems.push_back(std::move(text));
        ++(line ? check_.lineDifferences : check_.differences);
    }

private:
    static bool Near(Micros a, Micros b)
    {
        const __int128 gap = __int128(a) - b;
        return gap <= kCent && gap >= -kCent;
    }

    ReceivedCheck& check_;
    std::u16string currency_;
    bool wholeUnits_;
};

std::u16string LineLabel(const ReceivedLine& line, size_t index)
{
    return u"Position " + (line.id.empty() ? Number(index + 1) : line.id) + u": ";
}

std::u16string VatLabel(const VatKey& key)
{
    return u"Umsatzsteuer " + (key.first.empty() ? std::u16string(u"ohne Kategorie") : key.first) + u' ' +
           PercentText(key.second) + u": ";
}

// quantity × net price / base quantity − allowances + charges of the line, rounded to cents;
// nothing without quantity or price.
std::optional<Micros> ComputedLineNet(const ReceivedLine& line)
{
    if (!line.quantity || !line.netPrice)
        return std::nullopt;
    const __int128 base = line.baseQuantity && *line.baseQuantity > 0 ? *line.baseQuantity : kOneMillion;
    // (q / 10^6) × (p / 10^6) / (b / 10^6) in millionths is q × p / b.
    __int128 net = DivideRounded(__int128(*line.quantity) * *line.netPrice, base);
    for (const ReceivedAllowanceCharge& ac : line.allowancesCharges) {
        const Micros amount = ac.amount.value_or(0);
        net += ac.charge ? amount : -__int128(amount);
    }
    return RoundToCents(Clamp(net));
}

void CheckHeader(const ReceivedInvoice& invoice, Findings& found)
{
    if (invoice.number.empty())
        found.Missing(u"Rechnungsnummer fehlt.");
    if (!invoice.issueDate)
        found.Missing(u"Rechnungsdatum fehlt.");
    if (invoice.typeCode.empty())
        found.Missing(u"Rechnungsart fehlt.");
    if (invoice.currency.empty())
        found.Missing(u"Währung fehlt.");
    if (invoice.seller.name.empty())
        found.Missing(u"Name des Verkäufers fehlt.");
    if (invoice.seller.address.country.empty())
        found.Missing(u"Land in der Anschrift des Verkäufers fehlt.");
    if (invoice.buyer.name.empty())
        found.Missing(u"Name des Käufers fehlt.");
    if (invoice.buyer.address.country.empty())
        found.Missing(u"Land in der Anschrift des Käufers fehlt.");
    if (invoice.lines.empty())
        found.Missing(u"Keine Rechnungsposition.");
}

// Checks every line and returns the sum of the line net amounts as stated (the recomputed
// amount where a line states none).
Micros CheckLines(const ReceivedInvoice& invoice, Findings& found)
{
    Micros sum = 0;
    for (size_t i = 0; i < invoice.lines.size(); ++i) {
        const ReceivedLine& line = invoice.lines[i];
        const std::u16string label = LineLabel(line, i);
        if (line.id.empty())
            found.Missing(label + u"Positionsnummer fehlt.");
        if (line.itemName.empty())
            found.Missing(label + u"Bezeichnung fehlt.");
        if (!line.quantity)
            found.Missing(label + u"Menge fehlt.");
        if (line.unitCode.empty())
            found.Missing(label + u"Einheit fehlt.");
        if (!line.netPrice)
            found.Missing(label + u"Nettopreis fehlt.");
        if (line.vatCategory.empty())
            found.Missing(label + u"Umsatzsteuerkategorie fehlt.");
        if (line.baseQuantity && *line.baseQuantity <= 0)
            found.Difference(
                label + u"Basismenge " + GermanDecimal(*line.baseQuantity, 0) + u" ist nicht größer als null.", true);
        const std::optional<Micros> computed = ComputedLineNet(line);
        if (!line.netAmount)
            found.Missing(label + u"Nettobetrag fehlt.");
        else if (computed)
            found.Compare(label + u"Nettobetrag", *line.netAmount, *computed, true);
        sum = Add(sum, line.netAmount ? *line.netAmount : computed.value_or(0));
    }
    return sum;
}

struct VatGroup {
    Micros base = 0;         // line nets − allowances + charges of the group
    bool used = false;       // a line or an allowance/charge names it
    bool described = false;  // a breakdown row names it
};

void CheckVat(const ReceivedInvoice& invoice, Findings& found)
{
    std::map<VatKey, VatGroup> groups;
    for (const ReceivedLine& line : invoice.lines) {
        VatGroup& group = groups[{line.vatCategory, line.vatRate.value_or(0)}];
        group.used = true;
        group.base = Add(group.base, line.netAmount ? *line.netAmount : ComputedLineNet(line).value_or(0));
    }
    for (const ReceivedAllowanceCharge& ac : invoice.allowancesCharges) {
        VatGroup& group = groups[{ac.vatCategory, ac.vatRate.value_or(0)}];
        group.used = true;
        const Micros amount = ac.amount.value_or(0);
        group.base = Add(group.base, ac.charge ? amount : -amount);
    }

    if (invoice.vatBreakdown.empty())
        found.Missing(u"Aufschlüsselung der Umsatzsteuer fehlt.");
    Micros vatSum = 0;
    bool anyTaxable = false;
    for (const ReceivedVatBreakdown& row : invoice.vatBreakdown) {
        const VatKey key{row.category, row.rate.value_or(0)};
        const std::u16string label = VatLabel(key);
        VatGroup& group = groups[key];
        if (group.described) {
            found.Difference(label + u"mehrfach aufgeschlüsselt.");
            continue;
        }
        group.described = true;
        if (row.category.empty())
            found.Missing(u"Umsatzsteuer: Kategorie fehlt.");
        else if (row.category != u"O")
            anyTaxable = true;
        const bool exempt = row.category == u"E" || row.category == u"AE" || row.category == u"K" ||
                            row.category == u"G" || row.category == u"O";
        if (exempt && row.exemptionReason.empty() && row.exemptionCode.empty())
            found.Missing(label + u"Befreiungsgrund fehlt.");
        if (!row.taxableAmount) {
            found.Missing(label + u"Bemessungsgrundlage fehlt.");
        } else {
            found.Compare(label + u"Bemessungsgrundlage", *row.taxableAmount, group.base);
            const Micros tax = RoundToCents(
                Clamp(DivideRounded(__int128(*row.taxableAmount) * key.second, __int128(100) * kOneMillion)));
            if (!row.taxAmount)
                found.Missing(label + u"Steuerbetrag fehlt.");
            else
                found.Compare(label + u"Steuerbetrag", *row.taxAmount, tax);
        }
        vatSum = Add(vatSum, row.taxAmount.value_or(0));
    }
    for (const auto& [key, group] : groups) {
        if (group.used && !group.described)
            found.Missing(VatLabel(key) + u"Aufschlüsselung fehlt, obwohl Positionen sie tragen.");
    }

    const ReceivedTotals& totals = invoice.totals;
    if (totals.vatTotal)
        found.Compare(u"Umsatzsteuer gesamt (BT-110)", *totals.vatTotal, vatSum);
    else if (anyTaxable)
        found.Missing(u"Umsatzsteuer gesamt (BT-110) fehlt.");

    const bool sellerTaxId = !invoice.seller.vatId.empty() || !invoice.seller.taxNumber.empty() ||
                             (invoice.taxRepresentative && !invoice.taxRepresentative->vatId.empty());
    if (anyTaxable && !sellerTaxId)
        found.Missing(u"Umsatzsteuer-Identifikationsnummer oder Steuernummer des Verkäufers fehlt.");
}

// BT-106 to BT-109; returns BT-109 as recomputed from the stated figures before it.
Micros CheckNetTotals(const ReceivedInvoice& invoice, Micros lineSum, Findings& found)
{
    const ReceivedTotals& totals = invoice.totals;
    Micros allowances = 0;
    Micros charges = 0;
    for (const ReceivedAllowanceCharge& ac : invoice.allowancesCharges)
        (ac.charge ? charges : allowances) = Add(ac.charge ? charges : allowances, ac.amount.value_or(0));

    if (totals.lineNetTotal)
        found.Compare(u"Summe der Positionen netto (BT-106)", *totals.lineNetTotal, lineSum);
    else
        found.Missing(u"Summe der Positionen netto (BT-106) fehlt.");
    if (totals.allowanceTotal)
        found.Compare(u"Summe der Nachlässe (BT-107)", *totals.allowanceTotal, allowances);
    else if (allowances != 0)
        found.Missing(u"Summe der Nachlässe (BT-107) fehlt.");
    if (totals.chargeTotal)
        found.Compare(u"Summe der Zuschläge (BT-108)", *totals.chargeTotal, charges);
    else if (charges != 0)
        found.Missing(u"Summe der Zuschläge (BT-108) fehlt.");

    // Every later sum is recomputed from the stated figures before it, so that one wrong
    // figure is named where it is wrong, and once more at most where it is used.
    const Micros net = Clamp(__int128(totals.lineNetTotal.value_or(lineSum)) -
                             totals.allowanceTotal.value_or(allowances) + totals.chargeTotal.value_or(charges));
    if (totals.netTotal)
        found.Compare(u"Gesamtbetrag ohne Umsatzsteuer (BT-109)", *totals.netTotal, net);
    else
        found.Missing(u"Gesamtbetrag ohne Umsatzsteuer (BT-109) fehlt.");
    return net;
}

// BT-112 and BT-115.
void CheckGrossAndDue(const ReceivedInvoice& invoice, Micros net, Findings& found)
{
    const ReceivedTotals& totals = invoice.totals;
    Micros vat = 0;
    for (const ReceivedVatBreakdown& row : invoice.vatBreakdown)
        vat = Add(vat, row.taxAmount.value_or(0));
    const Micros gross = Add(totals.netTotal.value_or(net), totals.vatTotal.value_or(vat));
    if (totals.grossTotal)
        found.Compare(u"Gesamtbetrag mit Umsatzsteuer (BT-112)", *totals.grossTotal, gross);
    else
        found.Missing(u"Gesamtbetrag mit Umsatzsteuer (BT-112) fehlt.");
    const Micros due = Clamp(__int128(totals.grossTotal.value_or(gross)) - totals.paidAmount.value_or(0) +
                             totals.roundingAmount.value_or(0));
    if (totals.amountDue)
        found.Compare(u"Zahlbetrag (BT-115)", *totals.amountDue, due);
    else
        found.Missing(u"Zahlbetrag (BT-115) fehlt.");
}

void CheckPayment(const ReceivedInvoice& invoice, Findings& found)
{
    const ReceivedPayment& payment = invoice.payment;
    const bool instructions = !payment.accounts.empty() || !payment.meansText.empty() ||
                              !payment.remittanceInformation.empty() || !payment.mandateReference.empty();
    if (instructions && payment.meansCode.empty())
        found.Missing(u"Zahlungsart fehlt.");
    for (const ReceivedAccount& account : payment.accounts)
        if (account.iban.empty())
            found.Missing(u"Kontokennung (IBAN) fehlt.");
    if (invoice.totals.amountDue.value_or(0) > 0 && !invoice.dueDate && invoice.paymentTerms.empty())
        found.Missing(u"Fälligkeitsdatum oder Zahlungsbedingungen fehlen.");
}

std::u16string Counted(int n, std::u16string_view one, std::u16string_view many)
{
    return Number(size_t(n)) + u' ' + std::u16string(n == 1 ? one : many);
}

}  // namespace

std::u16string ReceivedCheck::Heading() const
{
    std::u16string heading = u"Summen geprüft: ";
    heading += differences == 0 ? std::u16string(u"stimmen.") : Counted(differences, u"Abweichung.", u"Abweichungen.");
    if (lineDifferences > 0)
        heading += u' ' + Counted(lineDifferences, u"Position weicht von Menge × Preis ab.",
                                  u"Positionen weichen von Menge × Preis ab.");
    if (missing > 0)
        heading += u' ' + Counted(missing, u"Pflichtangabe fehlt.", u"Pflichtangaben fehlen.");
    return heading;
}

ReceivedCheck CheckReceivedInvoice(const ReceivedInvoice& invoice)
{
    ReceivedCheck check;
    Findings found(check, invoice);
    CheckHeader(invoice, found);
    const Micros lineSum = CheckLines(invoice, found);
    const Micros net = CheckNetTotals(invoice, lineSum, found);
    CheckVat(invoice, found);
    CheckGrossAndDue(invoice, net, found);
    CheckPayment(invoice, found);
    return check;
}
