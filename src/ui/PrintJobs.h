#pragma once

#include "customers/RecordPrintLayout.h"

#include <QString>
#include <functional>

class QPainter;
class QPrinter;
class QWidget;

// Print jobs of the customer window on the printer of the run (CurrentPrinter), which the
// invoice printing uses too.

// The page rectangle with half an inch of margin on the current printer's page (A4 at 600
// pixels per inch without a printer).
RecordPrintLayout::Rect HalfInchPageRect();

// "Drucker einrichten...": the printer setup; the choice lasts for the run. Tells the user
// when no printer is installed.
bool RunPrinterSetup(QWidget* parent);

// Whether there is a printer to print on; tells the user otherwise.
bool CheckPrinterAvailable();

// Tests: called with the printer right before each job begins (to give each job a file).
void SetPrintJobHook(std::function<void(QPrinter& printer)> hook);

// Begins a print job with this title on the printer of the run and the painter on it. False
// (after telling the user) when there is no printer or the job cannot start.
bool BeginPrintJob(QPainter& painter, const QString& title);
