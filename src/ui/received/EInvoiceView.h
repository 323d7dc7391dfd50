#pragma once

#include "output/TOutputTarget.h"
#include "received/ReceivedInvoice.h"
#include "received/ReceivedInvoiceCheck.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <memory>

class PreviewBox;
class QLabel;
class QListWidget;
class QPainter;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTableWidget;
class MeasureCache;
class QtPainterCanvas;
class ReceivedInvoicePages;

// The window "E-Rechnung anzeigen": a received e-invoice as a person reads it. At the top the
// check of its sums and mandatory fields (green when everything agrees, red with the list of
// problems otherwise), then its readable pages one at a time with page buttons and zoom, the
// list of its attachments with "Speichern unter...", and "Drucken..." and "Als PDF speichern...",
// which put the same pages on the printer of the run or into a PDF file.
class EInvoiceView : public QWidget {
    Q_OBJECT

public:
    // The window on an invoice read from `fileName` (whose name is shown in the title).
    EInvoiceView(ReceivedInvoice invoice, const QString& fileName, QWidget* parent = nullptr);
    ~EInvoiceView() override;

    // Reads the file and opens the window on it, as an own window that deletes itself when
    // closed (kept together with `parent`). A file that cannot be read is reported in one box
    // with the reader's message, and no window opens (null).
    static EInvoiceView* Open(const QString& fileName, QWidget* parent);

    const ReceivedInvoice& Invoice() const { return invoice_; }
    const ReceivedCheck& Check() const { return check_; }
    // The page shown (0-based) and the number of pages.
    int CurrentPage() const { return page_; }
    int PageCount() const;

    // The buttons' work.
    void ShowPage(int page);
    void SaveAttachmentClick();
    void PrintClick();
    void PdfClick();

private:
    void BuildControls();
    void FillCheck();
    void FillAttachments();
    void LayOutPages();
    void ZoomChanged();
    void PaintPage();
    void UpdateAttachmentButton();
    // The attachment of the selected row; null for none or one without embedded content.
    const ReceivedAttachment* SelectedAttachment(size_t& index) const;

    ReceivedInvoice invoice_;
    ReceivedCheck check_;
    QString fileName_;
    QString lastPdfName_;
    QString lastAttachmentFolder_;
    int page_ = 0;

    // The pages on the screen are laid out once, at 100 % on the screen's resolution, on a
    // measuring image of that resolution; the zoom scales the painting.
    TOutputTarget screenTarget_;
    QImage measureImage_;
    std::unique_ptr<QPainter> measurePainter_;
    std::unique_ptr<QtPainterCanvas> measureCanvas_;
    std::unique_ptr<MeasureCache> measureCache_;
    std::unique_ptr<ReceivedInvoicePages> pages_;

    QLabel* CheckHeading = nullptr;
    QListWidget* CheckProblems = nullptr;
    QPushButton* PrevPageBtn = nullptr;
    QPushButton* NextPageBtn = nullptr;
    QLabel* PageLabel = nullptr;
    QSpinBox* ZoomEd = nullptr;
    QScrollArea* ScrollBox = nullptr;
    PreviewBox* PageBox = nullptr;
    QWidget* AttachmentPanel = nullptr;
    QTableWidget* AttachmentList = nullptr;
    QPushButton* SaveAttachmentBtn = nullptr;
    QPushButton* PrintBtn = nullptr;
    QPushButton* PdfBtn = nullptr;
};
