#pragma once

#include "output/TPrinterPage.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>

// The page of the current printer as Qt's print support reports it: the printable area of
// the run's printer in its own pixels at its full resolution, and that resolution. With no
// printer installed (or one that reports no usable page), the no-printer page: A4 at 600
// pixels per inch.
TPrinterPage CurrentPrinterPage();

class QPrinter;
class QPrinterInfo;

// The printer of this run: the system's default printer at first, on its own default paper
// and with its real printable area; changed by the printer setup, whose choice lasts until
// the program ends. Printing, the preview's page and the PDF page all take it from here.
// Null when no printer is installed.
QPrinter* CurrentPrinter();
// Makes `printer` the printer of the run (the caller keeps it alive while it is in use);
// null forgets both it and the printer chosen so far, so that the next call of
// CurrentPrinter() starts again from the default printer. Tests use it to print into PDF
// files.
void SetCurrentPrinter(QPrinter* printer);
// The page of a given printer (its printable area in its pixels and its resolution).
TPrinterPage PageOf(const QPrinter& printer);

// What the printer setup chooses: the printer, its paper size and source, the orientation.
struct PrinterChoice {
    QString printerName;  // empty: a printer outside the print system (a test's PDF printer)
    QPageSize pageSize;
    // The print system's keyword of the paper source ("tray-2"); empty leaves it to the
    // printer.
    QString paperSource;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;

    bool operator==(const PrinterChoice& other) const
    {
        return printerName == other.printerName && pageSize == other.pageSize && paperSource == other.paperSource &&
               orientation == other.orientation;
    }
};

// The run's printer as a choice; an empty choice (no page size) without a printer.
PrinterChoice CurrentPrinterChoice();
// Makes the choice the run's printer: another printer of the print system when the name
// differs, then paper, orientation and source; the margins become the printer's printable
// area for that paper. False (nothing changed) when the chosen printer is not installed.
bool ApplyPrinterChoice(const PrinterChoice& choice);
// The paper source of the run's printer (empty: the printer's own choice).
QString CurrentPaperSource();

// Gives a printer of the print system its default paper (as the printer reports it) and
// the printer's real printable area as margins.
void UsePrinterDefaults(QPrinter& printer, const QPrinterInfo& info);
// Sets the margins to the printable area the printer reports for its current paper (zero on
// a borderless printer) instead of Qt's own minimum of 10 points.
void UsePrintableArea(QPrinter& printer);
