#include "MainWindowHarness.h"
#include "invoices/TextBuf.h"
#include "output/TOutputTarget.h"
#include "qtoutput/QtPrinterPage.h"
#include "ui/invoices/AusgabePage.h"
#include "ui/invoices/PreviewBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

// The preview on the output tab and printing, on a printer that writes PDF files.
class PreviewPrintTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindowHarness> h;
    std::unique_ptr<QPrinter> printer;
    QTemporaryDir dir;

    AusgabePage* page() { return h->Child<AusgabePage>("AusgabePage"); }
    PreviewBox* box() { return h->Child<PreviewBox>("PaintBox1"); }

    // A 600-dpi printer whose printable area is 4800 × 6800 pixels, printing into a PDF file.
    void InstallPdfPrinter(const QString& file)
    {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(file);
        printer->setResolution(600);
        printer->setFullPage(true);
        printer->setPageSize(QPageSize(QSizeF(8.0, 6800.0 / 600.0), QPageSize::Inch, QString(), QPageSize::ExactMatch));
        printer->setPageMargins(QMarginsF(0, 0, 0, 0));
        SetCurrentPrinter(printer.get());
    }

    void ShowOutputTab()
    {
        h->Child<QTabWidget>("PageControl1")->setCurrentIndex(3);
        QApplication::processEvents();
        QApplication::processEvents();
    }

    void AddPositions(int count)
    {
        for (int i = 0; i < count; ++i) {
            TPositionRec& p = h->Book().AppendPosition(0);
            p.menge = 1 + i % 3;
            p.mwst = i % 2 ? 7 : 19;
            p.preis = 10 + i;
            NewTextBuf(&p.bez, u"Fichtenbrett gehobelt");
        }
    }

    static QString PdfText(const QString& file)
    {
        QProcess process;
        process.start("pdftotext", {"-layout", file, "-"});
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

private Q_SLOTS:
    void init()
    {
        h = std::make_unique<MainWindowHarness>();
        InstallPdfPrinter(dir.filePath("druck.pdf"));
    }
    void cleanup()
    {
        QCOMPARE(h->Messenger().UnansweredQuestions(), 0);
        h.reset();
        SetCurrentPrinter(nullptr);
        printer.reset();
    }

    void pageGeometryAtZoom30()
    {
        QCOMPARE(printer->width(), 4800);
        QCOMPARE(printer->height(), 6800);
        const TOutputTarget target = TOutputTarget::Preview(96, 30, CurrentPrinterPage());
        QCOMPARE(target.pw, 230);
        QCOMPARE(target.ph, 326);
        QCOMPARE(target.Dev(15), 17);
        QCOMPARE(target.Dev(45), 51);
        QCOMPARE(target.Dev(130), 147);

        h->Start();
        h->Child<QPushButton>("NeueRechnungBtn")->click();
        ShowOutputTab();
        QCOMPARE(box()->logicalDpiX(), 96);
        QCOMPARE(box()->size(), QSize(230, 326));
        QVERIFY(page()->PaintCount() >= 1);
        // The page is white; the scroll box around it is the workspace colour.
        const QImage shot = box()->grab().toImage();
        QCOMPARE(shot.pixelColor(5, 5), QColor(Qt::white));
    }

    void zoomGrowsTheBoxAndDrawsItOnce()
    {
        h->Start();
        h->Child<QPushButton>("NeueRechnungBtn")->click();
        ShowOutputTab();
        QCOMPARE(box()->size(), QSize(230, 326));
        const int before = page()->PaintCount();
        h->Child<QSpinBox>("ZoomEd")->setValue(35);
        QApplication::processEvents();
        QApplication::processEvents();
        QCOMPARE(box()->size(), QSize(268, 380));
        QCOMPARE(page()->PaintCount(), before + 1);
    }

    void nothingDrawnWithoutInvoice()
    {
        h->Start();
        ShowOutputTab();
        h->Child<QTabWidget>("PageControl1")->show();
        box()->repaint();
        QCOMPARE(page()->PaintCount(), 0);
    }

    void wheelScrollsOnlyAfterClickOnPage()
    {
        h->Start();
        h->Child<QPushButton>("NeueRechnungBtn")->click();
        h->Child<QSpinBox>("ZoomEd")->setValue(100);
        ShowOutputTab();
        auto* scroll = h->Child<QScrollArea>("ScrollBox1");
        QVERIFY(scroll->verticalScrollBar()->maximum() > 40);
        const auto wheelDown = [scroll] {
            const QPoint at(20, 20);
            QWheelEvent wheel(at, scroll->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(scroll->viewport(), &wheel);
        };
        h->Child<QLineEdit>("NameED")->setFocus();
        wheelDown();
        QCOMPARE(scroll->verticalScrollBar()->value(), 0);
        QTest::mouseClick(box(), Qt::LeftButton, {}, QPoint(10, 10));
        QVERIFY(h->Child<QLineEdit>("keyedit")->hasFocus());
        wheelDown();
        QCOMPARE(scroll->verticalScrollBar()->value(), 20);
        wheelDown();
        QCOMPARE(scroll->verticalScrollBar()->value(), 40);
    }

    void printingWritesEveryPageWithNumbers()
    {
        h->Start();
        h->Child<QPushButton>("NeueRechnungBtn")->click();
        AddPositions(90);
        h->Child<QPushButton>("DruckenBtn")->click();
        QVERIFY(h->Messenger().Errors().empty());
        const QString text = PdfText(dir.filePath("druck.pdf"));
        QVERIFY2(text.contains("Rechnung 6300000"), qPrintable(text.left(400)));
        // pdftotext may close up the spaces of the page number "- n -".
        QVERIFY(text.contains(QRegularExpression("-\\s*1\\s*-")));
        QVERIFY(text.contains(QRegularExpression("-\\s*2\\s*-")));
        QVERIFY(text.contains("Gesamtbetrag"));
        QCOMPARE(text.count("Firma - wir sind die besten"), text.count(QChar('\f')) + (text.endsWith('\f') ? 0 : 1));
    }

    void printedOfferKeepsItsTitle()
    {
        h->Start();
        h->Child<QPushButton>("NeueRechnungBtn")->click();
        AddPositions(2);
        h->Child<QComboBox>("ArtCombo")->setCurrentIndex(2);
        h->Child<QPushButton>("DruckenBtn")->click();
        const QString text = PdfText(dir.filePath("druck.pdf"));
        QVERIFY(text.contains("Angebot 6300000"));
        QVERIFY(text.contains(QRegularExpression("-\\s*1\\s*-")));
        QVERIFY(!text.contains(QRegularExpression("-\\s*2\\s*-")));
        QCOMPARE(printer->docName(), QString("Rechnung"));
    }

    void noPrinterSaysSo()
    {
        SetCurrentPrinter(nullptr);
        if (CurrentPrinter())
            QSKIP("this machine has a printer");
        h->Start();
        h->Child<QPushButton>("NeueRechnungBtn")->click();
        h->Child<QPushButton>("DruckenBtn")->click();
        QCOMPARE(h->Messenger().Errors().size(), size_t(1));
        QVERIFY(QString::fromStdU16String(h->Messenger().Errors()[0]).startsWith("Es ist kein Drucker eingerichtet"));
        h->Child<QPushButton>("PrinterSetupBtn")->click();
        QCOMPARE(h->Messenger().Errors().size(), size_t(2));
    }
};

QTEST_MAIN(PreviewPrintTest)
#include "PreviewPrintTest.moc"
