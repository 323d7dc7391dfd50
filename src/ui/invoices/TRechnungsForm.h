#pragma once

#include "invoices/TRechnungBook.h"
#include "ui/invoices/FillingFlag.h"
#include "ui/shared/FormStorage.h"
#include "ui/shared/LocaleFormat.h"

#include <QMainWindow>
#include <QString>
#include <memory>
#include <optional>

namespace Ui {
class TRechnungsForm;
}
class ProgressPanel;
class QLabel;
class TAboutBox;
class TDataPathForm;
class TEditTextbauForm;
class TKundenForm;
class TKundeUbernehmenForm;
class TNewArtForm;

// The main window: the invoice book with its tabs for invoices, articles, company settings,
// logo, currency, fonts and text blocks, a status bar with a progress panel, and the menu
// entry "Über...".
//
// Life cycle: the constructor prepares the state (the program folder, the empty book); the
// first showing chooses the data folder and loads the book; closing the window writes
// save.dat once more.
class TRechnungsForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TRechnungsForm(QWidget* parent = nullptr);
    ~TRechnungsForm() override;

    // The dialogs the main window opens; they are created after it, in the program's order.
    struct Dialogs {
        TAboutBox* AboutBox = nullptr;
        TDataPathForm* DataPathForm = nullptr;
        TNewArtForm* NewArtForm = nullptr;
        TEditTextbauForm* EditTextbauForm = nullptr;
        TKundenForm* KundenForm = nullptr;
        TKundeUbernehmenForm* KundeUbernehmenForm = nullptr;
    };
    void SetDialogs(const Dialogs& dialogs);
    // A data folder given on the command line, used for this run instead of the stored choice.
    void SetDataFolderOverride(const QString& folder) { dataFolderOverride_ = folder; }

    TRechnungBook& Book() { return book; }
    // The pages' shared guard: set while the program fills controls.
    const FillingFlag& InCH() const { return inCH; }
    const QString& progpath() const { return progpath_; }
    const QString& realprogpath() const { return realprogpath_; }
    const QString& appdatapath() const { return appdatapath_; }
    bool showfirst() const { return showfirst_; }

    // Progress in percent in the status bar: a smaller value repaints the whole bar, a larger
    // one only paints the navy part over the last drawn panel.
    void SetProStatus(int pro);
    int StatusPosition() const;
    ProgressPanel* StatusPanel() const { return progressPanel_; }

    // "Über...": the information box.
    void ber1Click();
    // "E-Rechnung öffnen...": asks for a received e-invoice (XML or hybrid PDF) and opens the
    // window "E-Rechnung anzeigen" on it; a file that cannot be read is reported in one box.
    void ERechnungOeffnenClick();
    // "Datenbankverzeichnis einstellen...": the data folder dialog.
    void BitBtn8Click();
    // "Rechnungen aus alter Version übernehmen...": the book of the program folder replaces
    // the one in memory and is saved into the data folder.
    void BitBtn3Click();
    // "Kundenverwaltung aufrufen...": the customer window.
    void BitBtn2Click();
    // "Kunde aus Kundenverwaltung übernehmen...": the pick dialog; on OK the customer's
    // address goes into the selected invoice.
    void BitBtn1Click();

Q_SIGNALS:
    // The data folder has been chosen and the book loaded (first showing).
    void BookLoaded();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void WMUser(int percent);
    void SBarPaintMore();
    void ShowAllSettings();
    // Shows in the title and the status bar whether the book can be saved.
    void ShowSavingState();
    // Shows the whole book anew: settings, invoices, articles, text blocks.
    void ShowBook();

    std::unique_ptr<Ui::TRechnungsForm> ui;
    TRechnungBook book;
    FillingFlag inCH;  // shared by the pages: the program itself is filling controls
    LocaleFormat format_;
    FormStorage FormStorage1;
    ProgressPanel* progressPanel_ = nullptr;
    QLabel* statusText_ = nullptr;
    QLabel* savingState_ = nullptr;
    QString caption_;  // the window's own caption, without a state
    TAboutBox* AboutBox = nullptr;
    TDataPathForm* DataPathForm = nullptr;
    TKundenForm* KundenForm = nullptr;
    TKundeUbernehmenForm* KundeUbernehmenForm = nullptr;

    QString progpath_;
    QString realprogpath_;
    QString appdatapath_;
    QString dataFolderOverride_;
    QString lastEInvoiceFile_;  // the e-invoice opened last; the next open dialog starts there
    bool showfirst_ = false;
    bool destroyed_ = false;
};
