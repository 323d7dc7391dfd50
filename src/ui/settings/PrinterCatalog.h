#pragma once

#include <QList>
#include <QPageSize>
#include <QString>
#include <QStringList>

// A printer as the printer setup offers it: its name, the paper it takes and the paper
// sources it has.
struct PrinterOffer {
    QString name;         // the print queue's name
    QString description;  // the printer's own description; empty when it has none
    QList<QPageSize> pageSizes;
    QPageSize defaultPageSize;
    QStringList paperSources;  // keywords of the print system ("tray-1", "manual")
};

// The printers installed in the print system, the default printer first, with the paper
// sizes and sources each reports. A printer that names no paper sizes is offered the common
// sizes A4, A5, US Letter and US Legal.
QList<PrinterOffer> InstalledPrinters();

// How a paper source is shown: its German name, or the keyword itself for one without.
QString PaperSourceText(const QString& keyword);
