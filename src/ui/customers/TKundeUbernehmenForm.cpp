#include "ui/customers/TKundeUbernehmenForm.h"

#include "ui/customers/KundenTableModel.h"
#include "ui/shared/FormStorage.h"
#include "ui/shared/QtText.h"
#include "ui/shared/ScopedFlag.h"
#include "ui_TKundeUbernehmenForm.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>

TKundeUbernehmenForm::TKundeUbernehmenForm(QWidget* parent)
    : QDialog(parent),
      ui(std::make_unique<Ui::TKundeUbernehmenForm>())
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
            if (cursor_)
                cursor_->Click(CustomerCursor::Button(b));
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

void TKundeUbernehmenForm::Bind(CustomerCursor& cursor)
{
    if (cursor_ != &cursor) {
        cursor_ = &cursor;
        subscription_ = {};
        auto model = std::make_unique<KundenTableModel>(cursor);
        QItemSelectionModel* oldSelection = ui->DBGrid1->selectionModel();
        ui->DBGrid1->setModel(model.get());
        delete oldSelection;
        model_ = std::move(model);
        connect(ui->DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex& current) { OnGridRowChanged(current.row()); });
        subscription_ = cursor.Observe(*this);  // after the model's: the rows are made first
    }
    SyncSelection();
}

void TKundeUbernehmenForm::SyncSelection()
{
    if (!cursor_)
        return;
    {
        const ScopedFlag syncing(syncing_);
        model_->SelectCurrentIn(*ui->DBGrid1);
    }
    UpdateNavigator();
}

void TKundeUbernehmenForm::UpdateNavigator()
{
    if (!cursor_)
        return;
    const CustomerCursor::Buttons enabled = cursor_->Enabled(ui->DBGrid1->currentIndex().row());
    for (size_t b = 0; b < navigator_.size(); ++b)
        navigator_[b]->setEnabled(enabled[b]);
}

void TKundeUbernehmenForm::OnGridRowChanged(int row)
{
    if (!syncing_ && cursor_)
        cursor_->MoveToRow(row);  // the customer window follows
}

void TKundeUbernehmenForm::FilterbtnClick()
{
    if (cursor_)
        cursor_->Search(ToU16(ui->FilterEd->text()));
}

void TKundeUbernehmenForm::AllezeigenBtnClick()
{
    if (!cursor_)
        return;
    cursor_->ShowAll();
    ui->FilterEd->clear();
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
    if (cursor_)
        cursor_->PostOrCancel();
    storage_->Save();
    QDialog::done(result);
}
