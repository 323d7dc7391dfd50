#include "ui/invoices/RechnungenPage.h"

#include "foundation/Messenger.h"
#include "invoices/RechnungEdit.h"
#include "invoices/RechnungList.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "invoices/TextbausteinInsert.h"
#include "messages/MessageCatalog.h"
#include "ui/invoices/AusgabePage.h"
#include "ui/invoices/ERechnungRechnungPage.h"
#include "ui/invoices/InvoiceListModel.h"
#include "ui/invoices/PositionenPage.h"
#include "ui/shared/QtDate.h"
#include "ui/shared/QtText.h"
#include "ui/shared/TableSelection.h"
#include "ui_RechnungenPage.h"

#include <QHeaderView>
#include <QScrollBar>

RechnungenPage::RechnungenPage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::RechnungenPage>())
{
    ui->setupUi(this);
    ui->ListView1->horizontalHeader()->setDefaultSectionSize(75);
    ui->ListView1->horizontalHeader()->setSectionsClickable(true);
    ui->ListView1->horizontalHeader()->setHighlightSections(false);
    ui->ListView1->verticalHeader()->setDefaultSectionSize(ui->ListView1->fontMetrics().height() + 6);
    ui->ListView1->verticalHeader()->hide();
    ui->Splitter1->setStretchFactor(0, 1);
    ui->Splitter1->setStretchFactor(1, 1);
}

RechnungenPage::~RechnungenPage() = default;

void RechnungenPage::Attach(TRechnungBook& book, const LocaleFormat& format, FillingFlag& inCH,
                            ArtikelPage* artikelPage, std::function<bool()> shown)
{
    book_ = &book;
    inCH_ = &inCH;
    format_ = format;
    positions_ = new PositionenPage(ui->TabPositionen);
    ui->TabPositionen->layout()->addWidget(positions_);
    positions_->Attach(book, format, inCH, artikelPage);
    ausgabe_ = new AusgabePage(ui->TabAusgabe);
    ui->TabAusgabe->layout()->addWidget(ausgabe_);
    ausgabe_->Attach(
        book, format, [this] { return SelectedRow(); },
        [this, shown = std::move(shown)] { return shown() && ui->PageControl1->currentWidget() == ui->TabAusgabe; });
    erechnung_ = new ERechnungRechnungPage(ui->PageControl1);
    erechnung_->setObjectName(QStringLiteral("TabERechnungRechnung"));
    ui->PageControl1->addTab(erechnung_, QStringLiteral("E-Rechnung"));
    erechnung_->Attach(book, inCH, [this] { return SelectedRow(); });
    connect(erechnung_, &ERechnungRechnungPage::Changed, this, [this] {
        ListAktuelleRechnung();
        Q_EMIT InvoiceChanged();
    });
    // Its defaults follow the invoice's date, "Land", "eMail" and "Ihre Bestellung".
    connect(this, &RechnungenPage::InvoiceChanged, erechnung_, &ERechnungRechnungPage::ShowProposals);
    connect(ausgabe_, &AusgabePage::DocumentKindChanged, this, &RechnungenPage::InvoiceChanged);
    // Another invoice, or a change of the current one, shows on the page at its next paint.
    connect(this, &RechnungenPage::InvoiceChanged, ausgabe_, &AusgabePage::RepaintPreview);
    connect(ui->BitBtn5, &QPushButton::clicked, this, &RechnungenPage::BitBtn5Click);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &RechnungenPage::BitBtn1Clicked);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &RechnungenPage::BitBtn2Clicked);
    model_ = new InvoiceListModel(book, format.shortDate, this);
    ui->ListView1->setModel(model_);
    // The two date columns are a little wider, so a full date fits in the list's font.
    ui->ListView1->horizontalHeader()->resizeSection(0, 90);
    ui->ListView1->horizontalHeader()->resizeSection(10, 90);
    OnSelectedRowChanged(ui->ListView1, this, &RechnungenPage::ListView1Change);
    connect(ui->ListView1->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &RechnungenPage::ListView1ColumnClick);

    bindings_ = {
        {ui->AnredeED, &TRechnungRec::anrede},
        {ui->FirmaED, &TRechnungRec::firma},
        {ui->NameED, &TRechnungRec::name},
        {ui->VornameED, &TRechnungRec::vorname},
        {ui->ZusatzED, &TRechnungRec::zusatz},
        {ui->StrasseEd, &TRechnungRec::strasse},
        {ui->LandEd, &TRechnungRec::land},
        {ui->PLZED, &TRechnungRec::plz},
        {ui->OrtED, &TRechnungRec::ort},
        {ui->TelED, &TRechnungRec::tel},
        {ui->FAXEd, &TRechnungRec::fax},
        {ui->eMailEd, &TRechnungRec::email},
        {ui->RegNred, &TRechnungRec::rechnr},
        {ui->IhreBestellungEd, &TRechnungRec::ihrebestellung},
        {ui->BestelldatumEd, &TRechnungRec::bestelldatum},
        {ui->LAnredeED, &TRechnungRec::lanrede},
        {ui->LFirmaED, &TRechnungRec::lfirma},
        {ui->LNameED, &TRechnungRec::lname},
        {ui->LVornameED, &TRechnungRec::lvorname},
        {ui->LZusatzED, &TRechnungRec::lzusatz},
        {ui->LStrasseEd, &TRechnungRec::lstrasse},
        {ui->LLandEd, &TRechnungRec::lland},
        {ui->LPlzED, &TRechnungRec::lplz},
        {ui->LOrtED, &TRechnungRec::lort},
    };
    for (const TextBinding& binding : bindings_) {
        const TRechnungText field = binding.field;
        connect(binding.edit, &QLineEdit::textChanged, this,
                [this, field](const QString& text) { StoreText(field, text); });
    }
    connect(ui->RechungsTextED, &QPlainTextEdit::textChanged, this,
            [this] { StoreText(&TRechnungRec::rechtext, StoredLines(ui->RechungsTextED->toPlainText())); });
    connect(ui->DateEdit1, &QDateEdit::dateChanged, this,
            [this](const QDate& date) { StoreDate(&TRechnungRec::datum, DayValue(date)); });
    connect(ui->DateEdit2, &OptionalDateEdit::DateChanged, this,
            [this](const QDate& date) { StoreDate(&TRechnungRec::bezahlt, date.isValid() ? DayValue(date) : 0.0); });

    connect(ui->NeueRechnungBtn, &QPushButton::clicked, this, &RechnungenPage::NeueRechnungBtnClick);
    connect(ui->NeueausbestehenderBtn, &QPushButton::clicked, this, &RechnungenPage::NeueausbestehenderBtnClick);
    connect(ui->DelRechBtn, &QPushButton::clicked, this, &RechnungenPage::DelRechBtnClick);
    connect(ui->SearchBtn, &QPushButton::clicked, this, &RechnungenPage::SearchBtnClick);
    connect(ui->SearchEd, &QLineEdit::returnPressed, this, &RechnungenPage::SearchBtnClick);
}

