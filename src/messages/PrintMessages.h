#pragma once

#include "messages/PrintRefusal.h"

#include <string>
#include <string_view>

// The texts of printing that the user sees, beside the numbered catalog: no printer, a job
// that could not start or was refused, and the German names of paper sources.
namespace PrintMessages {

// "Es ist kein Drucker eingerichtet." followed by what the user can do instead (`advice`).
std::u16string NoPrinter(std::u16string_view advice);
// The advice of the invoice output, of the customer records and of the printer setup.
inline constexpr std::u16string_view kInvoiceAdvice =
    u"Bitte richten Sie einen Drucker ein oder speichern Sie die Rechnung als PDF.";
// The advice of the window "E-Rechnung anzeigen".
inline constexpr std::u16string_view kReceivedAdvice =
    u"Bitte richten Sie einen Drucker ein oder speichern Sie die E-Rechnung als PDF.";
inline constexpr std::u16string_view kRecordAdvice =
    u"Bitte richten Sie in den Einstellungen des Systems einen Drucker ein; die Datensätze können dann gedruckt "
    u"werden.";
inline constexpr std::u16string_view kSetupAdvice = u"Die Seite hat die Größe DIN A4.";

// A job that could not be begun: the painting could not start on the printer.
std::u16string JobNotStarted(std::u16string_view title);

// "Der Druck ist fehlgeschlagen." with the reason the print service gave for not taking the
// job, for the printer `printer`.
std::u16string PrintFailed(PrintRefusal refusal, std::u16string_view printer, std::u16string_view detail);

// The German name of a paper source keyword of the print service ("tray-2" → "Fach 2");
// empty for a keyword without one.
std::u16string PaperSourceName(std::string_view keyword);

// The paper source entry that leaves the choice to the printer.
std::u16string PrinterDefaultSource();

}  // namespace PrintMessages
