#include "ui/settings/SchriftartenPage.h"

#include "invoices/TRechnungBook.h"
#include "ui/settings/FontSettingConversion.h"
#include "ui/shared/StandardDialogs.h"
#include "ui_SchriftartenPage.h"

#include <QRegularExpression>

SchriftartenPage::SchriftartenPage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::SchriftartenPage>())
{
    ui->setupUi(this);
    buttons_ = {ui->FontBtn1, ui->FontBtn2, ui->FontBtn3, ui->FontBtn4, ui->FontBtn5,
                ui->FontBtn6, ui->FontBtn7, ui->FontBtn8, ui->FontBtn9};
    labels_ = {ui->FontLabel1, ui->FontLabel2, ui->FontLabel3, ui->FontLabel4, ui->FontLabel5,
               ui->FontLabel6, ui->FontLabel7, ui->FontLabel8, ui->FontLabel9};
}

SchriftartenPage::~SchriftartenPage() = default;

void SchriftartenPage::Attach(TRechnungBook& book, int screenPixelsPerInch)
{
    book_ = &book;
    pixelsPerInch_ = screenPixelsPerInch;
    for (int i = 0; i < 9; ++i)
        connect(buttons_[i], &QPushButton::clicked, this, [this, i] { EditFont(i + 1); });
}

TFontSetting& SchriftartenPage::Setting(int number)
{
    TRechnungSettings& s = book_->settings;
    TFontSetting* fonts[] = {&s.FontDialog1, &s.FontDialog2, &s.FontDialog3, &s.FontDialog4, &s.FontDialog5,
                             &s.FontDialog6, &s.FontDialog7, &s.FontDialog8, &s.FontDialog9};
    return *fonts[number - 1];
}

void SchriftartenPage::ShowSettings()
{
    for (int i = 0; i < 9; ++i)
        labels_[i]->setText(DescribeFont(Setting(i + 1)));
}

void SchriftartenPage::EditFont(int number)
{
    if (number < 1 || number > 9)
        return;
    TFontSetting& setting = Setting(number);
    const QFont shown = ToQFont(setting);
    QFont font = shown;
    QString caption = buttons_[number - 1]->text();
    caption.remove(QRegularExpression(QStringLiteral("\\.+$")));
    if (!CurrentDialogs().GetFont(this, caption.trimmed(), font))
        return;
    ApplyChosenFont(shown, font, pixelsPerInch_, setting);
    labels_[number - 1]->setText(DescribeFont(setting));
}
