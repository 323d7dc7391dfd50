#include "ui/settings/ERechnungPage.h"

#include "einvoice/CodeLists.h"
#include "einvoice/CountryCodes.h"
#include "einvoice/EInvoiceDefaults.h"
#include "einvoice/IdentifierChecks.h"
#include "foundation/Messenger.h"
#include "invoices/TRechnungBook.h"
#include "invoices/UnitCodes.h"
#include "ui/shared/QtText.h"
#include "ui/shared/ScopedFlag.h"
#include "ui/shared/ValidityMark.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kIbanHint = QStringLiteral("Keine gültige IBAN: Ländercode, zwei Prüfziffern und die Kontonummer "
                                         "(in Deutschland 22 Zeichen); die Prüfziffern müssen stimmen.");
const QString kBicHint = QStringLiteral("Keine gültige BIC: 8 oder 11 Buchstaben und Ziffern.");
const QString kVatHint = QStringLiteral("Keine gültige USt-IdNr.: in Deutschland DE und 9 Ziffern.");
const QString kUnitHint =
    QStringLiteral("Code der UN/ECE-Empfehlung 20 fehlt oder ist unbekannt (z. B. H87 für Stück).");

QLineEdit* NewEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

QString Code(const QString& text)
{
    return text.trimmed().toUpper();
}

}

ERechnungPage::ERechnungPage(QWidget* parent) : QWidget(parent)
{
    Build();
}

ERechnungPage::~ERechnungPage() = default;

