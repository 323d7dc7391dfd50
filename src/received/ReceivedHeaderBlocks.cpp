#include "received/ReceivedHeaderBlocks.h"

#include "received/ReceivedCodeNames.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// The business terms of one kind of party, in the order of ReceivedParty's fields.
struct PartyTerms {
    std::u16string_view caption, group, name, trading, ids, legal, vat, taxNumber, legalInfo, electronic;
    std::u16string_view line1, line2, line3, city, postcode, subdivision, country;
    std::u16string_view contact, telephone, email;
};

constexpr PartyTerms kSeller = {u"Verkäufer", u"BG-4",  u"BT-27", u"BT-28", u"BT-29", u"BT-30",  u"BT-31",
                                u"BT-32",     u"BT-33", u"BT-34", u"BT-35", u"BT-36", u"BT-162", u"BT-37",
                                u"BT-38",     u"BT-39", u"BT-40", u"BT-41", u"BT-42", u"BT-43"};
constexpr PartyTerms kBuyer = {u"Käufer", u"BG-7",  u"BT-44", u"BT-45", u"BT-46", u"BT-47",  u"BT-48",
                               u"",       u"",      u"BT-49", u"BT-50", u"BT-51", u"BT-163", u"BT-52",
                               u"BT-53",  u"BT-54", u"BT-55", u"BT-56", u"BT-57", u"BT-58"};
constexpr PartyTerms kPayee = {u"Zahlungsempfänger",
                               u"BG-10",
                               u"BT-59",
                               u"",
                               u"BT-60",
                               u"BT-61",
                               u"",
                               u"",
                               u"",
                               u"",
                               u"",
                               u"",
                               u"",
                               u"",
                               u"",
                               u"",
                               u"",
                               u"",
                               u"",
                               u""};
constexpr PartyTerms kTaxRepresentative = {u"Steuervertreter des Verkäufers",
                                           u"BG-11",
                                           u"BT-62",
                                           u"",
                                           u"",
                                           u"",
                                           u"BT-63",
                                           u"",
                                           u"",
                                           u"",
                                           u"BT-64",
                                           u"BT-65",
                                           u"BT-164",
                                           u"BT-66",
                                           u"BT-67",
                                           u"BT-68",
                                           u"BT-69",
                                           u"",
                                           u"",
                                           u""};

std::u16string Joined(std::u16string_view a, std::u16string_view separator, std::u16string_view b)
{
    if (a.empty())
        return std::u16string(b);
    if (b.empty())
        return std::u16string(a);
    std::u16string text(a);
    text += separator;
    text += b;
    return text;
}

std::u16string WithScheme(const ReceivedId& id)
{
    // A scheme without an identifier says nothing.
    return id.scheme.empty() || id.value.empty() ? id.value : id.value + u" (" + id.scheme + u')';
}

std::u16string Period(const std::optional<ReceivedDate>& start, const std::optional<ReceivedDate>& end)
{
    if (!start && !end)
        return {};
    return (start ? GermanDate(*start) : std::u16string()) + u" – " + (end ? GermanDate(*end) : std::u16string());
}

int32_t AddAddress(ReceivedPageWriter& w, Block& block, int32_t x, int32_t dy, int32_t width,
                   const ReceivedAddress& address, const PartyTerms& terms)
{
    dy = w.AddValue(block, x, dy, width, Ink::Body, address.line1, terms.line1);
    dy = w.AddValue(block, x, dy, width, Ink::Body, address.line2, terms.line2);
    dy = w.AddValue(block, x, dy, width, Ink::Body, address.line3, terms.line3);
    const std::u16string postcodeTag =
        address.postcode.empty() ? std::u16string(terms.city) : Joined(terms.postcode, u", ", terms.city);
    dy = w.AddValue(block, x, dy, width, Ink::Body, Joined(address.postcode, u" ", address.city),
                    address.city.empty() ? std::u16string(terms.postcode) : postcodeTag);
    dy = w.AddValue(block, x, dy, width, Ink::Body, address.subdivision, terms.subdivision);
    dy = w.AddValue(block, x, dy, width, Ink::Body, address.country, terms.country);
    return dy;
}

