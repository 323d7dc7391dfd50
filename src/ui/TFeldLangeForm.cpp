#include "ui/TFeldLangeForm.h"

#include "messages/MessageCatalog.h"
#include "ui/QtText.h"
#include "ui_TFeldLangeForm.h"

#include <QHeaderView>
#include <QTableWidgetItem>

TFeldLangeForm::TFeldLangeForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TFeldLangeForm>())
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->StringGrid1->setHorizontalHeaderLabels({ToQString(MessageText(196)), ToQString(MessageText(197))});
    ui->StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ui->StringGrid1->setEditTriggers(QAbstractItemView::AllEditTriggers);
    setFixedSize(size());
}

TFeldLangeForm::~TFeldLangeForm() = default;

QTableWidget* TFeldLangeForm::StringGrid1() const
{
    return ui->StringGrid1;
}

void TFeldLangeForm::Fill(const std::vector<DbfField>& fields)
{
    QTableWidget* grid = ui->StringGrid1;
    grid->clearContents();
    grid->setRowCount(static_cast<int>(fields.size()));
    for (int row = 0; row < grid->rowCount(); ++row) {
        const DbfField& field = fields[size_t(row)];
        auto* name = new QTableWidgetItem(field.IsMemo() ? QString() : ToQString(field.name));
        name->setFlags(Qt::ItemIsEnabled);  // the fixed first column
        grid->setItem(row, 0, name);
        auto* length = new QTableWidgetItem(field.IsMemo() ? QString() : QString::number(field.length));
        if (field.IsMemo()) {
            length->setFlags(Qt::ItemIsEnabled);
            grid->setItem(row, 1, length);
        } else {
            length->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->setItem(row, 1, length);
            grid->openPersistentEditor(length);  // the editor is always shown
        }
    }
}

std::vector<std::u16string> TFeldLangeForm::Lengths() const
{
    QTableWidget* grid = ui->StringGrid1;
    std::vector<std::u16string> lengths;
    for (int row = 0; row < grid->rowCount(); ++row) {
        QTableWidgetItem* item = grid->item(row, 1);
        if (item && grid->isPersistentEditorOpen(item)) {
            // Commit what is typed in the open editor.
            grid->closePersistentEditor(item);
            grid->openPersistentEditor(item);
        }
        lengths.push_back(item ? ToU16(item->text()) : std::u16string());
    }
    return lengths;
}
