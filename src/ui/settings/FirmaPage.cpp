#include "ui/settings/FirmaPage.h"

#include "invoices/SettingRange.h"
#include "invoices/TRechnungBook.h"
#include "ui/shared/QtText.h"
#include "ui_FirmaPage.h"

namespace {

struct TextSetting {
    QLineEdit* edit;
    std::u16string TRechnungSettings::*field;
};

struct FlagSetting {
    QCheckBox* check;
    bool TRechnungSettings::*field;
};

struct WholeSetting {
    QSpinBox* spin;
    double TRechnungSettings::*field;
    SettingRange range;
};

}

FirmaPage::FirmaPage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::FirmaPage>())
{
    ui->setupUi(this);
    connect(ui->BitBtn8, &QPushButton::clicked, this, &FirmaPage::BitBtn8Clicked);
    connect(ui->BitBtn3, &QPushButton::clicked, this, &FirmaPage::BitBtn3Clicked);
}

FirmaPage::~FirmaPage() = default;

void FirmaPage::Attach(TRechnungBook& book)
{
    book_ = &book;
    Bind();
}

void FirmaPage::Bind()
{
    TRechnungSettings& s = book_->settings;
    const TextSetting texts[] = {
        {ui->FirmaED2, &TRechnungSettings::FirmaED2},
        {ui->ZusatzEd2, &TRechnungSettings::ZusatzEd2},
        {ui->StrasseEd2, &TRechnungSettings::StrasseEd2},
        {ui->PLZED2, &TRechnungSettings::PLZED2},
        {ui->OrtED2, &TRechnungSettings::OrtED2},
        {ui->TelEd2, &TRechnungSettings::TelEd2},
        {ui->FaxEd2, &TRechnungSettings::FaxEd2},
        {ui->SteuerED2, &TRechnungSettings::SteuerED2},
        {ui->eMailED2, &TRechnungSettings::eMailED2},
        {ui->HomepageEd2, &TRechnungSettings::HomepageEd2},
        {ui->KopfEd, &TRechnungSettings::KopfEd},
        {ui->FussEd, &TRechnungSettings::FussEd},
        {ui->FussEd2, &TRechnungSettings::FussEd2},
        {ui->FussEd3, &TRechnungSettings::FussEd3},
        {ui->RechNrVorherEd, &TRechnungSettings::RechNrVorherEd},
    };
    for (const TextSetting& t : texts) {
        const auto field = t.field;
        QLineEdit* edit = t.edit;
        connect(edit, &QLineEdit::textChanged, this, [this, &s, field](const QString& text) {
            if (!filling_)
                s.*field = ToU16(text);
        });
        showers_.push_back([edit, &s, field] { edit->setText(ToQString(s.*field)); });
    }

    const FlagSetting flags[] = {
        {ui->FootCentCheck, &TRechnungSettings::FootCentCheck},
        {ui->underlinekopfusscheck, &TRechnungSettings::underlinekopfusscheck},
        {ui->DontShowEinheitCheck, &TRechnungSettings::DontShowEinheitCheck},
        {ui->insertspaceline, &TRechnungSettings::insertspaceline},
        {ui->DonotShowAdressCheck, &TRechnungSettings::DonotShowAdressCheck},
        {ui->BindestrichCheck, &TRechnungSettings::BindestrichCheck},
        {ui->LieferNoWertCheck, &TRechnungSettings::LieferNoWertCheck},
        {ui->FirmaRechtsCheck, &TRechnungSettings::FirmaRechtsCheck},
        {ui->NoMwstCheck, &TRechnungSettings::NoMwstCheck},
        {ui->OwnBirefpapierCheck, &TRechnungSettings::OwnBirefpapierCheck},
    };
    for (const FlagSetting& f : flags) {
        const auto field = f.field;
        QCheckBox* check = f.check;
        connect(check, &QCheckBox::toggled, this, [this, &s, field](bool on) {
            if (!filling_)
                s.*field = on;
        });
        showers_.push_back([check, &s, field] { check->setChecked(s.*field); });
    }

    // The fields show a stored value taken into their range; the value itself is replaced
    // only when the user changes the field.
    const WholeSetting wholes[] = {
        {ui->RandXED, &TRechnungSettings::RandXED, SettingRanges::RandXED},
        {ui->RandYEd, &TRechnungSettings::RandYEd, SettingRanges::RandYEd},
        {ui->AnschriftYED, &TRechnungSettings::AnschriftYED, SettingRanges::AnschriftYED},
        {ui->AdrXEd, &TRechnungSettings::AdrXEd, SettingRanges::AdrXEd},
    };
    for (const WholeSetting& w : wholes) {
        const auto field = w.field;
        const SettingRange range = w.range;
        QSpinBox* spin = w.spin;
        spin->setRange(range.ClampWhole(range.minimum), range.ClampWhole(range.maximum));
        connect(spin, &QSpinBox::valueChanged, this, [this, &s, field](int value) {
            if (!filling_)
                s.*field = value;
        });
        showers_.push_back([spin, &s, field, range] { spin->setValue(range.ClampWhole(s.*field)); });
    }

    ui->LineSTEd->setRange(SettingRanges::LineSTEd.minimum, SettingRanges::LineSTEd.maximum);
    connect(ui->LineSTEd, &QDoubleSpinBox::valueChanged, this, [this, &s](double value) {
        if (!filling_)
            s.LineSTEd = value;
    });
    showers_.push_back([this, &s] { ui->LineSTEd->setValue(SettingRanges::LineSTEd.Clamp(s.LineSTEd)); });

    connect(ui->ARegNrEd, &QSpinBox::valueChanged, this, [this, &s](int value) {
        if (!filling_)
            s.ARegNrEd = value;
    });
    showers_.push_back([this] { ShowCounter(); });

    const std::pair<QRadioButton*, TRegNrMode> modes[] = {
        {ui->NoRegNr, TRegNrMode::NoRegNr},
        {ui->rechnrdatecheck, TRegNrMode::rechnrdatecheck},
        {ui->CountRegNr, TRegNrMode::CountRegNr},
    };
    for (const auto& [radio, mode] : modes) {
        const TRegNrMode m = mode;
        QRadioButton* button = radio;
        connect(button, &QRadioButton::toggled, this, [this, &s, m](bool on) {
            if (on && !filling_)
                s.RegNrMode = m;
        });
        showers_.push_back([button, &s, m] {
            if (s.RegNrMode == m)
                button->setChecked(true);
        });
    }
}

void FirmaPage::ShowSettings()
{
    filling_ = true;
    for (const auto& show : showers_)
        show();
    filling_ = false;
}

void FirmaPage::ShowCounter()
{
    const bool wasFilling = filling_;
    filling_ = true;
    const int64_t counter = book_->settings.ARegNrEd;
    ui->ARegNrEd->setValue(counter > INT32_MAX ? INT32_MAX : static_cast<int>(counter));
    filling_ = wasFilling;
}
