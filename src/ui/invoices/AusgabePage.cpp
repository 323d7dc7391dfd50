#include "ui/invoices/AusgabePage.h"

#include "einvoice/EInvoiceBuilder.h"
#include "einvoice/EInvoiceExport.h"
#include "einvoice/HybridPdfExport.h"
#include "foundation/IoError.h"
#include "foundation/Messenger.h"
#include "foundation/Utf8.h"
#include "invoices/TRechnungBook.h"
#include "messages/MessageCatalog.h"
#include "messages/PrintMessages.h"
#include "output/PdfExport.h"
#include "output/TPageLayout.h"
#include "qtoutput/QtPainterCanvas.h"
#include "qtoutput/QtPrinterPage.h"
#include "ui/shared/PrintJobs.h"
#include "ui/shared/QtText.h"
#include "ui/shared/StandardDialogs.h"
#include "ui/shared/UiServices.h"
#include "ui_AusgabePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>

#include <new>
#include <optional>

namespace {

// Shows the file in the desktop's PDF viewer; a failure to start one is not reported.
void OpenFile(const QString& fileName)
{
    OpenUrl(QUrl::fromLocalFile(fileName));
}

}

AusgabePage::AusgabePage(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::AusgabePage>())
{
    ui->setupUi(this);
    ui->ArtCombo->setCurrentIndex(0);
    ui->ShowPDFCheck->setChecked(true);
    connect(ui->ArtCombo, &QComboBox::currentIndexChanged, this, &AusgabePage::DocumentKindChanged);
    connect(ui->PDFBtn, &QPushButton::clicked, this, &AusgabePage::PDFBtnClick);
    connect(ui->EInvoiceBtn, &QPushButton::clicked, this, &AusgabePage::EInvoiceBtnClick);
    connect(ui->DruckenBtn, &QPushButton::clicked, this, &AusgabePage::DruckenBtnClick);
    connect(ui->PrinterSetupBtn, &QPushButton::clicked, this, &AusgabePage::PrinterStupBtnClick);
    connect(ui->ArtCombo, &QComboBox::currentIndexChanged, this, &AusgabePage::RepaintPreview);
    connect(ui->ZoomEd, &QSpinBox::valueChanged, this, &AusgabePage::ZoomEdChange);

    ui->ScrollBox1->viewport()->setBackgroundRole(QPalette::Dark);
    ui->ScrollBox1->viewport()->setAutoFillBackground(true);
    ui->PaintBox1->onPaint = [this](QPaintEvent* event) { PaintBox1Paint(event); };
    ui->PaintBox1->onMousePress = [this] { PaintBox1MouseDown(); };
    // The field that takes the focus when the page is clicked, so that the wheel scrolls it;
    // it lies behind the scroll box and is never seen.
    keyedit = new QLineEdit(QStringLiteral("keyedit"), ui->ScrollBox1);
    keyedit->setObjectName(QStringLiteral("keyedit"));
    keyedit->setGeometry(0, 0, 1, 1);
    keyedit->lower();
    ui->ScrollBox1->viewport()->installEventFilter(this);
}

AusgabePage::~AusgabePage() = default;

void AusgabePage::Attach(TRechnungBook& book, const TLayoutFormat& format, std::function<int()> selectedRow,
                         std::function<bool()> pageShown)
{
    book_ = &book;
    format_ = format;
    selectedRow_ = std::move(selectedRow);
    pageShown_ = std::move(pageShown);
}

QSpinBox* AusgabePage::ZoomEd() const
{
    return ui->ZoomEd;
}

QCheckBox* AusgabePage::ZugferdCheck() const
{
    return ui->ZugferdCheck;
}

int AusgabePage::DocumentKind() const
{
    return ui->ArtCombo->currentIndex();
}

void AusgabePage::PDFBtnClick()
{
    TRechnungBook* book = nullptr;
    int row = -1;
    if (!SelectedInvoice(book, row))
        return;
    const int kind = DocumentKind();
    const bool hybrid = ui->ZugferdCheck->isChecked();
    EInvoiceProfile profile = EInvoiceProfile::EN16931;
    if (hybrid && !EInvoiceReady(*book, row, kind, profile))
        return;

    // The proposed name: the invoice's number, or the dialog's last name without numbers.
    const std::optional<std::u16string> proposed = ProposedPdfName(book->settings, book->Rechnung(uint32_t(row)));
    if (proposed) {
        const QString name = ToQString(*proposed);
        SaveDialog1FileName =
            SaveDialog1FileName.isEmpty() ? name : QFileInfo(SaveDialog1FileName).dir().filePath(name);
    }
    const QString fileName =
        CurrentDialogs().GetSaveFileName(this, QStringLiteral("Speichern unter"), SaveDialog1FileName,
                                         QStringLiteral("PDF Dateien (*.pdf)"), QStringLiteral("pdf"));
    if (fileName.isEmpty())
        return;
    SaveDialog1FileName = fileName;

    bool written = false;
    try {
        if (hybrid) {
            const EInvoiceExportResult result = ExportHybridPdf(*book, row, kind, profile, QStringToPath(fileName),
                                                                CurrentPrinterPage(), format_, HybridPdfTime::Now());
            written = result.status == EInvoiceExportResult::Status::Written;
            if (!written && !result.gaps.empty())
                CurrentMessenger().ShowError(GapsText(result.gaps), u"E-Rechnung");
        } else {
            written = ExportPdf(*book, row, kind, QStringToPath(fileName), CurrentPrinterPage(), format_) ==
                      PdfExportResult::Written;
        }
    } catch (const IoError& error) {
        CurrentMessenger().ShowError(Utf8ToUtf16(error.what()));
        return;
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return;
    }
    if (written && ui->ShowPDFCheck->isChecked())
        OpenFile(fileName);
}

