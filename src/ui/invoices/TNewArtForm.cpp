#include "ui/invoices/TNewArtForm.h"

#include "foundation/Messenger.h"
#include "invoices/ArtikelList.h"
#include "invoices/TRechnungBook.h"
#include "messages/MessageCatalog.h"
#include "ui/shared/QtText.h"
#include "ui/shared/TableSelection.h"
#include "ui/shared/UiServices.h"
#include "ui_TNewArtForm.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStandardItemModel>

TNewArtForm::TNewArtForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TNewArtForm>())
{
    ui->setupUi(this);
    setFixedSize(size());
    model_ = new QStandardItemModel(0, 6, this);
    model_->setHorizontalHeaderLabels({"Einheit", "ArtNr", "MWST", "Bezeichnung", "Preis", "Barcode"});
    ui->ListView3->setModel(model_);
    ui->ListView3->verticalHeader()->hide();
    ui->ListView3->horizontalHeader()->resizeSection(3, 200);
    ui->ListView3->installEventFilter(this);
    ui->ArtNrEd->installEventFilter(this);
    connect(ui->OkBtn, &QPushButton::clicked, this, &TNewArtForm::OkBtnClick);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->ListView3, &QTableView::doubleClicked, this, &TNewArtForm::OkBtnClick);
    // Enter must not close the dialog through a default button: it has its own meaning.
    ui->OkBtn->setAutoDefault(false);
    ui->CancelBtn->setAutoDefault(false);
}

TNewArtForm::~TNewArtForm() = default;

std::optional<uint32_t> TNewArtForm::Pick(const TRechnungBook& book, char16_t decimalSeparator)
{
    book_ = &book;
    model_->removeRows(0, model_->rowCount());
    for (uint32_t i = 0; i < book.ArtikelCount(); ++i) {
        QList<QStandardItem*> row;
        for (int column = 0; column < kArtikelColumns; ++column)
            row << new QStandardItem(ToQString(ArtikelColumnText(book.Artikel(i), column, decimalSeparator)));
        row << new QStandardItem();  // articles carry no barcode of their own
        model_->appendRow(row);
    }
    const int rows = model_->rowCount();
    if (rows > 0)
        SelectRow(lastRow_ < rows ? lastRow_ : rows - 1);
    ui->ArtNrEd->clear();
    const int result = RunDialog(*this);
    book_ = nullptr;
    const int row = SelectedRow();
    if (row >= 0)
        lastRow_ = row;
    if (result != QDialog::Accepted || row < 0)
        return std::nullopt;
    return static_cast<uint32_t>(row);
}

int TNewArtForm::SelectedRow() const
{
    return SelectedTableRow(ui->ListView3);
}

void TNewArtForm::SelectRow(int row)
{
    SelectTableRow(ui->ListView3, row);
}

void TNewArtForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ui->ArtNrEd->setFocus();
}

void TNewArtForm::OkBtnClick()
{
    if (SelectedRow() < 0) {
        CurrentMessenger().ShowError(MessageText(129));
        return;
    }
    accept();
}

void TNewArtForm::ArtNrEdEnter()
{
    if (!book_)
        return;
    const std::optional<uint32_t> found = FindPickArtikel(*book_, ToU16(ui->ArtNrEd->text()));
    if (!found)
        return;  // no match: the dialog stays open
    SelectRow(static_cast<int>(*found));
    accept();
}

bool TNewArtForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == ui->ArtNrEd)
                ArtNrEdEnter();
            else if (watched == ui->ListView3 && SelectedRow() >= 0)
                accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
