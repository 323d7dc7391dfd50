#include "ui/invoices/ArtikelPage.h"

#include "foundation/Messenger.h"
#include "invoices/ArtikelList.h"
#include "invoices/PositionEdit.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "messages/MessageCatalog.h"
#include "ui/invoices/PriceEditor.h"
#include "ui/shared/FunctionTableModel.h"
#include "ui/shared/QtText.h"
#include "ui/shared/TableSelection.h"
#include "ui_ArtikelPage.h"

#include <QHeaderView>
#include <QKeyEvent>

ArtikelPage::ArtikelPage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::ArtikelPage>())
{
    ui->setupUi(this);
    ui->ListView3->horizontalHeader()->setDefaultSectionSize(75);
    ui->ListView3->horizontalHeader()->setSectionsClickable(true);
    ui->ListView3->verticalHeader()->hide();
}

ArtikelPage::~ArtikelPage() = default;

void ArtikelPage::Attach(TRechnungBook& book, const LocaleFormat& format, FillingFlag& inCH)
{
    book_ = &book;
    inCH_ = &inCH;
    format_ = format;
    model_ = new FunctionTableModel(
        {"Einheit", "ArtNr", "MWST", "Bezeichnung", "Preis"},
        [this] { return static_cast<int>(book_->ArtikelCount()); },
        [this](int row, int column) {
            return ToQString(ArtikelColumnText(book_->Artikel(row), column, format_.decimalSeparator));
        },
        this);
    ui->ListView3->setModel(model_);
    ui->ListView3->horizontalHeader()->resizeSection(3, 260);
    OnSelectedRowChanged(ui->ListView3, this, &ArtikelPage::ListView3Change);
    connect(ui->ListView3->horizontalHeader(), &QHeaderView::sectionClicked, this, &ArtikelPage::ListView3ColumnClick);

    PriceEditor::Hooks hooks;
    hooks.hasRecord = [this] { return SelectedRow() >= 0; };
    hooks.storeRate = [this](double r) { book_->Artikel(SelectedRow()).mwst = r; };
    hooks.storeGross = [this](double preis) { book_->Artikel(SelectedRow()).preis = preis; };
    hooks.rebuild = [this] { ListArtikel(false); };
    prices_ = new PriceEditor(ui->mwsted2, ui->preised2, ui->preisnettoed2, inCH, format.decimalSeparator, hooks, this);

    connect(ui->EinheitEd2, &QLineEdit::textChanged, this, [this](const QString& text) {
        EditArtikel([&text](TArtikelRec& a) { SetTextBuf(&a.einheit, ToU16(text)); });
    });
    connect(ui->ArtNrEd2, &QLineEdit::textChanged, this, [this](const QString& text) {
        EditArtikel([&text](TArtikelRec& a) { SetTextBuf(&a.artnr, ToU16(text)); });
    });
    connect(ui->bezed2, &QLineEdit::textChanged, this,
            [this](const QString& text) { EditArtikel([&text](TArtikelRec& a) { SetTextBuf(&a.bez, ToU16(text)); }); });
    connect(ui->NewArtikelBtn, &QPushButton::clicked, this, &ArtikelPage::NewArtikelBtnClick);
    connect(ui->DelArtikelBtn, &QPushButton::clicked, this, &ArtikelPage::DelArtikelBtnClick);
    connect(ui->SearchBtn2, &QPushButton::clicked, this, &ArtikelPage::SearchBtn2Click);
}

int ArtikelPage::SelectedRow() const
{
    return SelectedTableRow(ui->ListView3);
}

void ArtikelPage::SelectRow(int row)
{
    SelectTableRow(ui->ListView3, row);
}

void ArtikelPage::ListArtikel(bool reordered)
{
    RefreshKeepingRow(ui->ListView3, *model_, reordered);
    book_->SaveRechnungen();
}

void ArtikelPage::ListView3Change()
{
    const int row = SelectedRow();
    if (row < 0 || inCH_->IsSet())
        return;
    const ScopedFlag filling = inCH_->Hold();
    book_->tpos.GetObject(static_cast<uint32_t>(row));
    const TArtikelRec& a = *book_->atpos;
    ui->EinheitEd2->setText(ToQString(std::u16string(TextOf(a.einheit))));
    ui->ArtNrEd2->setText(ToQString(std::u16string(TextOf(a.artnr))));
    ui->bezed2->setText(ToQString(std::u16string(TextOf(a.bez))));
    prices_->Load(a.mwst, a.preis);
}

template <class Edit> void ArtikelPage::EditArtikel(Edit edit)
{
    const int row = SelectedRow();
    if (row < 0 || inCH_->IsSet())
        return;
    const ScopedFlag filling = inCH_->Hold();
    book_->tpos.GetObject(static_cast<uint32_t>(row));
    edit(*book_->atpos);
    ListArtikel(false);
}

void ArtikelPage::NewArtikelBtnClick()
{
    if (inCH_->IsSet())
        return;
    const std::optional<uint32_t> index = NeuerArtikel(*book_);
    if (!index)
        return;
    ListArtikel(true);
    SelectRow(static_cast<int>(*index));
}

void ArtikelPage::DelArtikelBtnClick()
{
    const int row = SelectedRow();
    if (row < 0 || !AskDeleteArtikel())
        return;
    {
        const ScopedFlag filling = inCH_->Hold();
        DeleteArtikel(*book_, static_cast<uint32_t>(row));
        model_->Rebuild();
    }
    const int rows = model_->rowCount();
    if (rows > 0)
        SelectRow(row < rows ? row : rows - 1);
    book_->SaveRechnungen();
}

void ArtikelPage::SearchBtn2Click()
{
    const QString text = ui->SearchEd2->text();
    if (!text.isEmpty()) {
        SearchArtikel(*book_, ToU16(text), format_.decimalSeparator);
        ui->ListView3->horizontalHeader()->setSortIndicatorShown(false);
    }
    ListArtikel(true);
}

void ArtikelPage::ListView3ColumnClick(int column)
{
    if (!SortArtikel(*book_, column, format_.decimalSeparator))
        return;
    QHeaderView* header = ui->ListView3->horizontalHeader();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, book_->sricht2 == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
    ListArtikel(true);
}

void ArtikelPage::NewArtikelFromTexts(const QString& einheit, const QString& artnr, const QString& mwst,
                                      const QString& bez, double preis)
{
    NewArtikelBtnClick();
    // Each copy runs the editor's own handler, which stores it into the new article.
    ui->EinheitEd2->setText(einheit);
    ui->ArtNrEd2->setText(artnr);
    ui->mwsted2->setEditText(mwst);
    ui->bezed2->setText(StoredLines(bez));
    ui->preised2->setValue(preis);
    CurrentMessenger().ShowInformation(MessageText(134), MessageText(135));
}

void ArtikelPage::keyPressEvent(QKeyEvent* event)
{
    // Enter on the tab clicks "&Neu", the default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ui->NewArtikelBtn->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
