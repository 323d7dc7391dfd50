#include "EInvoiceBooks.h"

#include "einvoice/EInvoiceDefaults.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "invoices/UnitCodes.h"

namespace {

// 5 March 2026, 09:07.
constexpr double kInvoiceDate = 46086.37986111111;

void Set(char16_t** field, const std::u16string& text)
{
    SetTextBuf(field, text);
}

void OneRate(TRechnungBook& book)
{
    FillSeller(book);
    const uint32_t i = AppendBuyerInvoice(book, u"RE-2026-001");
    AddPosition(book, i, u"Std.", u"Beratung", 8, 19, 119, u"B-1");
    AddPosition(book, i, u"Stück", u"Schrauben", 100, 19, 0.12);
}

// 7 % and 19 % mixed, a discount position, negative quantities, every unit of the default
// table, special characters and line breaks in every text, a delivery address, and a 0 %
// position (zero rated) on top.
void MixedEverything(TRechnungBook& book)
{
    FillSeller(book);
    TRechnungSettings& s = book.settings;
    s.FirmaED2 = u"Müller & Söhne <Werkzeug> GmbH";
    s.StrasseEd2 = u"Große Straße 5 & 7";
    s.OrtED2 = u"München <Zentrum>";
    s.KontaktNameEd = u"Jörg „Jö“ Müller & Co.";
    s.ZahlungsbedingungEd = u"Zahlbar innerhalb von 14 Tagen ohne Abzug.\r\nBei Fragen: 5 € Gebühr & <mehr>.";
    s.KontoinhaberEd = u"Müller & Söhne";
    const uint32_t i = AppendBuyerInvoice(book, u"RE-2026/002 & <Ä>");
    TRechnungRec& r = book.Rechnung(i);
    Set(&r.firma, u"Kunde & Co. <KG> – Öl €");
    Set(&r.vorname, u"Ünal");
    Set(&r.name, u"Weiß & Groß");
    Set(&r.zusatz, u"z. Hd. <Einkauf>\r\nGebäude 2");
    Set(&r.strasse, u"Äußere Straße 1 & 2");
    Set(&r.plz, u"90402");
    Set(&r.ort, u"Nürnberg <Süd>");
    Set(&r.rechtext, u"Vielen Dank für Ihren Auftrag & Ihr Vertrauen!\r\n<Hinweis>: 5 € Skonto\rletzte Zeile");
    Set(&r.ihrebestellung, u"B-77 & <1>");
    Set(&r.kaeuferref, u"04011000-12345-06 & <x>");
    Set(&r.lfirma, u"Lager Süd & Nord <Tor 3>");
    Set(&r.lstrasse, u"Lagerstraße 9 – Halle €");
    Set(&r.lzusatz, u"Rampe <2>");
    Set(&r.lplz, u"1010");
    Set(&r.lort, u"Wien & Umgebung");
    Set(&r.lland, u"Österreich");
    r.nullkategorie = uint8_t(ZeroRateCategory::Z);
    int n = 0;
    for (const TEinheitCode& unit : DefaultUnitMap()) {
        const double rate = n % 2 == 0 ? 19 : 7;
        AddPosition(book, i, unit.einheit, u"Artikel " + unit.einheit + u" & <Teil>\r\nzweite Zeile mit €\r\ndritte",
                    1.5 + n, rate, 9.99 + n * 3.17, u"ART-" + unit.code + u"&<>");
        ++n;
    }
    AddPosition(book, i, u"", u"Rückgabe (negative Menge)", -2, 19, 49.9);
    AddPosition(book, i, u"Stück", u"Rabatt 10 % auf Werkzeug", 1, 19, -25.5);
    AddPosition(book, i, u"unbekannt", u"Bücher ohne Steuer (0 %)", 3, 0, 12.34);
    AddPosition(book, i, u"kg", u"Schüttgut", 0.125, 7, 3.333);
}

// A credit note with exempt positions and a service period.
void CreditNoteExemptPeriod(TRechnungBook& book)
{
    FillSeller(book);
    const uint32_t i = AppendBuyerInvoice(book, u"GS-2026-003");
    TRechnungRec& r = book.Rechnung(i);
    r.nullkategorie = uint8_t(ZeroRateCategory::E);
    r.leistungvon = 46054;  // 1 February 2026
    r.leistungbis = 46081;  // 28 February 2026
    Set(&r.befreiung, u"Steuerfreie Heilbehandlung gemäß § 4 Nr. 14 UStG");
    AddPosition(book, i, u"Std.", u"Gutschrift Behandlung", 2, 0, 80);
    AddPosition(book, i, u"Stück", u"Gutschrift Material", 1, 19, 23.8);
}

// Reverse charge with 500 positions.
void ReverseCharge500(TRechnungBook& book)
{
    FillSeller(book);
    const uint32_t i = AppendBuyerInvoice(book, u"RE-2026-004");
    TRechnungRec& r = book.Rechnung(i);
    r.nullkategorie = uint8_t(ZeroRateCategory::AE);
    Set(&r.kaeuferustid, u"DE 987 654 321");
    for (int k = 0; k < 500; ++k)
        AddPosition(book, i, k % 3 ? u"m²" : u"Std.",
                    u"Bauleistung Abschnitt " + std::u16string(1, char16_t(u'A' + k % 26)), 1 + (k % 7) * 0.25, 0,
                    17.5 + k * 0.37);
}

void IntraCommunity(TRechnungBook& book)
{
    FillSeller(book);
    const uint32_t i = AppendBuyerInvoice(book, u"RE-2026-005");
    TRechnungRec& r = book.Rechnung(i);
    Set(&r.land, u"Frankreich");
    Set(&r.plz, u"75001");
    Set(&r.ort, u"Paris");
    Set(&r.kaeuferustid, u"FR12345678901");
    r.nullkategorie = uint8_t(ZeroRateCategory::K);
    AddPosition(book, i, u"Paket", u"Maschinenteile", 4, 0, 250);
}

void Export(TRechnungBook& book)
{
    FillSeller(book);
    const uint32_t i = AppendBuyerInvoice(book, u"RE-2026-006");
    TRechnungRec& r = book.Rechnung(i);
    Set(&r.land, u"Schweiz");
    Set(&r.plz, u"8001");
    Set(&r.ort, u"Zürich");
    r.nullkategorie = uint8_t(ZeroRateCategory::G);
    AddPosition(book, i, u"t", u"Stahl", 1.25, 0, 900);
}

void NotSubject(TRechnungBook& book)
{
    FillSeller(book);
    const uint32_t i = AppendBuyerInvoice(book, u"RE-2026-007");
    TRechnungRec& r = book.Rechnung(i);
    r.nullkategorie = uint8_t(ZeroRateCategory::O);
    Set(&r.kaeuferustid, u"DE987654321");  // not carried: no VAT identifiers with O
    AddPosition(book, i, u"Pauschal", u"Vermittlung im Ausland", 1, 0, 500);
    AddPosition(book, i, u"Monat", u"Betreuung", 3, 0, 120);
}

void Kleinunternehmer(TRechnungBook& book)
{
    FillSeller(book);
    book.settings.UStIdEd.clear();  // many have only a tax number
    book.settings.KleinunternehmerCheck = true;
    const uint32_t i = AppendBuyerInvoice(book, u"RE-2026-008");
    AddPosition(book, i, u"Std.", u"Gartenpflege", 5, 0, 35);
    AddPosition(book, i, u"l", u"Dünger", 2.5, 0, 7.99);
}

void KeineMwSt(TRechnungBook& book)
{
    FillSeller(book);
    book.settings.NoMwstCheck = true;
    const uint32_t i = AppendBuyerInvoice(book, u"RE-2026-009");
    TRechnungRec& r = book.Rechnung(i);
    r.nullkategorie = uint8_t(ZeroRateCategory::E);
    AddPosition(book, i, u"Tag", u"Seminar", 2, 0, 450);
    AddPosition(book, i, u"km", u"Fahrtkosten", 123.4, 0, 0.3);
}

}

