// The GiroCode as a user meets it: ticked on the settings tab "E-Rechnung", seen on the
// preview of the output tab, where a banking app's reader (zbarimg) finds the transfer the
// guideline lays out; kept in the book.
#include "MainWindowHarness.h"
#include "invoices/TextBuf.h"
#include "support/EInvoiceValidator.h"
#include "ui/invoices/AusgabePage.h"
#include "ui/shared/UiServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

class GiroCodeWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindowHarness> h;
    TempDir out;

    template <class T> T* child(const char* name) const { return h->Child<T>(name); }

    void ShowTab(const char* tabs, const char* page)
    {
        auto* widget = child<QTabWidget>(tabs);
        QTabBar* bar = widget->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(widget->indexOf(child<QWidget>(page))).center());
        QCOMPARE(widget->currentWidget(), child<QWidget>(page));
        QApplication::processEvents();
    }

    // The QR codes zbarimg finds in a picture, their bytes as they are; empty when none.
    static QByteArray Decode(const QImage& picture, const QString& file)
    {
        if (!picture.save(file))
            qFatal("picture not saved");
        QProcess zbar;
        zbar.start("zbarimg", {"--raw", "-q", "-Sbinary", file});
        zbar.waitForFinished(30000);
        QByteArray found = zbar.readAllStandardOutput();
        if (found.endsWith('\n'))
            found.chop(1);
        return found;
    }

    // One invoice of 2 × 59,50 € at 19 % for the seller "Bäckerei Groß & Söhne".
    void StartWithInvoice()
    {
        h->Start();
        TRechnungSettings& s = h->Book().settings;
        s.FirmaED2 = u"Bäckerei Groß & Söhne";
        s.IbanEd = u"DE02 1203 0000 0000 2020 51";
        s.BicEd = u"BYLADEM1001";
        child<QPushButton>("NeueRechnungBtn")->click();
        TPositionRec& p = h->Book().AppendPosition(0);
        p.menge = 2;
        p.mwst = 19;
        p.preis = 59.5;
        NewTextBuf(&p.bez, u"Torte");
    }

    // The preview at 200 %, grabbed as it is on the screen.
    QByteArray PreviewCode(const char* name)
    {
        ShowTab("PageControl2", "TabRechnungen");
        ShowTab("PageControl1", "TabAusgabe");
        auto* zoom = child<QSpinBox>("ZoomEd");
        zoom->setValue(200);
        QWidget* preview = child<QWidget>("PaintBox1");
        QApplication::processEvents();
        return Decode(preview->grab().toImage(), QString::fromStdString(out.File(name)));
    }

private Q_SLOTS:
    void init()
    {
        if (QStandardPaths::findExecutable("zbarimg").isEmpty()) {
            if (EInvoiceValidator::InCi())
                QFAIL("zbarimg missing (zbar-tools, scripts/install-deps)");
            QSKIP("zbarimg missing (zbar-tools, scripts/install-deps)");
        }
        h = std::make_unique<MainWindowHarness>();
    }
    void cleanup()
    {
        QCOMPARE(h->Messenger().UnansweredQuestions(), 0);
        h.reset();
        Services() = UiServices{};
    }

    void tickedOnTheSettingsTabTheCodeOnThePreviewPaysTheInvoice()
    {
        StartWithInvoice();
        QCOMPARE(PreviewCode("ohne.png"), QByteArray());

        ShowTab("PageControl2", "TabERechnung");
        auto* tick = child<QCheckBox>("GiroCodeCheck");
        QVERIFY(!tick->isChecked());
        QTest::mouseClick(tick, Qt::LeftButton, {}, QPoint(8, tick->height() / 2));
        QVERIFY(h->Book().settings.GiroCodeCheck);

        QCOMPARE(PreviewCode("rechnung.png"), QByteArray("BCD\n002\n1\nSCT\nBYLADEM1001\nBäckerei Groß & Söhne\n"
                                                         "DE02120300000000202051\nEUR119.00\n\n\nRechnung 6300000"));
        // A reminder carries it, a delivery note does not.
        auto* kind = child<QComboBox>("ArtCombo");
        kind->setCurrentIndex(6);
        QVERIFY(PreviewCode("mahnung.png").endsWith("\nMahnung 6300000"));
        kind->setCurrentIndex(1);
        QCOMPARE(PreviewCode("lieferschein.png"), QByteArray());
    }

    void theTickIsKeptInTheBook()
    {
        StartWithInvoice();
        ShowTab("PageControl2", "TabERechnung");
        auto* tick = child<QCheckBox>("GiroCodeCheck");
        QTest::mouseClick(tick, Qt::LeftButton, {}, QPoint(8, tick->height() / 2));
        QVERIFY(h->Form()->close());
        h->Stop();
        h->Start();
        QVERIFY(h->Book().settings.GiroCodeCheck);
        ShowTab("PageControl2", "TabERechnung");
        QVERIFY(child<QCheckBox>("GiroCodeCheck")->isChecked());
    }
};

QTEST_MAIN(GiroCodeWindowTest)
#include "GiroCodeWindowTest.moc"
