#include "ui/settings/LogoPage.h"

#include "invoices/SettingRange.h"
#include "invoices/TRechnungBook.h"
#include "ui/shared/QtText.h"
#include "ui/shared/StandardDialogs.h"
#include "ui_LogoPage.h"

#include <QFileInfo>

#include <utility>

LogoPage::LogoPage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::LogoPage>())
{
    ui->setupUi(this);
}

LogoPage::~LogoPage() = default;

void LogoPage::Attach(TRechnungBook& book)
{
    book_ = &book;
    for (const auto& [spin, range] :
         {std::pair{ui->LogoXEd, SettingRanges::LogoXEd}, std::pair{ui->LogoYEd, SettingRanges::LogoYEd},
          std::pair{ui->BreitEd, SettingRanges::BreitEd}})
        spin->setRange(range.minimum, range.maximum);
    connect(ui->FilenameEdit1, &QLineEdit::textChanged, this, &LogoPage::Changed);
    connect(ui->LogoXEd, &QDoubleSpinBox::valueChanged, this, &LogoPage::Changed);
    connect(ui->LogoYEd, &QDoubleSpinBox::valueChanged, this, &LogoPage::Changed);
    connect(ui->BreitEd, &QDoubleSpinBox::valueChanged, this, &LogoPage::Changed);
    connect(ui->FilenameEdit1Button, &QToolButton::clicked, this, &LogoPage::Browse);
}

void LogoPage::ShowSettings()
{
    const TRechnungSettings& s = book_->settings;
    filling_ = true;
    ui->FilenameEdit1->setText(ToQString(s.FilenameEdit1));
    // A stored value outside a field's range is shown taken into it.
    ui->LogoXEd->setValue(SettingRanges::LogoXEd.Clamp(s.LogoXEd));
    ui->LogoYEd->setValue(SettingRanges::LogoYEd.Clamp(s.LogoYEd));
    ui->BreitEd->setValue(SettingRanges::BreitEd.Clamp(s.BreitEd));
    filling_ = false;
}

void LogoPage::Changed()
{
    if (filling_ || !book_)
        return;
    TRechnungSettings& s = book_->settings;
    s.FilenameEdit1 = ToU16(ui->FilenameEdit1->text());
    s.LogoXEd = ui->LogoXEd->value();
    s.LogoYEd = ui->LogoYEd->value();
    s.BreitEd = ui->BreitEd->value();
    book_->SaveRechnungen();
}

void LogoPage::Browse()
{
    const QString start = QFileInfo(ui->FilenameEdit1->text()).absolutePath();
    const QString file = CurrentDialogs().GetOpenFileName(this, QStringLiteral("Logo auswählen"), start, filter_);
    if (!file.isEmpty())
        ui->FilenameEdit1->setText(file);
}
