#include "messages/MessageCatalog.h"

#include <array>

namespace {

struct Entry {
    int number;
    const char16_t* text;
};

// The slots the program asks for; every other slot is empty.
constexpr Entry kEntries[] = {
    {12, u"Konnte Datei nicht anlegen"},
    {13, u"Konnte Datei nicht öffnen"},
    {57, u"Gesamtbetrag"},
    {66, u"Netto"},
    {67, u"MwSt"},
    {68, u"Brutto"},
    {82, u"Menge"},
    {129, u"Sie haben noch keinen Artikel ausgewählt!"},
    {131, u"Wollen Sie diese Rechnung wirklich unwiderruflich löschen?"},
    {132, u"Rechnung löschen?"},
    {133,
     u"Achtung: die Datei save.dat konnte nicht angelegt werden. Die Datensätze konnten nicht gespeichert werden!"},
    {134, u"Die Rechnungposition wurde der Artikelliste hinzugefügt. Der Artikel ist nun dauerhaft verfügbar."},
    {135, u"Neuer Artikel"},
    {136, u"Tel."},
    {137, u"Fax"},
    {138, u"Steuer-Nr."},
    {139, u"eMail:"},
    {140, u"Homepage:"},
    {141, u"Lieferschein"},
    {142, u"Angebot"},
    {143, u"Rechnung"},
    {144, u"Einheit"},
    {145, u"ArtikelNr"},
    {146, u"Bezeichnung"},
    {147, u"Gesamt"},
    {148, u"Gesamtbetrag netto"},
    {149, u"Artikel mit"},
    {150, u"% MwSt:"},
    {151, u"Versandadresse:"},
    {152, u"Ihre Bestellung:"},
    {153, u"Bestelldatum:"},
    {154, u"Gutschrift"},
    {155, u"Auftragsbestätigung"},
    {156, u"Proforma Rechnung"},
    {159, u"Mahnung"},
    {160, u"Bestellung"},
    {193, u"Wollen Sie jetzt den Druck aller Datensätze beginnen? Jeweils ein Datensatz wird pro Blatt gedruckt!"},
    {194, u"Drucken"},
    {195, u"Der Name des Feldes darf nicht leer sein"},
    {196, u"Feldname"},
    {197, u"Feldlänge"},
    {198, u"Es sind keine zusätzlichen Felder zum Löschen vorhanden."},
    {199, u"Feld löschen"},
    {200, u"Wollen Sie das letzte Feld wirklich endgültig löschen?"},
    {201, u"Feld löschen"},
    {202, u"Datensatz"},
    {203, u"Firma"},
    {204, u"Name"},
    {205, u"Vorname"},
    {206, u"Anrede"},
    {207, u"StrasseNr"},
    {208, u"PLZ"},
    {209, u"Ort"},
    {210, u"Land"},
    {211, u"Telefon"},
    {212, u"Fax"},
    {213, u"Handy"},
    {214, u"Email"},
    {215, u"Mehr"},
    {224, u"Kundennr"},
    {229, u"Kostenst"},
    {264, u"Einzeln"},
    {267, u"Wollen Sie die aktuelle Datenbank überschreiben mit der alten Datenbank aus dem Programmverzeichnis? "
          u"Achtung es gehen alle aktuell geladenen Daten verloren."},
    {268, u"Übernehmen"},
    {269, u"Wollen Sie diese Textbausteine wirklich unwiderruflich löschen?"},
    {270, u"Textbausteine löschen?"},
    {271, u"Es ist kein Textbaustein ausgewählt."},
    {272, u"Wollen Sie diese Artikel wirklich unwiderruflich löschen?"},
    {273, u"Artikel löschen?"},
};

constexpr int kSlots = 273;

std::array<std::u16string_view, kSlots + 1> BuildTable()
{
    std::array<std::u16string_view, kSlots + 1> table{};
    for (const Entry& entry : kEntries)
        table[entry.number] = entry.text;
    return table;
}

const std::array<std::u16string_view, kSlots + 1> kTable = BuildTable();

}

std::u16string MessageText(int32_t n)
{
    if (n < 1 || n > kSlots)
        return {};
    return std::u16string(kTable[static_cast<size_t>(n)]);
}
