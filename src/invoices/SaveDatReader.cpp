#include "invoices/SaveDatReader.h"

#include "invoices/ERechnungSection.h"
#include "invoices/FontRecord.h"
#include "invoices/Numbering.h"
#include "invoices/SaveDatInput.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"

#include <string>
#include <utility>
#include <vector>

namespace {

// Fewest bytes an item can take, for checking counts against the bytes left.
constexpr uint32_t kMinInvoiceBytes = 13 * 4 + 4 * 8 + 4;
constexpr uint32_t kMinPositionBytes = 3 * 4 + 3 * 8;
constexpr uint32_t kMinArticleBytes = 3 * 4 + 2 * 8;
constexpr uint32_t kMinDeliveryBytes = 9 * 4;
constexpr uint32_t kMinOrderBytes = 2 * 4;
constexpr uint32_t kMinTextBlockBytes = 2 * 4;

constexpr TRechnungText kSection1Texts[] = {
    &TRechnungRec::anrede,   &TRechnungRec::firma,   &TRechnungRec::name, &TRechnungRec::vorname,
    &TRechnungRec::zusatz,   &TRechnungRec::strasse, &TRechnungRec::land, &TRechnungRec::plz,
    &TRechnungRec::ort,      &TRechnungRec::tel,     &TRechnungRec::fax,  &TRechnungRec::email,
    &TRechnungRec::rechtext,
};

bool Flag(SaveDatInput& in)
{
    return in.U8() != 0;
}

}

void SaveDatReader::Read()
{
    // What a later version added belongs to the file that is read.
    book_.eRechnungFlagsRest = 0;
    book_.eRechnungRest.clear();
    SaveDatInput in(source_);
    Invoices(in);
    Articles(in);
    CompanyAndPage(in);
    using Section = void (SaveDatReader::*)(SaveDatInput&);
    static constexpr Section kLaterSections[] = {
        &SaveDatReader::ContactAndFonts,
        &SaveDatReader::Logo,
        &SaveDatReader::Numbers,
        &SaveDatReader::SpaceLine,
        &SaveDatReader::Underline,
        &SaveDatReader::Currency,
        &SaveDatReader::Delivery,
        &SaveDatReader::OrderReferences,
        &SaveDatReader::NoAddressRight,
        &SaveDatReader::CompanyFont,
        &SaveDatReader::NoDeliveryPrices,
        &SaveDatReader::Hyphen,
        &SaveDatReader::CompanyRight,
        &SaveDatReader::CompanyExtra,
        &SaveDatReader::NoVat,
        &SaveDatReader::ReservedLists,
        &SaveDatReader::ReservedFlags,
        &SaveDatReader::TextBlocks,
        &SaveDatReader::TotalFont,
    };
    for (Section section : kLaterSections) {
        if (in.AtEnd())
            return;  // an older file: the rest keeps what the book holds
        (this->*section)(in);
    }
    AfterLastSection(in);
}

void SaveDatReader::AfterLastSection(SaveDatInput& in)
{
    // The electronic invoice data, when the file has them; it grows inside itself, so nothing
    // may follow it: whatever did would be lost at the next save.
    if (!in.AtEnd())
        ERechnungSection::Read(book_, in);
    if (!in.AtEnd())
        in.FailDataAfterEnd();
}

void SaveDatReader::InvoiceCount(SaveDatInput& in, unsigned minBytesEach)
{
    if (in.Count(minBytesEach) != book_.RechnungCount())
        in.FailDamaged();
}

void SaveDatReader::Invoices(SaveDatInput& in)
{
    const uint32_t n = in.Count(kMinInvoiceBytes);
    for (uint32_t i = 0; i < n; ++i) {
        TRechnungRec& r = book_.AppendRechnung();
        for (TRechnungText field : kSection1Texts)
            r.*field = in.Str8Buf();
        r.datum = in.F64();
        r.bezahlt = in.F64();
        r.frei1 = in.F64();
        r.frei2 = in.F64();
        const uint32_t p = in.Count(kMinPositionBytes);
        for (uint32_t j = 0; j < p; ++j) {
            TPositionRec& q = book_.AppendPosition(i);
            q.einheit = in.Str8Buf();
            q.artnr = in.Str8Buf();
            q.bez = in.Str8Buf();
            q.mwst = in.F64();
            q.preis = in.F64();
            q.menge = in.F64();
        }
    }
}

void SaveDatReader::Articles(SaveDatInput& in)
{
    book_.ClearArtikel();
    const uint32_t n = in.Count(kMinArticleBytes);
    for (uint32_t i = 0; i < n; ++i) {
        TArtikelRec& a = book_.AppendArtikel();
        a.menge = 1;
        a.einheit = in.Str8Buf();
        a.artnr = in.Str8Buf();
        a.bez = in.Str8Buf();
        a.mwst = in.F64();
        a.preis = in.F64();
    }
}

void SaveDatReader::CompanyAndPage(SaveDatInput& in)
{
    TRechnungSettings& s = book_.settings;
    for (std::u16string* text :
         {&s.FirmaED2, &s.StrasseEd2, &s.PLZED2, &s.OrtED2, &s.TelEd2, &s.FaxEd2, &s.SteuerED2, &s.KopfEd, &s.FussEd})
        *text = in.Str8();
    // Kept as stored, also outside the fields' ranges (see SettingRanges).
    s.RandXED = in.F64();
    s.RandYEd = in.F64();
    s.AnschriftYED = in.F64();
    s.AdrXEd = in.F64();
    s.LineSTEd = in.F64();
}

