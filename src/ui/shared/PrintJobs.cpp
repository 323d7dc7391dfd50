#include "ui/shared/PrintJobs.h"

#include "foundation/Messenger.h"
#include "messages/PrintMessages.h"
#include "output/CupsQueue.h"
#include "qtoutput/QtPrinterPage.h"
#include "ui/shared/QtText.h"
#include "ui/shared/StandardDialogs.h"
#include "ui/shared/UiServices.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

// The job options that carry the run's paper to the print system.
CupsQueue::Options JobOptions(const QPrinter& printer)
{
    CupsQueue::Options options;
    const QPageLayout layout = printer.pageLayout();
    if (!layout.pageSize().key().isEmpty())
        options.emplace_back("media", layout.pageSize().key().toStdString());
    const QString source = CurrentPaperSource();
    if (!source.isEmpty())
        options.emplace_back("media-source", source.toStdString());
    // IPP's "landscape" (orientation-requested 4); the PDF's pages are landscape already.
    if (layout.orientation() == QPageLayout::Landscape)
        options.emplace_back("orientation-requested", "4");
    return options;
}

}  // namespace

RecordPrintLayout::Rect HalfInchPageRect()
{
    const TPrinterPage page = CurrentPrinterPage();
    return RecordPrintLayout::HalfInchMargins(page.PD, page.PD, page.PW, page.PH);
}

bool CheckPrinterAvailable(std::u16string_view advice)
{
    if (CurrentPrinter())
        return true;
    CurrentMessenger().ShowError(PrintMessages::NoPrinter(advice));
    return false;
}

bool RunPrinterSetup(QWidget* parent, std::u16string_view noPrinterAdvice)
{
    if (!CheckPrinterAvailable(noPrinterAdvice))
        return false;
    PrinterChoice choice = CurrentPrinterChoice();
    if (!CurrentDialogs().SetupPrinter(parent, choice))
        return false;
    if (!ApplyPrinterChoice(choice)) {
        CurrentMessenger().ShowError(
            PrintMessages::PrintFailed(CupsQueue::Refusal::NoSuchPrinter, ToU16(choice.printerName), {}));
        return false;
    }
    return true;
}

PrintJob::PrintJob(QString title, std::u16string noPrinterAdvice)
    : title_(std::move(title)),
      noPrinterAdvice_(std::move(noPrinterAdvice))
{
}

PrintJob::~PrintJob() = default;

bool PrintJob::Begin(QPainter& painter)
{
    if (!CheckPrinterAvailable(noPrinterAdvice_))
        return false;
    QPrinter& printer = *CurrentPrinter();
    if (Services().beforePrintJob)
        Services().beforePrintJob(printer);
    printer.setDocName(title_);
    device_ = &printer;
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        // The pages go into a file of their own first, on the run's paper at the printer's
        // resolution, so that painting and the printed page agree pixel for pixel.
        spoolDir_ = std::make_unique<QTemporaryDir>();
        spoolPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        spoolPrinter_->setOutputFormat(QPrinter::PdfFormat);
        spoolPrinter_->setOutputFileName(spoolDir_->filePath(QStringLiteral("job.pdf")));
        spoolPrinter_->setResolution(printer.resolution());
        spoolPrinter_->setPageLayout(printer.pageLayout());
        spoolPrinter_->setDocName(title_);
        spoolPrinter_->setCreator(QStringLiteral("Rekolon"));
        device_ = spoolPrinter_.get();
    }
    if ((spoolDir_ && !spoolDir_->isValid()) || !painter.begin(device_)) {
        CurrentMessenger().ShowError(PrintMessages::JobNotStarted(ToU16(title_)));
        device_ = nullptr;
        return false;
    }
    return true;
}

bool PrintJob::Finish(QPainter& painter)
{
    const bool written = painter.end() && device_ && device_->printerState() != QPrinter::Error;
    QPrinter* printer = CurrentPrinter();
    if (!written) {
        CurrentMessenger().ShowError(PrintMessages::PrintFailed(CupsQueue::Refusal::Other, {}, {}));
        return false;
    }
    if (!spoolPrinter_ || !printer)
        return true;
    const CupsQueue queue(printer->printerName().toStdString());
    const CupsQueue::SendResult sent = queue.SendFile(QFile::encodeName(spoolPrinter_->outputFileName()).toStdString(),
                                                      title_.toStdString(), JobOptions(*printer));
    if (sent.refusal != CupsQueue::Refusal::None) {
        CurrentMessenger().ShowError(PrintMessages::PrintFailed(sent.refusal, ToU16(printer->printerName()),
                                                                ToU16(QString::fromStdString(sent.detail))));
        return false;
    }
    return true;
}
