// Printing through a real print service started by the test (a cupsd of its own with two
// file queues: "Letter", the default, US Letter with hardware margins, and "Randlos", A4 to
// the edge), driven by clicks on the main window: the run's printer starts on the default
// printer's paper and printable area, an invoice arrives as the PDF export shows it, the
// printer setup switches queue, paper and source for the next job and keeps them, and a
// refused job is reported.
#include "MainWindowHarness.h"
#include "customers/CustomerTestTables.h"
#include "invoices/TextBuf.h"
#include "qtoutput/QtPrinterPage.h"
#include "support/PrivateCupsd.h"
#include "ui/customers/TKundenForm.h"
#include "ui/invoices/AusgabePage.h"
#include "ui/settings/PrinterSetupDialog.h"
#include "ui/shared/QtText.h"
#include "ui/shared/StandardDialogs.h"
#include "ui/shared/UiServices.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

namespace {

const std::string kLetterPpd = REKOLON_TEST_DATA "/ppd-letter-hardware-margins.ppd";
const std::string kBorderlessPpd = REKOLON_TEST_DATA "/ppd-a4-borderless.ppd";

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The page sizes of a PDF in points, "612 x 792" page by page.
QStringList PageSizes(const QString& pdf)
{
    QStringList sizes;
    const QRegularExpression size("Page +\\d+ size: +([\\d.]+ x [\\d.]+) pts");
    for (auto it = size.globalMatch(Run("pdfinfo", {"-f", "1", "-l", "99", pdf})); it.hasNext();)
        sizes << it.next().captured(1);
    return sizes;
}

// A PDF's words, sorted: the same text whatever order the program that wrote the file
// drew it in.
QStringList Words(const QString& pdf)
{
    QStringList words = Run("pdftotext", {"-layout", pdf, "-"}).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    words.sort();
    return words;
}

// The save dialog and the printer setup answered in advance.
class ScriptedDialogs final : public StandardDialogs {
public:
    QString saveName;
    std::function<void(PrinterChoice&)> setup;  // null: Cancel
    QList<PrinterChoice> shown;                 // what each setup opened on

    QString GetExistingDirectory(QWidget*, const QString&, const QString&) override { return {}; }
    QString GetOpenFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString GetSaveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&) override
    {
        return saveName;
    }
    bool GetFont(QWidget*, const QString&, QFont&) override { return false; }
    bool SetupPrinter(QWidget*, PrinterChoice& choice) override
    {
        shown << choice;
        if (!setup)
            return false;
        setup(choice);
        return true;
    }
};

}  // namespace

class PrintQueueTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PrivateCupsd> cupsd_;
    std::unique_ptr<MainWindowHarness> h;
    ScriptedDialogs dialogs_;
    TempDir out_;

    QString Out(const char* name) const { return QString::fromStdString(out_.File(name)); }
    QString Printed(const char* queue) const { return QString::fromStdString(cupsd_->OutputFile(queue)); }

    void Start(int positions)
    {
        h->Start();
        h->Child<QPushButton>("NeueRechnungBtn")->click();
        h->Child<QLineEdit>("FirmaED")->setText("Bäckerei Groß");
        for (int i = 0; i < positions; ++i) {
            TPositionRec& p = h->Book().AppendPosition(0);
            p.menge = 1 + i % 3;
            p.mwst = i % 2 ? 7 : 19;
            p.preis = 10 + i;
            NewTextBuf(&p.bez, u"Fichtenbrett gehobelt");
        }
        h->Child<QTabWidget>("PageControl1")->setCurrentIndex(3);
        QApplication::processEvents();
    }
    void Click(const char* button) { QTest::mouseClick(h->Child<QPushButton>(button), Qt::LeftButton); }

    // The job the last click sent: finished, on that queue, titled "Rechnung".
    PrivateCupsd::Job LastJob(const char* queue, size_t count)
    {
        const std::vector<PrivateCupsd::Job> jobs = cupsd_->Jobs();
        if (jobs.size() != count)
            qFatal("%zu jobs instead of %zu", jobs.size(), count);
        const PrivateCupsd::Job job = jobs.back();
        if (cupsd_->WaitForJob(job.id) != 9)
            qFatal("job %d did not complete", job.id);
        if (job.printer != queue)
            qFatal("job %d went to %s", job.id, job.printer.c_str());
        return job;
    }
    std::string Attribute(int job, const char* name) { return cupsd_->JobAttributes(job)[name]; }

