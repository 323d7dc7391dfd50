#include "VariedBook.h"

#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"

#include <string>

namespace {

void Set(char16_t** field, const std::u16string& text)
{
    SetTextBuf(field, text);
}

}

namespace {

// Three invoices with every text set (umlauts, line breaks, "€", "‰"), one to three positions,
// delivery addresses on the first two.
void AddVariedInvoices(TRechnungBook& book)
{
    for (int i = 0; i < 3; ++i) {
        TRechnungRec& r = book.AppendRechnung();
        const std::u16string n = std::u16string(1, char16_t(u'1' + i));
        Set(&r.anrede, u"Frau");
        Set(&r.firma, u"Müller & Söhne GmbH " + n);
        Set(&r.name, u"Müller");
        Set(&r.vorname, u"Jörg");
        Set(&r.zusatz, u"z. Hd. Frau Öztürk");
        Set(&r.strasse, u"Großstraße 12");
        Set(&r.land, u"D");
        Set(&r.plz, u"8033" + n);
        Set(&r.ort, u"München");
        Set(&r.tel, u"+49 89 1234-" + n);
        Set(&r.fax, i == 1 ? u"" : u"+49 89 1234-99");
        Set(&r.email, u"jörg@müller.example");
        Set(&r.rechnr, u"RE-630000" + n);
        r.datum = 46086.37986111111 + i;  // 5.3.2026 09:07 and the days after
        r.bezahlt = i == 0 ? 0 : 46100 + i;
        Set(&r.rechtext, u"Zahlbar innerhalb 14 Tagen.\r\nVielen Dank für Ihren Auftrag – 5 € Skonto!");
        Set(&r.ihrebestellung, u"B-77" + n);
        Set(&r.bestelldatum, u"1. März 2026");
        if (i != 2) {
            Set(&r.lanrede, u"Herrn");
            Set(&r.lfirma, u"Lager Süd");
            Set(&r.lname, u"Weiß");
            Set(&r.lvorname, u"Ünal");
            Set(&r.lzusatz, u"Tor 3");
            Set(&r.lstrasse, u"Äußere Straße 5");
            Set(&r.lland, u"A");
            Set(&r.lplz, u"1010");
            Set(&r.lort, u"Wien");
        }
        for (int j = 0; j < i + 1; ++j) {
            TPositionRec& p = book.AppendPosition(book.RechnungCount() - 1);
            Set(&p.einheit, j == 0 ? u"Stück" : u"Std.");
            Set(&p.artnr, u"ART-" + n + std::u16string(1, char16_t(u'a' + j)));
            Set(&p.bez, u"Beratung\r\nzweite Zeile ‰ „Zitat“");
            p.menge = 1.5 * (j + 1);
            p.mwst = j == 0 ? 19 : 7;
            p.preis = 119.99 + j;
        }
    }
}

void AddVariedArticles(TRechnungBook& book)
{
    for (int k = 0; k < 2; ++k) {
        TArtikelRec& a = book.AppendArtikel();
        a.menge = 1;
        Set(&a.einheit, u"kg");
        Set(&a.artnr, k == 0 ? u"Ä-1" : u"b-2");
        Set(&a.bez, u"Käse – würzig");
        a.mwst = k == 0 ? 7 : 19;
        a.preis = k == 0 ? 9.5 : 10;
    }
}

// Every setting away from its default.
void SetVariedSettings(TRechnungSettings& s)
{
    s.FirmaED2 = u"Vestrik Bürobedarf";
    s.ZusatzEd2 = u"Inh. Ärger";
    s.StrasseEd2 = u"Weg 1";
    s.PLZED2 = u"12345";
    s.OrtED2 = u"Köln";
    s.TelEd2 = u"0221 1";
    s.FaxEd2 = u"0221 2";
    s.SteuerED2 = u"12/345/67890";
    s.eMailED2 = u"info@vestrik.example";
    s.HomepageEd2 = u"www.vestrik.example";
    s.KopfEd = u"Vestrik – Qualität seit 1990";
    s.FussEd = u"Bank: IBAN DE00 0000";
    s.FussEd2 = u"Fußzeile zwei";
    s.FussEd3 = u"Fußzeile drei €";
    s.RandXED = 20;
    s.RandYEd = 12;
    s.AnschriftYED = 50;
    s.AdrXEd = 120;
    s.LineSTEd = 0.25;
    s.FootCentCheck = false;
    s.underlinekopfusscheck = false;
    s.DontShowEinheitCheck = true;
    s.insertspaceline = true;
    s.DonotShowAdressCheck = true;
    s.BindestrichCheck = true;
    s.LieferNoWertCheck = false;
    s.FirmaRechtsCheck = true;
    s.NoMwstCheck = true;
    s.RegNrMode = TRegNrMode::rechnrdatecheck;
    s.ARegNrEd = 6300004;
    s.RechNrVorherEd = u"RE-";
    s.FilenameEdit1 = u"/home/jörg/logo.png";
    s.LogoXEd = 20.5;
    s.LogoYEd = 10.25;
    s.BreitEd = 80;
    s.WaehrEd = u"EUR";
    TFontSetting* fonts[] = {&s.FontDialog1, &s.FontDialog2, &s.FontDialog3, &s.FontDialog4, &s.FontDialog5,
                             &s.FontDialog6, &s.FontDialog7, &s.FontDialog8, &s.FontDialog9};
    for (int f = 0; f < 9; ++f) {
        TFontSetting& font = *fonts[f];
        font.charset = static_cast<uint8_t>(f == 0 ? 0 : 238);
        font.color = 0x00112233 + f;
        font.name = f % 2 ? u"Liberation Serif" : u"DejaVu Sans Möno";
        font.pitch = static_cast<uint8_t>(f % 3);
        font.pixelsPerInch = 120;
        font.size = 7 + f;
        font.style = static_cast<uint8_t>(f % 16);
    }
    s.ListView4 = {
        {u"Zahlung", u"Zahlbar sofort\r\nohne Abzug."},
        {u"Grüße Ω", u"Mit freundlichen Grüßen – 東京 😀"},
        {u"", u""},
    };
}

}  // namespace

void FillVariedBook(TRechnungBook& book)
{
    AddVariedInvoices(book);
    AddVariedArticles(book);
    SetVariedSettings(book.settings);
    book.check[0] = 1;
    book.check[57] = 1;
    book.check[100] = 1;
}
