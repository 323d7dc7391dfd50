#include "ui/invoices/TEditTextbauForm.h"

#include "ui/shared/QtText.h"
#include "ui/shared/UiServices.h"
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
    ui->Memo1->setPlainText(ShownLines(text));
    if (RunDialog(*this) != QDialog::Accepted)
        return false;
    name = ui->Edit1->text();
    text = StoredLines(ui->Memo1->toPlainText());
    return true;
}

void TEditTextbauForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ui->Edit1->setFocus();
}