int32_t AddParty(ReceivedPageWriter& w, Block& block, int32_t x, int32_t dy, int32_t width, const ReceivedParty& party,
                 const PartyTerms& terms)
{
    dy = w.AddValue(block, x, dy, width, Ink::Section, terms.caption, terms.group);
    dy = w.AddValue(block, x, dy, width, Ink::Bold, party.name, terms.name);
    dy = w.AddValue(block, x, dy, width, Ink::Body, party.tradingName, terms.trading);
    dy = AddAddress(w, block, x, dy, width, party.address, terms);
    auto labelled = [&](std::u16string_view label, const std::u16string& value, std::u16string_view tag) {
        if (!value.empty())
            dy = w.AddValue(block, x, dy, width, Ink::Body, std::u16string(label) + value, tag);
    };
    labelled(u"USt-IdNr.: ", party.vatId, terms.vat);
    labelled(u"Steuernummer: ", party.taxNumber, terms.taxNumber);
    labelled(u"Registernummer: ", WithScheme(party.legalId), terms.legal);
    for (const ReceivedId& id : party.ids)
        labelled(u"Kennung: ", WithScheme(id), terms.ids);
    labelled(u"Elektronische Adresse: ", WithScheme(party.electronicAddress), terms.electronic);
    labelled(u"Rechtliche Angaben: ", party.legalInfo, terms.legalInfo);
    labelled(u"Kontakt: ", party.contact.name, terms.contact);
    labelled(u"Telefon: ", party.contact.telephone, terms.telephone);
    labelled(u"E-Mail: ", party.contact.email, terms.email);
    return dy;
}

Block CheckBlock(ReceivedBlockContext& c)
{
    ReceivedPageWriter& w = c.writer;
    Block block;
    block.boxed = true;
    const int32_t pad = w.Mm(2);
    const int32_t width = c.Width() - 2 * pad;
    int32_t dy = w.AddText(block, c.left + pad, pad, width,
                           c.check.SumsAgree() && c.check.missing == 0 ? Ink::Good : Ink::Bad, c.check.Heading());
    const size_t shown = std::min(c.check.problems.size(), kCheckLinesShown);
    const int32_t indent = w.Mm(3);
    for (size_t i = 0; i < shown; ++i) {
        w.AddText(block, c.left + pad, dy, indent, Ink::Body, u"•");
        dy = w.AddText(block, c.left + pad + indent, dy, width - indent, Ink::Body, c.check.problems[i]);
    }
    if (shown < c.check.problems.size()) {
        const std::string more = std::to_string(c.check.problems.size() - shown);
        dy = w.AddText(block, c.left + pad + indent, dy, width - indent, Ink::Body,
                       u"… und " + std::u16string(more.begin(), more.end()) + u" weitere.");
    }
    block.height = dy + pad;
    block.frameBottom = block.height;
    return block;
}

// The title and the dates and references in two columns.
Block TitleBlock(ReceivedBlockContext& c)
{
    ReceivedPageWriter& w = c.writer;
    const ReceivedInvoice& inv = c.invoice;
    Block block;
    std::u16string type = inv.typeCode.empty()               ? std::u16string(u"Rechnung")
                          : IsKnownInvoiceType(inv.typeCode) ? InvoiceTypeName(inv.typeCode)
                                                             : u"Beleg der Art " + inv.typeCode;
    const std::u16string title = inv.number.empty() ? type : type + u" Nr. " + inv.number;
    int32_t dy = w.AddValue(block, c.left, 0, c.Width(), Ink::Title, title, u"BT-3, BT-1");
    dy += w.Mm(2);

    const int32_t gap = w.Mm(4);
    const int32_t columnWidth = (c.Width() - gap) / 2;
    const int32_t labelWidth = w.Mm(30);
    int32_t left = dy;
    auto leftField = [&](std::u16string_view label, const std::u16string& value, std::u16string_view tag) {
        left = w.AddField(block, c.left, left, labelWidth, columnWidth, label, value, tag);
    };
    auto date = [](const std::optional<ReceivedDate>& d) { return d ? GermanDate(*d) : std::u16string(); };
    leftField(u"Rechnungsdatum", date(inv.issueDate), u"BT-2");
    leftField(u"Leistungsdatum", date(inv.deliveryDate), u"BT-72");
    leftField(u"Leistungszeitraum", Period(inv.periodStart, inv.periodEnd), u"BT-73, BT-74");
    leftField(u"Fälligkeitsdatum", date(inv.dueDate), u"BT-9");
    leftField(u"Steuerlich maßgebliches Datum", date(inv.taxPointDate), u"BT-7");
    leftField(u"Code des Steuerdatums", inv.taxPointDateCode, u"BT-8");
    leftField(u"Währung", inv.currency, u"BT-5");
    leftField(u"Währung der Umsatzsteuer", inv.vatCurrency, u"BT-6");

    int32_t right = dy;
    const int32_t rightX = c.left + columnWidth + gap;
    auto rightField = [&](std::u16string_view label, const std::u16string& value, std::u16string_view tag) {
        right = w.AddField(block, rightX, right, labelWidth, columnWidth, label, value, tag);
    };
    rightField(u"Käuferreferenz (Leitweg-ID)", inv.buyerReference, u"BT-10");
    rightField(u"Bestellnummer", inv.orderReference, u"BT-13");
    rightField(u"Auftragsnummer", inv.salesOrderReference, u"BT-14");
    rightField(u"Vertragsnummer", inv.contractReference, u"BT-12");
    rightField(u"Projektnummer", inv.projectReference, u"BT-11");
    for (const ReceivedPrecedingInvoice& preceding : inv.precedingInvoices) {
        const std::u16string text =
            preceding.date ? preceding.number + u" vom " + GermanDate(*preceding.date) : preceding.number;
        rightField(u"Vorausgegangene Rechnung", text, u"BT-25, BT-26");
    }
    rightField(u"Wareneingangsmeldung", inv.receivingAdviceReference, u"BT-15");
    rightField(u"Lieferavis", inv.despatchAdviceReference, u"BT-16");
    rightField(u"Vergabe oder Los", inv.tenderReference, u"BT-17");
    rightField(u"Objektkennung", WithScheme(inv.invoicedObjectId), u"BT-18");
    rightField(u"Buchungsreferenz", inv.buyerAccountingReference, u"BT-19");
    rightField(u"Prozess", inv.processId, u"BT-23");
    rightField(u"Spezifikation", inv.customizationId, u"BT-24");
    block.height = std::max(left, right);
    return block;
}

