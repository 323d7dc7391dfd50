#include "output/QtPrinterPage.h"

#include <QPrinter>
#include <QPrinterInfo>

TPrinterPage CurrentPrinterPage()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return kNoPrinterPage;
    QPrinter printer(info, QPrinter::HighResolution);
    const TPrinterPage page{printer.width(), printer.height(), printer.logicalDpiX()};
    if (page.PW <= 0 || page.PH <= 0 || page.PD <= 0)
        return kNoPrinterPage;
    return page;
}