void ERechnungPage::Build()
{
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    auto* content = new QWidget(scroll);
    scroll->setWidget(content);
    auto* columns = new QHBoxLayout(content);

    auto* left = new QVBoxLayout;
    auto* seller = new QGroupBox(QStringLiteral("Verkäufer"), content);
    auto* sellerForm = new QFormLayout(seller);
    ustId_ = NewEdit("UStIdEd", seller);
    ustId_->setPlaceholderText(QStringLiteral("z. B. DE123456789"));
    country_ = new QComboBox(seller);
    country_->setObjectName(QStringLiteral("LandCodeCombo"));
    for (const CountryCode& c : CountryCodes())
        country_->addItem(ToQString(std::u16string(c.code)) + QStringLiteral(" – ") + ToQString(std::u16string(c.name)),
                          ToQString(std::u16string(c.code)));
    eAddress_ = NewEdit("EAdresseEd", seller);
    sellerForm->addRow(QStringLiteral("USt-IdNr.:"), ustId_);
    sellerForm->addRow(QStringLiteral("Land:"), country_);
    sellerForm->addRow(QStringLiteral("Elektronische Adresse:"), eAddress_);
    left->addWidget(seller);

    auto* contact = new QGroupBox(QStringLiteral("Ansprechpartner"), content);
    auto* contactForm = new QFormLayout(contact);
    contactName_ = NewEdit("KontaktNameEd", contact);
    contactTel_ = NewEdit("KontaktTelEd", contact);
    contactMail_ = NewEdit("KontaktMailEd", contact);
    contactForm->addRow(QStringLiteral("Name:"), contactName_);
    contactForm->addRow(QStringLiteral("Telefon:"), contactTel_);
    contactForm->addRow(QStringLiteral("E-Mail:"), contactMail_);
    left->addWidget(contact);

    auto* payment = new QGroupBox(QStringLiteral("Bankverbindung und Zahlung"), content);
    auto* paymentForm = new QFormLayout(payment);
    iban_ = NewEdit("IbanEd", payment);
    iban_->setPlaceholderText(QStringLiteral("z. B. DE02 1203 0000 0000 2020 51"));
    bic_ = NewEdit("BicEd", payment);
    holder_ = NewEdit("KontoinhaberEd", payment);
    bank_ = NewEdit("BankEd", payment);
    target_ = new QSpinBox(payment);
    target_->setObjectName(QStringLiteral("ZahlungszielEd"));
    target_->setRange(0, 999);
    target_->setSuffix(QStringLiteral(" Tage"));
    target_->setMaximumWidth(120);
    terms_ = NewEdit("ZahlungsbedingungEd", payment);
    paymentForm->addRow(QStringLiteral("IBAN:"), iban_);
    paymentForm->addRow(QStringLiteral("BIC:"), bic_);
    paymentForm->addRow(QStringLiteral("Kontoinhaber:"), holder_);
    paymentForm->addRow(QStringLiteral("Bank:"), bank_);
    paymentForm->addRow(QStringLiteral("Zahlungsziel:"), target_);
    paymentForm->addRow(QStringLiteral("Zahlungsbedingungen:"), terms_);
    girocode_ = new QCheckBox(QStringLiteral("GiroCode auf Rechnungen drucken"), payment);
    girocode_->setObjectName(QStringLiteral("GiroCodeCheck"));
    girocode_->setToolTip(QStringLiteral("Ein QR-Code zum Bezahlen per Banking-App auf Rechnungen, Proformarechnungen "
                                         "und Mahnungen (braucht die IBAN)"));
    paymentForm->addRow(QString(), girocode_);
    left->addWidget(payment);

    auto* kind = new QGroupBox(QStringLiteral("Umsatzsteuer und Format"), content);
    auto* kindLayout = new QVBoxLayout(kind);
    kleinunternehmer_ = new QCheckBox(QStringLiteral("Kleinunternehmer nach § 19 UStG"), kind);
    kleinunternehmer_->setObjectName(QStringLiteral("KleinunternehmerCheck"));
    xrechnung_ = new QRadioButton(QStringLiteral("XRechnung (für Behörden, Leitweg-ID nötig)"), kind);
    xrechnung_->setObjectName(QStringLiteral("XRechnungRadio"));
    en16931_ = new QRadioButton(QStringLiteral("EN 16931 (ZUGFeRD-Profil EN 16931)"), kind);
    en16931_->setObjectName(QStringLiteral("EN16931Radio"));
    kindLayout->addWidget(kleinunternehmer_);
    kindLayout->addWidget(new QLabel(QStringLiteral("Standardformat der E-Rechnung:"), kind));
    kindLayout->addWidget(xrechnung_);
    kindLayout->addWidget(en16931_);
    left->addWidget(kind);
    left->addStretch(1);
    columns->addLayout(left, 3);

    auto* unitsBox = new QGroupBox(QStringLiteral("Einheiten der Positionen"), content);
    auto* unitsLayout = new QVBoxLayout(unitsBox);
    auto* unitsNote = new QLabel(QStringLiteral("Code nach UN/ECE-Empfehlung 20; eine leere oder hier nicht "
                                                "aufgeführte Einheit wird als C62 (Einheit) übertragen."),
                                 unitsBox);
    unitsNote->setWordWrap(true);
    unitsLayout->addWidget(unitsNote);
    units_ = new QTableWidget(0, 2, unitsBox);
    units_->setObjectName(QStringLiteral("EinheitenGrid"));
    units_->setHorizontalHeaderLabels({QStringLiteral("Einheit"), QStringLiteral("Code")});
    units_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    units_->verticalHeader()->hide();
    units_->verticalHeader()->setDefaultSectionSize(units_->fontMetrics().height() + 6);
    units_->setSelectionBehavior(QAbstractItemView::SelectRows);
    units_->setSelectionMode(QAbstractItemView::SingleSelection);
    unitsLayout->addWidget(units_, 1);
    auto* buttons = new QHBoxLayout;
    addUnit_ = new QPushButton(QStringLiteral("Neue Zeile"), unitsBox);
    addUnit_->setObjectName(QStringLiteral("EinheitNeuBtn"));
    deleteUnit_ = new QPushButton(QStringLiteral("Zeile löschen"), unitsBox);
    deleteUnit_->setObjectName(QStringLiteral("EinheitLoeschenBtn"));
    defaultUnits_ = new QPushButton(QStringLiteral("Standard..."), unitsBox);
    defaultUnits_->setObjectName(QStringLiteral("EinheitenStandardBtn"));
    defaultUnits_->setToolTip(QStringLiteral("Die Tabelle durch die deutschen Standardeinheiten ersetzen"));
    buttons->addWidget(addUnit_);
    buttons->addWidget(deleteUnit_);
    buttons->addStretch(1);
    buttons->addWidget(defaultUnits_);
    unitsLayout->addLayout(buttons);
    columns->addWidget(unitsBox, 2);
}

