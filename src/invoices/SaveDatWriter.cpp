#include "invoices/SaveDatWriter.h"

#include "invoices/ERechnungSection.h"
#include "invoices/FontRecord.h"
#include "invoices/Numbering.h"
#include "invoices/SaveDatOutput.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"

namespace {

void Flag(SaveDatOutput& out, bool checked)
{
    out.U8(checked ? 1 : 0);
}

void Count(SaveDatOutput& out, uint32_t n)
{
    out.I32(static_cast<int32_t>(n));
}

// Sections 6, 10 and 11 visit every invoice again for a few texts each; asking for the
// texts of an invoice some steps ahead keeps the walk from waiting on memory at every text.
constexpr uint32_t kPrefetchAhead = 8;

template <size_t N> void PrefetchTexts(const TRechnungBook& book, uint32_t index, const TRechnungText (&fields)[N])
{
    if (index >= book.RechnungCount())
        return;
    const TRechnungRec& r = book.Rechnung(index);
    for (TRechnungText field : fields)
        __builtin_prefetch(r.*field);
}

constexpr TRechnungText kNumberText[] = {&TRechnungRec::rechnr};
constexpr TRechnungText kDeliveryTexts[] = {
    &TRechnungRec::lanrede,  &TRechnungRec::lfirma,  &TRechnungRec::lname,
    &TRechnungRec::lvorname, &TRechnungRec::lzusatz, &TRechnungRec::lstrasse,
    &TRechnungRec::lland,    &TRechnungRec::lplz,    &TRechnungRec::lort,
};
constexpr TRechnungText kOrderTexts[] = {&TRechnungRec::bestelldatum, &TRechnungRec::ihrebestellung};

// The billing address and contact fields of section 1, in file order.
constexpr TRechnungText kSection1Texts[] = {
    &TRechnungRec::anrede,   &TRechnungRec::firma,   &TRechnungRec::name, &TRechnungRec::vorname,
    &TRechnungRec::zusatz,   &TRechnungRec::strasse, &TRechnungRec::land, &TRechnungRec::plz,
    &TRechnungRec::ort,      &TRechnungRec::tel,     &TRechnungRec::fax,  &TRechnungRec::email,
    &TRechnungRec::rechtext,
};

}

void SaveDatWriter::Write(ByteSink& sink) const
{
    SaveDatOutput out(sink);
    Invoices(out);
    Articles(out);
    CompanyAndPage(out);
    ContactAndFonts(out);
    NumbersAndDelivery(out);
    FlagsAndFonts(out);
    ReservedAndTextBlocks(out);
    ERechnungSection::Write(book_, out);
    out.Flush();
}

void SaveDatWriter::Invoices(SaveDatOutput& out) const
{
    const uint32_t n = book_.RechnungCount();
    Count(out, n);
    for (uint32_t i = 0; i < n; ++i) {
        const TRechnungRec& r = book_.Rechnung(i);
        for (TRechnungText field : kSection1Texts)
            out.Str8(TextOf(r.*field));
        out.F64(r.datum);
        out.F64(r.bezahlt);
        out.F64(r.frei1);
        out.F64(r.frei2);
        const uint32_t p = r.posis->Count();
        Count(out, p);
        for (uint32_t j = 0; j < p; ++j) {
            const auto& q = *static_cast<const TPositionRec*>(r.posis->At(j));
            out.Str8(TextOf(q.einheit));
            out.Str8(TextOf(q.artnr));
            out.Str8(TextOf(q.bez));
            out.F64(q.mwst);
            out.F64(q.preis);
            out.F64(q.menge);
        }
    }
}

void SaveDatWriter::Articles(SaveDatOutput& out) const
{
    const uint32_t n = book_.ArtikelCount();
    Count(out, n);
    for (uint32_t i = 0; i < n; ++i) {
        const TArtikelRec& a = book_.Artikel(i);
        out.Str8(TextOf(a.einheit));
        out.Str8(TextOf(a.artnr));
        out.Str8(TextOf(a.bez));
        out.F64(a.mwst);
        out.F64(a.preis);
    }
}