QTabWidget* RechnungenPage::PageControl1() const
{
    return ui->PageControl1;
}

QCheckBox* RechnungenPage::CopyArtikelsCheck() const
{
    return ui->CopyArtikelsCheck;
}

int RechnungenPage::SelectedRow() const
{
    return SelectedTableRow(ui->ListView1);
}

void RechnungenPage::SelectRow(int row)
{
    if (row < 0 || row >= model_->rowCount()) {
        ui->ListView1->selectionModel()->clearSelection();
        return;
    }
    SelectTableRow(ui->ListView1, row);
}

void RechnungenPage::ShowLowerTabs(bool visible)
{
    ui->PageControl1->setVisible(visible);
}

int RechnungenPage::PageControl1Height() const
{
    const QList<int> sizes = ui->Splitter1->sizes();
    return sizes.size() == 2 ? sizes[1] : ui->PageControl1->height();
}

void RechnungenPage::SetPageControl1Height(int height)
{
    const QList<int> sizes = ui->Splitter1->sizes();
    const int total = sizes.size() == 2 ? sizes[0] + sizes[1] : 0;
    if (total > height && height > 0)
        ui->Splitter1->setSizes({total - height, height});
    else if (height > 0)
        ui->Splitter1->setSizes({height * 2, height});
}

void RechnungenPage::ListRechnungen(int selectRow)
{
    int remembered = selectRow >= 0 ? selectRow : SelectedRow();
    if (remembered < 0)
        remembered = 0;
    donotmakeinvis = true;
    model_->Rebuild();
    const int rows = model_->rowCount();
    if (rows == 0) {
        ShowLowerTabs(false);
    } else {
        SelectRow(remembered < rows ? remembered : rows - 1);
        ShowLowerTabs(true);
    }
    ListPositionen();
    donotmakeinvis = false;
    Q_EMIT InvoiceChanged();
}

