#pragma once

#include "customers/CustomerTransfer.h"
#include "invoices/TRechnungRec.h"
#include "ui/invoices/FillingFlag.h"
#include "ui/shared/LocaleFormat.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace Ui {
class RechnungenPage;
}
class ArtikelPage;
class AusgabePage;
class ERechnungRechnungPage;
class InvoiceListModel;
class PositionenPage;
class QCheckBox;
class QLineEdit;
class QSplitter;
class QTabWidget;
class TRechnungBook;

// The tab "Rechnungen": the invoice list with new, copy, delete, sorting and search above,
// and below it the tabs that edit the selected invoice (billing and delivery address, dates,
// texts, number; positions; output). Every edit goes into the invoice at once.
class RechnungenPage : public QWidget {
    Q_OBJECT

public:
    explicit RechnungenPage(QWidget* parent = nullptr);
    ~RechnungenPage() override;

    // Connects the page to the book and the windows' shared inCH; called once before the page
    // is used. shown tells whether this page is the main window's current tab.
    void Attach(TRechnungBook& book, const LocaleFormat& format, FillingFlag& inCH, ArtikelPage* artikelPage,
                std::function<bool()> shown);

    // Rebuilds the whole list; selects selectRow, or (−1) the row selected before, or the
    // last row; with no invoices the lower tabs are hidden. Rebuilds the positions list.
    void ListRechnungen(int selectRow = -1);
    // Refreshes the selected row from its record (without a selection: ListRechnungen).
    void ListAktuelleRechnung();
    // Rebuilds the positions list of the selected invoice, which writes save.dat.
    void ListPositionen();

    // The selected row of the invoice list, −1 for none.
    int SelectedRow() const;
    void SelectRow(int row);

    // Height of the lower tabs, kept between runs.
    int PageControl1Height() const;
    void SetPageControl1Height(int height);

    // Handlers of the buttons and the list.
    void NeueRechnungBtnClick();
    void NeueausbestehenderBtnClick();
    void DelRechBtnClick();
    void ListView1ColumnClick(int column);
    void SearchBtnClick();

    // Refills the template list from the text blocks and selects the first.
    void UpdateVorlagen();
    // "Textbaustein einfügen...": the chosen block into the invoice text at the caret.
    void BitBtn5Click();
    // A picked customer into the billing address: each field through its change handler,
    // "Mehr" (with withMehr) into the invoice text at the caret, the supplement line emptied.
    void TakeCustomer(const CustomerTransfer::Values& values, bool withMehr);

    QTabWidget* PageControl1() const;
    // "Artikel kopieren bei \"Neu aus best. Rechnung\"", kept with the window settings.
    QCheckBox* CopyArtikelsCheck() const;
    PositionenPage* Positionen() const { return positions_; }
    AusgabePage* Ausgabe() const { return ausgabe_; }
    ERechnungRechnungPage* ERechnung() const { return erechnung_; }

Q_SIGNALS:
    // Another invoice became current, or the current one changed: the preview repaints.
    void InvoiceChanged();
    // "Kunde aus Kundenverwaltung übernehmen..." and "Kundenverwaltung aufrufen...".
    void BitBtn1Clicked();
    void BitBtn2Clicked();

private:
    struct TextBinding {
        QLineEdit* edit;
        TRechnungText field;
    };

    void ListView1Change();
    void LoadControls(const TRechnungRec& rechnung);
    void StoreText(TRechnungText field, const QString& text);
    void StoreDate(double TRechnungRec::*field, double value);
    // Runs an edit of the selected invoice under inCH, then refreshes its row.
    template <class Edit> void EditCurrent(Edit edit);
    void ShowLowerTabs(bool visible);
    // Inserts text (lines separated by CR LF) into the invoice text at the caret.
    void InsertIntoRechungsText(const std::u16string& text);

    std::unique_ptr<Ui::RechnungenPage> ui;
    TRechnungBook* book_ = nullptr;
    FillingFlag* inCH_ = nullptr;
    LocaleFormat format_;
    InvoiceListModel* model_ = nullptr;
    PositionenPage* positions_ = nullptr;
    AusgabePage* ausgabe_ = nullptr;
    ERechnungRechnungPage* erechnung_ = nullptr;
    std::vector<TextBinding> bindings_;
    bool donotmakeinvis = false;
};
