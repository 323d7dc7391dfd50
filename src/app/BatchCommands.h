#pragma once

#include "einvoice/EInvoiceDocument.h"

#include <QString>

#include <optional>

#include <cstdio>
#include <string>

// The program's work without a window. Each returns the exit code: 0 success, 1 failure.
// Errors go to standard error. None of them writes save.dat.

// The data folder of this run: the one given on the command line, or the stored choice.
QString BatchDataFolder(const QString& dataDirOption);

// One line per invoice, tab-separated: position, number, date, company, name, gross total.
int RunList(const QString& dataFolder, std::FILE* out = stdout);

// "Als PDF speichern..." without the window: invoice `position` (1-based, in the stored order)
// as a PDF file with the given document kind, on the current printer's page. Errors (no such
// invoice, a file that cannot be created or written) go to errors.
int RunExportPdf(const QString& dataFolder, int position, const QString& outputFile, int kind,
                 std::FILE* errors = stderr);

// "Als E-Rechnung speichern..." without the window: invoice `position` (1-based) as an e-invoice
// of the given document kind in the profile (the settings' one when none is given). When the
// check finds gaps they go to errors, one per line, and nothing is written (1).
int RunExportEInvoice(const QString& dataFolder, int position, const QString& outputFile, int kind,
                      std::optional<EInvoiceProfile> profile, std::FILE* errors = stderr);

// "Als PDF speichern..." with "E-Rechnung einbetten (ZUGFeRD)" without the window: invoice
// `position` (1-based) as a PDF/A-3 file that carries its e-invoice, checked as for
// RunExportEInvoice; gaps, or fonts that may not be embedded, go to errors and nothing is
// written (1).
int RunExportHybridPdf(const QString& dataFolder, int position, const QString& outputFile, int kind,
                       std::optional<EInvoiceProfile> profile, std::FILE* errors = stderr);

// The check alone: the gaps of invoice `position` on out, one per line; 0 when there are none.
int RunCheckEInvoice(const QString& dataFolder, int position, int kind, std::optional<EInvoiceProfile> profile,
                     std::FILE* out = stdout, std::FILE* errors = stderr);

// "Als PDF speichern..." of the window "E-Rechnung anzeigen" without the window: the received
// e-invoice in `file` (XML or hybrid PDF, the name passed to the system as it is) as its
// readable pages in a PDF file on the current printer's page. A file that cannot be read as an
// e-invoice, or a PDF that cannot be written, is reported on errors and nothing is written (1).
int RunEInvoiceToPdf(const std::string& file, const QString& outputFile, std::FILE* errors = stderr);

// The customer window's CSV export and import on the customer table of the data folder,
// opened or created as at start. The file name is passed to the system as it is.
int RunExportCustomersCsv(const QString& dataFolder, const std::string& file, std::FILE* errors = stderr);
int RunImportCustomersCsv(const QString& dataFolder, const std::string& file, std::FILE* errors = stderr);
