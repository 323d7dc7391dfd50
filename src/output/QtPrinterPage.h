#pragma once

#include "output/TPrinterPage.h"

// The page of the current printer as Qt's print support reports it: the printable area of
// the default printer in its own pixels at its full resolution, and that resolution. With no
// printer installed (or one that reports no usable page), the no-printer page: A4 at 600
// pixels per inch.
TPrinterPage CurrentPrinterPage();

class QPrinter;

// The printer of this run: the default printer at first, changed by the printer setup; the
// choice lasts until the program ends. Null when no printer is installed.
QPrinter* CurrentPrinter();
// Makes `printer` the printer of the run (the caller keeps it alive while it is in use);
// null goes back to the default printer. Tests use it to print into PDF files.
void SetCurrentPrinter(QPrinter* printer);
// The page of a given printer (its printable area in its pixels and its resolution).
TPrinterPage PageOf(const QPrinter& printer);