void SaveDatWriter::CompanyAndPage(SaveDatOutput& out) const
{
    const TRechnungSettings& s = book_.settings;
    for (const std::u16string* text :
         {&s.FirmaED2, &s.StrasseEd2, &s.PLZED2, &s.OrtED2, &s.TelEd2, &s.FaxEd2, &s.SteuerED2, &s.KopfEd, &s.FussEd})
        out.Str8(*text);
    out.F64(s.RandXED);
    out.F64(s.RandYEd);
    out.F64(s.AnschriftYED);
    out.F64(s.AdrXEd);
    out.F64(s.LineSTEd);
}

void SaveDatWriter::ContactAndFonts(SaveDatOutput& out) const
{
    const TRechnungSettings& s = book_.settings;
    out.Str8(s.eMailED2);
    out.Str8(s.HomepageEd2);
    Flag(out, s.FootCentCheck);
    out.U8(static_cast<uint8_t>(s.RegNrMode));
    for (const TFontSetting* font : {&s.FontDialog1, &s.FontDialog2, &s.FontDialog3, &s.FontDialog4, &s.FontDialog5,
                                     &s.FontDialog6, &s.FontDialog7})
        WriteFontRecord(out, *font);
}

void SaveDatWriter::NumbersAndDelivery(SaveDatOutput& out) const
{
    const TRechnungSettings& s = book_.settings;
    const uint32_t n = book_.RechnungCount();
    // 5: logo.
    out.Str8(s.FilenameEdit1);
    out.F64(s.LogoXEd);
    out.F64(s.LogoYEd);
    out.F64(s.BreitEd);
    // 6: counter and invoice numbers.
    out.Str8(CounterText(s.ARegNrEd));
    Count(out, n);
    for (uint32_t i = 0; i < n; ++i) {
        PrefetchTexts(book_, i + kPrefetchAhead, kNumberText);
        out.Str8(TextOf(book_.Rechnung(i).rechnr));
    }
    // 7 to 9.
    Flag(out, s.insertspaceline);
    Flag(out, s.underlinekopfusscheck);
    out.Str8(s.WaehrEd);
    // 10: prefix, unit column, second footer, delivery addresses.
    out.Str8(s.RechNrVorherEd);
    Flag(out, s.DontShowEinheitCheck);
    out.Str8(s.FussEd2);
    Count(out, n);
    for (uint32_t i = 0; i < n; ++i) {
        PrefetchTexts(book_, i + kPrefetchAhead, kDeliveryTexts);
        const TRechnungRec& r = book_.Rechnung(i);
        for (TRechnungText field : kDeliveryTexts)
            out.Str8(TextOf(r.*field));
    }
    // 11: third footer, order references.
    out.Str8(s.FussEd3);
    Count(out, n);
    for (uint32_t i = 0; i < n; ++i) {
        PrefetchTexts(book_, i + kPrefetchAhead, kOrderTexts);
        const TRechnungRec& r = book_.Rechnung(i);
        out.Str8(TextOf(r.bestelldatum));
        out.Str8(TextOf(r.ihrebestellung));
    }
}

void SaveDatWriter::FlagsAndFonts(SaveDatOutput& out) const
{
    const TRechnungSettings& s = book_.settings;
    Flag(out, s.DonotShowAdressCheck);    // 12
    WriteFontRecord(out, s.FontDialog8);  // 13
    Flag(out, s.LieferNoWertCheck);       // 14
    Flag(out, s.BindestrichCheck);        // 15
    Flag(out, s.FirmaRechtsCheck);        // 16
    out.Str8(s.ZusatzEd2);                // 17
    Flag(out, s.NoMwstCheck);             // 18
}

void SaveDatWriter::ReservedAndTextBlocks(SaveDatOutput& out) const
{
    const TRechnungSettings& s = book_.settings;
    // 19: per position an empty reserved text list.
    for (uint32_t i = 0; i < book_.RechnungCount(); ++i) {
        const uint32_t p = book_.Rechnung(i).posis->Count();
        Count(out, p);
        for (uint32_t j = 0; j < p; ++j)
            out.I32(0);
    }
    // 20: reserved flags as they are.
    out.Bytes(book_.check.data(), book_.check.size());
    // 21: text blocks.
    Count(out, static_cast<uint32_t>(s.ListView4.size()));
    for (const TTextbaustein& block : s.ListView4) {
        out.Str16(block.name);
        out.Str16(block.text);
    }
    // 22.
    WriteFontRecord(out, s.FontDialog9);
}
