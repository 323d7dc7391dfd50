#include "ui/invoices/PositionenPage.h"

#include "invoices/Amounts.h"
#include "invoices/ArtikelList.h"
#include "invoices/NumberText.h"
#include "invoices/PositionEdit.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "ui/invoices/ArtikelPage.h"
#include "ui/invoices/PriceEditor.h"
#include "ui/invoices/TNewArtForm.h"
#include "ui/shared/FunctionTableModel.h"
#include "ui/shared/QtText.h"
#include "ui/shared/TableSelection.h"
#include "ui_PositionenPage.h"

#include <QHeaderView>
#include <QKeyEvent>

PositionenPage::PositionenPage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::PositionenPage>())
{
    ui->setupUi(this);
    ui->ListView2->horizontalHeader()->setDefaultSectionSize(75);
    ui->ListView2->horizontalHeader()->setStretchLastSection(false);
    ui->ListView2->verticalHeader()->hide();
    ui->PositionenSplitter->setStretchFactor(0, 1);
}

PositionenPage::~PositionenPage() = default;

void PositionenPage::Attach(TRechnungBook& book, const LocaleFormat& format, FillingFlag& inCH,
                            ArtikelPage* artikelPage)
{
    book_ = &book;
    inCH_ = &inCH;
    format_ = format;
    artikelPage_ = artikelPage;
    model_ = new FunctionTableModel(
        {"Menge", "Einheit", "ArtNr", "MWST", "Bezeichnung", "Preis"},
        [this] { return rechnung_ < 0 ? 0 : static_cast<int>(book_->Rechnung(rechnung_).posis->Count()); },
        [this](int row, int column) {
            return ToQString(PositionColumnText(book_->Position(rechnung_, row), column, format_.decimalSeparator));
        },
        this);
    ui->ListView2->setModel(model_);
    ui->ListView2->horizontalHeader()->resizeSection(4, 220);
    OnSelectedRowChanged(ui->ListView2, this, &PositionenPage::ListView2Change);

    PriceEditor::Hooks hooks;
    hooks.hasRecord = [this] { return HasPosition(); };
    hooks.storeRate = [this](double r) { book_->Position(rechnung_, SelectedRow()).mwst = r; };
    hooks.storeGross = [this](double preis) { book_->Position(rechnung_, SelectedRow()).preis = preis; };
    hooks.rebuild = [this] { ListPositionen(); };
    prices_ = new PriceEditor(ui->MWSTED, ui->PreisEd, ui->PreisNettoEd, inCH, format.decimalSeparator, hooks, this);

    connect(ui->MengeEd, &QDoubleSpinBox::valueChanged, this,
            [this](double value) { EditPosition([value](TPositionRec& p) { p.menge = value; }); });
    connect(ui->EinheitEd, &QLineEdit::textChanged, this, [this](const QString& text) {
        EditPosition([&text](TPositionRec& p) { SetTextBuf(&p.einheit, ToU16(text)); });
    });
    connect(ui->ArtNrEd, &QLineEdit::textChanged, this, [this](const QString& text) {
        EditPosition([&text](TPositionRec& p) { SetTextBuf(&p.artnr, ToU16(text)); });
    });
    connect(ui->BezEd, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = StoredLines(ui->BezEd->toPlainText());
        EditPosition([&text](TPositionRec& p) { SetTextBuf(&p.bez, ToU16(text)); });
    });

    connect(ui->NeuePosiBtn, &QPushButton::clicked, this, &PositionenPage::NeuePosiBtnClick);
    connect(ui->NeuePosiVArtBtn, &QPushButton::clicked, this, &PositionenPage::NeuePosiVArtBtnClick);
    connect(ui->DelArtBtn, &QPushButton::clicked, this, &PositionenPage::DelArtBtnClick);
    connect(ui->SaveAsArtBtn, &QPushButton::clicked, this, &PositionenPage::SaveAsArtBtnClick);
    connect(ui->RabattBtn, &QPushButton::clicked, this, &PositionenPage::RabattBtnClick);
}

int PositionenPage::SelectedRow() const
{
    return SelectedTableRow(ui->ListView2);
}

void PositionenPage::SelectRow(int row)
{
    SelectTableRow(ui->ListView2, row);
}

bool PositionenPage::HasPosition() const
{
    return rechnung_ >= 0 && SelectedRow() >= 0;
}

