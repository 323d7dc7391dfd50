#include "ui/customers/TSortFeldForm.h"

#include "ui/shared/QtText.h"
#include "ui_TSortFeldForm.h"

#include <utility>

TSortFeldForm::TSortFeldForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TSortFeldForm>())
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TSortFeldForm::BitBtn1Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TSortFeldForm::BitBtn2Click);
}

TSortFeldForm::~TSortFeldForm() = default;

QListWidget* TSortFeldForm::ListBox1() const
{
    return ui->ListBox1;
}

void TSortFeldForm::Fill(const CustomerColumns& fields)
{
    ui->ListBox1->clear();
    nrs_.clear();
    for (size_t i = 0; i < fields.size(); ++i) {
        ui->ListBox1->addItem(ToQString(fields[i].name));
        nrs_.push_back(static_cast<int>(i));
    }
}

void TSortFeldForm::Swap(int row, int other)
{
    QListWidget* list = ui->ListBox1;
    QListWidgetItem* item = list->takeItem(row);
    list->insertItem(other, item);
    std::swap(nrs_[size_t(row)], nrs_[size_t(other)]);
    list->setCurrentRow(other);
}

void TSortFeldForm::BitBtn1Click()
{
    const int row = ui->ListBox1->currentRow();
    if (row > 0 && ui->ListBox1->currentItem() && ui->ListBox1->currentItem()->isSelected())
        Swap(row, row - 1);
}

void TSortFeldForm::BitBtn2Click()
{
    const int row = ui->ListBox1->currentRow();
    if (row >= 0 && row < ui->ListBox1->count() - 1 && ui->ListBox1->currentItem() &&
        ui->ListBox1->currentItem()->isSelected())
        Swap(row, row + 1);
}
