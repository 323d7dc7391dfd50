#include "ui/TKundeUbernehmenForm.h"

#include "dbase/DbfTable.h"
#include "foundation/IoError.h"
#include "foundation/Messenger.h"
#include "foundation/Utf8.h"
#include "ui/FormStorage.h"
#include "ui/KundenTableModel.h"
#include "ui/TKundenForm.h"
#include "ui_TKundeUbernehmenForm.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>

TKundeUbernehmenForm::TKundeUbernehmenForm(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TKundeUbernehmenForm>())
{
    ui->setupUi(this);
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    ui->DBGrid1->horizontalHeader()->setHighlightSections(false);
    ui->DBGrid1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);

    navigator_ = {ui->nbFirst,  ui->nbPrior, ui->nbNext, ui->nbLast,   ui->nbInsert,
                  ui->nbDelete, ui->nbEdit,  ui->nbPost, ui->nbCancel, ui->nbRefresh};
    for (int b = 0; b < int(navigator_.size()); ++b) {
        connect(navigator_[size_t(b)], &QToolButton::clicked, this, [this, b] {
            if (!kunden_)
                return;
            kunden_->NavigatorClick(b);
            SyncSelection();
        });
    }
    connect(ui->Filterbtn, &QPushButton::clicked, this, &TKundeUbernehmenForm::FilterbtnClick);
    connect(ui->AllezeigenBtn, &QPushButton::clicked, this, &TKundeUbernehmenForm::AllezeigenBtnClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    storage_ = std::make_unique<FormStorage>(this);
    storage_->AddProperty(QStringLiteral("OverTakeFieldMehrCheck.Checked"), ui->OverTakeFieldMehrCheck, "checked");
}

TKundeUbernehmenForm::~TKundeUbernehmenForm() = default;

QCheckBox* TKundeUbernehmenForm::OverTakeFieldMehrCheck() const
{
    return ui->OverTakeFieldMehrCheck;
}

bool TKundeUbernehmenForm::OverTakeMehr() const
{
    return ui->OverTakeFieldMehrCheck->isChecked();
}

void TKundeUbernehmenForm::Bind(TKundenForm* kunden)
{
    kunden_ = kunden;
    if (ui->DBGrid1->model() != kunden->Model()) {
        ui->DBGrid1->setModel(kunden->Model());
        connect(ui->DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex& current) { OnGridRowChanged(current.row()); });
        // A refresh through the customer window (search, navigator) rebuilds the rows.
        connect(kunden->Model(), &QAbstractItemModel::modelReset, this, &TKundeUbernehmenForm::SyncSelection);
        // The buttons follow the table's state as the customer window's do.
        connect(kunden, &TKundenForm::NavigatorChanged, this, &TKundeUbernehmenForm::UpdateNavigator);
    }
    SyncSelection();
}

void TKundeUbernehmenForm::SyncSelection()
{
    if (!kunden_)
        return;
    const DbfTable& table = kunden_->Dbf1();
    KundenTableModel* model = kunden_->Model();
    int row = -1;
    if (model->HasInsertRow())
        row = model->rowCount() - 1;
    else if (table.Active() && table.RecNo() != 0)
        row = model->RowOf(table.RecNo());
    syncing_ = true;
    if (row >= 0) {
        const int column = std::max(0, ui->DBGrid1->currentIndex().column());
        const QModelIndex index = model->index(row, std::min(column, std::max(0, model->columnCount() - 1)));
        ui->DBGrid1->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        ui->DBGrid1->scrollTo(index);
    } else {
        ui->DBGrid1->selectionModel()->clear();
    }
    syncing_ = false;
    UpdateNavigator();
}

void TKundeUbernehmenForm::UpdateNavigator()
{
    if (!kunden_)
        return;
    const auto enabled = kunden_->NavigatorEnabled(ui->DBGrid1->currentIndex().row());
    for (size_t b = 0; b < navigator_.size(); ++b)
        navigator_[b]->setEnabled(enabled[b]);
}

void TKundeUbernehmenForm::OnGridRowChanged(int row)
{
    if (syncing_ || !kunden_)
        return;
    DbfTable& table = kunden_->Dbf1();
    KundenTableModel* model = kunden_->Model();
    if (!table.Active() || (model->HasInsertRow() && row == model->rowCount() - 1))
        return;
    const uint32_t target = model->RecNoAt(row);
    if (kunden_->PostIfEditing() && target != 0) {
        try {
            table.GoTo(target);
        } catch (const IoError& error) {
            CurrentMessenger().ShowError(Utf8ToUtf16(error.what()));
        }
    }
    kunden_->SyncGridToTable();  // the customer window follows
    SyncSelection();
}

void TKundeUbernehmenForm::FilterbtnClick()
{
    if (!kunden_)
        return;
    kunden_->SetFilterEdText(ui->FilterEd->text());
    kunden_->FilterbtnClick();
    SyncSelection();
}

void TKundeUbernehmenForm::AllezeigenBtnClick()
{
    if (!kunden_)
        return;
    kunden_->AllezeigenBtnClick();
    ui->FilterEd->clear();
    SyncSelection();
}

void TKundeUbernehmenForm::showEvent(QShowEvent* event)
{
    if (!shown_) {
        shown_ = true;
        storage_->Restore();
        setFixedSize(size());
    }
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    ui->FilterEd->setFocus();
}

void TKundeUbernehmenForm::done(int result)
{
    // A record being edited in the grid is stored; when that fails it is dropped.
    if (kunden_ && kunden_->Dbf1().Active() && kunden_->Dbf1().GetState() != DbfTable::State::Browse
        && !kunden_->PostIfEditing())
        kunden_->NavigatorClick(TKundenForm::Cancel);
    storage_->Save();
    QDialog::done(result);
}
