#include "ui/settings/TDataPathForm.h"

#include "ui/shared/QtText.h"
#include "ui/shared/StandardDialogs.h"
#include "ui_TDataPathForm.h"

#include <QCoreApplication>
#include <QSettings>

TDataPathForm::TDataPathForm(QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TDataPathForm>()),
      FormStorage1(this)
{
    ui->setupUi(this);
    FormStorage1.AddProperty("ProgramFolderCheck.Checked", ui->ProgramFolderCheck, "checked");
    FormStorage1.AddProperty("UseSpecialFolderCheck.Checked", ui->UseSpecialFolderCheck, "checked");
    FormStorage1.AddProperty("DirectoryEdit1.Text", ui->DirectoryEdit1, "text");
    FormStorage1.AddProperty("UserFolderCheck.Checked", ui->UserFolderCheck, "checked");
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->DirectoryEdit1Button, &QToolButton::clicked, this, &TDataPathForm::BrowseDirectory);
}

TDataPathForm::~TDataPathForm() = default;

void TDataPathForm::RestoreStoredValues()
{
    FormStorage1.RestoreValues();
}

void TDataPathForm::SetUserFolderText(const QString& path)
{
    ui->Edit3->setText(path);
}

DataFolderChoice TDataPathForm::Choice() const
{
    DataFolderChoice choice;
    choice.ProgramFolderCheck = ui->ProgramFolderCheck->isChecked();
    choice.UserFolderCheck = ui->UserFolderCheck->isChecked();
    choice.UseSpecialFolderCheck = ui->UseSpecialFolderCheck->isChecked();
    choice.DirectoryEdit1 = QStringToPath(ui->DirectoryEdit1->text());
    return choice;
}

DataFolderChoice TDataPathForm::StoredChoice()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("TDataPathForm"));
    DataFolderChoice choice;
    choice.ProgramFolderCheck = settings.value("ProgramFolderCheck.Checked", choice.ProgramFolderCheck).toBool();
    choice.UseSpecialFolderCheck =
        settings.value("UseSpecialFolderCheck.Checked", choice.UseSpecialFolderCheck).toBool();
    choice.DirectoryEdit1 = QStringToPath(settings.value("DirectoryEdit1.Text").toString());
    choice.UserFolderCheck = settings.value("UserFolderCheck.Checked", choice.UserFolderCheck).toBool();
    return choice;
}

std::string TDataPathForm::ProgramFolderPath()
{
    const std::string folder = ProgramFolder();
    if (!folder.empty())
        return folder;
    return WithTrailingSlash(QStringToPath(QCoreApplication::applicationDirPath()));
}

void TDataPathForm::showEvent(QShowEvent* event)
{
    if (!restored_) {
        restored_ = true;
        FormStorage1.Restore();
    }
    QDialog::showEvent(event);
}

void TDataPathForm::done(int result)
{
    FormStorage1.Save();
    QDialog::done(result);
}

void TDataPathForm::BrowseDirectory()
{
    const QString folder = CurrentDialogs().GetExistingDirectory(this, windowTitle(), ui->DirectoryEdit1->text());
    if (!folder.isEmpty()) {
        ui->DirectoryEdit1->setText(folder);
        ui->UseSpecialFolderCheck->setChecked(true);
    }
}