void FillSeller(TRechnungBook& book)
{
    TRechnungSettings& s = book.settings;
    s.FirmaED2 = u"Vestrik Bürobedarf GmbH";
    s.StrasseEd2 = u"Hauptstraße 5";
    s.PLZED2 = u"80331";
    s.OrtED2 = u"München";
    s.TelEd2 = u"+49 89 123456";
    s.eMailED2 = u"info@vestrik.example";
    s.SteuerED2 = u"143/123/45678";
    s.UStIdEd = u"DE123456789";
    s.IbanEd = u"DE02 1203 0000 0000 2020 51";
    s.BicEd = u"BYLADEM1001";
    s.KontaktNameEd = u"Jörg Müller";
    s.XRechnungCheck = true;
    s.RechNrVorherEd.clear();
}

uint32_t AppendBuyerInvoice(TRechnungBook& book, const std::u16string& number)
{
    TRechnungRec& r = book.AppendRechnung();
    const uint32_t i = book.RechnungCount() - 1;
    r.datum = kInvoiceDate;
    Set(&r.rechnr, number);
    Set(&r.firma, u"Stadtwerke Beispielstadt GmbH");
    Set(&r.vorname, u"Erika");
    Set(&r.name, u"Mustermann");
    Set(&r.strasse, u"Am Markt 1");
    Set(&r.plz, u"10115");
    Set(&r.ort, u"Berlin");
    Set(&r.land, u"D");
    Set(&r.email, u"rechnung@stadtwerke.example");
    Set(&r.ihrebestellung, u"B-4711");
    Set(&r.kaeuferref, u"991-01234-56");
    Set(&r.rechtext, u"Vielen Dank für Ihren Auftrag.");
    return i;
}

void AddPosition(TRechnungBook& book, uint32_t invoice, const std::u16string& einheit, const std::u16string& bez,
                 double menge, double mwst, double preis, const std::u16string& artnr)
{
    TPositionRec& p = book.AppendPosition(invoice);
    Set(&p.einheit, einheit);
    Set(&p.artnr, artnr);
    Set(&p.bez, bez);
    p.menge = menge;
    p.mwst = mwst;
    p.preis = preis;
}

const std::vector<EInvoiceCase>& EInvoiceCases()
{
    static const std::vector<EInvoiceCase> cases = {
        {"ein-satz-19", 0, EInvoiceProfile::XRechnung, OneRate},
        {"gemischt-7-19-nullsatz-sonderzeichen-einheiten-lieferadresse", 0, EInvoiceProfile::XRechnung,
         MixedEverything},
        {"gutschrift-steuerbefreit-leistungszeitraum", 3, EInvoiceProfile::XRechnung, CreditNoteExemptPeriod},
        {"reverse-charge-500-positionen", 0, EInvoiceProfile::XRechnung, ReverseCharge500},
        {"innergemeinschaftlich", 0, EInvoiceProfile::XRechnung, IntraCommunity},
        {"ausfuhr-en16931", 0, EInvoiceProfile::EN16931, Export},
        {"nicht-steuerbar", 0, EInvoiceProfile::XRechnung, NotSubject},
        {"kleinunternehmer", 0, EInvoiceProfile::XRechnung, Kleinunternehmer},
        {"keine-mwst-berechnen", 0, EInvoiceProfile::XRechnung, KeineMwSt},
    };
    return cases;
}
