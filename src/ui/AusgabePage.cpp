#include "ui/AusgabePage.h"

#include "foundation/IoError.h"
#include "foundation/Messenger.h"
#include "foundation/Utf8.h"
#include "invoices/TRechnungBook.h"
#include "output/PdfExport.h"
#include "output/QtPrinterPage.h"
#include "ui/LocaleFormat.h"
#include "ui/QtText.h"
#include "ui/RechnungenPage.h"
#include "ui/StandardDialogs.h"
#include "ui/TRechnungsForm.h"
#include "ui_AusgabePage.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <new>
#include <optional>

namespace {

AusgabePage::FileOpener fileOpener;

void OpenFile(const QString& fileName)
{
    if (fileOpener) {
        fileOpener(fileName);
        return;
    }
    // Shows the file in the desktop's PDF viewer; a failure to start one is not reported.
    QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

template <class T>
T* Ancestor(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (T* found = qobject_cast<T*>(w))
            return found;
    }
    return nullptr;
}

}

AusgabePage::AusgabePage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::AusgabePage>())
{
    ui->setupUi(this);
    ui->ArtCombo->setCurrentIndex(0);
    ui->ShowPDFCheck->setChecked(true);
    connect(ui->ArtCombo, &QComboBox::currentIndexChanged, this, &AusgabePage::DocumentKindChanged);
    connect(ui->PDFBtn, &QPushButton::clicked, this, &AusgabePage::PDFBtnClick);
}

AusgabePage::~AusgabePage() = default;

int AusgabePage::DocumentKind() const
{
    return ui->ArtCombo->currentIndex();
}

void AusgabePage::SetFileOpener(FileOpener opener)
{
    fileOpener = std::move(opener);
}

void AusgabePage::PDFBtnClick()
{
    // The page lives on the invoice tab of the main window, which holds the book.
    RechnungenPage* rechnungen = Ancestor<RechnungenPage>(this);
    TRechnungsForm* form = Ancestor<TRechnungsForm>(this);
    if (!rechnungen || !form)
        return;
    const int row = rechnungen->SelectedRow();
    TRechnungBook& book = form->Book();
    if (row < 0 || uint32_t(row) >= book.RechnungCount())
        return;

    // The proposed name: the invoice's number, or the dialog's last name without numbers.
    const std::optional<std::u16string> proposed = ProposedPdfName(book.settings, book.Rechnung(uint32_t(row)));
    if (proposed) {
        const QString name = ToQString(*proposed);
        SaveDialog1FileName = SaveDialog1FileName.isEmpty()
                                  ? name
                                  : QFileInfo(SaveDialog1FileName).dir().filePath(name);
    }
    const QString fileName = CurrentDialogs().GetSaveFileName(this, QStringLiteral("Speichern unter"),
                                                              SaveDialog1FileName,
                                                              QStringLiteral("PDF Dateien (*.pdf)"),
                                                              QStringLiteral("pdf"));
    if (fileName.isEmpty())
        return;
    SaveDialog1FileName = fileName;

    const LocaleFormat locale = LocaleFormat::FromSystem();
    TLayoutFormat format;
    format.decimalSeparator = locale.decimalSeparator;
    format.shortDate = locale.shortDate;
    PdfExportResult result;
    try {
        result = ExportPdf(book, row, DocumentKind(), QFile::encodeName(fileName).toStdString(),
                           CurrentPrinterPage(), format);
    } catch (const IoError& error) {
        CurrentMessenger().ShowError(Utf8ToUtf16(error.what()));
        return;
    } catch (const std::bad_alloc&) {
        CurrentMessenger().ShowError(u"Fehler: nicht genug Speicher für diese Operation!");
        return;
    }
    if (result == PdfExportResult::Written && ui->ShowPDFCheck->isChecked())
        OpenFile(fileName);
}
