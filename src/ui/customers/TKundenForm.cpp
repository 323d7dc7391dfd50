#include "ui/customers/TKundenForm.h"

#include "customers/CustomerMail.h"
#include "customers/CustomerRestructure.h"
#include "customers/CustomerValueLists.h"
#include "foundation/Cp1252.h"
#include "foundation/IoError.h"
#include "foundation/Messenger.h"
#include "foundation/Utf8.h"
#include "messages/MessageCatalog.h"
#include "messages/PrintMessages.h"
#include "ui/customers/KundenTableModel.h"
#include "ui/customers/SendMailMAPI.h"
#include "ui/customers/TFeldLangeForm.h"
#include "ui/customers/TNeueFelderForm.h"
#include "ui/customers/TSortFeldForm.h"
#include "ui/customers/ValueListComboBox.h"
#include "ui/shared/FormStorage.h"
#include "ui/shared/PrintJobs.h"
#include "ui/shared/ProgressReporter.h"
#include "ui/shared/QtText.h"
#include "ui/shared/ScopedFlag.h"
#include "ui/shared/UiServices.h"
#include "ui_TKundenForm.h"

#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTimer>

TKundenForm::TKundenForm(QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TKundenForm>()),
      neueFelder_(std::make_unique<TNeueFelderForm>(this)),
      feldLange_(std::make_unique<TFeldLangeForm>(this)),
      sortFeld_(std::make_unique<TSortFeldForm>(this))
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    binding_ = CustomerEditBinding::For({});

    combos_ = {ui->DBEdit1,  ui->DBEdit2,  ui->DBEdit3,  ui->DBEdit4,  ui->DBEdit5,  ui->DBEdit6,
               ui->DBEdit7,  ui->DBEdit8,  ui->DBEdit9,  ui->DBEdit10, ui->DBEdit11, ui->DBEdit12,
               ui->DBEdit13, ui->DBEdit14, ui->DbEdit15, ui->DbEdit16, ui->DBEdit17, ui->DbEdit18,
               ui->DbEdit19, ui->DbEdit20, ui->DBEdit21, ui->DBEdit22, ui->DBEdit23, ui->DBEdit24};
    labels_ = {ui->Label1,  ui->Label2,  ui->Label3,  ui->Label4,  ui->Label5,  ui->Label6,  ui->Label7,  ui->Label8,
               ui->Label9,  ui->Label10, ui->Label11, ui->Label12, ui->Label15, ui->Label16, ui->Label17, ui->Label18,
               ui->Label19, ui->Label20, ui->Label21, ui->Label22, ui->Label23, ui->Label24, ui->Label25, ui->Label26};
    navigator_ = {ui->nbFirst,  ui->nbPrior, ui->nbNext, ui->nbLast,   ui->nbInsert,
                  ui->nbDelete, ui->nbEdit,  ui->nbPost, ui->nbCancel, ui->nbRefresh};

    model_ = std::make_unique<KundenTableModel>(cursor_);
    ui->DBGrid1->setModel(model_.get());
    ui->DBGrid1->horizontalHeader()->setSectionsClickable(true);
    ui->DBGrid1->horizontalHeader()->setHighlightSections(false);
    ui->DBGrid1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    ui->Splitter1->setStretchFactor(0, 1);
    ui->Splitter1->setStretchFactor(1, 0);
    connect(ui->DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, &TKundenForm::DBGrid1TitleClick);
    connect(ui->DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!syncing_)
                    cursor_.MoveToRow(current.row());
            });

    for (int b = 0; b < CustomerCursor::ButtonCount; ++b)
        connect(navigator_[size_t(b)], &QToolButton::clicked, this,
                [this, b] { cursor_.Click(CustomerCursor::Button(b)); });
    for (int k = 0; k < CustomerEditBinding::kComboCount; ++k) {
        connect(combos_[size_t(k)], &QComboBox::editTextChanged, this,
                [this, k](const QString& text) { OnComboEdited(k, text); });
        connect(static_cast<ValueListComboBox*>(combos_[size_t(k)]), &ValueListComboBox::ListWanted, this,
                [this, k] { FillValueList(k); });
    }
    connect(ui->DBMemo1, &QPlainTextEdit::textChanged, this, &TKundenForm::OnMemoEdited);

    connect(ui->Filterbtn, &QPushButton::clicked, this, &TKundenForm::FilterbtnClick);
    connect(ui->AllezeigenBtn, &QPushButton::clicked, this, &TKundenForm::AllezeigenBtnClick);
    ui->FilterEd->installEventFilter(this);  // Enter filters like the button

    connect(ui->Feldhinzufgen1, &QAction::triggered, this, &TKundenForm::Feldhinzufgen1Click);
    connect(ui->LetztesFeldlschen1, &QAction::triggered, this, &TKundenForm::LetztesFeldlschen1Click);
    connect(ui->Feldlngenbearbeiten1, &QAction::triggered, this, &TKundenForm::Feldlngenbearbeiten1Click);
    connect(ui->Felderumsortieren1, &QAction::triggered, this, &TKundenForm::Felderumsortieren1Click);
    connect(ui->VorgabewertefrEingabefelderaktualisieren1, &QAction::triggered, this,
            &TKundenForm::AktuallisiereDBEdit);
    connect(ui->ExportierenalsCSV1, &QAction::triggered, this, &TKundenForm::ExportierenalsCSV1Click);
    connect(ui->ImportierenausCSVDatei1, &QAction::triggered, this, &TKundenForm::ImportierenausCSVDatei1Click);
    connect(ui->Druckereinrichten1, &QAction::triggered, this, &TKundenForm::Druckereinrichten1Click);
    connect(ui->Datensatzdrucken1, &QAction::triggered, this, &TKundenForm::Datensatzdrucken1Click);
    connect(ui->AlleDatenstzedrucken1, &QAction::triggered, this, &TKundenForm::AlleDatenstzedrucken1Click);
    connect(ui->AnzahlderEintrgeindeneinzelnenSpaltenzhlen1, &QAction::triggered, this,
            &TKundenForm::AnzahlderEintrgeindeneinzelnenSpaltenzhlen1Click);
    connect(this, &TKundenForm::Label12Clicked, this, &TKundenForm::Label12Click);
    cursor_.SetProgress(SendProgress);

    // Label12 is the e-mail address's label: red, underlined, a hand cursor.
    QFont linkFont = ui->Label12->font();
    linkFont.setUnderline(true);
    ui->Label12->setFont(linkFont);
    ui->Label12->setStyleSheet(QStringLiteral("color: red;"));
    ui->Label12->setCursor(Qt::PointingHandCursor);
    ui->Label12->installEventFilter(this);

    storage_ = std::make_unique<FormStorage>(this);
    storage_->Add(
        QStringLiteral("DBMemo1.Height"), [this] { return ui->DBMemo1->height(); },
        [this](const QVariant& value) { memoHeight_ = value.toInt(); });

    AktuallisiereDBEditClear();
    for (size_t k = 0; k < combos_.size(); ++k) {
        combos_[k]->hide();
        labels_[k]->hide();
    }
    subscription_ = cursor_.Observe(*this);  // after the model's: the rows are made first
    UpdateNavigator();
}

