#pragma once

#include "customers/RecordPrintLayout.h"

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QPainter;
class QPrinter;
class QTemporaryDir;
class QWidget;

// Print jobs on the printer of the run (CurrentPrinter), for invoices and customer records.

// The page rectangle with half an inch of margin on the current printer's page (A4 at 600
// pixels per inch without a printer).
RecordPrintLayout::Rect HalfInchPageRect();

// "Drucker einrichten...": the printer setup; the choice lasts for the run. Tells the user
// when no printer is installed. True when a choice was made.
bool RunPrinterSetup(QWidget* parent, std::u16string_view noPrinterAdvice);

// Whether there is a printer to print on; tells the user otherwise (with `advice`).
bool CheckPrinterAvailable(std::u16string_view advice);

// One job on the printer of the run. A printer of the print system gets the pages as a PDF
// file, which is handed to the printer's queue with the run's paper, source and orientation
// when the job is finished; the queue's answer tells whether the job was taken. Qt's own
// printing would drop a refused job without a word. A printer that writes a file (tests)
// is painted on directly.
class PrintJob {
public:
    // `noPrinterAdvice` follows "Es ist kein Drucker eingerichtet." when there is no printer.
    PrintJob(QString title, std::u16string noPrinterAdvice);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // Begins the job with the painter on its first page. False (after telling the user) when
    // there is no printer or the job cannot start.
    bool Begin(QPainter& painter);
    // The device the pages are painted on (after Begin): the run's printer or the job's file.
    QPrinter& Printer() const { return *device_; }
    // Ends the painting and sends the job. False (after telling the user "Der Druck ist
    // fehlgeschlagen. …") when the pages could not be written or the print system did not
    // take the job.
    bool Finish(QPainter& painter);

private:
    QString title_;
    std::u16string noPrinterAdvice_;
    QPrinter* device_ = nullptr;
    std::unique_ptr<QPrinter> spoolPrinter_;
    std::unique_ptr<QTemporaryDir> spoolDir_;
};