void SaveDatReader::ContactAndFonts(SaveDatInput& in)
{
    TRechnungSettings& s = book_.settings;
    s.eMailED2 = in.Str8();
    s.HomepageEd2 = in.Str8();
    s.FootCentCheck = Flag(in);
    const uint8_t mode = in.U8();
    if (mode <= 2)  // any other value leaves the radio buttons as they are
        s.RegNrMode = static_cast<TRegNrMode>(mode);
    for (TFontSetting* font : {&s.FontDialog1, &s.FontDialog2, &s.FontDialog3, &s.FontDialog4, &s.FontDialog5,
                               &s.FontDialog6, &s.FontDialog7})
        ReadFontRecord(in, *font);
}

void SaveDatReader::Logo(SaveDatInput& in)
{
    TRechnungSettings& s = book_.settings;
    s.FilenameEdit1 = in.Str8();
    s.LogoXEd = in.F64();
    s.LogoYEd = in.F64();
    s.BreitEd = in.F64();
}

void SaveDatReader::Numbers(SaveDatInput& in)
{
    // A counter text that is no whole number leaves the counter as it is.
    ReadCounterText(in.Str8(), book_.settings.ARegNrEd);
    InvoiceCount(in, 4);
    for (uint32_t i = 0; i < book_.RechnungCount(); ++i)
        ReplaceTextBuf(&book_.Rechnung(i).rechnr, in.Str8Buf());
}

void SaveDatReader::SpaceLine(SaveDatInput& in)
{
    book_.settings.insertspaceline = Flag(in);
}

void SaveDatReader::Underline(SaveDatInput& in)
{
    book_.settings.underlinekopfusscheck = Flag(in);
}

void SaveDatReader::Currency(SaveDatInput& in)
{
    book_.settings.WaehrEd = in.Str8();
}

void SaveDatReader::Delivery(SaveDatInput& in)
{
    TRechnungSettings& s = book_.settings;
    s.RechNrVorherEd = in.Str8();
    s.DontShowEinheitCheck = Flag(in);
    s.FussEd2 = in.Str8();
    InvoiceCount(in, kMinDeliveryBytes);
    for (uint32_t i = 0; i < book_.RechnungCount(); ++i) {
        TRechnungRec& r = book_.Rechnung(i);
        for (TRechnungText field : kLieferAdresse)
            ReplaceTextBuf(&(r.*field), in.Str8Buf());
    }
}

void SaveDatReader::OrderReferences(SaveDatInput& in)
{
    book_.settings.FussEd3 = in.Str8();
    InvoiceCount(in, kMinOrderBytes);
    for (uint32_t i = 0; i < book_.RechnungCount(); ++i) {
        TRechnungRec& r = book_.Rechnung(i);
        ReplaceTextBuf(&r.bestelldatum, in.Str8Buf());
        ReplaceTextBuf(&r.ihrebestellung, in.Str8Buf());
    }
}

void SaveDatReader::NoAddressRight(SaveDatInput& in)
{
    book_.settings.DonotShowAdressCheck = Flag(in);
}

void SaveDatReader::CompanyFont(SaveDatInput& in)
{
    ReadFontRecord(in, book_.settings.FontDialog8);
}

void SaveDatReader::NoDeliveryPrices(SaveDatInput& in)
{
    book_.settings.LieferNoWertCheck = Flag(in);
}

void SaveDatReader::Hyphen(SaveDatInput& in)
{
    book_.settings.BindestrichCheck = Flag(in);
}

void SaveDatReader::CompanyRight(SaveDatInput& in)
{
    book_.settings.FirmaRechtsCheck = Flag(in);
}

void SaveDatReader::CompanyExtra(SaveDatInput& in)
{
    book_.settings.ZusatzEd2 = in.Str8();
}

void SaveDatReader::NoVat(SaveDatInput& in)
{
    book_.settings.NoMwstCheck = Flag(in);
}

void SaveDatReader::ReservedLists(SaveDatInput& in)
{
    // Per invoice its position count, then per position a list of texts that nothing uses.
    for (uint32_t i = 0; i < book_.RechnungCount(); ++i) {
        if (in.Count(4) != book_.Rechnung(i).posis->Count())
            in.FailDamaged();
        for (uint32_t j = 0; j < book_.Rechnung(i).posis->Count(); ++j) {
            const uint32_t m = in.Count(4);
            for (uint32_t k = 0; k < m; ++k)
                in.SkipStr16();
        }
    }
}

void SaveDatReader::ReservedFlags(SaveDatInput& in)
{
    in.Bytes(book_.check.data(), book_.check.size());
}

void SaveDatReader::TextBlocks(SaveDatInput& in)
{
    std::vector<TTextbaustein>& blocks = book_.settings.ListView4;
    const uint32_t n = in.Count(kMinTextBlockBytes);
    blocks.clear();
    blocks.reserve(n);
    for (uint32_t i = 0; i < n; ++i) {
        TTextbaustein block;
        block.name = in.Str16();
        block.text = in.Str16();
        blocks.push_back(std::move(block));
    }
}

void SaveDatReader::TotalFont(SaveDatInput& in)
{
    ReadFontRecord(in, book_.settings.FontDialog9);
}
