// The check before writing: every gap is one German line naming the field and where to fill
// it, all gaps are listed at once, and nothing is written while one remains; document kinds
// that are no invoice are refused with a German text.
#include "EInvoiceBooks.h"

#include "einvoice/EInvoiceBuilder.h"
#include "einvoice/EInvoiceDefaults.h"
#include "einvoice/EInvoiceExport.h"
#include "foundation/IoError.h"
#include "foundation/Utf8.h"
#include "invoices/PositionEdit.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>

namespace {

using Change = std::function<void(TRechnungBook&)>;

void CompleteBook(TRechnungBook& book)
{
    EInvoiceCases()[0].fill(book);
}

TRechnungRec& R(TRechnungBook& book)
{
    return book.Rechnung(0);
}

std::string Joined(const std::vector<std::u16string>& gaps)
{
    return Utf16ToUtf8(GapsText(gaps));
}

}

TEST(EInvoiceCheck, EveryGapIsNamedWithItsPlaceAndNothingIsWritten)
{
    struct Case {
        const char* name;
        EInvoiceProfile profile;
        Change change;
        const char16_t* gap;
    };
    const auto X = EInvoiceProfile::XRechnung;
    const auto E = EInvoiceProfile::EN16931;
    const Case cases[] = {
        {"Leitweg-ID", X, [](TRechnungBook& b) { SetTextBuf(&R(b).kaeuferref, u" "); },
         u"Käuferreferenz (Leitweg-ID) fehlt – Pflicht bei XRechnung. Reiter E-Rechnung der Rechnung."},
        {"IBAN with BIC", E, [](TRechnungBook& b) { b.settings.IbanEd.clear(); },
         u"IBAN fehlt – Reiter E-Rechnung der Einstellungen."},
        {"IBAN check digits", E, [](TRechnungBook& b) { b.settings.IbanEd = u"DE03120300000000202051"; },
         u"IBAN „DE03120300000000202051“ ist ungültig (Prüfziffern) – Reiter E-Rechnung der Einstellungen."},
        {"BIC", E, [](TRechnungBook& b) { b.settings.BicEd = u"BYLA"; },
         u"BIC „BYLA“ ist ungültig – Reiter E-Rechnung der Einstellungen."},
        {"company name", E, [](TRechnungBook& b) { b.settings.FirmaED2 = u"FirmaED"; },
         u"Firmenname fehlt – Reiter Firma-Grundeinstellungen."},
        {"company city", X, [](TRechnungBook& b) { b.settings.OrtED2 = u""; },
         u"Ort der Firma fehlt – Pflicht bei XRechnung. Reiter Firma-Grundeinstellungen."},
        {"company postcode", X, [](TRechnungBook& b) { b.settings.PLZED2 = u"PLZEd"; },
         u"PLZ der Firma fehlt – Pflicht bei XRechnung. Reiter Firma-Grundeinstellungen."},
        {"seller country", E, [](TRechnungBook& b) { b.settings.LandCodeEd = u"XX"; },
         u"Ländercode der Firma „XX“ ist kein ISO-3166-Code – Reiter E-Rechnung der Einstellungen."},
        {"seller VAT id", E, [](TRechnungBook& b) { b.settings.UStIdEd = u"DE12345"; },
         u"USt-IdNr. der Firma „DE12345“ ist ungültig (DE und 9 Ziffern) – Reiter E-Rechnung der Einstellungen."},
        {"no tax identifier", E,
         [](TRechnungBook& b) {
             b.settings.UStIdEd.clear();
             b.settings.SteuerED2 = u"SteuerED";
         },
         u"USt-IdNr. oder Steuernummer der Firma fehlt – Reiter E-Rechnung der Einstellungen oder Reiter "
         u"Firma-Grundeinstellungen."},
        {"seller e-address", X,
         [](TRechnungBook& b) {
             b.settings.eMailED2.clear();
             b.settings.KontaktMailEd = u"kontakt@vestrik.example";
         },
         u"Elektronische Adresse der Firma fehlt – Pflicht bei XRechnung. Reiter E-Rechnung der Einstellungen."},
        {"contact", X, [](TRechnungBook& b) { b.settings.KontaktNameEd.clear(); },
         u"Kontaktperson fehlt – Pflicht bei XRechnung. Reiter E-Rechnung der Einstellungen."},
        {"contact telephone", X, [](TRechnungBook& b) { b.settings.TelEd2 = u"TelED"; },
         u"Telefon der Kontaktperson fehlt – Pflicht bei XRechnung. Reiter E-Rechnung der Einstellungen."},
        {"contact e-mail", X,
         [](TRechnungBook& b) {
             b.settings.eMailED2.clear();
             b.settings.EAdresseEd = u"xrechnung@vestrik.example";
         },
         u"E-Mail der Kontaktperson fehlt – Pflicht bei XRechnung. Reiter E-Rechnung der Einstellungen."},
        {"payment target", E, [](TRechnungBook& b) { b.settings.ZahlungszielEd = -1; },
         u"Zahlungsziel muss zwischen 0 und 3650 Tagen liegen – Reiter E-Rechnung der Einstellungen."},
        {"currency", E, [](TRechnungBook& b) { b.settings.WaehrEd = u"Taler"; },
         u"Währung „Taler“ ist kein ISO-4217-Code wie EUR – Reiter Währung."},
        {"unit code", E, [](TRechnungBook& b) { b.settings.EinheitenGrid[0].code = u"STÜCK"; },
         u"Einheit „Stück“: „STÜCK“ ist kein UN/ECE-Einheitencode – Reiter E-Rechnung der Einstellungen."},
        {"number", E, [](TRechnungBook& b) { SetTextBuf(&R(b).rechnr, u""); },
         u"Rechnungsnummer fehlt – Reiter Rechnungs-Adresse."},
        {"numbering off", E, [](TRechnungBook& b) { b.settings.RegNrMode = TRegNrMode::NoRegNr; },
         u"Rechnungsnummer fehlt – die Einstellungen schreiben keine Rechnungsnummern. Reiter "
         u"Firma-Grundeinstellungen."},
        {"buyer name", E,
         [](TRechnungBook& b) {
             SetTextBuf(&R(b).firma, u"");
             SetTextBuf(&R(b).vorname, u"");
             SetTextBuf(&R(b).name, u"");
         },
         u"Name oder Firma des Käufers fehlt – Reiter Rechnungs-Adresse."},
        {"buyer city", X, [](TRechnungBook& b) { SetTextBuf(&R(b).ort, u""); },
         u"Ort des Käufers fehlt – Pflicht bei XRechnung. Reiter Rechnungs-Adresse."},
        {"buyer postcode", X, [](TRechnungBook& b) { SetTextBuf(&R(b).plz, u""); },
         u"PLZ des Käufers fehlt – Pflicht bei XRechnung. Reiter Rechnungs-Adresse."},
        {"buyer land", E, [](TRechnungBook& b) { SetTextBuf(&R(b).land, u"Atlantis"); },
         u"Land des Käufers „Atlantis“ nicht erkannt – Ländercode wählen. Reiter E-Rechnung der Rechnung."},
        {"buyer country code", E, [](TRechnungBook& b) { SetTextBuf(&R(b).kaeuferland, u"QQ"); },
         u"Ländercode des Käufers „QQ“ ist kein ISO-3166-Code – Reiter E-Rechnung der Rechnung."},
        {"buyer e-address", X, [](TRechnungBook& b) { SetTextBuf(&R(b).email, u""); },
         u"Elektronische Adresse des Käufers fehlt – Pflicht bei XRechnung. Reiter E-Rechnung der Rechnung."},
        {"buyer VAT id", E, [](TRechnungBook& b) { SetTextBuf(&R(b).kaeuferustid, u"ZZ1"); },
         u"USt-IdNr. des Käufers „ZZ1“ ist ungültig – Reiter E-Rechnung der Rechnung."},
        {"buyer VAT id for reverse charge", E,
         [](TRechnungBook& b) {
             R(b).nullkategorie = uint8_t(ZeroRateCategory::AE);
             AddPosition(b, 0, u"Std.", u"Bauleistung", 1, 0, 100);
         },
         u"USt-IdNr. des Käufers fehlt – Pflicht bei Steuerschuldnerschaft des Leistungsempfängers. Reiter "
         u"E-Rechnung der Rechnung."},
        {"buyer VAT id for intra-community supply", E,
         [](TRechnungBook& b) {
             R(b).nullkategorie = uint8_t(ZeroRateCategory::K);
             AddPosition(b, 0, u"Std.", u"Lieferung", 1, 0, 100);
         },
         u"USt-IdNr. des Käufers fehlt – Pflicht bei innergemeinschaftlicher Lieferung. Reiter E-Rechnung der "
         u"Rechnung."},
        {"seller VAT id for export", E,
         [](TRechnungBook& b) {
             b.settings.UStIdEd.clear();
             R(b).nullkategorie = uint8_t(ZeroRateCategory::G);
             AddPosition(b, 0, u"Std.", u"Ausfuhr", 1, 0, 100);
         },
         u"USt-IdNr. der Firma fehlt – Pflicht bei Ausfuhrlieferung. Reiter E-Rechnung der Einstellungen."},
        {"delivery city", X, [](TRechnungBook& b) { SetTextBuf(&R(b).lplz, u"1010"); },
         u"Ort der Lieferadresse fehlt – Pflicht bei XRechnung. Reiter Lieferadresse."},
        {"delivery postcode", X, [](TRechnungBook& b) { SetTextBuf(&R(b).lort, u"Wien"); },
         u"PLZ der Lieferadresse fehlt – Pflicht bei XRechnung. Reiter Lieferadresse."},
        {"delivery land", E,
         [](TRechnungBook& b) {
             SetTextBuf(&R(b).lort, u"Wien");
             SetTextBuf(&R(b).lland, u"Ostmark");
         },
         u"Land der Lieferadresse „Ostmark“ nicht erkannt – Reiter Lieferadresse."},
        {"period end before start", E,
         [](TRechnungBook& b) {
             R(b).leistungvon = 46060;
             R(b).leistungbis = 46050;
         },
         u"Ende des Leistungszeitraums liegt vor seinem Beginn – Reiter E-Rechnung der Rechnung."},
        {"due date", E, [](TRechnungBook& b) { R(b).faellig = 1e9; },
         u"Fälligkeitsdatum ist ungültig – Reiter E-Rechnung der Rechnung."},
        {"invoice date", E, [](TRechnungBook& b) { R(b).datum = std::nan(""); },
         u"Rechnungsdatum ist ungültig – Reiter Rechnungs-Adresse."},
        {"no positions", E,
         [](TRechnungBook& b) {
             while (R(b).posis->Count() > 0)
                 DeletePosition(b, 0, 0);
         },
         u"Die Rechnung hat keine Positionen – Reiter Rechungs-Positionen."},
        {"item name", E, [](TRechnungBook& b) { AddPosition(b, 0, u"Stück", u" \r\n ", 1, 19, 1); },
         u"Position 3: Bezeichnung fehlt – Reiter Rechungs-Positionen."},
        {"not a number", E, [](TRechnungBook& b) { AddPosition(b, 0, u"Stück", u"Teil", std::nan(""), 19, 1); },
         u"Position 3: Menge, Preis oder MwSt-Satz ist keine gültige Zahl – Reiter Rechungs-Positionen."},
        {"negative rate", E, [](TRechnungBook& b) { AddPosition(b, 0, u"Stück", u"Teil", 1, -19, 1); },
         u"Position 3: MwSt-Satz -19 % ist ungültig – Reiter Rechungs-Positionen."},
        {"rate below half a percent", E, [](TRechnungBook& b) { AddPosition(b, 0, u"Stück", u"Teil", 1, 0.3, 1); },
         u"Position 3: MwSt-Satz 0,3 % ist kleiner als 0,5 % und lässt sich in einer E-Rechnung nicht ausweisen – "
         u"Reiter Rechungs-Positionen."},
        {"VAT with Keine MwSt berechnen", E,
         [](TRechnungBook& b) {
             b.settings.NoMwstCheck = true;
             b.Position(0, 1).mwst = 0;
         },
         u"Position 1: MwSt-Satz 19 %, aber „Keine MwSt berechnen“ ist gesetzt – Satz auf 0 setzen oder das "
         u"Häkchen entfernen (Reiter Firma-Grundeinstellungen). Reiter Rechungs-Positionen."},
        {"VAT for a Kleinunternehmer", E,
         [](TRechnungBook& b) {
             b.settings.KleinunternehmerCheck = true;
             b.Position(0, 1).mwst = 0;
         },
         u"Position 1: MwSt-Satz 19 %, aber als Kleinunternehmer wird keine Umsatzsteuer ausgewiesen – Satz auf 0 "
         u"setzen oder „Keine MwSt berechnen“ setzen. Reiter Rechungs-Positionen."},
        {"category of a later version", E,
         [](TRechnungBook& b) {
             R(b).nullkategorie = 9;
             AddPosition(b, 0, u"Stück", u"Teil", 1, 0, 1);
         },
         u"Steuerkategorie der Positionen mit 0 % ist unbekannt – Kategorie wählen. Reiter E-Rechnung der Rechnung."},
        {"not subject mixed", E,
         [](TRechnungBook& b) {
             R(b).nullkategorie = uint8_t(ZeroRateCategory::O);
             AddPosition(b, 0, u"Stück", u"Teil", 1, 0, 1);
         },
         u"Nicht steuerbare Positionen (O) lassen sich nicht mit Positionen mit MwSt in einer E-Rechnung mischen – "
         u"Reiter E-Rechnung der Rechnung."},
        {"reason with zero rate", E,
         [](TRechnungBook& b) {
             SetTextBuf(&R(b).befreiung, u"Grund");
             AddPosition(b, 0, u"Stück", u"Buch", 1, 0, 1);
         },
         u"Befreiungsgrund ist beim Nullsatz (Z) nicht erlaubt – Feld leeren oder andere Kategorie wählen. Reiter "
         u"E-Rechnung der Rechnung."},
    };
    TempDir dir;
    {
        TRechnungBook book;
        CompleteBook(book);
        for (const auto profile : {X, E})
            ASSERT_EQ(Joined(BuildEInvoice(book, 0, 0, profile).gaps), "");
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TRechnungBook book;
        CompleteBook(book);
        c.change(book);
        const EInvoiceBuild build = BuildEInvoice(book, 0, 0, c.profile);
        EXPECT_FALSE(build.refused);
        ASSERT_EQ(build.gaps.size(), 1u) << Joined(build.gaps);
        EXPECT_EQ(Utf16ToUtf8(build.gaps[0]), Utf16ToUtf8(c.gap));
        const std::string path = dir.File("rechnung.xml");
        const EInvoiceExportResult result = ExportEInvoice(book, 0, 0, c.profile, path);
        EXPECT_EQ(result.status, EInvoiceExportResult::Status::Gaps);
        EXPECT_EQ(result.gaps, build.gaps);
        EXPECT_FALSE(std::filesystem::exists(path));
        EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    }
}

