#include "ui/settings/PrinterCatalog.h"

#include "messages/PrintMessages.h"
#include "output/CupsQueue.h"
#include "ui/shared/QtText.h"

#include <QPrinterInfo>

QList<PrinterOffer> InstalledPrinters()
{
    QList<PrinterOffer> offers;
    const QString defaultName = QPrinterInfo::defaultPrinterName();
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
        PrinterOffer offer;
        offer.name = info.printerName();
        offer.description = info.description();
        offer.pageSizes = info.supportedPageSizes();
        if (offer.pageSizes.isEmpty()) {
            for (const QPageSize::PageSizeId id : {QPageSize::A4, QPageSize::A5, QPageSize::Letter, QPageSize::Legal})
                offer.pageSizes << QPageSize(id);
        }
        offer.defaultPageSize = info.defaultPageSize();
        if (!offer.defaultPageSize.isValid())
            offer.defaultPageSize = offer.pageSizes.first();
        for (const std::string& keyword : CupsQueue(offer.name.toStdString()).PaperSources())
            offer.paperSources << QString::fromStdString(keyword);
        if (offer.name == defaultName)
            offers.prepend(offer);
        else
            offers.append(offer);
    }
    return offers;
}

QString PaperSourceText(const QString& keyword)
{
    const std::u16string name = PrintMessages::PaperSourceName(keyword.toStdString());
    return name.empty() ? keyword : ToQString(name);
}
