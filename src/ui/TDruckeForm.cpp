#include "ui/TDruckeForm.h"

#include "ui_TDruckeForm.h"

TDruckeForm::TDruckeForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TDruckeForm>())
{
    ui->setupUi(this);
}

TDruckeForm::~TDruckeForm() = default;
