#pragma once

#include "einvoice/EInvoiceExport.h"

#include <cstdint>
#include <string>

class TRechnungBook;
struct TLayoutFormat;
struct TPrinterPage;

// When a hybrid is written: its creation time and the local clock's offset from UTC, both
// written into the file's dates.
struct HybridPdfTime {
    int64_t seconds = 0;           // since the epoch
    int32_t utcOffsetMinutes = 0;  // east of Greenwich positive

    // The clock of the machine, now.
    static HybridPdfTime Now();
};

// The name of the XML inside a hybrid: "xrechnung.xml" under XRechnung, else "factur-x.xml".
const char* HybridXmlFileName(EInvoiceProfile profile);

// "Als PDF speichern..." with "E-Rechnung einbetten (ZUGFeRD)" and the command line's
// --export-pdf --zugferd: checks invoice `index` (0-based) as document kind `kind` against the
// profile exactly as the e-invoice export does, then writes the page as a PDF/A-3b file that
// carries the e-invoice's XML, with the amounts, dates and VAT identifiers of the e-invoice on
// the page. Nothing is written when the kind is no invoice (Refused), when the check finds
// gaps (Gaps) or when a font of the page may not be embedded (FontsRefused); gaps then holds
// the German lines. Raises IoError when the file cannot be created or written; the file is
// complete or not there.
EInvoiceExportResult ExportHybridPdf(TRechnungBook& book, int32_t index, int32_t kind, EInvoiceProfile profile,
                                     const std::string& path, const TPrinterPage& printer, const TLayoutFormat& format,
                                     const HybridPdfTime& time);