TKundenForm::~TKundenForm() = default;

void TKundenForm::ReportError(const std::exception& error)
{
    CurrentMessenger().ShowError(Utf8ToUtf16(error.what()));
}

CustomerTable::InitResult TKundenForm::InitDataBase(const std::string& dataFolder)
{
    const CustomerTable::InitResult result = customers_.InitDataBase(dataFolder);
    SendProgress(0);  // after a rebuild that added "Kostenst"
    AktuallisiereDBEdit();
    return result;
}

// ---- binding -----------------------------------------------------------------------------

void TKundenForm::AktuallisiereDBEdit()
{
    if (!cursor_.PostIfEditing())
        return;
    binding_ = CustomerEditBinding::For(cursor_.Columns());
    {
        const ScopedFlag filling(filling_);
        for (size_t k = 0; k < combos_.size(); ++k) {
            const bool bound = binding_.comboFields[k] >= 0;
            combos_[k]->setVisible(bound);
            labels_[k]->setVisible(bound);
            labels_[k]->setText(ToQString(binding_.labels[k]));
            // The value lists are made anew when each is first wanted (FillValueList): a walk of
            // every record for 24 lists would cost a large table seconds and much memory at start.
            combos_[k]->clear();
            listFilled_[k] = false;
        }
        ui->DBMemo1->setEnabled(binding_.memoField >= 0);
    }
    cursor_.Reload(true);  // on the last record, where a walk over the records ends
}

