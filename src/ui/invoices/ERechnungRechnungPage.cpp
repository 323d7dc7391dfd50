#include "ui/invoices/ERechnungRechnungPage.h"

#include "einvoice/CountryCodes.h"
#include "einvoice/EInvoiceDefaults.h"
#include "einvoice/IdentifierChecks.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "ui/invoices/FillingFlag.h"
#include "ui/shared/OptionalDateEdit.h"
#include "ui/shared/QtDate.h"
#include "ui/shared/QtText.h"
#include "ui/shared/ValidityMark.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");
const QString kVatHint =
    QStringLiteral("Keine gültige USt-IdNr.: Ländercode und Nummer, in Deutschland DE und 9 Ziffern.");

QString DateText(double value)
{
    const QDate date = DateOfValue(value);
    return date.isValid() ? date.toString(kDateFormat) : QString();
}

QLineEdit* NewEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

OptionalDateEdit* NewDate(const char* name, QWidget* parent)
{
    auto* edit = new OptionalDateEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

}

ERechnungRechnungPage::ERechnungRechnungPage(QWidget* parent) : QWidget(parent)
{
    Build();
}

ERechnungRechnungPage::~ERechnungRechnungPage() = default;

void ERechnungRechnungPage::Build()
{
    auto* columns = new QHBoxLayout(this);

    auto* left = new QFormLayout;
    supplyFrom_ = NewDate("LeistungVonEd", this);
    supplyTo_ = NewDate("LeistungBisEd", this);
    supplyFrom_->setToolTip(
        QStringLiteral("Tag der Lieferung oder Beginn des Leistungszeitraums; leer: das Rechnungsdatum"));
    supplyTo_->setToolTip(QStringLiteral("Ende des Leistungszeitraums; leer: kein Zeitraum, nur ein Leistungsdatum"));
    supplyTo_->LineEdit()->setPlaceholderText(QStringLiteral("kein Zeitraum"));
    auto* supply = new QHBoxLayout;
    supply->addWidget(supplyFrom_);
    supply->addWidget(new QLabel(QStringLiteral("bis"), this));
    supply->addWidget(supplyTo_);
    left->addRow(QStringLiteral("Leistungsdatum/-zeitraum:"), supply);
    due_ = NewDate("FaelligEd", this);
    left->addRow(QStringLiteral("Fällig am:"), due_);
    reference_ = NewEdit("KaeuferRefEd", this);
    takeReference_ = new QPushButton(QStringLiteral("aus Ihre Bestellung"), this);
    takeReference_->setObjectName(QStringLiteral("KaeuferRefVorschlagBtn"));
    takeReference_->setToolTip(QStringLiteral("Die Angabe „Ihre Bestellung“ als Käuferreferenz übernehmen"));
    auto* reference = new QHBoxLayout;
    reference->addWidget(reference_, 1);
    reference->addWidget(takeReference_);
    left->addRow(QStringLiteral("Käuferreferenz (Leitweg-ID):"), reference);
    category_ = new QComboBox(this);
    category_->setObjectName(QStringLiteral("NullKategorieCombo"));
    for (uint8_t c = 0; c < kZeroRateCategoryCount; ++c)
        category_->addItem(ToQString(std::u16string(ZeroRateCategoryName(c))));
    left->addRow(QStringLiteral("Positionen mit 0 % MwSt:"), category_);
    reason_ = NewEdit("BefreiungEd", this);
    left->addRow(QStringLiteral("Befreiungsgrund:"), reason_);
    columns->addLayout(left, 1);

    auto* right = new QFormLayout;
    buyerVatId_ = NewEdit("KaeuferUstIdEd", this);
    right->addRow(QStringLiteral("USt-IdNr. des Käufers:"), buyerVatId_);
    buyerAddress_ = NewEdit("KaeuferAdresseEd", this);
    right->addRow(QStringLiteral("Elektronische Adresse:"), buyerAddress_);
    buyerCountry_ = new QComboBox(this);
    buyerCountry_->setObjectName(QStringLiteral("KaeuferLandCombo"));
    buyerCountry_->addItem(QString(), QString());  // derived from "Land"; its text says what it gives
    for (const CountryCode& c : CountryCodes())
        buyerCountry_->addItem(ToQString(std::u16string(c.code)) + QStringLiteral(" – ") +
                                   ToQString(std::u16string(c.name)),
                               ToQString(std::u16string(c.code)));
    right->addRow(QStringLiteral("Land des Käufers:"), buyerCountry_);
    columns->addLayout(right, 1);
}

void ERechnungRechnungPage::Attach(TRechnungBook& book, FillingFlag& inCH, std::function<int()> selectedRow)
{
    book_ = &book;
    inCH_ = &inCH;
    selectedRow_ = std::move(selectedRow);
    Bind();
}

const TRechnungRec* ERechnungRechnungPage::Selected() const
{
    const int row = book_ && selectedRow_ ? selectedRow_() : -1;
    if (row < 0 || static_cast<uint32_t>(row) >= book_->RechnungCount())
        return nullptr;
    return &book_->Rechnung(static_cast<uint32_t>(row));
}

template <class Edit> void ERechnungRechnungPage::Store(Edit edit)
{
    const int row = selectedRow_ ? selectedRow_() : -1;
    if (!book_ || row < 0 || inCH_->IsSet())
        return;
    {
        const ScopedFlag filling = inCH_->Hold();
        book_->rechs.GetObject(static_cast<uint32_t>(row));
        edit(*book_->arech);
    }
    Q_EMIT Changed();
}

