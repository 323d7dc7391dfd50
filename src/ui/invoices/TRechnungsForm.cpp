#include "ui/invoices/TRechnungsForm.h"

#include "customers/CustomerTransfer.h"
#include "foundation/DataFolder.h"
#include "foundation/IoError.h"
#include "foundation/Messenger.h"
#include "foundation/StaleFiles.h"
#include "foundation/Utf8.h"
#include "imaging/OpenDib.h"
#include "messages/CustomerMessages.h"
#include "messages/MessageCatalog.h"
#include "ui/customers/TKundeUbernehmenForm.h"
#include "ui/customers/TKundenForm.h"
#include "ui/invoices/AusgabePage.h"
#include "ui/invoices/PositionenPage.h"
#include "ui/received/EInvoiceView.h"
#include "ui/settings/TDataPathForm.h"
#include "ui/shared/FileFilter.h"
#include "ui/shared/ProgressEvent.h"
#include "ui/shared/ProgressPanel.h"
#include "ui/shared/ProgressReporter.h"
#include "ui/shared/QtText.h"
#include "ui/shared/StandardDialogs.h"
#include "ui/shared/TAboutBox.h"
#include "ui/shared/UiServices.h"
#include "ui_TRechnungsForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QScreen>
#include <QSpinBox>

namespace {

int ScreenPixelsPerInch()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? static_cast<int>(screen->logicalDotsPerInch() + 0.5) : 96;
}

}

TRechnungsForm::TRechnungsForm(QWidget* parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::TRechnungsForm>()),
      book(ScreenPixelsPerInch()),
      format_(LocaleFormat::FromSystem()),
      FormStorage1(this)
{
    ui->setupUi(this);
    FormCreate();
}

TRechnungsForm::~TRechnungsForm()
{
    FormDestroy();
}

void TRechnungsForm::FormCreate()
{
    realprogpath_ = progpath_ = PathToQString(TDataPathForm::ProgramFolderPath());
    book.progpath = book.realprogpath = ToU16(progpath_);

    statusText_ = new QLabel(this);
    statusText_->setObjectName("StatusBar1Panel0");
    statusText_->setFixedWidth(250);
    progressPanel_ = new ProgressPanel(this);
    ui->StatusBar1->addWidget(statusText_);
    ui->StatusBar1->addWidget(progressPanel_);
    caption_ = windowTitle();
    savingState_ = new QLabel(this);
    savingState_->setObjectName("SavingStateLabel");
    savingState_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    savingState_->hide();
    ui->StatusBar1->addPermanentWidget(savingState_);

    format_.ApplyToWidgets();
    ui->TabArtikel->Attach(book, format_, inCH);
    ui->TabRechnungen->Attach(book, format_, inCH, ui->TabArtikel,
                              [this] { return ui->PageControl2->currentWidget() == ui->TabRechnungen; });
    ui->TabTextbausteine->Attach(book);
    connect(ui->TabTextbausteine, &TextbausteinePage::TextbausteineChanged, ui->TabRechnungen,
            &RechnungenPage::UpdateVorlagen);
    connect(ui->TabFirma, &FirmaPage::BitBtn3Clicked, this, &TRechnungsForm::BitBtn3Click);
    ui->TabFirma->Attach(book);
    ui->TabERechnung->Attach(book);
    ui->TabLogo->Attach(book);
    ui->TabLogo->SetFileFilter(QtFileFilter(QString::fromUtf8(GetDIBOpenFilter())));
    ui->TabWaehrung->Attach(book);
    ui->TabSchriftarten->Attach(book, ScreenPixelsPerInch());
    ShowAllSettings();

    Services().progressReceiver = this;
    connect(ui->ber1, &QAction::triggered, this, &TRechnungsForm::ber1Click);
    connect(ui->ERechnungOeffnen, &QAction::triggered, this, &TRechnungsForm::ERechnungOeffnenClick);
    connect(ui->TabRechnungen, &RechnungenPage::BitBtn2Clicked, this, &TRechnungsForm::BitBtn2Click);
    connect(ui->TabRechnungen, &RechnungenPage::BitBtn1Clicked, this, &TRechnungsForm::BitBtn1Click);
    connect(ui->TabFirma, &FirmaPage::BitBtn8Clicked, this, &TRechnungsForm::BitBtn8Click);
    // A new invoice in sequential numbering moves the counter on.
    connect(ui->TabRechnungen, &RechnungenPage::InvoiceChanged, ui->TabFirma, &FirmaPage::ShowCounter);

    FormStorage1.Add(
        "PageControl1.Height", [this] { return ui->TabRechnungen->PageControl1Height(); },
        [this](const QVariant& v) { ui->TabRechnungen->SetPageControl1Height(v.toInt()); });
    FormStorage1.AddProperty("ZoomEd.Value", ui->TabRechnungen->Ausgabe()->ZoomEd(), "value");
    FormStorage1.AddProperty("ZugferdCheck.Checked", ui->TabRechnungen->Ausgabe()->ZugferdCheck(), "checked");
    FormStorage1.AddProperty("CopyArtikelsCheck.Checked", ui->TabRechnungen->CopyArtikelsCheck(), "checked");
    ui->PageControl2->setCurrentIndex(0);
}