void ERechnungPage::Attach(TRechnungBook& book)
{
    book_ = &book;
    Bind();
}

void ERechnungPage::Bind()
{
    TRechnungSettings& s = book_->settings;
    const std::pair<QLineEdit*, std::u16string TRechnungSettings::*> texts[] = {
        {ustId_, &TRechnungSettings::UStIdEd},
        {iban_, &TRechnungSettings::IbanEd},
        {bic_, &TRechnungSettings::BicEd},
        {holder_, &TRechnungSettings::KontoinhaberEd},
        {bank_, &TRechnungSettings::BankEd},
        {eAddress_, &TRechnungSettings::EAdresseEd},
        {contactName_, &TRechnungSettings::KontaktNameEd},
        {contactTel_, &TRechnungSettings::KontaktTelEd},
        {contactMail_, &TRechnungSettings::KontaktMailEd},
        {terms_, &TRechnungSettings::ZahlungsbedingungEd},
    };
    for (const auto& [edit, field] : texts) {
        const auto member = field;
        QLineEdit* control = edit;
        connect(control, &QLineEdit::textChanged, this, [this, &s, member](const QString& text) {
            if (filling_)
                return;
            s.*member = ToU16(text);
            ShowValidity();
        });
        showers_.push_back([control, &s, member] { control->setText(ToQString(s.*member)); });
    }

    connect(country_, &QComboBox::currentIndexChanged, this, [this, &s](int index) {
        if (filling_ || index < 0)
            return;
        // "DE" is the default, which the book keeps as an empty text.
        const QString code = country_->itemData(index).toString();
        s.LandCodeEd = code == QStringLiteral("DE") ? std::u16string() : ToU16(code);
    });
    showers_.push_back([this, &s] {
        const QString code = ToQString(SellerCountry(s));
        int index = country_->findData(code);
        if (index < 0) {
            // A code this version does not list stays as it is.
            country_->insertItem(0, code, code);
            index = 0;
        }
        country_->setCurrentIndex(index);
    });

    connect(target_, &QSpinBox::valueChanged, this, [this, &s](int days) {
        if (filling_)
            return;
        s.ZahlungszielEd = days;
        ShowProposals();
    });
    showers_.push_back([this, &s] { target_->setValue(s.ZahlungszielEd); });

    connect(girocode_, &QCheckBox::toggled, this, [this, &s](bool on) {
        if (!filling_)
            s.GiroCodeCheck = on;
    });
    showers_.push_back([this, &s] { girocode_->setChecked(s.GiroCodeCheck); });
    connect(kleinunternehmer_, &QCheckBox::toggled, this, [this, &s](bool on) {
        if (!filling_)
            s.KleinunternehmerCheck = on;
    });
    showers_.push_back([this, &s] { kleinunternehmer_->setChecked(s.KleinunternehmerCheck); });
    connect(xrechnung_, &QRadioButton::toggled, this, [this, &s](bool on) {
        if (!filling_)
            s.XRechnungCheck = on;
    });
    showers_.push_back([this, &s] {
        xrechnung_->setChecked(s.XRechnungCheck);
        en16931_->setChecked(!s.XRechnungCheck);
    });

    connect(units_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (filling_)
            return;
        ShowUnitValidity(item->row());
        StoreUnits();
    });
    showers_.push_back([this] { ShowUnits(); });
    connect(addUnit_, &QPushButton::clicked, this, &ERechnungPage::AddUnitRow);
    connect(deleteUnit_, &QPushButton::clicked, this, &ERechnungPage::DeleteUnitRow);
    connect(defaultUnits_, &QPushButton::clicked, this, &ERechnungPage::RestoreDefaultUnits);
}

void ERechnungPage::ShowSettings()
{
    if (!book_)
        return;
    {
        const ScopedFlag filling(filling_);
        for (const auto& show : showers_)
            show();
    }
    ShowProposals();
    ShowValidity();
}

void ERechnungPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ShowProposals();
}

