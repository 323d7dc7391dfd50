#include "ui/TEditTextbauForm.h"

#include "ui_TEditTextbauForm.h"

TEditTextbauForm::TEditTextbauForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TEditTextbauForm>())
{
    ui->setupUi(this);
    setFixedSize(size());
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

TEditTextbauForm::~TEditTextbauForm() = default;

bool TEditTextbauForm::Edit(QString& name, QString& text)
{
    ui->Edit1->setText(name);
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ui->Memo1->setPlainText(shown);
    if (exec() != QDialog::Accepted)
        return false;
    name = ui->Edit1->text();
    text = ui->Memo1->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return true;
}

void TEditTextbauForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ui->Edit1->setFocus();
}
