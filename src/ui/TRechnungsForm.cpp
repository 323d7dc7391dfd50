#include "ui/TRechnungsForm.h"

#include "ui_TRechnungsForm.h"

TRechnungsForm::TRechnungsForm(QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TRechnungsForm>())
{
    ui->setupUi(this);
}

TRechnungsForm::~TRechnungsForm() = default;
