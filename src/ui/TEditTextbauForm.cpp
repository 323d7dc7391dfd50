#include "ui/TEditTextbauForm.h"

#include "ui_TEditTextbauForm.h"

TEditTextbauForm::TEditTextbauForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TEditTextbauForm>())
{
    ui->setupUi(this);
}

TEditTextbauForm::~TEditTextbauForm() = default;