void RechnungenPage::ListAktuelleRechnung()
{
    const int row = SelectedRow();
    if (row < 0)
        ListRechnungen();
    else
        model_->RefreshRow(row);
}

void RechnungenPage::ListPositionen()
{
    positions_->ShowRechnung(SelectedRow());
}

void RechnungenPage::ListView1Change()
{
    const int row = SelectedRow();
    if (!donotmakeinvis)
        ShowLowerTabs(row >= 0);
    if (row < 0) {
        positions_->ShowRechnung(-1);
        erechnung_->ShowRechnung(-1);
        return;
    }
    {
        const ScopedFlag filling = inCH_->Hold();
        book_->rechs.GetObject(static_cast<uint32_t>(row));
        LoadControls(*book_->arech);
    }
    erechnung_->ShowRechnung(row);
    // While the whole list is rebuilt, the rebuild writes the file once at its end.
    if (!donotmakeinvis) {
        ListPositionen();
        Q_EMIT InvoiceChanged();
    }
}

void RechnungenPage::LoadControls(const TRechnungRec& rechnung)
{
    for (const TextBinding& binding : bindings_)
        binding.edit->setText(ToQString(std::u16string(TextOf(rechnung.*binding.field))));
    ui->RechungsTextED->setPlainText(ShownLines(ToQString(std::u16string(TextOf(rechnung.rechtext)))));
    const QDate datum = DateOfValue(rechnung.datum);
    ui->DateEdit1->setDate(datum.isValid() ? datum : QDate::currentDate());
    ui->DateEdit2->SetDateOrEmpty(rechnung.bezahlt == 0 ? QDate() : DateOfValue(rechnung.bezahlt));
}

template <class Edit> void RechnungenPage::EditCurrent(Edit edit)
{
    const int row = SelectedRow();
    if (!book_ || row < 0 || inCH_->IsSet())
        return;
    {
        const ScopedFlag filling = inCH_->Hold();
        book_->rechs.GetObject(static_cast<uint32_t>(row));
        edit(*book_->arech);
        ListAktuelleRechnung();
    }
    Q_EMIT InvoiceChanged();
}

void RechnungenPage::StoreText(TRechnungText field, const QString& text)
{
    EditCurrent([&](TRechnungRec& rechnung) { SetTextBuf(&(rechnung.*field), ToU16(text)); });
}

void RechnungenPage::StoreDate(double TRechnungRec::*field, double value)
{
    EditCurrent([&](TRechnungRec& rechnung) { rechnung.*field = value; });
}

void RechnungenPage::NeueRechnungBtnClick()
{
    const std::optional<uint32_t> index = NeueRechnung(*book_);
    if (index)
        ListRechnungen(static_cast<int>(*index));
}

void RechnungenPage::NeueausbestehenderBtnClick()
{
    TRechnungTexte texte;
    const auto text = [](const QLineEdit* edit) { return ToU16(edit->text()); };
    texte.anrede = text(ui->AnredeED);
    texte.firma = text(ui->FirmaED);
    texte.name = text(ui->NameED);
    texte.vorname = text(ui->VornameED);
    texte.zusatz = text(ui->ZusatzED);
    texte.strasse = text(ui->StrasseEd);
    texte.land = text(ui->LandEd);
    texte.plz = text(ui->PLZED);
    texte.ort = text(ui->OrtED);
    texte.tel = text(ui->TelED);
    texte.fax = text(ui->FAXEd);
    texte.email = text(ui->eMailEd);
    texte.rechtext = ToU16(StoredLines(ui->RechungsTextED->toPlainText()));
    texte.ihrebestellung = text(ui->IhreBestellungEd);
    texte.bestelldatum = text(ui->BestelldatumEd);
    texte.lanrede = text(ui->LAnredeED);
    texte.lfirma = text(ui->LFirmaED);
    texte.lname = text(ui->LNameED);
    texte.lvorname = text(ui->LVornameED);
    texte.lzusatz = text(ui->LZusatzED);
    texte.lstrasse = text(ui->LStrasseEd);
    texte.lland = text(ui->LLandEd);
    texte.lplz = text(ui->LPlzED);
    texte.lort = text(ui->LOrtED);
    // The electronic invoice data are edited on their own tab straight into the invoice.
    if (const int row = SelectedRow(); row >= 0)
        texte.erechnung = TexteVon(book_->Rechnung(static_cast<uint32_t>(row))).erechnung;
    const std::optional<uint32_t> index = NeueRechnungAus(*book_, texte, ui->CopyArtikelsCheck->isChecked());
    if (index)
        ListRechnungen(static_cast<int>(*index));
}

