#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

namespace Ui {
class AusgabePage;
}

// The tab "Rechnung Drucken/PDF Ausgabe": the document kind and the output of the selected
// invoice. The kind starts as "Rechnung" and the check box "PDF Datei nach Speichern
// anzeigen" as checked at every start; neither is stored.
class AusgabePage : public QWidget {
    Q_OBJECT

public:
    explicit AusgabePage(QWidget* parent = nullptr);
    ~AusgabePage() override;

    // 0 "Rechnung" … 7 "Bestellung".
    int DocumentKind() const;

    // "Als PDF speichern...": proposes a file name from the invoice number, asks for the file
    // (PDF files, extension .pdf, asking before overwriting), writes the selected invoice as
    // a PDF on the current printer's page and shows it when ShowPDFCheck is checked.
    void PDFBtnClick();

    // The file name the save dialog was last closed with; the next export starts from it.
    const QString& LastPdfFileName() const { return SaveDialog1FileName; }

    // How a written PDF file is shown: through the desktop (QDesktopServices::openUrl) unless
    // a test installs another way; null restores the desktop.
    using FileOpener = std::function<void(const QString& fileName)>;
    static void SetFileOpener(FileOpener opener);

Q_SIGNALS:
    // ArtComboChange: the preview repaints with the new kind.
    void DocumentKindChanged(int kind);

private:
    std::unique_ptr<Ui::AusgabePage> ui;
    QString SaveDialog1FileName;
};