void ERechnungRechnungPage::Bind()
{
    texts_ = {
        {reference_, &TRechnungRec::kaeuferref},
        {buyerVatId_, &TRechnungRec::kaeuferustid},
        {buyerAddress_, &TRechnungRec::kaeuferadresse},
        {reason_, &TRechnungRec::befreiung},
    };
    for (const TextBinding& binding : texts_) {
        const TRechnungText field = binding.field;
        connect(binding.edit, &QLineEdit::textChanged, this, [this, field](const QString& text) {
            Store([&](TRechnungRec& r) { SetTextBuf(&(r.*field), ToU16(text)); });
        });
    }
    const std::pair<OptionalDateEdit*, double TRechnungRec::*> dates[] = {
        {supplyFrom_, &TRechnungRec::leistungvon},
        {supplyTo_, &TRechnungRec::leistungbis},
        {due_, &TRechnungRec::faellig},
    };
    for (const auto& [edit, member] : dates) {
        const auto field = member;
        connect(edit, &OptionalDateEdit::DateChanged, this, [this, field](const QDate& date) {
            Store([&](TRechnungRec& r) { r.*field = date.isValid() ? DayValue(date) : 0.0; });
        });
    }
    connect(buyerCountry_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0)
            return;
        const std::u16string code = ToU16(buyerCountry_->itemData(index).toString());
        Store([&](TRechnungRec& r) { SetTextBuf(&r.kaeuferland, code); });
    });
    connect(category_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            Store([&](TRechnungRec& r) { r.nullkategorie = static_cast<uint8_t>(index); });
    });
    connect(takeReference_, &QPushButton::clicked, this, [this] {
        if (const TRechnungRec* r = Selected())
            reference_->setText(ToQString(ProposedBuyerReference(*r)));  // stored by its handler
    });
}

void ERechnungRechnungPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ShowProposals();
}

void ERechnungRechnungPage::ShowRechnung(int row)
{
    const TRechnungRec* r = book_ && row >= 0 && static_cast<uint32_t>(row) < book_->RechnungCount()
                                ? &book_->Rechnung(uint32_t(row))
                                : nullptr;
    {
        const ScopedFlag filling = inCH_->Hold();
        for (const TextBinding& binding : texts_)
            binding.edit->setText(r ? ToQString(std::u16string(TextOf(r->*binding.field))) : QString());
        supplyFrom_->SetDateOrEmpty(r && r->leistungvon != 0 ? DateOfValue(r->leistungvon) : QDate());
        supplyTo_->SetDateOrEmpty(r && r->leistungbis != 0 ? DateOfValue(r->leistungbis) : QDate());
        due_->SetDateOrEmpty(r && r->faellig != 0 ? DateOfValue(r->faellig) : QDate());
        const QString own = r ? ToQString(std::u16string(TextOf(r->kaeuferland))).trimmed() : QString();
        int country = own.isEmpty() ? 0 : buyerCountry_->findData(own.toUpper());
        if (country < 0) {
            // A code this version does not list stays as it is.
            buyerCountry_->addItem(own, own);
            country = buyerCountry_->count() - 1;
        }
        buyerCountry_->setCurrentIndex(country);
        const int category = r ? r->nullkategorie : 0;
        category_->setCurrentIndex(category < category_->count() ? category : 0);
    }
    ShowProposals();
}

void ERechnungRechnungPage::ShowProposals()
{
    const TRechnungRec* r = Selected();
    if (!r) {
        ShowValidity();
        return;
    }
    const TRechnungSettings& s = book_->settings;
    // Without a date of its own the invoice date counts.
    supplyFrom_->LineEdit()->setPlaceholderText(DateText(InvoiceDay(*r)));
    due_->LineEdit()->setPlaceholderText(DateText(DueDate(*r, s)) +
                                         QStringLiteral(" (+ %1 Tage Zahlungsziel)").arg(s.ZahlungszielEd));
    const QString proposal = ToQString(ProposedBuyerReference(*r));
    takeReference_->setEnabled(!proposal.isEmpty() && reference_->text() != proposal);
    reference_->setPlaceholderText(s.XRechnungCheck ? QStringLiteral("Pflicht bei XRechnung") : QString());
    buyerAddress_->setPlaceholderText(ToQString(std::u16string(TextOf(r->email))).trimmed());
    reason_->setPlaceholderText(ToQString(std::u16string(DefaultExemptionReason(r->nullkategorie))));
    // Zero-rated positions carry no exemption reason; one typed before can still be removed.
    reason_->setEnabled(r->nullkategorie != static_cast<uint8_t>(ZeroRateCategory::Z) || !reason_->text().isEmpty());
    const std::optional<std::u16string> derived = CountryFromLand(TextOf(r->land));
    const int listed = derived ? buyerCountry_->findData(ToQString(*derived)) : -1;
    buyerCountry_->setItemText(0, !derived ? QStringLiteral("aus „Land“ nicht erkennbar – bitte wählen")
                                           : QStringLiteral("aus „Land“: ") +
                                                 (listed > 0 ? buyerCountry_->itemText(listed) : ToQString(*derived)));
    ShowValidity();
}

void ERechnungRechnungPage::ShowValidity()
{
    const std::u16string vatId = ToU16(buyerVatId_->text().trimmed());
    MarkValidity(buyerVatId_, vatId.empty() || VatIdValid(vatId), kVatHint);
}
