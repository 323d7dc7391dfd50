#pragma once

#include <QDialog>
#include <array>
#include <memory>

namespace Ui {
class TKundeUbernehmenForm;
}
class FormStorage;
class QCheckBox;
class QToolButton;
class TKundenForm;

// "Kunde übernehmen": the customer window's records in a grid with a navigator and a search
// line, sharing that window's table, order, search and current record both ways; the
// navigator's buttons are enabled by the table's state as that window's are. OK (the
// default button, so Enter confirms) takes the current customer into the invoice; Escape
// and "Abbrechen" cancel. Whether the "Mehr" text goes into the invoice text too is kept
// between runs.
class TKundeUbernehmenForm : public QDialog {
    Q_OBJECT

public:
    explicit TKundeUbernehmenForm(QWidget* parent = nullptr);
    ~TKundeUbernehmenForm() override;

    // Binds grid, navigator and search to the customer window's records (before each pick).
    void Bind(TKundenForm* kunden);
    bool OverTakeMehr() const;
    QCheckBox* OverTakeFieldMehrCheck() const;

public Q_SLOTS:
    void FilterbtnClick();
    void AllezeigenBtnClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void SyncSelection();
    void UpdateNavigator();
    void OnGridRowChanged(int row);

    std::unique_ptr<Ui::TKundeUbernehmenForm> ui;
    std::unique_ptr<FormStorage> storage_;
    TKundenForm* kunden_ = nullptr;
    std::array<QToolButton*, 10> navigator_ {};
    bool syncing_ = false;
    bool shown_ = false;
};
