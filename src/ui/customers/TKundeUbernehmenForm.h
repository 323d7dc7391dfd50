#pragma once

#include "customers/CustomerCursor.h"

#include <QDialog>
#include <array>
#include <memory>

namespace Ui {
class TKundeUbernehmenForm;
}
class FormStorage;
class KundenTableModel;
class QCheckBox;
class QToolButton;

// "Kunde übernehmen": the customer records in a grid with a navigator and a search line,
// bound to the cursor of the customer window, so that both share the table, order, search
// and current record both ways; the navigator's buttons are enabled by the cursor's state as
// that window's are. OK (the
// default button, so Enter confirms) takes the current customer into the invoice; Escape
// and "Abbrechen" cancel. Whether the "Mehr" text goes into the invoice text too is kept
// between runs.
class TKundeUbernehmenForm : public QDialog, private CustomerCursor::Observer {
    Q_OBJECT

public:
    explicit TKundeUbernehmenForm(QWidget* parent = nullptr);
    ~TKundeUbernehmenForm() override;

    // Binds grid, navigator and search to the customer records (before each pick).
    void Bind(CustomerCursor& cursor);
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
    // The cursor's news: the grid follows the rows and the current record.
    void RowsReset() override { SyncSelection(); }
    void CurrentChanged() override { SyncSelection(); }
    void CurrentValuesChanged(const Observer* /*editor*/) override { UpdateNavigator(); }

    std::unique_ptr<Ui::TKundeUbernehmenForm> ui;
    std::unique_ptr<FormStorage> storage_;
    CustomerCursor* cursor_ = nullptr;
    std::unique_ptr<KundenTableModel> model_;
    std::array<QToolButton*, CustomerCursor::ButtonCount> navigator_{};
    bool syncing_ = false;  // the program itself moves the grid
    bool shown_ = false;
    CustomerCursor::Subscription subscription_;
};