void RechnungenPage::DelRechBtnClick()
{
    const int row = SelectedRow();
    if (row < 0) {
        ListRechnungen();
        return;
    }
    if (!AskDeleteRechnung())
        return;
    const ScopedFlag filling = inCH_->Hold();
    DeleteRechnung(*book_, static_cast<uint32_t>(row));
    ListRechnungen(row);
}

void RechnungenPage::ListView1ColumnClick(int column)
{
    if (!SortRechnungen(*book_, column))
        return;
    QHeaderView* header = ui->ListView1->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, book_->sricht == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
    ListRechnungen();
}

void RechnungenPage::SearchBtnClick()
{
    const QString text = ui->SearchEd->text();
    if (!text.isEmpty()) {
        SearchRechnungen(*book_, ToU16(text), format_.shortDate);
        ui->ListView1->horizontalHeader()->setSortIndicatorShown(false);
    }
    ListRechnungen();
}

void RechnungenPage::UpdateVorlagen()
{
    ui->VorlagenBox->clear();
    for (const TTextbaustein& block : book_->settings.ListView4)
        ui->VorlagenBox->addItem(ToQString(block.name));
    ui->VorlagenBox->setCurrentIndex(ui->VorlagenBox->count() > 0 ? 0 : -1);
}

void RechnungenPage::BitBtn5Click()
{
    const int i = ui->VorlagenBox->currentIndex();
    const auto& blocks = book_->settings.ListView4;
    if (i < 0 || static_cast<size_t>(i) >= blocks.size()) {
        CurrentMessenger().ShowError(MessageText(271));
        return;
    }
    InsertIntoRechungsText(blocks[static_cast<size_t>(i)].text);
}

void RechnungenPage::InsertIntoRechungsText(const std::u16string& block)
{
    // The memo counts a line break as one character, the invoice text as two (CR LF).
    QPlainTextEdit* memo = ui->RechungsTextED;
    const QString shown = memo->toPlainText();
    const int qtCaret = memo->textCursor().position();
    const size_t caret = static_cast<size_t>(qtCaret + shown.left(qtCaret).count(QLatin1Char('\n')));
    const TextbausteinInsertResult result = InsertTextbaustein(ToU16(StoredLines(shown)), caret, block);
    const QString stored = ToQString(result.text);
    const int newCaret = static_cast<int>(result.caret) -
                         static_cast<int>(stored.left(static_cast<int>(result.caret)).count(QLatin1Char('\r')));
    const QString inserted = ShownLines(stored);
    memo->setPlainText(inserted);  // its change handler stores the text into the invoice
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(qBound(0, newCaret, static_cast<int>(inserted.size())));
    memo->setTextCursor(cursor);
    memo->setFocus();
}

void RechnungenPage::TakeCustomer(const CustomerTransfer::Values& values, bool withMehr)
{
    using Target = CustomerTransfer::Target;
    const auto edit = [this](Target target) -> QLineEdit* {
        switch (target) {
        case Target::Firma:
            return ui->FirmaED;
        case Target::Name:
            return ui->NameED;
        case Target::Vorname:
            return ui->VornameED;
        case Target::Anrede:
            return ui->AnredeED;
        case Target::Strasse:
            return ui->StrasseEd;
        case Target::Plz:
            return ui->PLZED;
        case Target::Ort:
            return ui->OrtED;
        case Target::Land:
            return ui->LandEd;
        case Target::Tel:
            return ui->TelED;
        case Target::Fax:
            return ui->FAXEd;
        case Target::Email:
            return ui->eMailEd;
        case Target::Mehr:
            break;
        }
        return nullptr;
    };
    for (const CustomerTransfer::Row& row : CustomerTransfer::Map()) {
        if (QLineEdit* field = edit(row.target))
            field->setText(ToQString(values.address[static_cast<size_t>(row.target)]));  // stored by its handler
    }
    if (withMehr) {
        InsertIntoRechungsText(ToU16(StoredLines(ToQString(values.mehr))));
    }
    ui->ZusatzED->clear();
}
