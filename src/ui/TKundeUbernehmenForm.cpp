#include "ui/TKundeUbernehmenForm.h"

#include "ui_TKundeUbernehmenForm.h"

TKundeUbernehmenForm::TKundeUbernehmenForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TKundeUbernehmenForm>())
{
    ui->setupUi(this);
}

TKundeUbernehmenForm::~TKundeUbernehmenForm() = default;
