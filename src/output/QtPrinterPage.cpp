#include "output/QtPrinterPage.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace {

std::unique_ptr<QPrinter> defaultPrinter;
QPrinter* chosenPrinter = nullptr;

}

QPrinter* CurrentPrinter()
{
    if (chosenPrinter)
        return chosenPrinter;
    if (!defaultPrinter) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            return nullptr;
        defaultPrinter = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    }
    return defaultPrinter.get();
}

void SetCurrentPrinter(QPrinter* printer)
{
    chosenPrinter = printer;
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
