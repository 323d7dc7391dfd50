#include "ui/invoices/TextbausteinePage.h"

#include "foundation/Messenger.h"
#include "invoices/TRechnungBook.h"
#include "messages/MessageCatalog.h"
#include "ui/invoices/TEditTextbauForm.h"
#include "ui/shared/FunctionTableModel.h"
#include "ui/shared/QtText.h"
#include "ui_TextbausteinePage.h"

#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

TextbausteinePage::TextbausteinePage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TextbausteinePage>())
{
    ui->setupUi(this);
    ui->ListView4->verticalHeader()->hide();
    ui->ListView4->horizontalHeader()->setStretchLastSection(true);
}

TextbausteinePage::~TextbausteinePage() = default;

void TextbausteinePage::Attach(TRechnungBook& book)
{
    book_ = &book;
    model_ = new FunctionTableModel(
        {"Bezeichnung", "Text"}, [this] { return static_cast<int>(book_->settings.ListView4.size()); },
        [this](int row, int column) {
            const TTextbaustein& block = book_->settings.ListView4[static_cast<size_t>(row)];
            return ToQString(column == 0 ? block.name : block.text);
        },
        this);
    ui->ListView4->setModel(model_);
    ui->ListView4->horizontalHeader()->resizeSection(0, 200);
    connect(ui->BitBtn6, &QPushButton::clicked, this, &TextbausteinePage::BitBtn6Click);
    connect(ui->BitBtn7, &QPushButton::clicked, this, &TextbausteinePage::BitBtn7Click);
    connect(ui->BitBtn4, &QPushButton::clicked, this, &TextbausteinePage::BitBtn4Click);
    connect(ui->ListView4, &QTableView::doubleClicked, this, &TextbausteinePage::BitBtn7Click);
}

void TextbausteinePage::Rebuild()
{
    model_->Rebuild();
}

void TextbausteinePage::BitBtn6Click()
{
    QString name;
    QString text;
    if (editForm_ && editForm_->Edit(name, text)) {
        book_->settings.ListView4.push_back({ToU16(name), ToU16(text)});
        model_->Rebuild();
        Q_EMIT TextbausteineChanged();
    }
    book_->SaveRechnungen();
}

void TextbausteinePage::BitBtn7Click()
{
    const QModelIndex current = ui->ListView4->selectionModel()->currentIndex();
    const QModelIndexList selected = ui->ListView4->selectionModel()->selectedRows();
    if (selected.isEmpty() || !editForm_)
        return;
    const int row = current.isValid() && ui->ListView4->selectionModel()->isRowSelected(current.row())
                        ? current.row()
                        : selected.first().row();
    TTextbaustein& block = book_->settings.ListView4[static_cast<size_t>(row)];
    QString name = ToQString(block.name);
    QString text = ToQString(block.text);
    if (editForm_->Edit(name, text)) {
        block = {ToU16(name), ToU16(text)};
        model_->Refresh();
        Q_EMIT TextbausteineChanged();
    }
    book_->SaveRechnungen();
}

void TextbausteinePage::BitBtn4Click()
{
    if (CurrentMessenger().AskQuestion(MessageText(269), MessageText(270)) != Messenger::Answer::Yes)
        return;
    std::vector<int> rows;
    for (const QModelIndex& index : ui->ListView4->selectionModel()->selectedRows())
        rows.push_back(index.row());
    // From the last to the first, so that the indexes still to delete stay valid.
    std::sort(rows.rbegin(), rows.rend());
    auto& blocks = book_->settings.ListView4;
    for (int row : rows)
        blocks.erase(blocks.begin() + row);
    model_->Rebuild();
    Q_EMIT TextbausteineChanged();
    book_->SaveRechnungen();
}

void TextbausteinePage::keyPressEvent(QKeyEvent* event)
{
    // Keyboard shortcuts of the tab: Enter clicks "Neuer Textbaustein...", Escape clicks "Löschen".
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ui->BitBtn6->click();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        ui->BitBtn4->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
