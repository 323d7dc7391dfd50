#include "ui/received/EInvoiceView.h"

#include "foundation/AtomicFileSink.h"
#include "foundation/IoError.h"
#include "foundation/Messenger.h"
#include "foundation/Utf8.h"
#include "messages/PrintMessages.h"
#include "qtoutput/QtPainterCanvas.h"
#include "qtoutput/QtPrinterPage.h"
#include "received/ReceivedInvoicePages.h"
#include "received/ReceivedInvoiceReader.h"
#include "received/ReceivedPdfExport.h"
#include "received/ReceivedSaveNames.h"
#include "ui/invoices/PreviewBox.h"
#include "ui/received/MeasureCache.h"
#include "ui/shared/PrintJobs.h"
#include "ui/shared/QtText.h"
#include "ui/shared/StandardDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <new>

namespace {

const QColor kAgreesColour(0, 110, 0);
const QColor kProblemColour(176, 0, 0);

constexpr std::u16string_view kTitle = u"E-Rechnung anzeigen";

// Shows the wait cursor while a long piece of work runs.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QTableWidgetItem* Cell(const QString& text)
{
    // Long texts are cut at the column's edge; the whole text shows as a tip.
    auto* item = new QTableWidgetItem(text);
    item->setToolTip(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

// The height of a list that shows its first rows (at most five) without scrolling, below a
// header of the given height.
int ListHeight(const QAbstractItemView* view, int rows, int header, const std::function<int(int)>& rowHeight)
{
    int height = header + 2 * view->frameWidth();
    for (int row = 0; row < std::min(rows, 5); ++row)
        height += std::max(rowHeight(row), 1);
    return height;
}

// The folder of a file name, as a start for a save dialog.
QString FolderOf(const QString& fileName)
{
    return QFileInfo(fileName).absolutePath();
}

}  // namespace

EInvoiceView::EInvoiceView(ReceivedInvoice invoice, const QString& fileName, QWidget* parent)
    : QWidget(parent, Qt::Window),
      invoice_(std::move(invoice)),
      check_(CheckReceivedInvoice(invoice_)),
      fileName_(fileName),
      lastAttachmentFolder_(FolderOf(fileName))
{
    setObjectName(QStringLiteral("EInvoiceView"));
    setWindowTitle(ToQString(std::u16string(kTitle)) + QStringLiteral(" – ") + QFileInfo(fileName).fileName());
    BuildControls();
    FillCheck();
    FillAttachments();
    LayOutPages();
    ShowPage(0);
}

EInvoiceView::~EInvoiceView()
{
    // The pages may measure on the canvas to the end: they go before it.
    pages_.reset();
    measureCache_.reset();
    measureCanvas_.reset();
    measurePainter_.reset();
}

EInvoiceView* EInvoiceView::Open(const QString& fileName, QWidget* parent)
{
    std::unique_ptr<EInvoiceView> view;
    std::u16string error;
    {
        WaitCursor wait;
        ReceivedReadResult read = ReadReceivedInvoiceFile(QStringToPath(fileName));
        if (read.invoice) {
            try {
                view = std::make_unique<EInvoiceView>(std::move(*read.invoice), fileName, parent);
            } catch (const std::bad_alloc&) {
                view.reset();
            }
        }
        error = std::move(read.error);
    }
    // The box comes after the wait cursor is gone.
    if (!view) {
        if (error.empty())
            ReportOutOfMemory();
        else
            CurrentMessenger().ShowError(error, std::u16string(kTitle));
        return nullptr;
    }
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->show();
    return view.release();
}

void EInvoiceView::BuildControls()
{
    auto* layout = new QVBoxLayout(this);

    CheckHeading = new QLabel(this);
    CheckHeading->setObjectName(QStringLiteral("CheckHeading"));
    QFont bold = CheckHeading->font();
    bold.setBold(true);
    CheckHeading->setFont(bold);
    CheckHeading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(CheckHeading);

    CheckProblems = new QListWidget(this);
    CheckProblems->setObjectName(QStringLiteral("CheckProblems"));
    CheckProblems->setWordWrap(true);
    CheckProblems->setMaximumHeight(fontMetrics().height() * 6);
    layout->addWidget(CheckProblems);

    auto* bar = new QHBoxLayout;
    PrevPageBtn = new QPushButton(QStringLiteral("< Vorige Seite"), this);
    PrevPageBtn->setObjectName(QStringLiteral("PrevPageBtn"));
    PageLabel = new QLabel(this);
    PageLabel->setObjectName(QStringLiteral("PageLabel"));
    NextPageBtn = new QPushButton(QStringLiteral("Nächste Seite >"), this);
    NextPageBtn->setObjectName(QStringLiteral("NextPageBtn"));
    auto* zoomLabel = new QLabel(QStringLiteral("Zoom:"), this);
    ZoomEd = new QSpinBox(this);
    ZoomEd->setObjectName(QStringLiteral("ZoomEd"));
    ZoomEd->setRange(10, 300);
    ZoomEd->setSingleStep(10);
    ZoomEd->setSuffix(QStringLiteral(" %"));
    ZoomEd->setValue(100);
    zoomLabel->setBuddy(ZoomEd);
    PrintBtn = new QPushButton(QStringLiteral("Drucken..."), this);
    PrintBtn->setObjectName(QStringLiteral("PrintBtn"));
    PdfBtn = new QPushButton(QStringLiteral("Als PDF speichern..."), this);
    PdfBtn->setObjectName(QStringLiteral("PdfBtn"));
    bar->addWidget(PrevPageBtn);
    bar->addWidget(PageLabel);
    bar->addWidget(NextPageBtn);
    bar->addSpacing(16);
    bar->addWidget(zoomLabel);
    bar->addWidget(ZoomEd);
    bar->addStretch(1);
    bar->addWidget(PrintBtn);
    bar->addWidget(PdfBtn);
    layout->addLayout(bar);

    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setBackgroundRole(QPalette::Dark);
    ScrollBox->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    PageBox = new PreviewBox;
    PageBox->setObjectName(QStringLiteral("PageBox"));
    ScrollBox->setWidget(PageBox);
    ScrollBox->setWidgetResizable(false);
    layout->addWidget(ScrollBox, 1);

    AttachmentPanel = new QWidget(this);
    AttachmentPanel->setObjectName(QStringLiteral("AttachmentPanel"));
    auto* attachments = new QVBoxLayout(AttachmentPanel);
    attachments->setContentsMargins(0, 0, 0, 0);
    attachments->addWidget(new QLabel(QStringLiteral("Anhänge:"), AttachmentPanel));
    AttachmentList = new QTableWidget(0, 4, AttachmentPanel);
    AttachmentList->setObjectName(QStringLiteral("AttachmentList"));
    AttachmentList->setHorizontalHeaderLabels({QStringLiteral("Dateiname"), QStringLiteral("MIME-Typ"),
                                               QStringLiteral("Größe"), QStringLiteral("Beschreibung")});
    AttachmentList->setSelectionBehavior(QAbstractItemView::SelectRows);
    AttachmentList->setSelectionMode(QAbstractItemView::SingleSelection);
    AttachmentList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AttachmentList->verticalHeader()->hide();
    AttachmentList->horizontalHeader()->setStretchLastSection(true);
    AttachmentList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    AttachmentList->setTextElideMode(Qt::ElideMiddle);
    attachments->addWidget(AttachmentList);
    auto* attachmentBar = new QHBoxLayout;
    SaveAttachmentBtn = new QPushButton(QStringLiteral("Speichern unter..."), AttachmentPanel);
    SaveAttachmentBtn->setObjectName(QStringLiteral("SaveAttachmentBtn"));
    attachmentBar->addWidget(SaveAttachmentBtn);
    attachmentBar->addStretch(1);
    attachments->addLayout(attachmentBar);
    layout->addWidget(AttachmentPanel);

    connect(PrevPageBtn, &QPushButton::clicked, this, [this] { ShowPage(page_ - 1); });
    connect(NextPageBtn, &QPushButton::clicked, this, [this] { ShowPage(page_ + 1); });
    connect(ZoomEd, &QSpinBox::valueChanged, this, &EInvoiceView::ZoomChanged);
    connect(PrintBtn, &QPushButton::clicked, this, &EInvoiceView::PrintClick);
    connect(PdfBtn, &QPushButton::clicked, this, &EInvoiceView::PdfClick);
    connect(SaveAttachmentBtn, &QPushButton::clicked, this, &EInvoiceView::SaveAttachmentClick);
    connect(AttachmentList, &QTableWidget::itemSelectionChanged, this, &EInvoiceView::UpdateAttachmentButton);
    connect(AttachmentList, &QTableWidget::cellDoubleClicked, this, [this] { SaveAttachmentClick(); });
    PageBox->onPaint = [this](QPaintEvent*) { PaintPage(); };

    // A page at 100 % and the lists beside it, as far as the screen allows.
    QSize size(900, 1000);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
}

void EInvoiceView::FillCheck()
{
    CheckHeading->setText(ToQString(check_.Heading()));
    QPalette palette = CheckHeading->palette();
    palette.setColor(QPalette::WindowText, check_.Agrees() ? kAgreesColour : kProblemColour);
    CheckHeading->setPalette(palette);
    for (const std::u16string& problem : check_.problems) {
        auto* item = new QListWidgetItem(ToQString(problem), CheckProblems);
        item->setForeground(kProblemColour);
    }
    CheckProblems->setVisible(!check_.problems.empty());
    // As high as its lines, up to five; more scroll.
    CheckProblems->setFixedHeight(ListHeight(CheckProblems, CheckProblems->count(), 0,
                                             [this](int row) { return CheckProblems->sizeHintForRow(row); }));
}

void EInvoiceView::FillAttachments()
{
    AttachmentList->setRowCount(int(invoice_.attachments.size()));
    for (size_t i = 0; i < invoice_.attachments.size(); ++i) {
        const ReceivedAttachment& a = invoice_.attachments[i];
        const int row = int(i);
        // An external document is only named: the program never fetches it.
        const bool embedded = !a.content.empty();
        QString name = ToQString(!a.fileName.empty() ? a.fileName : a.id);
        QString size = embedded ? ToQString(ByteSizeText(a.content.size())) : QStringLiteral("–");
        if (!embedded && !a.uri.empty()) {
            name = ToQString(a.uri);
            size = QStringLiteral("externer Verweis (wird nicht geladen)");
        }
        AttachmentList->setItem(row, 0, Cell(name));
        AttachmentList->setItem(row, 1, Cell(ToQString(a.mimeCode)));
        AttachmentList->setItem(row, 2, Cell(size));
        AttachmentList->setItem(row, 3, Cell(ToQString(a.description)));
    }
    AttachmentList->resizeColumnsToContents();
    for (int column = 0; column < 3; ++column)
        AttachmentList->setColumnWidth(column, std::min(AttachmentList->columnWidth(column), 300));
    AttachmentList->setFixedHeight(ListHeight(AttachmentList, AttachmentList->rowCount(),
                                              AttachmentList->horizontalHeader()->sizeHint().height(),
                                              [this](int row) { return AttachmentList->rowHeight(row); }));
    AttachmentPanel->setVisible(!invoice_.attachments.empty());
    UpdateAttachmentButton();
}

void EInvoiceView::LayOutPages()
{
    WaitCursor wait;
    screenTarget_ = TOutputTarget::Preview(PageBox->logicalDpiX(), 100, CurrentPrinterPage());
    // The window shows the pages one by one, as they are printed.
    screenTarget_.pageBreaks = true;
    measureImage_ = QImage(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(PageBox->logicalDpiX() / 0.0254);
    measureImage_.setDotsPerMeterX(dotsPerMeter);
    measureImage_.setDotsPerMeterY(dotsPerMeter);
    pages_.reset();
    measureCache_.reset();
    measureCanvas_.reset();
    measurePainter_ = std::make_unique<QPainter>(&measureImage_);
    measureCanvas_ = std::make_unique<QtPainterCanvas>(*measurePainter_, screenTarget_);
    measureCache_ = std::make_unique<MeasureCache>(*measureCanvas_);
    pages_ = std::make_unique<ReceivedInvoicePages>(invoice_, check_, *measureCache_);
    ZoomChanged();
}

int EInvoiceView::PageCount() const
{
    return pages_ ? pages_->PageCount() : 0;
}

void EInvoiceView::ShowPage(int page)
{
    const int count = PageCount();
    page_ = std::clamp(page, 0, std::max(count - 1, 0));
    PageLabel->setText(QStringLiteral("Seite %1 von %2").arg(page_ + 1).arg(std::max(count, 1)));
    PrevPageBtn->setEnabled(page_ > 0);
    NextPageBtn->setEnabled(page_ + 1 < count);
    PageBox->update();
}

void EInvoiceView::ZoomChanged()
{
    const int zoom = ZoomEd->value();
    PageBox->resize(screenTarget_.pw * zoom / 100, screenTarget_.ph * zoom / 100);
    PageBox->update();
}

void EInvoiceView::PaintPage()
{
    QPainter painter(PageBox);
    painter.fillRect(PageBox->rect(), Qt::white);
    if (!pages_)
        return;
    const double scale = ZoomEd->value() / 100.0;
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QtPainterCanvas canvas(painter, screenTarget_);
    pages_->DrawPage(canvas, page_);
}

const ReceivedAttachment* EInvoiceView::SelectedAttachment(size_t& index) const
{
    const QList<QTableWidgetItem*> selected = AttachmentList->selectedItems();
    if (selected.isEmpty())
        return nullptr;
    const int row = selected.first()->row();
    if (row < 0 || size_t(row) >= invoice_.attachments.size() || invoice_.attachments[size_t(row)].content.empty())
        return nullptr;
    index = size_t(row);
    return &invoice_.attachments[index];
}

void EInvoiceView::UpdateAttachmentButton()
{
    size_t index = 0;
    SaveAttachmentBtn->setEnabled(SelectedAttachment(index) != nullptr);
}

void EInvoiceView::SaveAttachmentClick()
{
    size_t index = 0;
    const ReceivedAttachment* attachment = SelectedAttachment(index);
    if (!attachment)
        return;
    const QString proposed = ToQString(ProposedAttachmentName(*attachment, index));
    const QString suffix = QFileInfo(proposed).suffix();
    const QString filter = suffix.isEmpty()
                               ? QStringLiteral("Alle Dateien (*)")
                               : QStringLiteral("%1-Dateien (*.%2);;Alle Dateien (*)").arg(suffix.toUpper(), suffix);
    const QString fileName = CurrentDialogs().GetSaveFileName(
        this, QStringLiteral("Speichern unter"), QDir(lastAttachmentFolder_).filePath(proposed), filter, suffix);
    if (fileName.isEmpty())
        return;
    lastAttachmentFolder_ = FolderOf(fileName);
    try {
        AtomicFileSink sink(QStringToPath(fileName));
        sink.Write(attachment->content.data(), attachment->content.size());
        sink.Commit();
    } catch (const IoError& error) {
        CurrentMessenger().ShowError(Utf8ToUtf16(error.what()));
    }
}

void EInvoiceView::PrintClick()
{
    PrintJob job(QStringLiteral("E-Rechnung"), std::u16string(PrintMessages::kReceivedAdvice));
    QPainter painter;
    if (!job.Begin(painter))
        return;
    try {
        WaitCursor wait;
        QtPainterCanvas canvas(painter, TOutputTarget::Printer(PageOf(job.Printer())), &job.Printer());
        const ReceivedInvoicePages pages(invoice_, check_, canvas);
        for (int page = 0; page < pages.PageCount(); ++page) {
            if (page > 0)
                canvas.NewPage();
            pages.DrawPage(canvas, page);
        }
    } catch (const std::bad_alloc&) {
        painter.end();
        ReportOutOfMemory();
        return;
    }
    job.Finish(painter);
}

void EInvoiceView::PdfClick()
{
    const QString proposed = ToQString(ProposedReceivedPdfName(invoice_));
    const QString start =
        QDir(lastPdfName_.isEmpty() ? FolderOf(fileName_) : FolderOf(lastPdfName_)).filePath(proposed);
    const QString fileName = CurrentDialogs().GetSaveFileName(
        this, QStringLiteral("Als PDF speichern"), start, QStringLiteral("PDF Dateien (*.pdf)"), QStringLiteral("pdf"));
    if (fileName.isEmpty())
        return;
    lastPdfName_ = fileName;
    try {
        WaitCursor wait;
        ExportReceivedPdf(invoice_, check_, QStringToPath(fileName), CurrentPrinterPage());
    } catch (const IoError& error) {
        CurrentMessenger().ShowError(Utf8ToUtf16(error.what()));
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
    }
}
