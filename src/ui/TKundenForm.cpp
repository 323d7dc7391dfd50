#include "ui/TKundenForm.h"

#include "customers/CustomerCsvExport.h"
#include "customers/CustomerCsvImport.h"
#include "customers/CsvLineReader.h"
#include "customers/CustomerMail.h"
#include "customers/CustomerReport.h"
#include "customers/CustomerRestructure.h"
#include "customers/CustomerValueLists.h"
#include "customers/DamagedMemoWalk.h"
#include "foundation/Cp1252.h"
#include "foundation/FileByteSource.h"
#include "foundation/IoError.h"
#include "foundation/Messenger.h"
#include "foundation/Utf8.h"
#include "messages/MessageCatalog.h"
#include "messages/PrintMessages.h"
#include "ui/FormStorage.h"
#include "ui/KundenDialogRunner.h"
#include "ui/KundenTableModel.h"
#include "ui/PrintJobs.h"
#include "ui/ProgressReporter.h"
#include "ui/QtText.h"
#include "ui/SendMailMAPI.h"
#include "ui/StandardDialogs.h"
#include "ui/TDruckeForm.h"
#include "ui/TFeldLangeForm.h"
#include "ui/TNeueFelderForm.h"
#include "ui/TSortFeldForm.h"
#include "ui/ValueListComboBox.h"
#include "ui_TKundenForm.h"

#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTimer>

namespace {

const QString kCsvFilter = QStringLiteral("CSV Dateien (*.csv)");
const std::u16string kTableNotOpen = u"Die Kundendatenbank ist nicht geöffnet.";

// Long work reports to the status bar; the bar is emptied when the work is done.
void ShowProgress(int percent)
{
    SendProgress(percent);
}

std::string FilePath(const QString& name)
{
    return QStringToPath(name);
}

std::u16string Number(uint32_t n)
{
    return ToU16(QString::number(n));
}

QString MemoToEditor(const std::u16string& text)
{
    return ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::u16string EditorToMemo(const QString& text)
{
    QString memo = text;
    memo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    memo.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return ToU16(memo);
}

}  // namespace

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
    labels_ = {ui->Label1,  ui->Label2,  ui->Label3,  ui->Label4,  ui->Label5,  ui->Label6,
               ui->Label7,  ui->Label8,  ui->Label9,  ui->Label10, ui->Label11, ui->Label12,
               ui->Label15, ui->Label16, ui->Label17, ui->Label18, ui->Label19, ui->Label20,
               ui->Label21, ui->Label22, ui->Label23, ui->Label24, ui->Label25, ui->Label26};
    navigator_ = {ui->nbFirst, ui->nbPrior, ui->nbNext,   ui->nbLast,   ui->nbInsert,
                  ui->nbDelete, ui->nbEdit, ui->nbPost, ui->nbCancel, ui->nbRefresh};

    model_ = new KundenTableModel(customers_.Dbf1(), this);
    ui->DBGrid1->setModel(model_);
    ui->DBGrid1->horizontalHeader()->setSectionsClickable(true);
    ui->DBGrid1->horizontalHeader()->setHighlightSections(false);
    ui->DBGrid1->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    ui->Splitter1->setStretchFactor(0, 1);
    ui->Splitter1->setStretchFactor(1, 0);
    connect(ui->DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this, &TKundenForm::DBGrid1TitleClick);
    connect(ui->DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { OnGridRowChanged(current.row()); });
    connect(model_, &KundenTableModel::CellEdited, this, [this] {
        LoadControls();
        UpdateNavigator();
    });

    for (int b = 0; b < ButtonCount; ++b)
        connect(navigator_[size_t(b)], &QToolButton::clicked, this, [this, b] { NavigatorClick(b); });
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
    customers_.SetProgress(ShowProgress);

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
    UpdateNavigator();
}

TKundenForm::~TKundenForm() = default;

void TKundenForm::SetDialogRunner(KundenDialogRunner* runner)
{
    runner_ = runner;
}

int TKundenForm::RunDialog(QDialog& dialog)
{
    return (runner_ ? *runner_ : KundenDialogRunner::Modal()).Run(dialog);
}

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
    if (!PostIfEditing())
        return;
    DbfTable& table = customers_.Dbf1();
    binding_ = CustomerEditBinding::For(table.Active() ? table.Fields() : std::vector<DbfField> {});
    inCH_ = true;
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
    inCH_ = false;
    try {
        if (table.Active())
            table.Last();  // where a walk over the records ends
    } catch (const IoError& error) {
        ReportError(error);
    }
    RefreshGrid();
    SyncGridToTable();
}