void TRechnungsForm::SetDialogs(const Dialogs& dialogs)
{
    AboutBox = dialogs.AboutBox;
    DataPathForm = dialogs.DataPathForm;
    KundenForm = dialogs.KundenForm;
    KundeUbernehmenForm = dialogs.KundeUbernehmenForm;
    ui->TabRechnungen->Positionen()->SetPickForm(dialogs.NewArtForm);
    ui->TabTextbausteine->SetEditForm(dialogs.EditTextbauForm);
}

void TRechnungsForm::ShowBook()
{
    ShowAllSettings();
    ui->TabTextbausteine->Rebuild();
    ui->TabRechnungen->UpdateVorlagen();
    ui->TabRechnungen->ListRechnungen();
    // Filling the article list writes save.dat (in the current format, right after reading).
    ui->TabArtikel->ListArtikel();
}

void TRechnungsForm::ShowSavingState()
{
    // While the book cannot be saved, the window says so, so that nobody works for an hour
    // on edits that will not be kept.
    const bool refused = book.SavingRefused();
    setWindowTitle(refused ? caption_ + QStringLiteral(" – save.dat wird nicht gespeichert") : caption_);
    savingState_->setText(QStringLiteral("save.dat konnte nicht gelesen werden: Änderungen werden nicht gespeichert"));
    savingState_->setVisible(refused);
}

void TRechnungsForm::ShowAllSettings()
{
    const ScopedFlag filling = inCH.Hold();
    ui->TabFirma->ShowSettings();
    ui->TabERechnung->ShowSettings();
    ui->TabLogo->ShowSettings();
    ui->TabWaehrung->ShowSettings();
    ui->TabSchriftarten->ShowSettings();
}

void TRechnungsForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    FormShow();
}

void TRechnungsForm::FormShow()
{
    if (showfirst_)
        return;
    showfirst_ = true;
    FormStorage1.Restore();

    // The dialog shows the stored choice and the per-user folder also when the command line
    // chose another folder for this run.
    if (DataPathForm) {
        DataPathForm->RestoreStoredValues();
        DataPathForm->SetUserFolderText(PathToQString(GetProgramDir(false, QStringToPath(realprogpath_))));
    }
    if (!dataFolderOverride_.isEmpty()) {
        appdatapath_ = PathToQString(WithTrailingSlash(QStringToPath(dataFolderOverride_)));
        CreateFolderChain(QStringToPath(appdatapath_));
    } else if (DataPathForm) {
        appdatapath_ = PathToQString(ChooseDataFolder(DataPathForm->Choice(), QStringToPath(realprogpath_)));
    } else {
        appdatapath_ = PathToQString(ChooseDataFolder(DataFolderChoice{}, QStringToPath(realprogpath_)));
    }
    progpath_ = appdatapath_;
    book.appdatapath = book.progpath = ToU16(progpath_);
    // Leftovers of a killed run go, unless another instance is at work.
    StaleFiles::ClaimFolders(QStringToPath(progpath_));

    book.OpenRechnungen();
    ShowSavingState();
    ShowBook();
    // The customer table stays open for the whole run.
    if (KundenForm)
        KundenForm->InitDataBase(QStringToPath(progpath_));
    Q_EMIT BookLoaded();
}

