#pragma once

#include "qtoutput/QtPrinterPage.h"
#include "ui/settings/PrinterCatalog.h"

#include <QDialog>
#include <memory>

namespace Ui {
class PrinterSetupDialog;
}

// "Drucker einrichten": chooses the printer among the installed ones, its paper size and
// source and the orientation. It opens on the run's current choice, so that OK without a
// change gives back that choice unchanged. Choosing another printer offers that printer's
// paper: the size chosen so far when the printer has it, else the printer's default, and
// the source chosen so far when it has one of that name, else the printer's own choice.
class PrinterSetupDialog : public QDialog {
    Q_OBJECT

public:
    PrinterSetupDialog(QList<PrinterOffer> printers, const PrinterChoice& current, QWidget* parent = nullptr);
    ~PrinterSetupDialog() override;

    // The choice as the controls show it.
    PrinterChoice Choice() const;

private:
    void ShowPrinter(int index, const QPageSize& size, const QString& source);
    void PrinterComboChange(int index);

    std::unique_ptr<Ui::PrinterSetupDialog> ui;
    QList<PrinterOffer> printers_;
    // The paper sizes of the combo box, item by item.
    QList<QPageSize> sizes_;
};