void PositionenPage::ShowRechnung(int rechnung)
{
    const int remembered = SelectedRow() < 0 ? 0 : SelectedRow();
    rechnung_ = rechnung;
    if (rechnung_ < 0)
        return;
    model_->Rebuild();
    const int rows = model_->rowCount();
    if (rows > 0)
        SelectRow(remembered < rows ? remembered : rows - 1);
    book_->SaveRechnungen();
}

void PositionenPage::ListPositionen()
{
    if (rechnung_ < 0)
        return;
    // Values changed in place keep the selection (and the editor the user types in); added
    // or removed rows rebuild the list and select the remembered or the last row.
    RefreshKeepingRow(ui->ListView2, *model_, false);
    book_->SaveRechnungen();
}

void PositionenPage::ListView2Change()
{
    const int row = SelectedRow();
    if (rechnung_ < 0 || row < 0 || inCH_->IsSet())
        return;
    const ScopedFlag filling = inCH_->Hold();
    book_->Rechnung(rechnung_).posis->GetObject(static_cast<uint32_t>(row));
    const TPositionRec& p = *book_->aposi;
    ui->MengeEd->setValue(p.menge);
    ui->EinheitEd->setText(ToQString(std::u16string(TextOf(p.einheit))));
    ui->ArtNrEd->setText(ToQString(std::u16string(TextOf(p.artnr))));
    ui->BezEd->setPlainText(ShownLines(ToQString(std::u16string(TextOf(p.bez)))));
    prices_->Load(p.mwst, p.preis);
}

template <class Edit> void PositionenPage::EditPosition(Edit edit)
{
    if (!HasPosition() || inCH_->IsSet())
        return;
    const ScopedFlag filling = inCH_->Hold();
    book_->Rechnung(rechnung_).posis->GetObject(static_cast<uint32_t>(SelectedRow()));
    edit(*book_->aposi);
    ListPositionen();
}

void PositionenPage::NeuePosiBtnClick()
{
    if (rechnung_ < 0 || inCH_->IsSet())
        return;
    const std::optional<uint32_t> index = NeuePosition(*book_, static_cast<uint32_t>(rechnung_));
    if (!index)
        return;
    ListPositionen();
    SelectRow(static_cast<int>(*index));
}

void PositionenPage::NeuePosiVArtBtnClick()
{
    if (rechnung_ < 0 || inCH_->IsSet() || !pickForm_)
        return;
    const std::optional<uint32_t> artikel = pickForm_->Pick(*book_, format_.decimalSeparator);
    if (!artikel)
        return;
    std::optional<uint32_t> index;
    {
        const ScopedFlag filling = inCH_->Hold();
        index = NeuePositionAusArtikel(*book_, static_cast<uint32_t>(rechnung_), *artikel, format_.decimalSeparator);
    }
    ListPositionen();
    if (index)
        SelectRow(static_cast<int>(*index));
}

void PositionenPage::DelArtBtnClick()
{
    if (!HasPosition() || !AskDeleteArtikel())
        return;
    const int row = SelectedRow();
    {
        const ScopedFlag filling = inCH_->Hold();
        ui->ListView2->selectionModel()->clearSelection();
        DeletePosition(*book_, static_cast<uint32_t>(rechnung_), static_cast<uint32_t>(row));
        model_->Rebuild();
    }
    const int rows = model_->rowCount();
    if (rows > 0)
        SelectRow(row < rows ? row : rows - 1);
    book_->SaveRechnungen();
}

void PositionenPage::SaveAsArtBtnClick()
{
    if (inCH_->IsSet() || !artikelPage_)
        return;
    artikelPage_->NewArtikelFromTexts(ui->EinheitEd->text(), ui->ArtNrEd->text(), ui->MWSTED->currentText(),
                                      ui->BezEd->toPlainText(), ui->PreisEd->value());
}

void PositionenPage::RabattBtnClick()
{
    const double d = ui->RabattED->value();
    ui->PreisEd->setValue(RabattPreis(ui->PreisEd->value(), d));
    QString bez = ui->BezEd->toPlainText();
    bez += ToQString(RabattText(d, format_.decimalSeparator));
    ui->BezEd->setPlainText(bez);
}

void PositionenPage::keyPressEvent(QKeyEvent* event)
{
    // Enter anywhere on the tab but in the description clicks "&Neu", the default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ui->NeuePosiBtn->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
