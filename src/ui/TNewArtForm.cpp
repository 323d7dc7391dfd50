#include "ui/TNewArtForm.h"

#include "ui_TNewArtForm.h"

TNewArtForm::TNewArtForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TNewArtForm>())
{
    ui->setupUi(this);
}

TNewArtForm::~TNewArtForm() = default;
