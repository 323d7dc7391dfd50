#include "received/ReceivedSummaryBlocks.h"

#include "received/ReceivedCodeNames.h"

#include <algorithm>
#include <string>

namespace {

constexpr auto kRight = ReceivedPageWriter::Align::Right;

std::u16string Count(size_t n)
{
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

// Amounts stand right-aligned in a column at the right edge with their number beside them.
struct AmountColumns {
    int32_t tagX;     // the business-term numbers
    int32_t amountX;  // the amounts' column
    int32_t amountWidth;
};

AmountColumns AmountsAt(ReceivedBlockContext& c)
{
    ReceivedPageWriter& w = c.writer;
    const int32_t tagWidth = w.Width(Ink::Tag, u"BT-000, BT-000") + w.Mm(1);
    const int32_t amountWidth = w.Mm(30);
    return {c.right - tagWidth, c.right - tagWidth - w.Mm(1) - amountWidth, amountWidth};
}

// A section heading with its group's number.
int32_t Heading(ReceivedBlockContext& c, Block& block, std::u16string_view text, std::u16string_view tag)
{
    return c.writer.AddValue(block, c.left, 0, c.Width(), Ink::Section, text, tag) + c.writer.Mm(1);
}

Block AllowancesBlock(ReceivedBlockContext& c)
{
    ReceivedPageWriter& w = c.writer;
    const AmountColumns columns = AmountsAt(c);
    Block block;
    int32_t dy = Heading(c, block, u"Nachlässe und Zuschläge auf die Rechnung", u"BG-20, BG-21");
    for (const ReceivedAllowanceCharge& ac : c.invoice.allowancesCharges) {
        std::u16string text = ac.charge ? u"Zuschlag" : u"Nachlass";
        if (!ac.reason.empty())
            text += u": " + ac.reason;
        if (!ac.reasonCode.empty())
            text += u" (Code " + ac.reasonCode + u')';
        if (ac.percentage) {
            text += u", " + PercentText(*ac.percentage);
            if (ac.baseAmount)
                text += u" von " + MoneyText(*ac.baseAmount, c.invoice.currency);
        }
        text += u", Umsatzsteuer " + ac.vatCategory;
        if (ac.vatRate)
            text += u' ' + PercentText(*ac.vatRate);
        const std::u16string_view tag =
            ac.charge ? u"BT-104, BT-105, BT-101, BT-100, BT-102, BT-103" : u"BT-97, BT-98, BT-94, BT-93, BT-95, BT-96";
        const int32_t textBottom =
            w.AddValue(block, c.left, dy, columns.amountX - c.left - w.Mm(2), Ink::Body, text, tag);
        int32_t amountBottom = dy;
        if (ac.amount) {
            const Micros signedAmount = ac.charge ? *ac.amount : -*ac.amount;
            amountBottom = w.AddText(block, columns.amountX, dy, columns.amountWidth, Ink::Body,
                                     MoneyText(signedAmount, c.invoice.currency), kRight);
            w.AddText(block, columns.tagX, dy + w.LineHeight(Ink::Body) - w.LineHeight(Ink::Tag),
                      c.right - columns.tagX, Ink::Tag, ac.charge ? u"BT-99" : u"BT-92");
        }
        dy = std::max(textBottom, amountBottom);
    }
    block.height = dy + w.Mm(4);
    return block;
}

Block VatBlock(ReceivedBlockContext& c)
{
    ReceivedPageWriter& w = c.writer;
    const AmountColumns columns = AmountsAt(c);
    Block block;
    int32_t dy = Heading(c, block, u"Umsatzsteuer", u"BG-23");
    // Category | rate | taxable amount | tax amount
    const int32_t baseX = columns.amountX - w.Mm(2) - columns.amountWidth;
    const int32_t rateWidth = w.Mm(14);
    const int32_t rateX = baseX - w.Mm(2) - rateWidth;
    const int32_t categoryWidth = rateX - c.left - w.Mm(2);
    const int32_t labelBottom = std::max(
        {w.AddText(block, c.left, dy, categoryWidth, Ink::Label, u"Kategorie (BT-118)"),
         w.AddText(block, rateX, dy, rateWidth, Ink::Label, u"Satz (BT-119)", kRight),
         w.AddText(block, baseX, dy, columns.amountWidth, Ink::Label, u"Bemessungsgrundlage (BT-116)", kRight),
         w.AddText(block, columns.amountX, dy, columns.amountWidth, Ink::Label, u"Steuerbetrag (BT-117)", kRight)});
    dy = labelBottom + w.Mm(0.5);
    for (const ReceivedVatBreakdown& row : c.invoice.vatBreakdown) {
        const int32_t top = dy;
        int32_t bottom = w.AddText(block, c.left, top, categoryWidth, Ink::Body,
                                   row.category + u" – " + VatCategoryName(row.category));
        if (row.rate)
            bottom =
                std::max(bottom, w.AddText(block, rateX, top, rateWidth, Ink::Body, PercentText(*row.rate), kRight));
        if (row.taxableAmount)
            bottom = std::max(bottom, w.AddText(block, baseX, top, columns.amountWidth, Ink::Body,
                                                MoneyText(*row.taxableAmount, c.invoice.currency), kRight));
        if (row.taxAmount)
            bottom = std::max(bottom, w.AddText(block, columns.amountX, top, columns.amountWidth, Ink::Body,
                                                MoneyText(*row.taxAmount, c.invoice.currency), kRight));
        std::u16string reason = row.exemptionReason;
        if (!row.exemptionCode.empty())
            reason += (reason.empty() ? u"" : u" ") + (u"(" + row.exemptionCode + u')');
        if (!reason.empty())
            bottom =
                w.AddValue(block, c.left + w.Mm(3), bottom, columns.amountX + columns.amountWidth - c.left - w.Mm(3),
                           Ink::Label, u"Befreiungsgrund: " + reason, u"BT-120, BT-121");
        dy = bottom;
    }
    block.height = dy + w.Mm(4);
    return block;
}

Block TotalsBlock(ReceivedBlockContext& c)
{
    ReceivedPageWriter& w = c.writer;
    const AmountColumns columns = AmountsAt(c);
    const ReceivedTotals& t = c.invoice.totals;
    Block block;
    const int32_t labelX = c.left + c.Width() / 3;
    int32_t dy = 0;
    block.rules.push_back({labelX, c.right, 0});
    dy += w.Mm(1.5);
    struct Row {
        std::u16string_view label;
        const std::optional<Micros>& value;
        std::u16string_view tag;
        bool strong;
    };
    const Row rows[] = {
        {u"Summe der Positionen netto", t.lineNetTotal, u"BT-106", false},
        {u"Summe der Nachlässe", t.allowanceTotal, u"BT-107", false},
        {u"Summe der Zuschläge", t.chargeTotal, u"BT-108", false},
        {u"Gesamtbetrag ohne Umsatzsteuer", t.netTotal, u"BT-109", false},
        {u"Umsatzsteuer", t.vatTotal, u"BT-110", false},
        {u"Gesamtbetrag mit Umsatzsteuer", t.grossTotal, u"BT-112", true},
        {u"Bereits gezahlt", t.paidAmount, u"BT-113", false},
        {u"Rundungsbetrag", t.roundingAmount, u"BT-114", false},
        {u"Zahlbetrag", t.amountDue, u"BT-115", true},
    };
    for (const Row& row : rows) {
        if (!row.value)
            continue;
        const Ink ink = row.strong ? Ink::Section : Ink::Body;
        const int32_t top = dy;
        const int32_t labelBottom = w.AddText(block, labelX, top, columns.amountX - labelX - w.Mm(2), ink, row.label);
        const int32_t amountBottom = w.AddText(block, columns.amountX, top, columns.amountWidth, ink,
                                               MoneyText(*row.value, c.invoice.currency), kRight);
        w.AddText(block, columns.tagX, top + w.LineHeight(ink) - w.LineHeight(Ink::Tag), c.right - columns.tagX,
                  Ink::Tag, row.tag);
        dy = std::max(labelBottom, amountBottom) + w.Mm(0.5);
    }
    if (t.vatTotalAccounting && !c.invoice.vatCurrency.empty()) {
        const int32_t top = dy;
        const int32_t labelBottom = w.AddText(block, labelX, top, columns.amountX - labelX - w.Mm(2), Ink::Body,
                                              u"Umsatzsteuer in Buchungswährung");
        const int32_t amountBottom = w.AddText(block, columns.amountX, top, columns.amountWidth, Ink::Body,
                                               MoneyText(*t.vatTotalAccounting, c.invoice.vatCurrency), kRight);
        w.AddText(block, columns.tagX, top + w.LineHeight(Ink::Body) - w.LineHeight(Ink::Tag), c.right - columns.tagX,
                  Ink::Tag, u"BT-111");
        dy = std::max(labelBottom, amountBottom);
    }
    block.height = dy + w.Mm(5);
    return block;
}

Block PaymentBlock(ReceivedBlockContext& c)
{
    ReceivedPageWriter& w = c.writer;
    const ReceivedInvoice& inv = c.invoice;
    const ReceivedPayment& p = inv.payment;
    Block block;
    int32_t dy = Heading(c, block, u"Zahlung", u"BG-16");
    const int32_t labelWidth = w.Mm(38);
    auto field = [&](std::u16string_view label, const std::u16string& value, std::u16string_view tag) {
        dy = w.AddField(block, c.left, dy, labelWidth, c.Width(), label, value, tag);
    };
    std::u16string means;
    if (!p.meansCode.empty())
        means = PaymentMeansName(p.meansCode) + u" (" + p.meansCode + u')';
    if (!p.meansText.empty())
        means += (means.empty() ? u"" : u", ") + p.meansText;
    field(u"Zahlungsart", means, u"BT-81, BT-82");
    if (inv.totals.amountDue)
        field(u"Zahlbetrag", MoneyText(*inv.totals.amountDue, inv.currency), u"BT-115");
    for (const ReceivedAccount& account : p.accounts) {
        field(u"IBAN", IbanText(account.iban), u"BT-84");
        field(u"BIC", account.bic, u"BT-86");
        field(u"Kontoinhaber", account.name, u"BT-85");
    }
    field(u"Verwendungszweck", p.remittanceInformation, u"BT-83");
    field(u"Fälligkeitsdatum", inv.dueDate ? GermanDate(*inv.dueDate) : u"", u"BT-9");
    field(u"Zahlungsbedingungen", inv.paymentTerms, u"BT-20");
    field(u"Karte (letzte Ziffern)", p.cardNumber, u"BT-87");
    field(u"Karteninhaber", p.cardHolder, u"BT-88");
    field(u"Mandatsreferenz", p.mandateReference, u"BT-89");
    field(u"Gläubiger-ID", p.creditorId, u"BT-90");
    field(u"Belastetes Konto", IbanText(p.debitedAccount), u"BT-91");
    block.height = dy + w.Mm(4);
    return block;
}

std::vector<Block> NoteBlocks(ReceivedBlockContext& c)
{
    ReceivedPageWriter& w = c.writer;
    std::vector<Block> blocks;
    for (size_t i = 0; i < c.invoice.notes.size(); ++i) {
        const ReceivedNote& note = c.invoice.notes[i];
        Block block;
        int32_t dy = i == 0 ? Heading(c, block, u"Bemerkungen", u"BG-1") : 0;
        if (!note.subjectCode.empty())
            dy = w.AddValue(block, c.left, dy, c.Width(), Ink::Label, u"Betreff " + note.subjectCode, u"BT-21");
        dy = w.AddValue(block, c.left, dy, c.Width(), Ink::Body, note.text.empty() ? u"–" : note.text, u"BT-22");
        block.height = dy + w.Mm(2);
        blocks.push_back(std::move(block));
    }
    if (!blocks.empty())
        blocks.back().height += w.Mm(2);
    return blocks;
}

Block AttachmentsBlock(ReceivedBlockContext& c)
{
    ReceivedPageWriter& w = c.writer;
    Block block;
    int32_t dy = Heading(c, block, u"Anlagen", u"BG-24");
    for (const ReceivedAttachment& a : c.invoice.attachments) {
        std::u16string name = a.fileName.empty() ? a.id : a.fileName;
        if (!a.mimeCode.empty())
            name += u" (" + a.mimeCode + u')';
        if (!a.content.empty())
            name += u", " + Count(a.content.size()) + u" Bytes";
        dy = w.AddValue(block, c.left, dy, c.Width(), Ink::Body, name.empty() ? u"–" : name, u"BT-125");
        const int32_t indent = w.Mm(4);
        auto detail = [&](std::u16string_view label, const std::u16string& value, std::u16string_view tag) {
            if (!value.empty())
                dy = w.AddValue(block, c.left + indent, dy, c.Width() - indent, Ink::Label,
                                std::u16string(label) + value, tag);
        };
        detail(u"Beschreibung: ", a.description, u"BT-123");
        detail(u"Kennung: ", a.id, u"BT-122");
        detail(u"Externer Ort (nicht abgerufen): ", a.uri, u"BT-124");
        dy += w.Mm(1);
    }
    block.height = dy + w.Mm(2);
    return block;
}

}  // namespace

std::vector<Block> ReceivedSummaryBlocks(ReceivedBlockContext& c)
{
    std::vector<Block> blocks;
    if (!c.invoice.lines.empty()) {
        // The rule that closes the table of lines.
        Block end;
        end.rules.push_back({c.left, c.right, 0});
        end.height = c.writer.Mm(3);
        blocks.push_back(std::move(end));
    }
    if (!c.invoice.allowancesCharges.empty())
        blocks.push_back(AllowancesBlock(c));
    blocks.push_back(TotalsBlock(c));
    if (!c.invoice.vatBreakdown.empty())
        blocks.push_back(VatBlock(c));
    blocks.push_back(PaymentBlock(c));
    for (Block& note : NoteBlocks(c))
        blocks.push_back(std::move(note));
    if (!c.invoice.attachments.empty())
        blocks.push_back(AttachmentsBlock(c));
    return blocks;
}