void TKundenForm::FillValueList(int k)
{
    const size_t box = size_t(k);
    const int field = binding_.comboFields[box];
    if (listFilled_[box] || field < 0 || !cursor_.Active())
        return;
    listFilled_[box] = true;
    std::vector<std::u16string> values;
    try {
        values = CustomerValueLists::Collect(customers_.Dbf1(), cursor_.RecNos(), field);
    } catch (const IoError& error) {
        ReportError(error);
    }
    QStringList items;
    items.reserve(static_cast<qsizetype>(values.size()));
    for (const std::u16string& value : values)
        items << ToQString(value);
    // The box keeps what the user sees: its text, the caret and the selection (the list is
    // often made by the first key typed, which then replaces the selection).
    QComboBox* combo = combos_[box];
    QLineEdit* edit = combo->lineEdit();
    const QString text = combo->currentText();
    const int cursor = edit->cursorPosition();
    const int selectionStart = edit->selectionStart();
    const int selectionLength = edit->selectionLength();
    const ScopedFlag filling(filling_);
    combo->addItems(items);
    combo->setEditText(text);
    if (selectionStart >= 0)
        edit->setSelection(selectionStart, selectionLength);
    else
        edit->setCursorPosition(cursor);
}

bool TKundenForm::ValueListFilled(int k) const
{
    return listFilled_[size_t(k)];
}

void TKundenForm::AktuallisiereDBEditClear()
{
    binding_ = CustomerEditBinding::For({});
    const ScopedFlag filling(filling_);
    for (QComboBox* combo : combos_)
        combo->setEditText(QString());
    ui->DBMemo1->clear();
    ui->DBMemo1->setEnabled(false);
}

void TKundenForm::LoadControls()
{
    try {
        const ScopedFlag filling(filling_);
        for (size_t k = 0; k < combos_.size(); ++k) {
            const int field = binding_.comboFields[k];
            combos_[k]->setEditText(field >= 0 && cursor_.Active() ? ToQString(cursor_.Value(field)) : QString());
        }
        if (binding_.memoField >= 0 && cursor_.Active()) {
            const QString memo = ShownLines(ToQString(cursor_.Value(binding_.memoField)));
            if (ui->DBMemo1->toPlainText() != memo)
                ui->DBMemo1->setPlainText(memo);
        } else {
            ui->DBMemo1->clear();
        }
    } catch (const IoError& error) {
        ReportError(error);
    }
}

void TKundenForm::OnComboEdited(int k, const QString& text)
{
    if (!filling_)
        StoreTyped(binding_.comboFields[size_t(k)], ToU16(text));
}

void TKundenForm::OnMemoEdited()
{
    if (!filling_ && binding_.memoField >= 0)
        StoreTyped(binding_.memoField, ToU16(StoredLines(ui->DBMemo1->toPlainText())));
}

void TKundenForm::StoreTyped(int field, const std::u16string& text)
{
    const CustomerCursor::Typed typed = cursor_.Type(field, text, this);
    // Refused: the controls show the record as it is. After the damaged table was written
    // anew, they show the record again, with what was typed.
    if (typed == CustomerCursor::Typed::Refused || typed == CustomerCursor::Typed::StoredAfterRepair)
        LoadControls();
}