TEST(EInvoiceCheck, AllGapsComeTogetherAndXRechnungAsksForMore)
{
    TRechnungBook book;
    TRechnungRec& r = book.AppendRechnung();
    r.datum = 46086;
    AddPosition(book, 0, u"", u"Teil", 1, 19, 10);
    // A fresh book: placeholders in the company fields, no e-invoice settings.
    const std::vector<std::u16string> en = BuildEInvoice(book, 0, 0, EInvoiceProfile::EN16931).gaps;
    const std::vector<std::u16string> xr = BuildEInvoice(book, 0, 0, EInvoiceProfile::XRechnung).gaps;
    EXPECT_EQ(Joined(en), "Rechnungsnummer fehlt – Reiter Rechnungs-Adresse.\n"
                          "Firmenname fehlt – Reiter Firma-Grundeinstellungen.\n"
                          "USt-IdNr. oder Steuernummer der Firma fehlt – Reiter E-Rechnung der Einstellungen oder "
                          "Reiter Firma-Grundeinstellungen.\n"
                          "Name oder Firma des Käufers fehlt – Reiter Rechnungs-Adresse.");
    EXPECT_GT(xr.size(), en.size() + 8);
    for (const std::u16string& gap : en)
        EXPECT_NE(std::find(xr.begin(), xr.end(), gap), xr.end());
}

