#include "SampleInvoice.h"

#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"

#include <string>

namespace {

const char16_t* const kArticles[][4] = {
    // Einheit, ArtNr, Bezeichnung, (unused)
    {u"Stück", u"SCH-4711", u"Schraubendreher-Satz, 6-teilig, Chrom-Vanadium", nullptr},
    {u"Std.", u"MONT", u"Montage vor Ort durch Fachpersonal\r\nAnfahrt inklusive", nullptr},
    {u"kg", u"DÜB-08", u"Dübel Ø 8 mm, grau", nullptr},
    {u"Stück", u"BOH-1200", u"Schlagbohrmaschine 1200 W mit Koffer und Zubehör", nullptr},
    {u"Paket", u"KAB-3X15", u"Kabelbinder schwarz, 300 × 4,8 mm, 100 Stück", nullptr},
    {u"Std.", u"BER", u"Beratung zur Werkstatteinrichtung (Größe, Lärmschutz, Ergonomie)", nullptr},
    {u"m", u"LEI-NYM", u"Mantelleitung NYM-J 3 × 1,5 mm²", nullptr},
    {u"Stück", u"FACH-BUCH", u"Fachbuch „Holzverbindungen“ – 3. Auflage", nullptr},
};

}

uint32_t AddSampleInvoice(TRechnungBook& book, int positions)
{
    TRechnungSettings& s = book.settings;
    s.FirmaED2 = u"Müller & Söhne GmbH";
    s.ZusatzEd2 = u"Werkzeugbau";
    s.StrasseEd2 = u"Große Straße 12";
    s.PLZED2 = u"80331";
    s.OrtED2 = u"München";
    s.TelEd2 = u"089 123456-0";
    s.FaxEd2 = u"089 123456-99";
    s.SteuerED2 = u"143/456/78901";
    s.eMailED2 = u"info@mueller-soehne.de";
    s.HomepageEd2 = u"www.mueller-soehne.de";
    s.KopfEd = u"Müller & Söhne – Werkzeuge und Maschinen";
    s.FussEd = u"Bankverbindung: Stadtsparkasse München, IBAN DE12 7015 0000 0001 2345 67, BIC SSKMDEMMXXX";
    s.FussEd2 = u"Geschäftsführer: Jürgen Müller · Amtsgericht München HRB 123456 · USt-IdNr. DE123456789";

    TRechnungRec& r = book.AppendRechnung();
    const uint32_t index = book.RechnungCount() - 1;
    r.datum = 46086.0 + (9 * 60 + 7) / 1440.0;  // 5 March 2026, 09:07
    NewTextBuf(&r.rechnr, u"RE-2026-0417");
    NewTextBuf(&r.anrede, u"Herrn");
    NewTextBuf(&r.firma, u"Schreinerei Weiß & Köhler OHG");
    NewTextBuf(&r.vorname, u"Jörg");
    NewTextBuf(&r.name, u"Köhler");
    NewTextBuf(&r.strasse, u"Bahnhofstraße 7a");
    NewTextBuf(&r.plz, u"90402");
    NewTextBuf(&r.ort, u"Nürnberg");
    NewTextBuf(&r.ihrebestellung, u"B-2026/118");
    NewTextBuf(&r.bestelldatum, u"27.02.2026");
    NewTextBuf(&r.lfirma, u"Schreinerei Weiß & Köhler OHG");
    NewTextBuf(&r.lzusatz, u"Werkstatt, Tor 3");
    NewTextBuf(&r.lstrasse, u"Äußere Sulzbacher Straße 118");
    NewTextBuf(&r.lplz, u"90491");
    NewTextBuf(&r.lort, u"Nürnberg");
    NewTextBuf(&r.rechtext,
               u"Zahlbar innerhalb von 14 Tagen ohne Abzug. Bei Zahlung innerhalb von 7 Tagen gewähren wir "
               u"2 % Skonto.\r\n\r\nVielen Dank für Ihren Auftrag! Für Rückfragen stehen wir Ihnen gern zur "
               u"Verfügung.");

    const double prices[] = {24.99, 65.45, 7.49, 189.00, 8.95, 95.20, 1.19, 42.80};
    const double quantities[] = {2, 3.5, 1.25, 1, 4, 2, 50, 1};
    for (int i = 0; i < positions; ++i) {
        const int k = i % 8;
        TPositionRec& p = book.AppendPosition(index);
        NewTextBuf(&p.einheit, kArticles[k][0]);
        NewTextBuf(&p.artnr, kArticles[k][1]);
        NewTextBuf(&p.bez, kArticles[k][2]);
        p.menge = quantities[k];
        p.mwst = k == 7 ? 7 : 19;
        p.preis = prices[k];
    }
    return index;
}