void ERechnungPage::ShowProposals()
{
    if (!book_)
        return;
    const TRechnungSettings& s = book_->settings;
    // What an empty field stands for, greyed in the field.
    holder_->setPlaceholderText(ToQString(CompanyName(s)));
    eAddress_->setPlaceholderText(ToQString(CompanyEmail(s)));
    contactTel_->setPlaceholderText(ToQString(CompanyTelephone(s)));
    contactMail_->setPlaceholderText(ToQString(CompanyEmail(s)));
    terms_->setPlaceholderText(ToQString(PaymentTermsProposal(s.ZahlungszielEd)));
}

void ERechnungPage::ShowValidity()
{
    const auto mark = [](QLineEdit* edit, bool (*valid)(std::u16string_view), const QString& hint) {
        const std::u16string text = ToU16(edit->text().trimmed());
        MarkValidity(edit, text.empty() || valid(text), hint);
    };
    mark(iban_, &IbanValid, kIbanHint);
    mark(bic_, &BicValid, kBicHint);
    mark(ustId_, &VatIdValid, kVatHint);
}

void ERechnungPage::ShowUnits()
{
    const ScopedFlag filling(filling_);
    const std::vector<TEinheitCode>& table = book_->settings.EinheitenGrid;
    units_->setRowCount(static_cast<int>(table.size()));
    for (int row = 0; row < units_->rowCount(); ++row) {
        const TEinheitCode& entry = table[static_cast<size_t>(row)];
        units_->setItem(row, 0, new QTableWidgetItem(ToQString(entry.einheit)));
        units_->setItem(row, 1, new QTableWidgetItem(ToQString(entry.code)));
        ShowUnitValidity(row);
    }
}

void ERechnungPage::ShowUnitValidity(int row)
{
    QTableWidgetItem* code = units_->item(row, 1);
    if (!code)
        return;
    // A unit without a code is red too: until it has one, it goes out as C62.
    const QTableWidgetItem* unit = units_->item(row, 0);
    const QString text = Code(code->text());
    const bool valid = text.isEmpty() ? !unit || unit->text().trimmed().isEmpty() : IsUnitCode(ToU16(text));
    const ScopedFlag filling(filling_);
    code->setBackground(valid ? QBrush() : QBrush(kInvalidBase));
    code->setForeground(valid ? QBrush() : QBrush(kInvalidText));
    code->setToolTip(valid ? QString() : kUnitHint);
}

void ERechnungPage::StoreUnits()
{
    // The table as shown, codes in capitals; a row without a code (yet) is no mapping.
    std::vector<TEinheitCode> table;
    for (int row = 0; row < units_->rowCount(); ++row) {
        const QTableWidgetItem* unit = units_->item(row, 0);
        const QTableWidgetItem* code = units_->item(row, 1);
        TEinheitCode entry{unit ? ToU16(unit->text().trimmed()) : std::u16string(),
                           code ? ToU16(Code(code->text())) : std::u16string()};
        if (!entry.code.empty())
            table.push_back(std::move(entry));
    }
    book_->settings.EinheitenGrid = std::move(table);
}

void ERechnungPage::AddUnitRow()
{
    const int row = units_->rowCount();
    {
        const ScopedFlag filling(filling_);
        units_->insertRow(row);
        units_->setItem(row, 0, new QTableWidgetItem);
        units_->setItem(row, 1, new QTableWidgetItem);
    }
    units_->setCurrentCell(row, 0);
    units_->editItem(units_->item(row, 0));
}

void ERechnungPage::DeleteUnitRow()
{
    const int row = units_->currentRow();
    if (row < 0)
        return;
    units_->removeRow(row);
    StoreUnits();
}

void ERechnungPage::RestoreDefaultUnits()
{
    const Messenger::Answer answer = CurrentMessenger().AskQuestion(
        u"Die Einheitentabelle durch die deutschen Standardeinheiten ersetzen? Eigene Einträge gehen verloren.",
        u"E-Rechnung");
    if (answer != Messenger::Answer::Yes)
        return;
    book_->settings.EinheitenGrid = DefaultUnitMap();
    ShowUnits();
}