TEST(EInvoiceCheck, KindsThatAreNoInvoiceAreRefusedAndNothingIsWritten)
{
    TRechnungBook book;
    CompleteBook(book);
    TempDir dir;
    const struct {
        int32_t kind;
        const char16_t* text;
    } kinds[] = {
        {1, u"Ein Lieferschein ist"},        {2, u"Ein Angebot ist"},  {4, u"Eine Auftragsbestätigung ist"},
        {5, u"Eine Proforma Rechnung ist"},  {6, u"Eine Mahnung ist"}, {7, u"Eine Bestellung ist"},
        {-1, u"Keine Dokumentart gewählt:"},
    };
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.kind);
        EXPECT_EQ(EInvoiceTypeCode(k.kind), 0);
        const EInvoiceExportResult result =
            ExportEInvoice(book, 0, k.kind, EInvoiceProfile::XRechnung, dir.File("x.xml"));
        EXPECT_EQ(result.status, EInvoiceExportResult::Status::Refused);
        ASSERT_EQ(result.gaps.size(), 1u);
        EXPECT_EQ(result.gaps[0].find(k.text), 0u);
        EXPECT_NE(result.gaps[0].find(u"nur Rechnungen und Gutschriften"), std::u16string::npos);
        EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    }
    EXPECT_EQ(EInvoiceTypeCode(0), 380);
    EXPECT_EQ(EInvoiceTypeCode(3), 381);
    EXPECT_EQ(NotAnInvoiceText(0), u"");
    EXPECT_EQ(ExportEInvoice(book, 1, 0, EInvoiceProfile::XRechnung, dir.File("x.xml")).status,
              EInvoiceExportResult::Status::NoInvoice);
}

