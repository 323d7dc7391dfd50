#pragma once

#include "customers/CustomerEditBinding.h"
#include "customers/CustomerTable.h"

#include <QDialog>
#include <array>
#include <memory>
#include <string>

namespace Ui {
class TKundenForm;
}
class FormStorage;
class KundenDialogRunner;
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
// shows this window modally (exec()) from "Kundenverwaltung aufrufen...".
class TKundenForm : public QDialog {
    Q_OBJECT

public:
    explicit TKundenForm(QWidget* parent = nullptr);
    ~TKundenForm() override;

    // Opens customers.dbf in dataFolder (ending in "/"), or creates it with the standard
    // columns; a table that exists but cannot be opened is left as it is and the user is
    // told (the window then shows no data). Binds the edit panel.
    CustomerTable::InitResult InitDataBase(const std::string& dataFolder);

    // The open table, its search state and order, for the other customer operations.
    CustomerTable& Customers() { return customers_; }
    DbfTable& Dbf1() { return customers_.Dbf1(); }
    KundenTableModel* Model() const { return model_; }
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

    // Tests run the modal dialogs through their own runner; null restores exec().
    void SetDialogRunner(KundenDialogRunner* runner);
    TNeueFelderForm* NeueFelderForm() const { return neueFelder_.get(); }
    TFeldLangeForm* FeldLangeForm() const { return feldLange_.get(); }
    TSortFeldForm* SortFeldForm() const { return sortFeld_.get(); }

    // The column bound to the k-th combo box (0-based), -1 when none.
    int BoundField(int k) const { return binding_.comboFields[size_t(k)]; }
    int BoundMemoField() const { return binding_.memoField; }

    // For the pick dialog, which shows the same records: a navigator button (First ..
    // Refresh, 0 to 9), storing an edit in progress (false when it failed and the user was
    // told), the search text, and the grid and controls following the current record.
    enum NavButton { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, ButtonCount };
    void NavigatorClick(int button);
    // Which navigator buttons the table's state allows with the grid on a row (-1: none).
    std::array<bool, ButtonCount> NavigatorEnabled(int row) const;
    bool PostIfEditing();
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
    // The navigator's buttons were enabled anew (the table's state or the row changed).
    void NavigatorChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormClose();
    void RefreshGrid();
    // Sets the print dialog's page rectangle from the program's printer.
    void SetPrintPageRect();
    void OnGridRowChanged(int row);
    void LoadControls();
    void OnComboEdited(int k, const QString& text);
    void OnMemoEdited();
    void BeginEditingIfNeeded();
    // Before any change: a damaged (cut-off) table is first written anew; the grid follows.
    bool RepairBeforeChange();
    void UpdateNavigator();
    void UpdateCurrentRow();
    void ApplyMemoHeight();
    void ReportError(const std::exception& error);
    int RunDialog(QDialog& dialog);

    std::unique_ptr<Ui::TKundenForm> ui;
    CustomerTable customers_;
    KundenTableModel* model_ = nullptr;
    CustomerEditBinding binding_;
    std::array<QComboBox*, CustomerEditBinding::kComboCount> combos_ {};
    std::array<QLabel*, CustomerEditBinding::kComboCount> labels_ {};
    std::array<QToolButton*, ButtonCount> navigator_ {};
    std::array<bool, CustomerEditBinding::kComboCount> listFilled_ {};
    std::unique_ptr<TNeueFelderForm> neueFelder_;
    std::unique_ptr<TFeldLangeForm> feldLange_;
    std::unique_ptr<TSortFeldForm> sortFeld_;
    TDruckeForm* druckeForm_ = nullptr;
    std::unique_ptr<FormStorage> storage_;
    KundenDialogRunner* runner_ = nullptr;
    bool inCH_ = false;     // the program itself fills the controls
    bool syncing_ = false;  // the program itself moves the grid
    bool shown_ = false;
    int memoHeight_ = 110;  // until a stored height is restored
};