// ---- following the cursor ------------------------------------------------------------------

void TKundenForm::RowsReset()
{
    QHeaderView* header = ui->DBGrid1->horizontalHeader();
    const CustomerColumns& columns = cursor_.Columns();
    for (size_t c = 0; c < columns.size(); ++c) {
        const int chars = columns[c].IsMemo() ? 24 : std::clamp(columns[c].length, 6, 24);
        header->resizeSection(int(c), fontMetrics().averageCharWidth() * chars + 16);
    }
}

void TKundenForm::CurrentChanged()
{
    {
        const ScopedFlag syncing(syncing_);
        model_->SelectCurrentIn(*ui->DBGrid1);
    }
    LoadControls();
    UpdateNavigator();
}

void TKundenForm::CurrentValuesChanged(const Observer* editor)
{
    if (editor && editor != this)
        LoadControls();  // typed into a grid
    UpdateNavigator();
}

void TKundenForm::SearchTextChanged(const std::u16string& text)
{
    const QString shown = ToQString(text);
    if (ui->FilterEd->text() != shown)
        ui->FilterEd->setText(shown);
}

void TKundenForm::SyncGridToTable()
{
    cursor_.ShowCurrent();
}

void TKundenForm::UpdateNavigator()
{
    const CustomerCursor::Buttons enabled = cursor_.Enabled(ui->DBGrid1->currentIndex().row());
    for (size_t b = 0; b < enabled.size(); ++b)
        navigator_[b]->setEnabled(enabled[b]);
}

// ---- search and sorting --------------------------------------------------------------------

void TKundenForm::FilterbtnClick()
{
    cursor_.Search(ToU16(ui->FilterEd->text()));
}

void TKundenForm::AllezeigenBtnClick()
{
    cursor_.ShowAll();  // the search line is emptied too
}

void TKundenForm::DBGrid1TitleClick(int column)
{
    cursor_.SortBy(column);
}

// ---- the "Felder" menu ---------------------------------------------------------------------

bool TKundenForm::AddnewField(const std::u16string& fname, int lang)
{
    if (!cursor_.PostIfEditing())
        return false;
    const bool done = customers_.AddnewField(fname, lang);
    SendProgress(0);
    cursor_.Reload();
    return done;
}

void TKundenForm::Feldhinzufgen1Click()
{
    neueFelder_->Edit1()->clear();
    if (RunDialog(*neueFelder_) != QDialog::Accepted)
        return;
    const std::u16string name = ToU16(neueFelder_->Edit1()->text());
    if (name.empty()) {
        CurrentMessenger().ShowError(MessageText(195));
        return;
    }
    AddnewField(name, neueFelder_->LangEd()->value());
    AktuallisiereDBEdit();
}

void TKundenForm::LetztesFeldlschen1Click()
{
    if (!cursor_.Active())
        return;
    const auto plan = CustomerRestructure::DeleteLastField(cursor_.Columns());
    if (!plan) {
        CurrentMessenger().ShowError(MessageText(198), MessageText(199));
        return;
    }
    if (CurrentMessenger().AskQuestion(MessageText(200), MessageText(201), Messenger::QuestionIcon::Stop) ==
            Messenger::Answer::Yes &&
        cursor_.PostIfEditing()) {
        AktuallisiereDBEditClear();
        customers_.Rebuild(*plan);
        SendProgress(0);
    }
    AktuallisiereDBEdit();
}

void TKundenForm::Feldlngenbearbeiten1Click()
{
    if (!cursor_.Active())
        return;
    feldLange_->Fill(cursor_.Columns());
    RebuildThrough(*feldLange_, false,
                   [this] { return CustomerRestructure::ChangeLengths(cursor_.Columns(), feldLange_->Lengths()); });
}