TEST(EInvoiceCheck, AFileThatCannotBeWrittenRaisesAndLeavesNothing)
{
    TRechnungBook book;
    CompleteBook(book);
    TempDir dir;
    EXPECT_THROW(ExportEInvoice(book, 0, 0, EInvoiceProfile::XRechnung, dir.File("fehlt/rechnung.xml")), IoError);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    // A disk that fills up while the XML is written: the error comes through, no file stays.
    for (int i = 0; i < 2000; ++i)
        AddPosition(book, 0, u"Stück", u"Teil mit einer längeren Bezeichnung", 1, 19, 1);
    {
        const FileSizeLimit full(65536);
        EXPECT_THROW(ExportEInvoice(book, 0, 0, EInvoiceProfile::XRechnung, dir.File("voll.xml")), IoError);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    // An existing file is replaced whole.
    WriteWholeFile(dir.File("rechnung.xml"), "alt");
    EXPECT_EQ(ExportEInvoice(book, 0, 0, EInvoiceProfile::XRechnung, dir.File("rechnung.xml")).status,
              EInvoiceExportResult::Status::Written);
    EXPECT_EQ(ReadWholeFile(dir.File("rechnung.xml")).substr(0, 5), "<?xml");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(EInvoiceCheck, ProposedFileNameFollowsThePdfRules)
{
    TRechnungBook book;
    CompleteBook(book);
    SetTextBuf(&R(book).rechnr, u"RE/2026/1");
    EXPECT_EQ(ProposedEInvoiceName(book.settings, R(book)), std::optional<std::u16string>(u"RE-2026-1.xml"));
    book.settings.RegNrMode = TRegNrMode::rechnrdatecheck;
    EXPECT_EQ(ProposedEInvoiceName(book.settings, R(book)), std::optional<std::u16string>(u"202603050907.xml"));
    book.settings.RegNrMode = TRegNrMode::NoRegNr;
    EXPECT_FALSE(ProposedEInvoiceName(book.settings, R(book)).has_value());
}
