#pragma once

#include "customers/CustomerCursor.h"
#include "customers/CustomerEditBinding.h"
#include "customers/CustomerTable.h"
#include "ui/customers/TKundenFormCsv.h"
#include "ui/customers/TKundenFormPrinting.h"
#include "ui/shared/UiServices.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <string>

namespace Ui {
class TKundenForm;
}
class FormStorage;
class KundenTableModel;
class QComboBox;
class QLabel;
class QToolButton;
class TDruckeForm;
class TFeldLangeForm;
class TNeueFelderForm;
class TSortFeldForm;

// "Vestrik Kundenverwaltung 1.0": the customer table in a grid with a navigator, a search
// line, an edit panel of 24 combo boxes and a memo bound to the table's columns at run time,
// and the menus that restructure the table. The window lives for the whole run and keeps
// the table open; the main window opens the table at its first showing (InitDataBase) and
// shows this window modally (exec()) from "Kundenverwaltung aufrufen...". Grid, navigator
// and edit panel follow the table's cursor, which the pick dialog shares.
class TKundenForm : public QDialog, private CustomerCursor::Observer {
    Q_OBJECT

public:
    explicit TKundenForm(QWidget* parent = nullptr);
    ~TKundenForm() override;

    // Opens customers.dbf in dataFolder (ending in "/"), or creates it with the standard
    // columns; a table that exists but cannot be opened is left as it is and the user is
    // told (the window then shows no data). Binds the edit panel.
    CustomerTable::InitResult InitDataBase(const std::string& dataFolder);

    // The open table, its search state and order, for the other customer operations; the
    // cursor over it, for every window that shows the records.
    CustomerTable& Customers() { return customers_; }
    CustomerCursor& Cursor() { return cursor_; }
    DbfTable& Dbf1() { return customers_.Dbf1(); }
    KundenTableModel* Model() const { return model_.get(); }
    const std::u16string& filtertext() const { return customers_.FilterText(); }

    // Binds combo boxes, labels and memo to the current columns and empties the value lists,
    // which are made anew when each is first wanted; the last visible record becomes current.
    void AktuallisiereDBEdit();
    // Makes the k-th box's value list (0-based) over the records the grid shows, unless it
    // has been made since the last binding.
    void FillValueList(int k);
    bool ValueListFilled(int k) const;
    // Unbinds all 24 combo boxes and the memo.
    void AktuallisiereDBEditClear();
    // Appends a character column by a rebuild (the edit panel is not rebound).
    bool AddnewField(const std::u16string& fname, int lang);

    // The print dialog of "Datensatz drucken" and the counting (made after this window).
    void SetDruckeForm(TDruckeForm* form) { druckeForm_ = form; }
    TDruckeForm* DruckeForm() const { return druckeForm_; }

    TNeueFelderForm* NeueFelderForm() const { return neueFelder_.get(); }
    TFeldLangeForm* FeldLangeForm() const { return feldLange_.get(); }
    TSortFeldForm* SortFeldForm() const { return sortFeld_.get(); }

    // The column bound to the k-th combo box (0-based), -1 when none.
    int BoundField(int k) const { return binding_.comboFields[size_t(k)]; }
    int BoundMemoField() const { return binding_.memoField; }

    // The search line's text; every window showing the records shows the current one again
    // (after the table was moved outside the cursor).
    void SetFilterEdText(const QString& text);
    void SyncGridToTable();

    // Set while "Alle Datensätze drucken" prints one record: "Datensatz drucken" then prints
    // at once instead of showing the dialog.
    bool autodruck = false;

public Q_SLOTS:
    void FilterbtnClick();
    void AllezeigenBtnClick();
    void DBGrid1TitleClick(int column);
    void Feldhinzufgen1Click();
    void LetztesFeldlschen1Click();
    void Feldlngenbearbeiten1Click();
    void Felderumsortieren1Click();
    void ExportierenalsCSV1Click();
    void ImportierenausCSVDatei1Click();
    void Druckereinrichten1Click();
    void Datensatzdrucken1Click();
    void AlleDatenstzedrucken1Click();
    void AnzahlderEintrgeindeneinzelnenSpaltenzhlen1Click();
    // The e-mail to the current customer.
    void Label12Click();

Q_SIGNALS:
    // Label12 (the e-mail address's label) was clicked.
    void Label12Clicked();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The cursor's news: grid, edit panel and navigator follow.
    void RowsReset() override;
    void CurrentChanged() override;
    void CurrentValuesChanged(const Observer* editor) override;
    void SearchTextChanged(const std::u16string& text) override;

    void FormClose();
    void LoadControls();
    void OnComboEdited(int k, const QString& text);
    void OnMemoEdited();
    void StoreTyped(int field, const std::u16string& text);
    // Runs a dialog over the columns, then the rebuild it asks for; `columnsMove` when the
    // edit panel is to be bound anew.
    void RebuildThrough(QDialog& dialog, bool columnsMove, const std::function<RebuildPlan()>& plan);
    void UpdateNavigator();
    void ApplyMemoHeight();
    void ReportError(const std::exception& error);

    std::unique_ptr<Ui::TKundenForm> ui;
    CustomerTable customers_;
    CustomerCursor cursor_{customers_};
    TKundenFormCsv csv_{*this, cursor_};
    TKundenFormPrinting printing_{cursor_, [](QDialog& dialog) { return RunDialog(dialog); }};
    std::unique_ptr<KundenTableModel> model_;
    CustomerEditBinding binding_;
    std::array<QComboBox*, CustomerEditBinding::kComboCount> combos_{};
    std::array<QLabel*, CustomerEditBinding::kComboCount> labels_{};
    std::array<QToolButton*, CustomerCursor::ButtonCount> navigator_{};
    std::array<bool, CustomerEditBinding::kComboCount> listFilled_{};
    std::unique_ptr<TNeueFelderForm> neueFelder_;
    std::unique_ptr<TFeldLangeForm> feldLange_;
    std::unique_ptr<TSortFeldForm> sortFeld_;
    TDruckeForm* druckeForm_ = nullptr;
    std::unique_ptr<FormStorage> storage_;
    bool filling_ = false;  // the program itself fills the controls
    bool syncing_ = false;  // the program itself moves the grid
    bool shown_ = false;
    int memoHeight_ = 110;  // until a stored height is restored
    CustomerCursor::Subscription subscription_;
};
