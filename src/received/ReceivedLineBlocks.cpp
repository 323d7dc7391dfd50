#include "received/ReceivedLineBlocks.h"

#include "received/ReceivedCodeNames.h"

#include <algorithm>

namespace {

// The widths of the narrow columns in millimetres; the item's column takes the rest.
constexpr double kPosMm = 9;
constexpr double kQuantityMm = 17;
constexpr double kUnitMm = 18;
constexpr double kPriceMm = 21;
constexpr double kRateMm = 11;
constexpr double kAmountMm = 23;

std::u16string WithScheme(const ReceivedId& id)
{
    // A scheme without an identifier says nothing.
    return id.scheme.empty() || id.value.empty() ? id.value : id.value + u" (" + id.scheme + u')';
}

}  // namespace

ReceivedLineBlocks::ReceivedLineBlocks(ReceivedBlockContext& context) : context_(context)
{
    ReceivedPageWriter& w = context_.writer;
    pad_ = w.Mm(1.5);
    width_[Pos] = w.Mm(kPosMm);
    width_[Quantity] = w.Mm(kQuantityMm);
    width_[Unit] = w.Mm(kUnitMm);
    width_[Price] = w.Mm(kPriceMm);
    width_[Rate] = w.Mm(kRateMm);
    width_[Amount] = w.Mm(kAmountMm);
    int32_t fixed = 0;
    for (size_t i = 0; i < ColumnCount; ++i)
        fixed += i == Item ? 0 : width_[i];
    width_[Item] = std::max<int32_t>(context_.Width() - fixed - int32_t(ColumnCount - 1) * pad_, w.Mm(20));
    int32_t x = context_.left;
    for (size_t i = 0; i < ColumnCount; ++i) {
        x_[i] = x;
        x += width_[i] + pad_;
    }
}

Block ReceivedLineBlocks::Head()
{
    ReceivedPageWriter& w = context_.writer;
    const std::u16string sign = context_.CurrencySign();
    struct HeadText {
        std::u16string text;
        std::u16string_view tag;
        bool right;
    };
    const HeadText heads[ColumnCount] = {
        {u"Pos.", u"BT-126", false},
        {u"Bezeichnung", u"BT-153, BT-154", false},
        {u"Menge", u"BT-129", true},
        {u"Einheit", u"BT-130", false},
        {u"Einzelpreis netto " + sign, u"BT-146", true},
        {u"USt %", u"BT-152", true},
        {u"Betrag netto " + sign, u"BT-131", true},
    };
    Block block;
    const auto align = [](bool right) {
        return right ? ReceivedPageWriter::Align::Right : ReceivedPageWriter::Align::Left;
    };
    int32_t bottom = 0;
    for (size_t i = 0; i < ColumnCount; ++i) {
        const int32_t dy = w.AddText(block, x_[i], 0, width_[i], Ink::Bold, heads[i].text, align(heads[i].right));
        bottom =
            std::max(bottom, w.AddText(block, x_[i], dy, width_[i], Ink::Tag, heads[i].tag, align(heads[i].right)));
    }
    bottom += w.Mm(0.8);
    block.rules.push_back({context_.left, context_.right, bottom});
    block.height = bottom + w.Mm(1.2);
    return block;
}

