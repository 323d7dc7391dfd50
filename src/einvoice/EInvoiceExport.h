#pragma once

#include "einvoice/EInvoiceDocument.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TRechnungBook;
struct TRechnungRec;
struct TRechnungSettings;

// "Als E-Rechnung speichern..." and the command line's --export-einvoice: check, then write.
struct EInvoiceExportResult {
    enum class Status {
        Written,       // the file is complete
        NoInvoice,     // no invoice at that index: nothing checked, nothing written
        Refused,       // the document kind is no invoice: gaps holds the German text
        Gaps,          // the check found gaps: nothing written
        FontsRefused,  // a hybrid PDF only: a font may not be embedded (gaps names it)
    };
    Status status = Status::Written;
    std::vector<std::u16string> gaps;
};

// The profile the settings choose.
EInvoiceProfile DefaultEInvoiceProfile(const TRechnungSettings& settings);

// Invoice `index` (0-based) built as document kind `kind` in the profile and checked: the
// document when it may be written; otherwise nothing, and `result` says why (NoInvoice,
// Refused or Gaps with the German lines).
std::optional<EInvoiceDocument> CheckedEInvoice(const TRechnungBook& book, int32_t index, int32_t kind,
                                                EInvoiceProfile profile, EInvoiceExportResult& result);

// Checks invoice `index` (0-based) as document kind `kind` against the profile and, when
// nothing is missing, writes its XML to `path`: to a new file that replaces `path` only when
// complete. Raises IoError when the file cannot be created or written (nothing is left
// behind then).
EInvoiceExportResult ExportEInvoice(const TRechnungBook& book, int32_t index, int32_t kind, EInvoiceProfile profile,
                                    const std::string& path);

// The file name the save dialog proposes: as for PDFs (the date number or the invoice's own
// number by the numbering mode, "/" turned into "-"), ending in ".xml"; nothing without
// numbers.
std::optional<std::u16string> ProposedEInvoiceName(const TRechnungSettings& settings, const TRechnungRec& rechnung);
