#include "ui/settings/PrinterSetupDialog.h"

#include "messages/PrintMessages.h"
#include "ui/shared/QtText.h"
#include "ui_PrinterSetupDialog.h"

namespace {

QString PrinterText(const PrinterOffer& printer)
{
    if (printer.description.isEmpty() || printer.description == printer.name)
        return printer.name;
    return printer.description + QStringLiteral(" (") + printer.name + QLatin1Char(')');
}

// The item of `sizes` that is `size`: the same name of the print system first, then the same
// dimensions; -1 for none.
int IndexOfSize(const QList<QPageSize>& sizes, const QPageSize& size)
{
    if (!size.isValid())
        return -1;
    for (int i = 0; i < sizes.size(); ++i) {
        if (sizes[i].key() == size.key() && sizes[i].isEquivalentTo(size))
            return i;
    }
    for (int i = 0; i < sizes.size(); ++i) {
        if (sizes[i].isEquivalentTo(size))
            return i;
    }
    return -1;
}

}  // namespace

PrinterSetupDialog::PrinterSetupDialog(QList<PrinterOffer> printers, const PrinterChoice& current, QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::PrinterSetupDialog>()),
      printers_(std::move(printers))
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    int selected = 0;
    for (int i = 0; i < printers_.size(); ++i) {
        ui->PrinterCombo->addItem(PrinterText(printers_[i]));
        if (printers_[i].name == current.printerName)
            selected = i;
    }
    // A paper the run uses but the printer does not name stays on offer, so that OK keeps it.
    if (!printers_.isEmpty() && printers_[selected].name == current.printerName &&
        IndexOfSize(printers_[selected].pageSizes, current.pageSize) < 0 && current.pageSize.isValid())
        printers_[selected].pageSizes.prepend(current.pageSize);
    ui->PrinterCombo->setCurrentIndex(selected);
    const bool samePrinter = !printers_.isEmpty() && printers_[selected].name == current.printerName;
    ShowPrinter(selected, samePrinter ? current.pageSize : QPageSize(), samePrinter ? current.paperSource : QString());
    (current.orientation == QPageLayout::Landscape ? ui->LandscapeRadio : ui->PortraitRadio)->setChecked(true);
    connect(ui->PrinterCombo, &QComboBox::currentIndexChanged, this, &PrinterSetupDialog::PrinterComboChange);
    ui->OkButton->setEnabled(!printers_.isEmpty());
}

PrinterSetupDialog::~PrinterSetupDialog() = default;

void PrinterSetupDialog::ShowPrinter(int index, const QPageSize& size, const QString& source)
{
    ui->PaperSizeCombo->clear();
    ui->PaperSourceCombo->clear();
    sizes_.clear();
    if (index < 0 || index >= printers_.size())
        return;
    const PrinterOffer& printer = printers_[index];
    sizes_ = printer.pageSizes;
    for (const QPageSize& paper : sizes_)
        ui->PaperSizeCombo->addItem(paper.name());
    int sizeIndex = IndexOfSize(sizes_, size);
    if (sizeIndex < 0)
        sizeIndex = IndexOfSize(sizes_, printer.defaultPageSize);
    ui->PaperSizeCombo->setCurrentIndex(std::max(sizeIndex, 0));

    ui->PaperSourceCombo->addItem(ToQString(PrintMessages::PrinterDefaultSource()), QString());
    for (const QString& keyword : printer.paperSources)
        ui->PaperSourceCombo->addItem(PaperSourceText(keyword), keyword);
    ui->PaperSourceCombo->setCurrentIndex(std::max(0, ui->PaperSourceCombo->findData(source)));
    ui->PaperSourceCombo->setEnabled(!printer.paperSources.isEmpty());
}

void PrinterSetupDialog::PrinterComboChange(int index)
{
    const PrinterChoice before = Choice();
    ShowPrinter(index, before.pageSize, ui->PaperSourceCombo->currentData().toString());
}

PrinterChoice PrinterSetupDialog::Choice() const
{
    PrinterChoice choice;
    const int printer = ui->PrinterCombo->currentIndex();
    if (printer >= 0 && printer < printers_.size())
        choice.printerName = printers_[printer].name;
    const int size = ui->PaperSizeCombo->currentIndex();
    if (size >= 0 && size < sizes_.size())
        choice.pageSize = sizes_[size];
    choice.paperSource = ui->PaperSourceCombo->currentData().toString();
    choice.orientation = ui->LandscapeRadio->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
    return choice;
}
