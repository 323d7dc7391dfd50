#pragma once

#include "ui/invoices/FillingFlag.h"
#include "ui/shared/LocaleFormat.h"

#include <QWidget>
#include <memory>

namespace Ui {
class ArtikelPage;
}
class FunctionTableModel;
class PriceEditor;
class TRechnungBook;

// The tab "Artikel": the local article list with search, sorting, new and delete, and the
// article editor. Every change rebuilds the list, which writes save.dat.
class ArtikelPage : public QWidget {
    Q_OBJECT

public:
    explicit ArtikelPage(QWidget* parent = nullptr);
    ~ArtikelPage() override;

    // Connects the page to the book and the windows' shared inCH; called once before use.
    void Attach(TRechnungBook& book, const LocaleFormat& format, FillingFlag& inCH);

    // Rebuilds the list (after a reorder or a new array: a reset) and writes save.dat.
    void ListArtikel(bool reordered = true);
    int SelectedRow() const;
    void SelectRow(int row);

    void NewArtikelBtnClick();
    void DelArtikelBtnClick();
    void SearchBtn2Click();
    void ListView3ColumnClick(int column);
    // "&Speichern als Artikel": a new article filled from a position editor's texts,
    // through this editor's own handlers; then the information box.
    void NewArtikelFromTexts(const QString& einheit, const QString& artnr, const QString& mwst, const QString& bez,
                             double preis);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ListView3Change();
    template <class Edit> void EditArtikel(Edit edit);

    std::unique_ptr<Ui::ArtikelPage> ui;
    TRechnungBook* book_ = nullptr;
    FillingFlag* inCH_ = nullptr;
    LocaleFormat format_;
    FunctionTableModel* model_ = nullptr;
    PriceEditor* prices_ = nullptr;
};
