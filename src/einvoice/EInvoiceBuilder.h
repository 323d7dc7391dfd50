#pragma once

#include "einvoice/EInvoiceDocument.h"

#include <cstdint>
#include <string>
#include <vector>

class TRechnungBook;

// Where the user fills what a gap names: the tabs of the main window.
inline constexpr std::u16string_view kTabERechnungRechnung = u"Reiter E-Rechnung der Rechnung.";
inline constexpr std::u16string_view kTabERechnungEinstellungen = u"Reiter E-Rechnung der Einstellungen.";
inline constexpr std::u16string_view kTabFirma = u"Reiter Firma-Grundeinstellungen.";
inline constexpr std::u16string_view kTabAdresse = u"Reiter Rechnungs-Adresse.";
inline constexpr std::u16string_view kTabLieferadresse = u"Reiter Lieferadresse.";
inline constexpr std::u16string_view kTabPositionen = u"Reiter Rechungs-Positionen.";
inline constexpr std::u16string_view kTabWaehrung = u"Reiter Währung.";

// The e-invoice of one invoice, and what keeps it from being written.
struct EInvoiceBuild {
    EInvoiceDocument document;
    // Every gap against the profile's rules, one German line each naming the field and where
    // to fill it. Nothing may be written while there is one.
    std::vector<std::u16string> gaps;
    // The document kind is not an invoice: gaps holds the one line that says so.
    bool refused = false;
};

// The e-invoice code of a document kind (0 "Rechnung" 380, 3 "Gutschrift" 381), 0 for the
// kinds that are no invoice.
int EInvoiceTypeCode(int32_t kind);

// For a kind that is no invoice, the German text that says so; empty for the two that are.
std::u16string NotAnInvoiceText(int32_t kind);

// Puts together invoice `index` (0-based) of the book as the document kind `kind` in the
// profile, and checks it against what the profile requires.
EInvoiceBuild BuildEInvoice(const TRechnungBook& book, uint32_t index, int32_t kind, EInvoiceProfile profile);

// The gaps as the one box shows them: one per line.
std::u16string GapsText(const std::vector<std::u16string>& gaps);
