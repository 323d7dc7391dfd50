#pragma once

#include "ui/invoices/FillingFlag.h"
#include "ui/shared/LocaleFormat.h"

#include <QWidget>
#include <memory>

namespace Ui {
class PositionenPage;
}
class ArtikelPage;
class FunctionTableModel;
class PriceEditor;
class TNewArtForm;
class TRechnungBook;

// The tab "Rechungs-Positionen": the positions of the selected invoice and their editor.
// Every change is stored into the position at once and rebuilds the list, which writes
// save.dat.
class PositionenPage : public QWidget {
    Q_OBJECT

public:
    explicit PositionenPage(QWidget* parent = nullptr);
    ~PositionenPage() override;

    void Attach(TRechnungBook& book, const LocaleFormat& format, FillingFlag& inCH, ArtikelPage* artikelPage);
    void SetPickForm(TNewArtForm* pickForm) { pickForm_ = pickForm; }

    // Shows the positions of invoice `rechnung` (−1: none selected) and writes save.dat.
    void ShowRechnung(int rechnung);
    // Rebuilds the list from the invoice's positions and writes save.dat.
    void ListPositionen();
    int SelectedRow() const;
    void SelectRow(int row);

    void NeuePosiBtnClick();
    void NeuePosiVArtBtnClick();
    void DelArtBtnClick();
    void SaveAsArtBtnClick();
    void RabattBtnClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ListView2Change();
    // Runs an edit of the selected position under inCH, then rebuilds the list.
    template <class Edit> void EditPosition(Edit edit);
    bool HasPosition() const;

    std::unique_ptr<Ui::PositionenPage> ui;
    TRechnungBook* book_ = nullptr;
    FillingFlag* inCH_ = nullptr;
    LocaleFormat format_;
    FunctionTableModel* model_ = nullptr;
    PriceEditor* prices_ = nullptr;
    TNewArtForm* pickForm_ = nullptr;
    ArtikelPage* artikelPage_ = nullptr;
    int rechnung_ = -1;
};
