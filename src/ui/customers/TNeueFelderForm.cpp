#include "ui/customers/TNeueFelderForm.h"

#include "ui_TNeueFelderForm.h"

TNeueFelderForm::TNeueFelderForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TNeueFelderForm>())
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);  // fixed dialog border
}

TNeueFelderForm::~TNeueFelderForm() = default;

QLineEdit* TNeueFelderForm::Edit1() const
{
    return ui->Edit1;
}

QSpinBox* TNeueFelderForm::LangEd() const
{
    return ui->LangEd;
}

void TNeueFelderForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ui->Edit1->setFocus();
}