private Q_SLOTS:
    void init()
    {
        cupsd_ = std::make_unique<PrivateCupsd>();
        const std::string error = cupsd_->Start();
        if (!error.empty()) {
            const QByteArray why = QByteArray::fromStdString("no print service of the test's own: " + error);
            cupsd_.reset();
            if (PrivateCupsd::MustRun())
                QFAIL(why.constData());
            QSKIP(why.constData());
        }
        QCOMPARE(cupsd_->AddQueue("Letter", kLetterPpd, true), std::string());
        QCOMPARE(cupsd_->AddQueue("Randlos", kBorderlessPpd), std::string());
        SetCurrentPrinter(nullptr);  // the run's printer comes anew from this print service
        h = std::make_unique<MainWindowHarness>();
        dialogs_ = ScriptedDialogs();
        Services().dialogs = &dialogs_;
        Services().openUrl = [](const QUrl&) { return true; };
    }
    void cleanup()
    {
        if (h)
            QCOMPARE(h->Messenger().UnansweredQuestions(), 0);
        h.reset();
        Services() = UiServices{};
        SetCurrentPrinter(nullptr);
        cupsd_.reset();
    }

    // The default printer's own paper (US Letter, not Qt's A4) and its printable area (a
    // quarter inch at the sides, half an inch at top and bottom) at 1200 pixels per inch.
    void theRunStartsOnTheDefaultPrintersPaper()
    {
        QPrinter* printer = CurrentPrinter();
        QVERIFY(printer);
        QCOMPARE(printer->printerName(), QString("Letter"));
        QCOMPARE(printer->pageLayout().pageSize().key(), QString("Letter"));
        QCOMPARE(printer->pageLayout().margins(QPageLayout::Point), QMarginsF(18, 36, 18, 36));
        QCOMPARE(CurrentPrinterPage(), (TPrinterPage{(612 - 36) * 1200 / 72, (792 - 72) * 1200 / 72, 1200}));
        QCOMPARE(CurrentPrinterChoice().paperSource, QString());

        // The PDF export takes the same page: the printable area, 576 × 720 points.
        Start(3);
        dialogs_.saveName = Out("export.pdf");
        Click("PDFBtn");
        QCOMPARE(PageSizes(Out("export.pdf")), QStringList{"575 x 719"});  // the writer gives w − 1 and h − 1
    }

    // A printer without hardware margins: the printable area is the whole sheet, not the sheet
    // less Qt's 10 points.
    void aBorderlessDefaultPrinterPrintsToTheEdge()
    {
        QCOMPARE(cupsd_->MakeDefault("Randlos"), std::string());
        QPrinter* printer = CurrentPrinter();
        QCOMPARE(printer->printerName(), QString("Randlos"));
        QCOMPARE(printer->pageLayout().pageSize().id(), QPageSize::A4);
        QCOMPARE(printer->pageLayout().margins(), QMarginsF(0, 0, 0, 0));
        const QSize a4 = QPageSize(QPageSize::A4).sizePixels(1200);
        QCOMPARE(CurrentPrinterPage(), (TPrinterPage{a4.width(), a4.height(), 1200}));
    }

    void anInvoiceArrivesAsThePdfExportShowsIt()
    {
        Start(70);
        dialogs_.saveName = Out("export.pdf");
        Click("PDFBtn");
        Click("DruckenBtn");
        QVERIFY(h->Messenger().Errors().empty());
        const PrivateCupsd::Job job = LastJob("Letter", 1);
        QCOMPARE(job.title, std::string("Rechnung"));
        QCOMPARE(Attribute(job.id, "media"), std::string("Letter"));
        const QStringList pages = PageSizes(Printed("Letter"));
        QCOMPARE(pages.size(), PageSizes(Out("export.pdf")).size());
        QVERIFY2(pages.size() >= 2, qPrintable(pages.join(';')));
        for (const QString& size : pages)
            QCOMPARE(size, QString("612 x 792"));
        const QStringList printed = Words(Printed("Letter"));
        QVERIFY2(printed.contains("6300000") && printed.contains("Gesamtbetrag") && printed.contains("Fichtenbrett"),
                 qPrintable(printed.join(' ')));
        QCOMPARE(printed, Words(Out("export.pdf")));
    }

    // The GiroCode on paper: the job's page, rendered at 150 dpi, gives a banking app's reader
    // (zbarimg) the transfer as the guideline lays it out.
    void theGiroCodeOnPaperPaysTheInvoice()
    {
        if (QStandardPaths::findExecutable("zbarimg").isEmpty()) {
            if (PrivateCupsd::MustRun())
                QFAIL("zbarimg missing (zbar-tools, scripts/install-deps)");
            QSKIP("zbarimg missing (zbar-tools, scripts/install-deps)");
        }
        Start(3);
        TRechnungSettings& s = h->Book().settings;
        s.IbanEd = u"AT61 1904 3002 3457 3201";
        s.KontoinhaberEd = u"Café Österreich & Co KG";
        s.GiroCodeCheck = true;
        Click("DruckenBtn");
        QVERIFY(h->Messenger().Errors().empty());
        LastJob("Letter", 1);
        const QString png = Out("seite");
        Run("pdftoppm", {"-r", "150", "-png", "-f", "1", "-l", "1", "-singlefile", Printed("Letter"), png});
        QProcess zbar;
        zbar.start("zbarimg", {"--raw", "-q", "-Sbinary", png + ".png"});
        QVERIFY(zbar.waitForFinished(30000));
        QByteArray found = zbar.readAllStandardOutput();
        if (found.endsWith('\n'))
            found.chop(1);
        // 1 × 10 + 2 × 11 + 3 × 12 = 68,00 € gross; no BIC.
        QCOMPARE(found, QByteArray("BCD\n002\n1\nSCT\n\nCafé Österreich & Co KG\nAT611904300234573201\nEUR68.00\n\n\n"
                                   "Rechnung 6300000"));
    }

    // "Drucker einrichten..." answered in advance: the second queue, A5 from the manual feed.
    // It is the run's printer from then on: the preview's and the PDF's page, the next jobs;
    // the setup opens on it again, and OK without a change keeps it.
    void theSetupChoosesQueuePaperAndSourceForTheNextJobs()
    {
        Start(2);
        dialogs_.setup = [](PrinterChoice& choice) {
            choice.printerName = "Randlos";
            choice.pageSize = QPageSize(QPageSize::A5);
            choice.paperSource = "manual";
        };
        Click("PrinterSetupBtn");
        QCOMPARE(dialogs_.shown.size(), 1);
        QCOMPARE(dialogs_.shown[0].printerName, QString("Letter"));
        QCOMPARE(dialogs_.shown[0].pageSize.key(), QString("Letter"));
        const QSize a5 = QPageSize(QPageSize::A5).sizePixels(1200);
        QCOMPARE(CurrentPrinterPage(), (TPrinterPage{a5.width(), a5.height(), 1200}));
        dialogs_.saveName = Out("a5.pdf");
        Click("PDFBtn");
        QCOMPARE(PageSizes(Out("a5.pdf")), QStringList{"419 x 594"});

        Click("DruckenBtn");
        PrivateCupsd::Job job = LastJob("Randlos", 1);
        QCOMPARE(Attribute(job.id, "media"), std::string("A5"));
        QCOMPARE(Attribute(job.id, "media-source"), std::string("manual"));
        QCOMPARE(PageSizes(Printed("Randlos")), QStringList{"420 x 595"});

        // Opened again on that choice; OK without a change changes nothing.
        dialogs_.setup = [](PrinterChoice&) {};
        Click("PrinterSetupBtn");
        QCOMPARE(dialogs_.shown.size(), 2);
        QVERIFY(dialogs_.shown[1] == CurrentPrinterChoice());
        QCOMPARE(dialogs_.shown[1].printerName, QString("Randlos"));
        QCOMPARE(dialogs_.shown[1].pageSize.key(), QString("A5"));
        QCOMPARE(dialogs_.shown[1].paperSource, QString("manual"));
        Click("DruckenBtn");
        job = LastJob("Randlos", 2);
        QCOMPARE(Attribute(job.id, "media"), std::string("A5"));
        QVERIFY(h->Messenger().Errors().empty());
    }

    // The real dialog, driven by keys and clicks: it lists the print service's printers and
    // the paper and sources of each, opens on the run's choice and keeps US Legal.
    void theRealDialogKeepsThePaperAsChosen()
    {
        Start(2);
        Services().dialogs = nullptr;
        QStringList printers, sizes, sources;
        MainWindowHarness::WhenDialogShown([&](QWidget* dialog) {
            if (!qobject_cast<PrinterSetupDialog*>(dialog))
                qFatal("not the printer setup");
            auto* printerCombo = dialog->findChild<QComboBox*>("PrinterCombo");
            auto* sizeCombo = dialog->findChild<QComboBox*>("PaperSizeCombo");
            auto* sourceCombo = dialog->findChild<QComboBox*>("PaperSourceCombo");
            for (int i = 0; i < printerCombo->count(); ++i)
                printers << printerCombo->itemText(i);
            for (int i = 0; i < sizeCombo->count(); ++i)
                sizes << sizeCombo->itemText(i);
            for (int i = 0; i < sourceCombo->count(); ++i)
                sources << sourceCombo->itemText(i);
            QCOMPARE(sizeCombo->currentText(), QString("US Letter"));
            // "US Legal" and "Fach 2" by keyboard, then OK by mouse.
            sizeCombo->setFocus();
            QTest::keyClick(sizeCombo, Qt::Key_End);
            sourceCombo->setFocus();
            QTest::keyClick(sourceCombo, Qt::Key_Down);
            QTest::keyClick(sourceCombo, Qt::Key_Down);
            QTest::mouseClick(dialog->findChild<QPushButton*>("OkButton"), Qt::LeftButton);
        });
        Click("PrinterSetupBtn");
        QCOMPARE(printers, (QStringList{"Letter", "Randlos"}));
        QCOMPARE(sizes, (QStringList{"US Letter", "A4", "US Legal"}));
        QCOMPARE(sources, (QStringList{"Vorgabe des Druckers", "Fach 1", "Fach 2", "Manuelle Zufuhr"}));
        QCOMPARE(CurrentPrinterChoice().pageSize.key(), QString("Legal"));
        QCOMPARE(CurrentPrinterChoice().paperSource, QString("tray-2"));

        // Opened again: US Legal and tray 2 are shown; OK without a change keeps them.
        QString shownSize, shownSource;
        MainWindowHarness::WhenDialogShown([&](QWidget* dialog) {
            shownSize = dialog->findChild<QComboBox*>("PaperSizeCombo")->currentText();
            shownSource = dialog->findChild<QComboBox*>("PaperSourceCombo")->currentText();
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        Click("PrinterSetupBtn");
        QCOMPARE(shownSize, QString("US Legal"));
        QCOMPARE(shownSource, QString("Fach 2"));
        Click("DruckenBtn");
        const PrivateCupsd::Job job = LastJob("Letter", 1);
        QCOMPARE(Attribute(job.id, "media"), std::string("Legal"));
        QCOMPARE(Attribute(job.id, "media-source"), std::string("tray-2"));
        QCOMPARE(PageSizes(Printed("Letter")), QStringList{"612 x 1008"});
    }

    void aRefusedJobIsReported()
    {
        Start(2);
        QCOMPARE(cupsd_->Reject("Letter"), std::string());
        Click("DruckenBtn");
        QCOMPARE(h->Messenger().Errors(),
                 std::vector<std::u16string>{u"Der Druck ist fehlgeschlagen. Der Drucker „Letter“ nimmt zurzeit keine "
                                             u"Druckaufträge an. Bitte prüfen Sie den Drucker."});
        QVERIFY(cupsd_->Jobs().empty());

        QCOMPARE(cupsd_->Accept("Letter"), std::string());
        Click("DruckenBtn");
        LastJob("Letter", 1);
        QCOMPARE(h->Messenger().Errors().size(), size_t(1));
    }

    // "Alle Datensätze drucken" on a queue that refuses: told once, nothing printed; taken
    // again: one job per record.
    void recordPrintingChecksTheJobToo()
    {
        QDir().mkpath(h->DataFolder());
        FillCustomers((h->DataFolder() + "customers.dbf").toStdString(), CustomerSchema::StandardFields(),
                      {{{u"Firma", u"Eins"}}, {{u"Firma", u"Zwei"}}, {{u"Firma", u"Drei"}}});
        h->Start();
        auto* kunden = h->Form()->findChild<TKundenForm*>();
        QVERIFY(kunden);
        QAction* printAll = kunden->findChild<QAction*>("AlleDatenstzedrucken1");
        QCOMPARE(cupsd_->Reject("Letter"), std::string());
        h->Messenger().AnswerNext(Messenger::Answer::Yes);
        printAll->trigger();
        QCOMPARE(h->Messenger().Errors().size(), size_t(1));
        QVERIFY(h->Messenger().Errors()[0].starts_with(u"Der Druck ist fehlgeschlagen. Der Drucker „Letter“"));
        QVERIFY(cupsd_->Jobs().empty());

        QCOMPARE(cupsd_->Accept("Letter"), std::string());
        h->Messenger().AnswerNext(Messenger::Answer::Yes);
        printAll->trigger();
        QCOMPARE(h->Messenger().Errors().size(), size_t(1));
        const std::vector<PrivateCupsd::Job> jobs = cupsd_->Jobs();
        QCOMPARE(jobs.size(), size_t(3));
        for (const PrivateCupsd::Job& job : jobs)
            QCOMPARE(job.title, std::string("Datensatz"));
        LastJob("Letter", 3);
        QVERIFY(Words(Printed("Letter")).contains("Drei"));
        QCOMPARE(PageSizes(Printed("Letter")), QStringList{"612 x 792"});
    }
};

QTEST_MAIN(PrintQueueTest)
#include "PrintQueueTest.moc"