bool AusgabePage::EInvoiceReady(const TRechnungBook& book, int row, int kind, EInvoiceProfile& profile)
{
    if (const std::u16string refusal = NotAnInvoiceText(kind); !refusal.empty()) {
        CurrentMessenger().ShowError(refusal, u"E-Rechnung");
        return false;
    }
    // Every gap in one box before any dialog: the user fills them and comes back.
    profile = DefaultEInvoiceProfile(book.settings);
    const EInvoiceBuild build = BuildEInvoice(book, uint32_t(row), kind, profile);
    if (!build.gaps.empty()) {
        std::u16string text = u"Die E-Rechnung kann noch nicht gespeichert werden:\n";
        for (const std::u16string& gap : build.gaps)
            text += u"\n• " + gap;
        CurrentMessenger().ShowError(text, u"E-Rechnung");
        return false;
    }
    return true;
}

void AusgabePage::EInvoiceBtnClick()
{
    TRechnungBook* book = nullptr;
    int row = -1;
    if (!SelectedInvoice(book, row))
        return;
    const int kind = DocumentKind();
    EInvoiceProfile profile = EInvoiceProfile::EN16931;
    if (!EInvoiceReady(*book, row, kind, profile))
        return;

    const std::optional<std::u16string> proposed = ProposedEInvoiceName(book->settings, book->Rechnung(uint32_t(row)));
    if (proposed) {
        // Into the folder the last e-invoice (else the last PDF) went to.
        const QString last = !EInvoiceFileName.isEmpty() ? EInvoiceFileName : SaveDialog1FileName;
        const QString name = ToQString(*proposed);
        EInvoiceFileName = last.isEmpty() ? name : QFileInfo(last).dir().filePath(name);
    }
    const QString fileName =
        CurrentDialogs().GetSaveFileName(this, QStringLiteral("Als E-Rechnung speichern"), EInvoiceFileName,
                                         QStringLiteral("E-Rechnungen (*.xml)"), QStringLiteral("xml"));
    if (fileName.isEmpty())
        return;
    EInvoiceFileName = fileName;

    EInvoiceExportResult result;
    try {
        result = ExportEInvoice(*book, row, kind, profile, QStringToPath(fileName));
    } catch (const IoError& error) {
        CurrentMessenger().ShowError(Utf8ToUtf16(error.what()));
        return;
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return;
    }
    if (result.status != EInvoiceExportResult::Status::Written && !result.gaps.empty())
        CurrentMessenger().ShowError(GapsText(result.gaps), u"E-Rechnung");
}

bool AusgabePage::SelectedInvoice(TRechnungBook*& book, int& row)
{
    if (!book_ || !selectedRow_)
        return false;
    row = selectedRow_();
    book = book_;
    return row >= 0 && uint32_t(row) < book->RechnungCount();
}

void AusgabePage::RepaintPreview()
{
    ui->PaintBox1->update();
}

void AusgabePage::ZoomEdChange()
{
    ui->PaintBox1->repaint();
}

void AusgabePage::PaintBox1Paint(QPaintEvent*)
{
    TRechnungBook* book = nullptr;
    int row = -1;
    if (!SelectedInvoice(book, row))
        return;
    const TOutputTarget target =
        TOutputTarget::Preview(ui->PaintBox1->logicalDpiX(), ui->ZoomEd->value(), CurrentPrinterPage());
    // A box of another size is resized first; the resize paints it again at the new size.
    if (ui->PaintBox1->width() != target.pw || ui->PaintBox1->height() != target.ph) {
        ui->PaintBox1->resize(target.pw, target.ph);
        return;
    }
    ++paintCount_;
    QPainter painter(ui->PaintBox1);
    painter.fillRect(QRect(0, 0, target.pw, target.ph), Qt::white);
    QtPainterCanvas canvas(painter, target);
    TPageLayout(canvas, *book, static_cast<uint32_t>(row), DocumentKind(), format_).Run();
}

void AusgabePage::PaintBox1MouseDown()
{
    keyedit->setFocus();
}

bool AusgabePage::WheelScrollsPage() const
{
    return pageShown_ && pageShown_() && keyedit->hasFocus();
}

bool AusgabePage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->ScrollBox1->viewport() && event->type() == QEvent::Wheel) {
        // The page scrolls by 20 pixels a notch, and only after a click on it.
        if (WheelScrollsPage()) {
            const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
            QScrollBar* bar = ui->ScrollBox1->verticalScrollBar();
            if (delta < 0)
                bar->setValue(bar->value() + 20);
            else if (delta > 0)
                bar->setValue(bar->value() - 20);
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void AusgabePage::DruckenBtnClick()
{
    TRechnungBook* book = nullptr;
    int row = -1;
    if (!SelectedInvoice(book, row))
        return;
    PrintJob job(ToQString(MessageText(143)), std::u16string(PrintMessages::kInvoiceAdvice));
    QPainter painter;
    if (!job.Begin(painter))
        return;
    QtPainterCanvas canvas(painter, TOutputTarget::Printer(PageOf(job.Printer())), &job.Printer());
    TPageLayout(canvas, *book, static_cast<uint32_t>(row), DocumentKind(), format_).Run();
    job.Finish(painter);
}

void AusgabePage::PrinterStupBtnClick()
{
    if (RunPrinterSetup(this, PrintMessages::kSetupAdvice))
        RepaintPreview();
}