void TKundenForm::Felderumsortieren1Click()
{
    if (!cursor_.Active())
        return;
    sortFeld_->Fill(cursor_.Columns());
    RebuildThrough(*sortFeld_, true,
                   [this] { return CustomerRestructure::Reorder(cursor_.Columns(), sortFeld_->nrs()); });
}

void TKundenForm::RebuildThrough(QDialog& dialog, bool columnsMove, const std::function<RebuildPlan()>& plan)
{
    if (RunDialog(dialog) != QDialog::Accepted || !cursor_.PostIfEditing())
        return;
    if (columnsMove)
        AktuallisiereDBEditClear();  // no box may hold a column that moves
    customers_.Rebuild(plan());
    SendProgress(0);
    if (columnsMove)
        AktuallisiereDBEdit();
    else
        cursor_.Reload();
}

// ---- the "Datei" and "Funktionen" menus: CSV, printing, counting; the mail --------------------

void TKundenForm::SetFilterEdText(const QString& text)
{
    ui->FilterEd->setText(text);
}

void TKundenForm::ExportierenalsCSV1Click()
{
    csv_.Export();
}

void TKundenForm::ImportierenausCSVDatei1Click()
{
    csv_.Import();
}

void TKundenForm::Druckereinrichten1Click()
{
    RunPrinterSetup(this, PrintMessages::kRecordAdvice);
}

void TKundenForm::Datensatzdrucken1Click()
{
    if (druckeForm_)
        printing_.PrintRecord(*druckeForm_, autodruck);
}

void TKundenForm::AlleDatenstzedrucken1Click()
{
    if (druckeForm_)
        printing_.PrintAll(*druckeForm_, autodruck);
}

void TKundenForm::AnzahlderEintrgeindeneinzelnenSpaltenzhlen1Click()
{
    if (druckeForm_)
        printing_.PrintCounts(*druckeForm_);
}

void TKundenForm::Label12Click()
{
    std::optional<CustomerMail> mail;
    try {
        mail = CustomerMail::FromRecord(customers_.Dbf1());
    } catch (const IoError& error) {
        ReportError(error);
        return;
    }
    // Without the four columns, the edit panel's boxes 4, 3, 2 and 12 stand in for them.
    if (!mail)
        mail = CustomerMail::Compose(ToU16(combos_[3]->currentText()), ToU16(combos_[2]->currentText()),
                                     ToU16(combos_[1]->currentText()), ToU16(combos_[11]->currentText()));
    SendMailMAPI(std::string(), EncodeCp1252(mail->body), std::string(), std::string(), std::string(),
                 EncodeCp1252(mail->recipientName), EncodeCp1252(mail->address), std::string());
}

// ---- window --------------------------------------------------------------------------------

bool TKundenForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->FilterEd && event->type() == QEvent::KeyPress) {
        const auto key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            FilterbtnClick();
            return true;
        }
    }
    if (watched == ui->Label12 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Q_EMIT Label12Clicked();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TKundenForm::ApplyMemoHeight()
{
    if (memoHeight_ <= 0)
        return;
    const QList<int> sizes = ui->Splitter1->sizes();
    if (sizes.size() != 2)
        return;
    const int total = sizes[0] + sizes[1];
    const int memo = std::clamp(memoHeight_ + ui->Label13->sizeHint().height() + 2, 40, std::max(40, total - 80));
    ui->Splitter1->setSizes({total - memo, memo});
}

void TKundenForm::showEvent(QShowEvent* event)
{
    if (!shown_) {
        shown_ = true;
        storage_->Restore();
        QDialog::showEvent(event);
        ApplyMemoHeight();
        // The window gets its final size from the window system after this event.
        QTimer::singleShot(0, this, &TKundenForm::ApplyMemoHeight);
        return;
    }
    QDialog::showEvent(event);
}

void TKundenForm::FormClose()
{
    // A record being edited is stored; when that fails the user is told and the edit is
    // dropped, so that the table is consistent for the next opening.
    cursor_.PostOrCancel();
    storage_->Save();
}

void TKundenForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}
