#pragma once

#include "einvoice/EInvoiceDocument.h"
#include "output/TLayoutFormat.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class AusgabePage;
}
class QCheckBox;
class QLineEdit;
class QPaintEvent;
class QSpinBox;
class TRechnungBook;

// The tab "Rechnung Drucken/PDF Ausgabe": the document kind and the output of the selected
// invoice. The kind starts as "Rechnung" and the check box "PDF Datei nach Speichern
// anzeigen" as checked at every start; neither is stored.
class AusgabePage : public QWidget {
    Q_OBJECT

public:
    explicit AusgabePage(QWidget* parent = nullptr);
    ~AusgabePage() override;

    // Connects the page to the book; called once before the page is used. selectedRow gives
    // the invoice list's selected row (−1 for none); pageShown whether this tab is the one
    // the user sees (the wheel scrolls the page only then).
    void Attach(TRechnungBook& book, const TLayoutFormat& format, std::function<int()> selectedRow,
                std::function<bool()> pageShown);

    // The preview zoom in percent, kept with the window settings.
    QSpinBox* ZoomEd() const;
    // "E-Rechnung einbetten (ZUGFeRD)", kept with the window settings.
    QCheckBox* ZugferdCheck() const;

    // 0 "Rechnung" … 7 "Bestellung".
    int DocumentKind() const;

    // "Als PDF speichern...": proposes a file name from the invoice number, asks for the file
    // (PDF files, extension .pdf, asking before overwriting), writes the selected invoice as
    // a PDF on the current printer's page and shows it when ShowPDFCheck is checked. With
    // ZugferdCheck the invoice is first checked as for "Als E-Rechnung speichern..." (nothing
    // is asked or written while something is missing) and the file is a PDF/A-3 hybrid with
    // the e-invoice inside.
    void PDFBtnClick();

    // "Als E-Rechnung speichern...": refuses a document kind that is no invoice, checks the
    // selected invoice against the profile of the settings and lists every gap in one box
    // (nothing is written then); else asks for the file (proposing the invoice number with
    // ".xml" like the PDF's name) and writes the XML to a new file that replaces it only
    // when complete.
    void EInvoiceBtnClick();

    // "Drucken...": the selected invoice on the current printer, one job titled "Rechnung".
    void DruckenBtnClick();
    // "Drucker einrichten...": the printer setup; the choice lasts for the run.
    void PrinterStupBtnClick();
    // Draws the page anew (another invoice, another kind, changed data).
    void RepaintPreview();
    // How many times the page has been drawn (for tests of the resize-then-paint rule).
    int PaintCount() const { return paintCount_; }

    // The file name the save dialog was last closed with; the next export starts from it.
    const QString& LastPdfFileName() const { return SaveDialog1FileName; }

Q_SIGNALS:
    // ArtComboChange: the preview repaints with the new kind.
    void DocumentKindChanged(int kind);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The book and the selected invoice's index; false when no invoice is selected.
    bool SelectedInvoice(TRechnungBook*& book, int& row);
    // Whether the selected invoice can go out as an e-invoice of the kind: a kind that is no
    // invoice, or every gap against the settings' profile, is shown in one box (false).
    bool EInvoiceReady(const TRechnungBook& book, int row, int kind, EInvoiceProfile& profile);
    void PaintBox1Paint(QPaintEvent* event);
    void PaintBox1MouseDown();
    void ZoomEdChange();
    // Whether the wheel scrolls the page: output tab shown, invoices shown, keyedit focused.
    bool WheelScrollsPage() const;

    std::unique_ptr<Ui::AusgabePage> ui;
    TRechnungBook* book_ = nullptr;
    TLayoutFormat format_;
    std::function<int()> selectedRow_;
    std::function<bool()> pageShown_;
    QString SaveDialog1FileName;
    QString EInvoiceFileName;  // the e-invoice save dialog's last name
    QLineEdit* keyedit = nullptr;
    int paintCount_ = 0;
};
