#include "ui/shared/TAboutBox.h"

#include "ui_TAboutBox.h"

#include <QDate>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TAboutBox>())
{
    ui->setupUi(this);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::showEvent(QShowEvent* event)
{
    // The year is the one of the day the box is shown, even in a program left running.
    ui->Copyright->setText(QString("© Vestrik %1. Alle Rechte vorbehalten.").arg(QDate::currentDate().year()));
    QDialog::showEvent(event);
}
