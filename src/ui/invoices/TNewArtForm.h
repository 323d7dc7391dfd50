#pragma once

#include <QDialog>
#include <memory>
#include <optional>

namespace Ui {
class TNewArtForm;
}
class QStandardItemModel;
class TRechnungBook;

// "Artikel auf die Rechnung setzen": picks an article of the local article list for a new
// position, by selecting it, or by typing or scanning its number (or barcode) and Enter.
// The row selected last time is selected again at the next call.
class TNewArtForm : public QDialog {
    Q_OBJECT

public:
    explicit TNewArtForm(QWidget* parent = nullptr);
    ~TNewArtForm() override;

    // Fills the list from the article list and shows the dialog; the chosen article's index,
    // or nothing when the dialog was cancelled.
    std::optional<uint32_t> Pick(const TRechnungBook& book, char16_t decimalSeparator);

    int SelectedRow() const;

    void OkBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ArtNrEdEnter();
    void SelectRow(int row);

    std::unique_ptr<Ui::TNewArtForm> ui;
    QStandardItemModel* model_ = nullptr;
    const TRechnungBook* book_ = nullptr;
    int lastRow_ = 0;
};