void TRechnungsForm::closeEvent(QCloseEvent* event)
{
    FormStorage1.Save();
    QMainWindow::closeEvent(event);
}

void TRechnungsForm::FormDestroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    book.SaveRechnungen();
    book.ClearAll();
    book.ClearArtikel();
}

bool TRechnungsForm::event(QEvent* event)
{
    if (event->type() == ProgressEvent::kType) {
        WMUser(static_cast<ProgressEvent*>(event)->Percent());
        return true;
    }
    return QMainWindow::event(event);
}

void TRechnungsForm::WMUser(int percent)
{
    SetProStatus(percent);
}

int TRechnungsForm::StatusPosition() const
{
    return progressPanel_->StatusPosition();
}

void TRechnungsForm::SetProStatus(int pro)
{
    const bool shrinks = pro < progressPanel_->StatusPosition();
    progressPanel_->SetStatusPosition(pro);
    if (shrinks)
        ui->StatusBar1->repaint();
    else
        SBarPaintMore();
}

void TRechnungsForm::SBarPaintMore()
{
    const QRect navy = progressPanel_->NavyPart(progressPanel_->sbrect());
    if (navy.isValid())
        progressPanel_->repaint(navy);
}

void TRechnungsForm::ber1Click()
{
    if (AboutBox)
        RunDialog(*AboutBox);
}

void TRechnungsForm::ERechnungOeffnenClick()
{
    // Upper-case patterns too: received files are often called RECHNUNG.XML.
    const QString fileName =
        CurrentDialogs().GetOpenFileName(this, QStringLiteral("E-Rechnung öffnen"), lastEInvoiceFile_,
                                         QtFileFilter(QStringLiteral("E-Rechnungen|*.xml;*.pdf")));
    if (fileName.isEmpty())
        return;
    lastEInvoiceFile_ = fileName;
    EInvoiceView::Open(fileName, this);
}

void TRechnungsForm::BitBtn8Click()
{
    if (DataPathForm)
        RunDialog(*DataPathForm);
}

void TRechnungsForm::BitBtn3Click()
{
    if (CurrentMessenger().AskQuestion(MessageText(267), MessageText(268), Messenger::QuestionIcon::Stop) !=
        Messenger::Answer::Yes)
        return;
    // A missing or unreadable file changes nothing; a damaged one is reported by the book,
    // which then refuses to save for the rest of the run.
    book.OpenRechnungen(QStringToPath(realprogpath_ + QStringLiteral("save.dat")));
    ShowSavingState();
    ShowBook();
    book.SaveRechnungen();
}

void TRechnungsForm::BitBtn2Click()
{
    if (KundenForm)
        RunDialog(*KundenForm);
}

void TRechnungsForm::BitBtn1Click()
{
    if (!KundenForm || !KundeUbernehmenForm)
        return;
    const DbfTable& table = KundenForm->Dbf1();
    if (!table.Active()) {
        CurrentMessenger().ShowError(std::u16string(CustomerMessages::kNoTransferWithoutTable));
        return;
    }
    KundeUbernehmenForm->Bind(KundenForm->Cursor());
    if (RunDialog(*KundeUbernehmenForm) != QDialog::Accepted)
        return;
    if (table.IsEmpty()) {
        CurrentMessenger().ShowError(std::u16string(CustomerMessages::kNoCustomerChosen));
        return;
    }
    std::optional<CustomerTransfer::Values> values;
    try {
        values = CustomerTransfer::Read(table, KundeUbernehmenForm->OverTakeMehr());
    } catch (const IoError& error) {
        CurrentMessenger().ShowError(Utf8ToUtf16(error.what()));
        return;
    }
    if (!values) {
        CurrentMessenger().ShowError(
            u"Die Kundendatenbank hat nicht die Spalten einer Adresse. Es kann kein Kunde übernommen werden.");
        return;
    }
    ui->TabRechnungen->TakeCustomer(*values, KundeUbernehmenForm->OverTakeMehr());
}
