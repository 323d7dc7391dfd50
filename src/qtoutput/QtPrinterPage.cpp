#include "qtoutput/QtPrinterPage.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace {

// The printer of the run, made from the default printer or by the printer setup.
std::unique_ptr<QPrinter> runPrinter;
QString runPaperSource;
// A printer a test installed; it takes precedence over the run's own.
QPrinter* installedPrinter = nullptr;

}  // namespace

void UsePrintableArea(QPrinter& printer)
{
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

void UsePrinterDefaults(QPrinter& printer, const QPrinterInfo& info)
{
    const QPageSize paper = info.defaultPageSize();
    if (paper.isValid())
        printer.setPageSize(paper);
    UsePrintableArea(printer);
}

QPrinter* CurrentPrinter()
{
    if (installedPrinter)
        return installedPrinter;
    if (!runPrinter) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return nullptr;
        runPrinter = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        UsePrinterDefaults(*runPrinter, info);
        runPaperSource.clear();
    }
    return runPrinter.get();
}

void SetCurrentPrinter(QPrinter* printer)
{
    installedPrinter = printer;
    if (!printer) {
        runPrinter.reset();
        runPaperSource.clear();
    }
}

TPrinterPage PageOf(const QPrinter& printer)
{
    return TPrinterPage{printer.width(), printer.height(), printer.logicalDpiX()};
}

TPrinterPage CurrentPrinterPage()
{
    const QPrinter* printer = CurrentPrinter();
    if (!printer)
        return kNoPrinterPage;
    const TPrinterPage page = PageOf(*printer);
    if (page.PW <= 0 || page.PH <= 0 || page.PD <= 0)
        return kNoPrinterPage;
    return page;
}

PrinterChoice CurrentPrinterChoice()
{
    const QPrinter* printer = CurrentPrinter();
    if (!printer)
        return {};
    PrinterChoice choice;
    if (printer->outputFormat() == QPrinter::NativeFormat)
        choice.printerName = printer->printerName();
    choice.pageSize = printer->pageLayout().pageSize();
    choice.orientation = printer->pageLayout().orientation();
    choice.paperSource = printer == installedPrinter ? QString() : runPaperSource;
    return choice;
}

bool ApplyPrinterChoice(const PrinterChoice& choice)
{
    QPrinter* printer = CurrentPrinter();
    if (!choice.printerName.isEmpty() && (!printer || printer->outputFormat() != QPrinter::NativeFormat ||
                                          printer->printerName() != choice.printerName)) {
        const QPrinterInfo info = QPrinterInfo::printerInfo(choice.printerName);
        if (info.isNull())
            return false;
        installedPrinter = nullptr;
        runPrinter = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer = runPrinter.get();
    }
    if (!printer)
        return false;
    printer->setPageOrientation(choice.orientation);
    if (choice.pageSize.isValid())
        printer->setPageSize(choice.pageSize);
    UsePrintableArea(*printer);
    if (printer != installedPrinter)
        runPaperSource = choice.paperSource;
    return true;
}

QString CurrentPaperSource()
{
    return installedPrinter ? QString() : runPaperSource;
}
