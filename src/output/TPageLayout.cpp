#include "output/TPageLayout.h"

#include "invoices/CurrencyCode.h"
#include "invoices/DateTime.h"
#include "invoices/InvoiceTotals.h"
#include "invoices/Numbering.h"
#include "invoices/SellerNames.h"
#include "invoices/SettingRange.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "invoices/TextRules.h"
#include "messages/HybridPageMessages.h"
#include "messages/MessageCatalog.h"
#include "messages/OutputMessages.h"
#include "output/AmountText.h"
#include "output/CharWrap.h"
#include "output/GiroCodeMatrix.h"
#include "output/GiroCodePayload.h"
#include "output/HybridPageFacts.h"
#include "output/TInvoiceLogo.h"
#include "output/TOutputCanvas.h"
#include "output/TPositionsTable.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>

namespace {

const TRechnungRec& Current(TRechnungBook& book, uint32_t index)
{
    // The run reads the invoice through the book's cursor, as every operation on it does.
    book.rechs.GetObject(index);
    return *book.arech;
}

std::u16string Text(const char16_t* field)
{
    return std::u16string(TextOf(field));
}

// The GiroCode of the page: on invoices, pro forma invoices and reminders, when the setting
// asks for it, an IBAN is given and the amount due is above zero (and within what a
// transfer can carry). The amount is the page's "Gesamtbetrag": the e-invoice's amount due
// on a hybrid page, otherwise the grand total in the cents the page prints.
std::optional<GiroCodeMatrix> PageGiroCode(const TPageLayout& l, const std::u16string& title)
{
    // A transfer the code asks for is in euros: an invoice in another currency gets none.
    if (!l.settings.GiroCodeCheck || !l.kindRow.giroCode || CurrencyCode(l.settings.WaehrEd) != u"EUR")
        return std::nullopt;
    GiroCodeFields fields;
    fields.iban = Compact(l.settings.IbanEd);
    if (fields.iban.empty())
        return std::nullopt;
    const std::optional<int64_t> cents =
        l.facts ? std::optional<int64_t>(l.facts->amountDue) : AmountCents(InvoiceTotals::Of(l.rechnung).gross);
    if (!cents || *cents <= 0 || *cents > kGiroCodeMaxCents)
        return std::nullopt;
    fields.cents = *cents;
    fields.bic = Compact(l.settings.BicEd);
    fields.holder = AccountHolder(l.settings);
    fields.remittance = title;
    const std::string payload = GiroCodePayload(fields);
    if (payload.size() > kGiroCodeMaxBytes)
        return std::nullopt;  // an IBAN or BIC field far too long for any account
    return GiroCodeMatrix::Encode(payload);
}

std::u16string Decimal(int32_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}

TPageLayout::TPageLayout(TOutputCanvas& target, TRechnungBook& invoiceBook, uint32_t index, int32_t documentKind,
                         const TLayoutFormat& layoutFormat, const HybridPageFacts* hybridFacts)
    : canvas(target),
      book(invoiceBook),
      settings(invoiceBook.settings),
      rechnung(Current(invoiceBook, index)),
      kind(documentKind),
      kindRow(DocumentKind::Of(documentKind)),
      format(layoutFormat),
      facts(hybridFacts)
{
}

int32_t TPageLayout::LineHeight()
{
    return canvas.TextHeight(u" ");
}

bool TPageLayout::BreakWanted(int64_t y) const
{
    return canvas.Target().pageBreaks && y > limit && int64_t(ay) + 2 * int64_t(hs) <= limit;
}

void TPageLayout::Rule(int32_t x1, int32_t x2, int32_t y)
{
    canvas.MoveTo(x1, y);
    canvas.LineTo(x2, y);
}

void TPageLayout::TextRight(int32_t r, int32_t y, std::u16string_view text)
{
    canvas.TextOut(r - canvas.TextWidth(text), y, text);
}

void TPageLayout::Run()
{
    const TOutputTarget& target = canvas.Target();
    const TInvoiceLogo logo(settings.FilenameEdit1);
    logo_ = &logo;
    page = 1;
    // The settings as their fields show them: a value stored outside a field's range is
    // taken to that range here.
    rx = target.Dev(SettingRanges::RandXED.ClampWhole(settings.RandXED));
    ry = target.Dev(SettingRanges::RandYEd.ClampWhole(settings.RandYEd));
    ay = target.Dev(SettingRanges::AnschriftYED.ClampWhole(settings.AnschriftYED));
    ax = target.Dev(SettingRanges::AdrXEd.ClampWhole(settings.AdrXEd));
    lw = target.Dev(SettingRanges::LineSTEd.Clamp(settings.LineSTEd));
    pw = target.pw;
    ph = target.ph;
    limit = std::numeric_limits<int32_t>::max();

    Header();
    hs = 0;
    if (!settings.OwnBirefpapierCheck)
        hs = SenderLine();

    canvas.SelectFont(settings.FontDialog1);
    const bool deliveryEmpty = DeliveryEmpty();
    const int32_t addressBottom = Address(ay + 2 * hs, kindRow.deliveryAsMain && !deliveryEmpty);

    int32_t y = std::max(CompanyBlock(), addressBottom);
    y += 3 * LineHeight();  // in the company block's font

    // Place and date; the title stands on the same line.
    canvas.TextOut(ax, y, settings.OrtED2 + u", " + ShortDateText(rechnung.datum, format.shortDate));
    canvas.SelectFont(settings.FontDialog4);
    std::u16string title = MessageText(kindRow.titleMessage);
    if (settings.RegNrMode != TRegNrMode::NoRegNr)
        title += u" " + DocumentNumber(settings, rechnung);
    canvas.TextOut(rx, y, title);
    title_ = title;
    y += canvas.TextHeight(title);
    y += LineHeight();

    canvas.SelectFont(settings.FontDialog1);
    bool references = false;
    const auto reference = [&](const std::u16string& line) {
        canvas.TextOut(rx, y, line);
        y += canvas.TextHeight(line);
        references = true;
    };
    // A hybrid e-invoice names the date or period of the supply first.
    if (facts && !facts->supplyLine.empty())
        reference(facts->supplyLine);
    if (!TextOf(rechnung.ihrebestellung).empty())
        reference(MessageText(152) + u" " + Text(rechnung.ihrebestellung));
    if (!TextOf(rechnung.bestelldatum).empty())
        reference(MessageText(153) + u" " + Text(rechnung.bestelldatum));
    if (facts) {
        // On the own letterhead there is no company block to carry the seller's number.
        if (settings.OwnBirefpapierCheck && !facts->sellerVatId.empty())
            reference(facts->sellerVatId);
        if (!facts->buyerVatId.empty())
            reference(facts->buyerVatId);
    }
    if (references)
        y += LineHeight();

    if (kindRow.deliveryBlock && !deliveryEmpty) {
        const std::u16string heading = MessageText(151);
        canvas.TextOut(rx, y, heading);
        y += canvas.TextHeight(heading);
        y = Address(y, true);
        y += LineHeight();
    }

    if (target.pageBreaks) {
        canvas.SelectFont(settings.FontDialog7);
        limit = ph - ry - canvas.TextHeight(settings.FussEd) - canvas.TextHeight(settings.FussEd2) -
                canvas.TextHeight(settings.FussEd3) - 5 * LineHeight();
    }

    TPositionsTable table(*this);
    y = table.Draw(y);
    if (facts)
        y = BelowTotals(y);

    ClosingText(y);
    Footer(target.pageBreaks);
    logo_ = nullptr;
}

void TPageLayout::Header()
{
    const TOutputTarget& target = canvas.Target();
    if (logo_ && logo_->Loaded() && logo_->Width() > 0) {
        const int32_t w = target.Dev(SettingRanges::BreitEd.Clamp(settings.BreitEd));
        const int64_t h = int64_t(w) * logo_->Height() / logo_->Width();
        canvas.DrawLogo(logo_->Image(), target.Dev(SettingRanges::LogoXEd.Clamp(settings.LogoXEd)),
                        target.Dev(SettingRanges::LogoYEd.Clamp(settings.LogoYEd)), w,
                        static_cast<int32_t>(std::clamp<int64_t>(h, std::numeric_limits<int32_t>::min(),
                                                                 std::numeric_limits<int32_t>::max())));
    }
    canvas.SelectFont(settings.FontDialog2);
    canvas.TextOut(rx, ry, settings.KopfEd);
    const int32_t hk = canvas.TextHeight(settings.KopfEd);
    canvas.SetPen(lw);
    if (settings.underlinekopfusscheck) {
        const int32_t yk = target.headerRule == TOutputTarget::Rules::Offset ? ry + hk + lw + 1 : ry + hk;
        Rule(rx, pw - rx, yk);
    }
}

void TPageLayout::Footer(bool withPageNumber)
{
    canvas.SelectFont(settings.FontDialog7);
    canvas.SetPen(lw);
    const int32_t h2 = canvas.TextHeight(settings.FussEd2);
    const int32_t h3 = canvas.TextHeight(settings.FussEd3);
    const auto centred = [&](std::u16string_view text) { return rx + (pw - 2 * rx - canvas.TextWidth(text)) / 2; };
    const auto footerX = [&](std::u16string_view text) { return settings.FootCentCheck ? centred(text) : rx; };

    if (withPageNumber) {
        const std::u16string number = u"- " + Decimal(page) + u" -";
        const int32_t y = ph - ry - canvas.TextHeight(number) - h2 - h3 - 2 * LineHeight() - lw - 1;
        canvas.TextOut(centred(number), y, number);
    }
    const int32_t y1 = ph - ry - canvas.TextHeight(settings.FussEd) - h2 - h3;
    canvas.TextOut(footerX(settings.FussEd), y1, settings.FussEd);
    if (settings.underlinekopfusscheck)
        Rule(rx, pw - rx, y1 - lw - 1);
    canvas.TextOut(footerX(settings.FussEd2), ph - ry - h2 - h3, settings.FussEd2);
    canvas.TextOut(footerX(settings.FussEd3), ph - ry - h3, settings.FussEd3);
}

int32_t TPageLayout::PageBreak(const TFontSetting& resumeFont)
{
    Footer(true);
    canvas.NewPage();
    ++page;
    Header();
    canvas.SelectFont(resumeFont);
    return ay + 2 * hs;
}

int32_t TPageLayout::SenderLine()
{
    canvas.SelectFont(settings.FontDialog3);
    std::u16string text = settings.FirmaED2 + u", ";
    if (!settings.ZusatzEd2.empty())
        text += settings.ZusatzEd2 + u", ";
    text += settings.StrasseEd2 + u", " + settings.PLZED2 + u" " + settings.OrtED2;
    canvas.TextOut(rx, ay, text);
    const int32_t height = canvas.TextHeight(text);
    const int32_t width = canvas.TextWidth(text);
    canvas.SetPen(lw);
    const int32_t ys = canvas.Target().senderRule == TOutputTarget::Rules::Offset ? ay + height + lw + 1 : ay + height;
    Rule(rx, rx + width, ys);
    return height;
}

int32_t TPageLayout::Address(int32_t y, bool delivery)
{
    const TRechnungRec& r = rechnung;
    const auto field = [&](char16_t* TRechnungRec::*billing, char16_t* TRechnungRec::*shipping) {
        return Text(r.*(delivery ? shipping : billing));
    };
    const auto line = [&](const std::u16string& text) {
        canvas.TextOut(rx, y, text);
        y += canvas.TextHeight(text);
    };
    line(field(&TRechnungRec::anrede, &TRechnungRec::lanrede));
    line(field(&TRechnungRec::firma, &TRechnungRec::lfirma));
    const std::u16string name = field(&TRechnungRec::vorname, &TRechnungRec::lvorname) + u" " +
                                field(&TRechnungRec::name, &TRechnungRec::lname);
    if (name != u" ")
        line(name);
    line(field(&TRechnungRec::zusatz, &TRechnungRec::lzusatz));
    line(field(&TRechnungRec::strasse, &TRechnungRec::lstrasse));
    if (settings.insertspaceline)
        y += LineHeight();
    const std::u16string land = field(&TRechnungRec::land, &TRechnungRec::lland);
    const std::u16string city = (settings.BindestrichCheck ? land + u"-" : land) +
                                field(&TRechnungRec::plz, &TRechnungRec::lplz) + u" " +
                                field(&TRechnungRec::ort, &TRechnungRec::lort);
    if (city != u" ")
        line(city);
    return y;
}

int32_t TPageLayout::CompanyBlock()
{
    canvas.SelectFont(settings.FontDialog8);
    int32_t y = ay;
    if (settings.OwnBirefpapierCheck)
        return y;
    const auto line = [&](const std::u16string& text) {
        canvas.TextOut(ax, y, text);
        y += canvas.TextHeight(text);
    };
    if (!settings.DonotShowAdressCheck) {
        if (settings.FirmaRechtsCheck) {
            line(settings.FirmaED2);
            if (!settings.ZusatzEd2.empty())
                line(settings.ZusatzEd2);
        }
        line(settings.StrasseEd2);
        const std::u16string city = settings.PLZED2 + u" " + settings.OrtED2;
        if (city != u" ")
            line(city);
        y += LineHeight();
    }
    const struct {
        int32_t message;
        const std::u16string& value;
    } contacts[] = {{136, settings.TelEd2},
                    {137, settings.FaxEd2},
                    {138, settings.SteuerED2},
                    {139, settings.eMailED2},
                    {140, settings.HomepageEd2}};
    for (const auto& contact : contacts) {
        if (!contact.value.empty())
            line(MessageText(contact.message) + u" " + contact.value);
        // The VAT number of a hybrid e-invoice follows the tax number.
        if (contact.message == 138 && facts && !facts->sellerVatId.empty())
            line(facts->sellerVatId);
    }
    return y;
}

int32_t TPageLayout::BelowTotals(int32_t y)
{
    canvas.SelectFont(settings.FontDialog6);
    if (facts->dueLine.empty() && facts->exemptionLines.empty())
        return y;
    y += LineHeight();
    if (!facts->dueLine.empty())
        y = TextBlock(y, facts->dueLine, true);
    for (const std::u16string& reason : facts->exemptionLines)
        y = TextBlock(y, reason, true);
    return y;
}

void TPageLayout::ClosingText(int32_t y)
{
    canvas.SelectFont(settings.FontDialog6);
    y += 2 * LineHeight();
    const int32_t reserve = GiroCodeBeside(y);
    TextBlock(y, TextOf(rechnung.rechtext), false, reserve);
}

int32_t TPageLayout::GiroCodeBeside(int32_t& y)
{
    const std::optional<GiroCodeMatrix> code = PageGiroCode(*this, title_);
    if (!code)
        return 0;
    const TOutputTarget& target = canvas.Target();
    // 30 mm with the quiet zone of four modules on each side.
    const int32_t side = target.Dev(30);
    const int32_t cells = code->Size() + 2 * GiroCodeMatrix::kQuietZone;

    const std::u16string caption(OutputMessages::kGiroCodeCaption);
    canvas.SelectFont(settings.FontDialog5);
    const int32_t captionWidth = canvas.TextWidth(caption);
    const int32_t captionHeight = canvas.TextHeight(caption);
    canvas.SelectFont(settings.FontDialog6);
    // Code and caption stay on one page with the closing text beside them.
    if (BreakWanted(int64_t(y) + side + captionHeight))
        y = PageBreak(settings.FontDialog6);

    const int32_t right = pw - rx;
    const int32_t left = right - side;
    std::vector<ModuleRun> runs = code->DarkRuns();
    for (ModuleRun& run : runs) {
        run.row += GiroCodeMatrix::kQuietZone;
        run.column += GiroCodeMatrix::kQuietZone;
    }
    canvas.FillModules(left, y, side, cells, runs);
    canvas.SelectFont(settings.FontDialog5);
    // Centred under the square, but never past the right margin.
    canvas.TextOut(std::min(left + (side - captionWidth) / 2, right - captionWidth), y + side, caption);
    canvas.SelectFont(settings.FontDialog6);
    return std::max(side, captionWidth) + target.Dev(3);
}

int32_t TPageLayout::TextBlock(int32_t y, std::u16string_view text, bool lastLineAdvances, int32_t reserve)
{
    if (canvas.Target().closingText == TOutputTarget::Wrap::WordBreak) {
        const int32_t bottom = canvas.WordBreak(rx, y, pw - rx - reserve, ph, text, false);
        return lastLineAdvances ? bottom : y;
    }
    const auto beforeCharacter = [&](int32_t& at) {
        if (BreakWanted(at))
            at = PageBreak(settings.FontDialog6);
    };
    return CharWrap(canvas, text, rx, pw - 2 * rx - reserve, y, beforeCharacter, lastLineAdvances);
}

bool TPageLayout::DeliveryEmpty() const
{
    for (const TRechnungText field : kLieferAdresse) {
        if (!TextOf(rechnung.*field).empty())
            return false;
    }
    return true;
}