// Two parties side by side.
Block PartiesBlock(ReceivedBlockContext& c, const std::vector<std::pair<const ReceivedParty*, const PartyTerms*>>& pair)
{
    ReceivedPageWriter& w = c.writer;
    Block block;
    const int32_t gap = w.Mm(4);
    const int32_t columnWidth = (c.Width() - gap) / 2;
    for (size_t i = 0; i < pair.size(); ++i)
        AddParty(w, block, c.left + int32_t(i) * (columnWidth + gap), 0, columnWidth, *pair[i].first, *pair[i].second);
    return block;
}

Block DeliveryBlock(ReceivedBlockContext& c)
{
    ReceivedPageWriter& w = c.writer;
    const ReceivedInvoice& inv = c.invoice;
    Block block;
    const int32_t width = (c.Width() - w.Mm(4)) / 2;
    static constexpr PartyTerms kDelivery = {
        u"Lieferung an", u"BG-13", u"BT-70",  u"",      u"",      u"",      u"",      u"", u"", u"",
        u"BT-75",        u"BT-76", u"BT-165", u"BT-77", u"BT-78", u"BT-79", u"BT-80", u"", u"", u""};
    int32_t dy = w.AddValue(block, c.left, 0, width, Ink::Section, kDelivery.caption, kDelivery.group);
    dy = w.AddValue(block, c.left, dy, width, Ink::Bold, inv.deliverToName, kDelivery.name);
    if (!inv.deliverToLocationId.value.empty())
        dy = w.AddValue(block, c.left, dy, width, Ink::Body, u"Ort: " + WithScheme(inv.deliverToLocationId), u"BT-71");
    if (inv.deliverToAddress)
        AddAddress(w, block, c.left, dy, width, *inv.deliverToAddress, kDelivery);
    return block;
}

void Space(Block& block, int32_t below)
{
    block.height += below;
}

}  // namespace

std::vector<Block> ReceivedHeaderBlocks(ReceivedBlockContext& c)
{
    ReceivedPageWriter& w = c.writer;
    const int32_t gap = w.Mm(5);
    std::vector<Block> blocks;
    blocks.push_back(CheckBlock(c));
    Space(blocks.back(), gap);
    blocks.push_back(PartiesBlock(c, {{&c.invoice.seller, &kSeller}, {&c.invoice.buyer, &kBuyer}}));
    Space(blocks.back(), gap);
    std::vector<std::pair<const ReceivedParty*, const PartyTerms*>> others;
    if (c.invoice.payee)
        others.emplace_back(&*c.invoice.payee, &kPayee);
    if (c.invoice.taxRepresentative)
        others.emplace_back(&*c.invoice.taxRepresentative, &kTaxRepresentative);
    if (!others.empty()) {
        blocks.push_back(PartiesBlock(c, others));
        Space(blocks.back(), gap);
    }
    if (!c.invoice.deliverToName.empty() || c.invoice.deliverToAddress ||
        !c.invoice.deliverToLocationId.value.empty()) {
        blocks.push_back(DeliveryBlock(c));
        Space(blocks.back(), gap);
    }
    blocks.push_back(TitleBlock(c));
    Space(blocks.back(), gap);
    return blocks;
}
