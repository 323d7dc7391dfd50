#pragma once

#include "output/TLayoutFormat.h"
#include "output/TPrinterPage.h"

#include <cstdint>
#include <optional>
#include <string>

class TRechnungBook;
struct TRechnungRec;
struct TRechnungSettings;

enum class PdfExportResult {
    Written,     // the file is complete
    NoInvoice,   // no invoice at that index: nothing begun, nothing written
    NotCreated,  // the file could not be created; the user has been told
};

// Writes invoice `rechnung` of the book (0-based) as a PDF file with document kind `kind`:
// a new PDF writer, the document begun under fileName, the page size converted from the
// printer's page, the page layout with the PDF as target, the document ended. A file that
// cannot be created gives the information box "Konnte PDF-Datei nicht erstellen!".
// An I/O error while writing raises IoError and leaves no file behind.
PdfExportResult ExportPdf(TRechnungBook& book, int32_t rechnung, int32_t kind, const std::string& fileName,
                          const TPrinterPage& printer, const TLayoutFormat& format);

// The file name the save dialog proposes for an invoice: its date number or its own number
// followed by ".pdf", by the numbering mode; nothing without numbers (the dialog then keeps
// the name of its last use). A "/" in a number, which cannot stand in a file name, becomes
// "-".
std::optional<std::u16string> ProposedPdfName(const TRechnungSettings& settings, const TRechnungRec& rechnung);