int32_t ReceivedLineBlocks::AddDetails(Block& block, const ReceivedLine& line, int32_t dy)
{
    ReceivedPageWriter& w = context_.writer;
    const int32_t x = x_[Item];
    const int32_t width = width_[Item];
    auto detail = [&](std::u16string_view label, const std::u16string& value, std::u16string_view tag) {
        if (!value.empty())
            dy = w.AddValue(block, x, dy, width, Ink::Label, std::u16string(label) + value, tag);
    };
    detail(u"Hinweis: ", line.note, u"BT-127");
    if (line.periodStart || line.periodEnd)
        detail(u"Zeitraum: ",
               (line.periodStart ? GermanDate(*line.periodStart) : u"") + u" – " +
                   (line.periodEnd ? GermanDate(*line.periodEnd) : u""),
               u"BT-134, BT-135");
    detail(u"Artikelnummer: ", line.sellerItemId, u"BT-155");
    detail(u"Artikelnummer des Käufers: ", line.buyerItemId, u"BT-156");
    detail(u"Kennung: ", WithScheme(line.standardItemId), u"BT-157");
    for (const ReceivedId& classification : line.classifications)
        detail(u"Klassifikation: ", WithScheme(classification), u"BT-158");
    detail(u"Herkunftsland: ", line.originCountry, u"BT-159");
    for (const ReceivedItemAttribute& attribute : line.attributes)
        detail(attribute.name + u": ", attribute.value.empty() ? u"–" : attribute.value, u"BT-160, BT-161");
    const std::u16string sign = context_.CurrencySign();
    if (line.baseQuantity && *line.baseQuantity != 1'000'000)
        detail(u"Preis je ",
               GermanDecimal(*line.baseQuantity, 0) + u' ' +
                   UnitName(line.baseQuantityUnit.empty() ? line.unitCode : line.baseQuantityUnit),
               u"BT-149, BT-150");
    if (line.grossPrice)
        detail(u"Bruttopreis: ", GermanDecimal(*line.grossPrice, 2) + u' ' + sign, u"BT-148");
    if (line.priceDiscount)
        detail(u"Preisnachlass: ", GermanDecimal(*line.priceDiscount, 2) + u' ' + sign, u"BT-147");
    if (line.vatCategory != u"S")
        detail(u"Umsatzsteuer: ",
               line.vatCategory.empty() ? u"ohne Kategorie"
                                        : line.vatCategory + u" – " + VatCategoryName(line.vatCategory),
               u"BT-151");
    for (const ReceivedAllowanceCharge& ac : line.allowancesCharges) {
        std::u16string text = ac.reason;
        if (!ac.reasonCode.empty())
            text = text.empty() ? u"Code " + ac.reasonCode : text + u" (Code " + ac.reasonCode + u')';
        if (ac.percentage) {
            text += (text.empty() ? u"" : u", ") + PercentText(*ac.percentage);
            if (ac.baseAmount)
                text += u" von " + MoneyText(*ac.baseAmount, context_.invoice.currency);
        }
        text += (text.empty() ? u"" : u": ") + (ac.amount ? MoneyText(*ac.amount, context_.invoice.currency) : u"–");
        detail(ac.charge ? u"Zuschlag: " : u"Nachlass: ", text, ac.charge ? u"BT-141, BT-144" : u"BT-136, BT-139");
    }
    detail(u"Bestellposition: ", line.orderLineReference, u"BT-132");
    detail(u"Buchungsreferenz: ", line.accountingReference, u"BT-133");
    detail(u"Objektkennung: ", WithScheme(line.objectId), u"BT-128");
    return dy;
}

Block ReceivedLineBlocks::Row(size_t index)
{
    ReceivedPageWriter& w = context_.writer;
    const ReceivedLine& line = context_.invoice.lines[index];
    constexpr auto right = ReceivedPageWriter::Align::Right;
    Block block;
    int32_t bottom = w.AddText(block, x_[Pos], 0, width_[Pos], Ink::Body, line.id);
    int32_t dy = w.AddText(block, x_[Item], 0, width_[Item], Ink::Bold, line.itemName);
    dy = w.AddText(block, x_[Item], dy, width_[Item], Ink::Body, line.itemDescription);
    bottom = std::max(bottom, AddDetails(block, line, dy));
    if (line.quantity)
        bottom = std::max(bottom, w.AddText(block, x_[Quantity], 0, width_[Quantity], Ink::Body,
                                            GermanDecimal(*line.quantity, 0), right));
    bottom = std::max(bottom, w.AddText(block, x_[Unit], 0, width_[Unit], Ink::Body, UnitName(line.unitCode)));
    if (line.netPrice)
        bottom = std::max(
            bottom, w.AddText(block, x_[Price], 0, width_[Price], Ink::Body, GermanDecimal(*line.netPrice, 2), right));
    if (line.vatRate)
        bottom = std::max(
            bottom, w.AddText(block, x_[Rate], 0, width_[Rate], Ink::Body, GermanDecimal(*line.vatRate, 0), right));
    if (line.netAmount)
        bottom = std::max(
            bottom, w.AddText(block, x_[Amount], 0, width_[Amount], Ink::Body, GermanAmount(*line.netAmount), right));
    block.height = bottom + w.Mm(1.5);
    return block;
}