void TKundenForm::FillValueList(int k)
{
    const size_t box = size_t(k);
    const int field = binding_.comboFields[box];
    DbfTable& table = customers_.Dbf1();
    if (listFilled_[box] || field < 0 || !table.Active())
        return;
    listFilled_[box] = true;
    std::vector<std::u16string> values;
    try {
        values = CustomerValueLists::Collect(table, model_->RecNos(), field);
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
    const bool wasInCH = inCH_;
    inCH_ = true;
    combo->addItems(items);
    combo->setEditText(text);
    if (selectionStart >= 0)
        edit->setSelection(selectionStart, selectionLength);
    else
        edit->setCursorPosition(cursor);
    inCH_ = wasInCH;
}

bool TKundenForm::ValueListFilled(int k) const
{
    return listFilled_[size_t(k)];
}

void TKundenForm::AktuallisiereDBEditClear()
{
    binding_ = CustomerEditBinding::For({});
    inCH_ = true;
    for (QComboBox* combo : combos_)
        combo->setEditText(QString());
    ui->DBMemo1->clear();
    ui->DBMemo1->setEnabled(false);
    inCH_ = false;
}

void TKundenForm::LoadControls()
{
    DbfTable& table = customers_.Dbf1();
    inCH_ = true;
    try {
        for (size_t k = 0; k < combos_.size(); ++k) {
            const int field = binding_.comboFields[k];
            if (field >= 0 && table.Active())
                combos_[k]->setEditText(ToQString(table.Value(field)));
            else
                combos_[k]->setEditText(QString());
        }
        if (binding_.memoField >= 0 && table.Active()) {
            const QString memo = MemoToEditor(table.Value(binding_.memoField));
            if (ui->DBMemo1->toPlainText() != memo)
                ui->DBMemo1->setPlainText(memo);
        } else {
            ui->DBMemo1->clear();
        }
    } catch (const IoError& error) {
        inCH_ = false;
        ReportError(error);
        return;
    }
    inCH_ = false;
}

bool TKundenForm::RepairBeforeChange()
{
    if (!customers_.Dbf1().Active() || !customers_.Dbf1().CutOff())
        return true;
    const bool repaired = customers_.RepairBeforeChange();
    SendProgress(0);
    RefreshGrid();  // the records have new numbers
    SyncGridToTable();
    return repaired;
}

void TKundenForm::BeginEditingIfNeeded()
{
    DbfTable& table = customers_.Dbf1();
    if (table.GetState() != DbfTable::State::Browse)
        return;
    if (table.IsEmpty()) {
        // Typing into an empty table starts a new record.
        table.Append();
        syncing_ = true;
        model_->SetInsertRow(true);
        syncing_ = false;
        SyncGridToTable();
        return;
    }
    table.Edit();
}

void TKundenForm::OnComboEdited(int k, const QString& text)
{
    const int field = binding_.comboFields[size_t(k)];
    if (inCH_ || field < 0 || !customers_.Dbf1().Active())
        return;
    const bool repairing = customers_.Dbf1().CutOff();
    if (!RepairBeforeChange()) {
        LoadControls();
        return;
    }
    try {
        BeginEditingIfNeeded();
        customers_.Dbf1().SetValue(field, ToU16(text));
    } catch (const IoError& error) {
        ReportError(error);
    }
    if (repairing)
        LoadControls();  // the controls show the record again, with what was typed
    UpdateCurrentRow();
    UpdateNavigator();
}

void TKundenForm::OnMemoEdited()
{
    if (inCH_ || binding_.memoField < 0 || !customers_.Dbf1().Active())
        return;
    const QString typed = ui->DBMemo1->toPlainText();
    const bool repairing = customers_.Dbf1().CutOff();
    if (!RepairBeforeChange()) {
        LoadControls();
        return;
    }
    try {
        BeginEditingIfNeeded();
        customers_.Dbf1().SetValue(binding_.memoField, EditorToMemo(typed));
    } catch (const IoError& error) {
        ReportError(error);
    }
    if (repairing)
        LoadControls();
    UpdateCurrentRow();
    UpdateNavigator();
}

// ---- grid and navigation -------------------------------------------------------------------

void TKundenForm::RefreshGrid()
{
    syncing_ = true;
    model_->Refresh();
    syncing_ = false;
    QHeaderView* header = ui->DBGrid1->horizontalHeader();
    const DbfTable& table = customers_.Dbf1();
    for (int c = 0; table.Active() && c < table.FieldCount(); ++c) {
        const DbfField& field = table.Field(c);
        const int chars = field.IsMemo() ? 24 : std::clamp(field.length, 6, 24);
        header->resizeSection(c, fontMetrics().averageCharWidth() * chars + 16);
    }
}

void TKundenForm::UpdateCurrentRow()
{
    const DbfTable& table = customers_.Dbf1();
    const int row = model_->HasInsertRow() && table.GetState() == DbfTable::State::Insert
                        ? model_->rowCount() - 1
                        : model_->RowOf(table.RecNo());
    if (row >= 0)
        Q_EMIT model_->dataChanged(model_->index(row, 0), model_->index(row, model_->columnCount() - 1));
}

void TKundenForm::SyncGridToTable()
{
    const DbfTable& table = customers_.Dbf1();
    int row = -1;
    if (model_->HasInsertRow())
        row = model_->rowCount() - 1;
    else if (table.Active() && table.RecNo() != 0)
        row = model_->RowOf(table.RecNo());
    syncing_ = true;
    QItemSelectionModel* selection = ui->DBGrid1->selectionModel();
    if (row >= 0) {
        const int column = std::max(0, ui->DBGrid1->currentIndex().column());
        const QModelIndex index = model_->index(row, std::min(column, std::max(0, model_->columnCount() - 1)));
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        ui->DBGrid1->scrollTo(index);
    } else {
        selection->clear();
    }
    syncing_ = false;
    LoadControls();
    UpdateNavigator();
}

bool TKundenForm::PostIfEditing()
{
    DbfTable& table = customers_.Dbf1();
    if (!table.Active() || table.GetState() == DbfTable::State::Browse)
        return true;
    const bool inserting = table.GetState() == DbfTable::State::Insert;
    try {
        table.Post();
    } catch (const IoError& error) {
        ReportError(error);
        return false;
    }
    if (inserting || !table.ActiveIndex().empty())
        RefreshGrid();  // a new row, or the record moved in the order
    else
        UpdateCurrentRow();
    return true;
}

void TKundenForm::OnGridRowChanged(int row)
{
    if (syncing_)
        return;
    DbfTable& table = customers_.Dbf1();
    if (!table.Active())
        return;
    const bool insertRow = model_->HasInsertRow() && row == model_->rowCount() - 1;
    if (insertRow && table.GetState() == DbfTable::State::Insert)
        return;
    const uint32_t target = model_->RecNoAt(row);
    if (!PostIfEditing()) {
        SyncGridToTable();  // stay on the record that could not be stored
        return;
    }
    try {
        if (target != 0)
            table.GoTo(target);
    } catch (const IoError& error) {
        ReportError(error);
    }
    SyncGridToTable();
}

void TKundenForm::NavigatorClick(int button)
{
    DbfTable& table = customers_.Dbf1();
    if (!table.Active())
        return;
    if ((button == Insert || button == Delete || button == Edit) && !RepairBeforeChange())
        return;
    try {
        switch (button) {
        case First:
        case Prior:
        case Next:
        case Last:
            if (!PostIfEditing())
                return;
            if (button == First)
                table.First();
            else if (button == Prior)
                table.Prior();
            else if (button == Next)
                table.Next();
            else
                table.Last();
            break;
        case Insert:
            if (!PostIfEditing())
                return;
            table.Insert();
            syncing_ = true;
            model_->SetInsertRow(true);
            syncing_ = false;
            break;
        case Delete:
            if (table.GetState() == DbfTable::State::Insert) {
                table.Cancel();
                RefreshGrid();
                break;
            }
            if (table.IsEmpty())
                return;
            if (CurrentMessenger().AskQuestion(u"Datensatz löschen?", u"Kundenverwaltung") != Messenger::Answer::Yes)
                return;
            table.Delete();
            RefreshGrid();
            break;
        case Edit:
            if (!table.IsEmpty())
                table.Edit();
            break;
        case Post:
            PostIfEditing();
            break;
        case Cancel:
            table.Cancel();
            RefreshGrid();
            break;
        case Refresh:
            if (!PostIfEditing())
                return;
            RefreshGrid();
            break;
        default:
            return;
        }
    } catch (const IoError& error) {
        ReportError(error);
    }
    SyncGridToTable();
}

std::array<bool, TKundenForm::ButtonCount> TKundenForm::NavigatorEnabled(int row) const
{
    const DbfTable& table = customers_.Dbf1();
    const bool active = table.Active();
    const bool browsing = active && table.GetState() == DbfTable::State::Browse;
    const int rows = model_->rowCount();
    const bool hasRecord = active && (!table.IsEmpty() || table.GetState() == DbfTable::State::Insert);
    std::array<bool, ButtonCount> enabled {};
    enabled[First] = hasRecord && row > 0;
    enabled[Prior] = hasRecord && row > 0;
    enabled[Next] = hasRecord && row >= 0 && row < rows - 1;
    enabled[Last] = hasRecord && row >= 0 && row < rows - 1;
    enabled[Insert] = active;
    enabled[Delete] = hasRecord;
    enabled[Edit] = browsing && hasRecord;
    enabled[Post] = active && !browsing;
    enabled[Cancel] = active && !browsing;
    enabled[Refresh] = active;
    return enabled;
}

void TKundenForm::UpdateNavigator()
{
    const std::array<bool, ButtonCount> enabled = NavigatorEnabled(ui->DBGrid1->currentIndex().row());
    for (size_t b = 0; b < enabled.size(); ++b)
        navigator_[b]->setEnabled(enabled[b]);
    Q_EMIT NavigatorChanged();
}

// ---- search and sorting --------------------------------------------------------------------

void TKundenForm::FilterbtnClick()
{
    if (!PostIfEditing())
        return;
    // The search reads every record; memos it could not read are named when it is done.
    DamagedMemoWalk damaged(customers_.Dbf1());
    try {
        customers_.ApplyFilter(ToU16(ui->FilterEd->text()));
    } catch (const IoError& error) {
        ReportError(error);
    }
    RefreshGrid();
    SyncGridToTable();
    if (!customers_.FilterText().empty()) {
        damaged.TakeAll();
        if (!damaged.Records().empty())
            CurrentMessenger().ShowError(u"Die Suche hat alle übrigen Datensätze durchsucht. " + damaged.Report());
    }
}

void TKundenForm::AllezeigenBtnClick()
{
    if (!PostIfEditing())
        return;
    try {
        customers_.ShowAll();
    } catch (const IoError& error) {
        ReportError(error);
    }
    ui->FilterEd->clear();
    RefreshGrid();
    SyncGridToTable();
}

void TKundenForm::DBGrid1TitleClick(int column)
{
    DbfTable& table = customers_.Dbf1();
    if (!table.Active() || column < 0 || column >= table.FieldCount() || !PostIfEditing())
        return;
    customers_.SortByColumn(table.Field(column).name);  // errors (a memo column) are ignored
    RefreshGrid();
    SyncGridToTable();
}

// ---- the "Felder" menu ---------------------------------------------------------------------

bool TKundenForm::AddnewField(const std::u16string& fname, int lang)
{
    if (!PostIfEditing())
        return false;
    const bool done = customers_.AddnewField(fname, lang);
    SendProgress(0);
    RefreshGrid();
    SyncGridToTable();
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
    DbfTable& table = customers_.Dbf1();
    if (!table.Active())
        return;
    const auto plan = CustomerRestructure::DeleteLastField(table.Fields());
    if (!plan) {
        CurrentMessenger().ShowError(MessageText(198), MessageText(199));
        return;
    }
    if (CurrentMessenger().AskQuestion(MessageText(200), MessageText(201), Messenger::QuestionIcon::Stop) ==
            Messenger::Answer::Yes
        && PostIfEditing()) {
        AktuallisiereDBEditClear();
        customers_.Rebuild(*plan);
        SendProgress(0);
    }
    AktuallisiereDBEdit();
}

void TKundenForm::Feldlngenbearbeiten1Click()
{
    DbfTable& table = customers_.Dbf1();
    if (!table.Active())
        return;
    feldLange_->Fill(table.Fields());
    if (RunDialog(*feldLange_) != QDialog::Accepted || !PostIfEditing())
        return;
    customers_.Rebuild(CustomerRestructure::ChangeLengths(table.Fields(), feldLange_->Lengths()));
    SendProgress(0);
    RefreshGrid();
    SyncGridToTable();
}

void TKundenForm::Felderumsortieren1Click()
{
    DbfTable& table = customers_.Dbf1();
    if (!table.Active())
        return;
    sortFeld_->Fill(table.Fields());
    if (RunDialog(*sortFeld_) != QDialog::Accepted || !PostIfEditing())
        return;
    AktuallisiereDBEditClear();
    customers_.Rebuild(CustomerRestructure::Reorder(table.Fields(), sortFeld_->nrs()));
    SendProgress(0);
    AktuallisiereDBEdit();
}

// ---- the "Datei" and "Funktionen" menus: CSV, printing, counting; the mail --------------------

void TKundenForm::SetFilterEdText(const QString& text)
{
    ui->FilterEd->setText(text);
}

void TKundenForm::ExportierenalsCSV1Click()
{
    const QString file = CurrentDialogs().GetSaveFileName(this, QString(), QString(), kCsvFilter, QStringLiteral("csv"));
    if (file.isEmpty() || !PostIfEditing())
        return;
    DbfTable& table = customers_.Dbf1();
    if (!table.Active()) {
        CurrentMessenger().ShowError(kTableNotOpen);
        return;
    }
    // The export walks the table; the record the user stood on stays current.
    const uint32_t current = table.RecNo();
    const CustomerCsvExport::Result result = CustomerCsvExport::WriteFile(table, FilePath(file), ShowProgress);
    try {
        if (current != 0)
            table.GoTo(current);
    } catch (const IoError&) {
    }
    SendProgress(0);
    SyncGridToTable();
    if (result.status == CustomerCsvExport::Result::Status::CannotCreate)
        CurrentMessenger().ShowError(MessageText(12));
    else if (result.status == CustomerCsvExport::Result::Status::WriteFailed)
        CurrentMessenger().ShowError(u"Die CSV-Datei konnte nicht geschrieben werden:\n" + Utf8ToUtf16(result.error)
                                     + u"\n\nEine vorhandene Datei dieses Namens ist unverändert.");
    else if (!result.damagedMemos.empty())
        CurrentMessenger().ShowError(u"Die CSV-Datei wurde geschrieben. "
                                     + DamagedMemoWalk::Report(result.damagedMemos));
}

void TKundenForm::ImportierenausCSVDatei1Click()
{
    const QString file = CurrentDialogs().GetOpenFileName(this, QString(), QString(), kCsvFilter);
    if (file.isEmpty() || !PostIfEditing() || !RepairBeforeChange())
        return;
    DbfTable& table = customers_.Dbf1();
    if (!table.Active()) {
        CurrentMessenger().ShowError(kTableNotOpen);
        return;
    }
    // A first reading finds the file's encoding.
    std::unique_ptr<FileByteSource> source;
    CsvEncoding::Kind encoding = CsvEncoding::Kind::Windows1252;
    try {
        FileByteSource probe(FilePath(file));
        encoding = CsvEncoding::Detect(probe);
        source = std::make_unique<FileByteSource>(FilePath(file));
    } catch (const IoError&) {
        CurrentMessenger().ShowError(MessageText(13));
        return;
    }
    CustomerCsvImport::Result result;
    std::u16string readError;
    try {
        result = CustomerCsvImport::Read(table, *source, ShowProgress, encoding);
    } catch (const IoError& error) {
        readError = Utf8ToUtf16(error.what());
    }
    source.reset();
    SendProgress(0);
    RefreshGrid();  // the new records appear, the last one current
    SyncGridToTable();
    if (!readError.empty())
        CurrentMessenger().ShowError(u"Die Datei konnte nicht zu Ende gelesen werden:\n" + readError
                                     + u"\n\nDie bis dahin gelesenen Datensätze wurden übernommen.");
    if (result.notStored > 0)
        CurrentMessenger().ShowError(Number(result.notStored) + u" Datensätze der Datei konnten nicht gespeichert werden:\n"
                                     + Utf8ToUtf16(result.firstError));
    if (result.tooLong > 0)
        CurrentMessenger().ShowError(Number(result.tooLong) + u" Zeilen der Datei waren zu lang (ein Wert über "
                                     + Number(uint32_t(CsvLineReader::kMaxValueBytes >> 20)) + u" MB oder die Zeile über "
                                     + Number(uint32_t(CsvLineReader::kMaxLineBytes >> 20))
                                     + u" MB) und wurden übersprungen.");
    if (result.replaced > 0)
        CurrentMessenger().ShowError(ToU16(QString::number(result.replaced))
                                     + u" Zeichen der Datei gibt es in der Zeichentabelle der Kundendatenbank nicht; "
                                       u"sie wurden als „?“ gespeichert.");
}

void TKundenForm::Druckereinrichten1Click()
{
    RunPrinterSetup(this, PrintMessages::kRecordAdvice);
}

void TKundenForm::SetPrintPageRect()
{
    druckeForm_->SetPageRect(HalfInchPageRect());
}

void TKundenForm::Datensatzdrucken1Click()
{
    if (!druckeForm_ || !PostIfEditing())
        return;
    SetPrintPageRect();
    std::vector<std::u16string> lines;
    DamagedMemoWalk damaged(customers_.Dbf1());
    try {
        if (customers_.Dbf1().Active()) {
            lines = CustomerReport::RecordLines(customers_.Dbf1());
            damaged.Visit();
        }
    } catch (const IoError& error) {
        ReportError(error);
        return;
    }
    if (!autodruck && !damaged.Records().empty())
        CurrentMessenger().ShowError(damaged.Report());
    druckeForm_->SetLines(lines);
    if (autodruck)
        druckeForm_->BitBtn2Click();
    else
        RunDialog(*druckeForm_);
}

void TKundenForm::AlleDatenstzedrucken1Click()
{
    if (!druckeForm_ || !PostIfEditing())
        return;
    if (CurrentMessenger().AskQuestion(MessageText(193), MessageText(194), Messenger::QuestionIcon::None)
        != Messenger::Answer::Yes)
        return;
    DbfTable& table = customers_.Dbf1();
    if (!table.Active()) {
        CurrentMessenger().ShowError(kTableNotOpen);
        return;
    }
    if (!CheckPrinterAvailable(PrintMessages::kRecordAdvice))
        return;  // told once, not once per record
    const uint32_t current = table.RecNo();
    DamagedMemoWalk damaged(table);
    try {
        CustomerProgressSteps steps(ShowProgress);
        const uint64_t total = table.PhysicalRecordCount();
        uint64_t printed = 0;
        steps.Report(0, 1);
        for (table.First(); !table.Eof(); table.Next()) {
            SetPrintPageRect();
            druckeForm_->SetLines(CustomerReport::RecordLines(table));
            damaged.Visit();
            autodruck = true;
            const bool started = druckeForm_->BitBtn2Click();
            autodruck = false;
            if (!started)
                break;
            steps.Report(++printed, total);
        }
        if (current != 0)
            table.GoTo(current);
    } catch (const IoError& error) {
        autodruck = false;
        ReportError(error);
    }
    SendProgress(0);
    SyncGridToTable();
    if (!damaged.Records().empty())
        CurrentMessenger().ShowError(u"Die übrigen Datensätze wurden gedruckt. " + damaged.Report());
}

void TKundenForm::AnzahlderEintrgeindeneinzelnenSpaltenzhlen1Click()
{
    if (!druckeForm_ || !PostIfEditing())
        return;
    SetPrintPageRect();
    DbfTable& table = customers_.Dbf1();
    std::vector<std::u16string> lines;
    std::vector<uint32_t> damaged;
    if (table.Active()) {
        const uint32_t current = table.RecNo();
        try {
            lines = CustomerReport::CountLines(table, CustomerReport::FilledCounts(table, ShowProgress, &damaged));
            if (current != 0)
                table.GoTo(current);
        } catch (const IoError& error) {
            SendProgress(0);
            ReportError(error);
            return;
        }
        SendProgress(0);
        SyncGridToTable();
    }
    if (!damaged.empty())
        CurrentMessenger().ShowError(u"Die Zählung zählt diese Memos als leer. " + DamagedMemoWalk::Report(damaged));
    druckeForm_->SetLines(lines);
    RunDialog(*druckeForm_);
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
    if (watched == ui->Label12 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
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
    DbfTable& table = customers_.Dbf1();
    if (table.Active() && table.GetState() != DbfTable::State::Browse && !PostIfEditing()) {
        table.Cancel();
        RefreshGrid();
    }
    storage_->Save();
}

void TKundenForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}
