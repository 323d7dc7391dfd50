#include "MainWindowHarness.h"
#include "ScriptedSaveDialogs.h"
#include "app/BatchCommands.h"
#include "app/CommandLine.h"
#include "invoices/TextBuf.h"
#include "ui/invoices/AusgabePage.h"
#include "ui/shared/QtText.h"
#include "ui/shared/StandardDialogs.h"
#include "ui/shared/UiServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

// "Als PDF speichern..." on the output tab, driven through the real main window: the save
// dialog's proposal, the written file as independent programs read it, the viewer.
class PdfExportTest : public QObject {
    Q_OBJECT

private:
    using ScriptedDialogs = ScriptedSaveDialogs;

    std::unique_ptr<MainWindowHarness> h;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<TempDir> out;
    QStringList opened;

    AusgabePage* page() { return h->Child<AusgabePage>("AusgabePage"); }
    QPushButton* pdfButton() { return h->Child<QPushButton>("PDFBtn"); }
    QCheckBox* showCheck() { return h->Child<QCheckBox>("ShowPDFCheck"); }
    QString OutFile(const QString& name) const { return QString::fromStdString(out->Path()) + name; }

    // Starts with one invoice (number 6300000) with one position of 3 × 10,00 at 19 %, on
    // the output tab.
    void StartWithInvoice()
    {
        h->Start();
        h->Child<QPushButton>("NeueRechnungBtn")->click();
        h->Child<QLineEdit>("FirmaED")->setText("Bäckerei Groß");
        TPositionRec& p = h->Book().AppendPosition(0);
        p.menge = 3;
        p.mwst = 19;
        p.preis = 10;
        NewTextBuf(&p.bez, u"Brötchen");
        h->Child<QTabWidget>("PageControl1")->setCurrentIndex(3);
    }

    static QString Run(const QString& program, const QStringList& args, int& exitCode)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, args);
        if (!process.waitForFinished(30000))
            return QStringLiteral("(%1 did not finish)").arg(program);
        exitCode = process.exitCode();
        return QString::fromUtf8(process.readAll());
    }

    // qpdf accepts the file; its text as pdftotext reads it.
    static QString CheckedText(const QString& file)
    {
        int exitCode = -1;
        const QString check = Run("qpdf", {"--check", file}, exitCode);
        if (exitCode != 0 || !check.contains("No syntax or stream encoding errors found"))
            return "qpdf: " + check;
        return Run("pdftotext", {"-layout", "-enc", "UTF-8", file, "-"}, exitCode);
    }

private Q_SLOTS:
    void init()
    {
        h = std::make_unique<MainWindowHarness>();
        dialogs = std::make_unique<ScriptedDialogs>();
        Services().dialogs = dialogs.get();
        out = std::make_unique<TempDir>();
        opened.clear();
        Services().openUrl = [this](const QUrl& url) {
            opened.append(url.toLocalFile());
            return true;
        };
    }
    void cleanup()
    {
        QCOMPARE(h->Messenger().UnansweredQuestions(), 0);
        h.reset();
        Services() = UiServices{};
        dialogs.reset();
        out.reset();
    }

    void buttonAndCheckBoxOnTheOutputTab()
    {
        h->Start();
        QCOMPARE(pdfButton()->text(), QString("Als PDF speichern..."));
        QCOMPARE(showCheck()->text(), QString("PDF Datei nach Speichern anzeigen"));
        QVERIFY(showCheck()->isChecked());
        // Checked again at the next start, whatever it was.
        showCheck()->setChecked(false);
        h->Stop();
        h->Start();
        QVERIFY(showCheck()->isChecked());
    }

    void savesTheSelectedInvoiceAndShowsIt()
    {
        StartWithInvoice();
        dialogs->answers << OutFile("rechnung.pdf");
        pdfButton()->click();

        QCOMPARE(dialogs->saves.size(), 1);
        QCOMPARE(dialogs->saves[0].start, QString("6300000.pdf"));
        QCOMPARE(dialogs->saves[0].filter, QString("PDF Dateien (*.pdf)"));
        QCOMPARE(dialogs->saves[0].suffix, QString("pdf"));
        QVERIFY(QFileInfo::exists(OutFile("rechnung.pdf")));
        const QString text = CheckedText(OutFile("rechnung.pdf"));
        QVERIFY2(text.contains("Rechnung 6300000"), qPrintable(text));
        QVERIFY2(text.contains("Bäckerei Groß"), qPrintable(text));
        QVERIFY2(text.contains("30,00 €"), qPrintable(text));
        QVERIFY2(text.contains("25,21 €"), qPrintable(text));
        QCOMPARE(opened, QStringList{OutFile("rechnung.pdf")});
        QCOMPARE(page()->LastPdfFileName(), OutFile("rechnung.pdf"));
        QVERIFY(h->Messenger().Boxes().empty());
    }

    void documentKindFromTheCombo()
    {
        StartWithInvoice();
        h->Child<QComboBox>("ArtCombo")->setCurrentIndex(2);
        dialogs->answers << OutFile("angebot.pdf");
        pdfButton()->click();
        const QString text = CheckedText(OutFile("angebot.pdf"));
        QVERIFY2(text.contains("Angebot 6300000"), qPrintable(text));

        // Lieferschein without prices (the default setting).
        h->Child<QComboBox>("ArtCombo")->setCurrentIndex(1);
        dialogs->answers << OutFile("lieferschein.pdf");
        pdfButton()->click();
        const QString note = CheckedText(OutFile("lieferschein.pdf"));
        QVERIFY2(note.contains("Lieferschein 6300000"), qPrintable(note));
        QVERIFY2(note.contains("Brötchen"), qPrintable(note));
        QVERIFY2(!note.contains("€"), qPrintable(note));
    }

    void uncheckedWritesWithoutShowing()
    {
        StartWithInvoice();
        showCheck()->setChecked(false);
        dialogs->answers << OutFile("still.pdf");
        pdfButton()->click();
        QVERIFY(QFileInfo::exists(OutFile("still.pdf")));
        QVERIFY(opened.isEmpty());
    }

    void cancelWritesNothing()
    {
        StartWithInvoice();
        dialogs->answers << QString();
        pdfButton()->click();
        QCOMPARE(dialogs->saves.size(), 1);
        QVERIFY(QDir(QString::fromStdString(out->Path())).entryList(QDir::Files).isEmpty());
        QVERIFY(opened.isEmpty());
        QVERIFY(h->Messenger().Boxes().empty());
    }

    void proposalFollowsTheNumbering()
    {
        StartWithInvoice();
        h->Book().Rechnung(0).datum = 46086.0 + (9 * 60 + 7) / 1440.0;  // 5 March 2026, 09:07
        dialogs->answers << OutFile("erste.pdf") << OutFile("zweite.pdf") << OutFile("dritte.pdf");
        pdfButton()->click();

        // Without numbers the dialog keeps the name of its last use.
        h->Child<QRadioButton>("NoRegNr")->click();
        pdfButton()->click();
        QCOMPARE(dialogs->saves[1].start, OutFile("erste.pdf"));
        const QString plain = CheckedText(OutFile("zweite.pdf"));
        QVERIFY2(plain.contains("Rechnung") && !plain.contains("6300000"), qPrintable(plain));

        // The date number, in the folder of the last file.
        h->Child<QRadioButton>("rechnrdatecheck")->click();
        pdfButton()->click();
        QCOMPARE(dialogs->saves[2].start, OutFile("202603050907.pdf"));
        QVERIFY(CheckedText(OutFile("dritte.pdf")).contains("Rechnung 202603050907"));
    }

    void fileThatCannotBeCreated()
    {
        StartWithInvoice();
        dialogs->answers << OutFile("kein-ordner/x.pdf");
        pdfButton()->click();
        QCOMPARE(h->Messenger().Boxes().size(), size_t(1));
        QCOMPARE(h->Messenger().Boxes()[0].kind, ScriptedMessenger::Kind::Information);
        QCOMPARE(QString::fromStdU16String(h->Messenger().Boxes()[0].text),
                 QString("Konnte PDF-Datei nicht erstellen!"));
        QVERIFY(!QFileInfo::exists(OutFile("kein-ordner/x.pdf")));
        QVERIFY(opened.isEmpty());
    }

    void commandLineExportOptions()
    {
        const auto parse = [](std::vector<std::string> args) {
            args.insert(args.begin(), "rekolon");
            return CommandLine::Parse(args);
        };
        CommandLine c = parse({"--export-pdf", "3", "--output", "a b.pdf", "--kind", "lieferschein"});
        QCOMPARE(int(c.action), int(CommandLine::Action::ExportPdf));
        QCOMPARE(c.exportInvoice, 3);
        QCOMPARE(c.outputFile, std::string("a b.pdf"));
        QCOMPARE(c.exportKind, 1);
        c = parse({"--data-dir", "/d", "--output", "x.pdf", "--export-pdf", "1"});
        QCOMPARE(int(c.action), int(CommandLine::Action::ExportPdf));
        QCOMPARE(c.exportKind, 0);
        QCOMPARE(c.dataDir, std::string("/d"));
        QVERIFY(!c.zugferd);
        c = parse({"--export-pdf", "2", "--zugferd", "--profile", "en16931", "--output", "h.pdf"});
        QCOMPARE(int(c.action), int(CommandLine::Action::ExportPdf));
        QVERIFY(c.zugferd);
        QCOMPARE(int(c.profile), int(CommandLine::Profile::EN16931));
        QCOMPARE(CommandLine::ParseKind("7"), 7);
        QCOMPARE(CommandLine::ParseKind("Auftragsbestätigung"), 4);
        QCOMPARE(CommandLine::ParseKind("PROFORMA RECHNUNG"), 5);
        QCOMPARE(CommandLine::ParseKind("8"), -1);
        QCOMPARE(CommandLine::ParseKind("Quittung"), -1);
        QCOMPARE(CommandLine::ParseKind(""), -1);
        for (const auto& bad :
             std::vector<std::vector<std::string>>{{"--export-pdf", "1"},
                                                   {"--export-pdf", "0", "--output", "x"},
                                                   {"--export-pdf", "-1", "--output", "x"},
                                                   {"--export-pdf", "1x", "--output", "x"},
                                                   {"--export-pdf"},
                                                   {"--export-pdf", "1", "--output"},
                                                   {"--export-pdf", "1", "--output", "x", "--kind", "9"},
                                                   {"--output", "x"},
                                                   {"--list", "--kind", "1"},
                                                   {"--list", "--zugferd"},
                                                   {"--export-einvoice", "1", "--output", "x", "--zugferd"},
                                                   {"--export-pdf", "1", "--output", "x", "--profile", "xrechnung"}}) {
            c = parse(bad);
            QCOMPARE(int(c.action), int(CommandLine::Action::UsageError));
            QVERIFY(!c.error.empty());
        }
    }

    void commandLineWritesThePdfWithoutWindow()
    {
        // A book of two invoices written through the core.
        TempDir data;
        {
            TRechnungBook book;
            book.progpath = ToU16(QString::fromStdString(data.Path()));
            book.OpenRechnungen();
            TRechnungRec& first = book.AppendRechnung();
            first.datum = 46086.5;
            NewTextBuf(&first.rechnr, u"RE-1");
            TRechnungRec& second = book.AppendRechnung();
            second.datum = 46087.5;
            NewTextBuf(&second.rechnr, u"RE-2");
            NewTextBuf(&second.firma, u"Köhler & Weiß");
            NewTextBuf(&second.lort, u"Fürth");
            TPositionRec& p = book.AppendPosition(1);
            p.menge = 3;
            p.mwst = 19;
            p.preis = 10;
            NewTextBuf(&p.bez, u"Lieferung");
            book.SaveRechnungen();
        }
        const QByteArray saveDat = ReadWholeFile(data.File("save.dat")).c_str();
        const QString program = qEnvironmentVariable("REKOLON_BIN_DIR") + "/rekolon";
        QVERIFY(QFileInfo::exists(program));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        TempDir runtime;  // private to the user, as Qt wants it
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.Path()));
        const auto run = [&](const QStringList& args, QString& errors) {
            QProcess process;
            process.setProcessEnvironment(env);
            process.start(program, QStringList{"--data-dir", QString::fromStdString(data.Path())} + args);
            if (!process.waitForFinished(30000))
                return -1;
            errors = QString::fromUtf8(process.readAllStandardError());
            return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
        };
        QString errors;
        QCOMPARE(run({"--export-pdf", "2", "--output", OutFile("zwei.pdf")}, errors), 0);
        QVERIFY2(errors.isEmpty(), qPrintable(errors));
        QString text = CheckedText(OutFile("zwei.pdf"));
        QVERIFY2(text.contains("Rechnung RE-2"), qPrintable(text));
        QVERIFY2(text.contains("Köhler & Weiß"), qPrintable(text));
        QVERIFY2(text.contains("Versandadresse:"), qPrintable(text));
        QVERIFY2(text.contains("30,00 €"), qPrintable(text));

        QCOMPARE(run({"--export-pdf", "2", "--output", OutFile("lieferschein.pdf"), "--kind", "Lieferschein"}, errors),
                 0);
        text = CheckedText(OutFile("lieferschein.pdf"));
        QVERIFY2(text.contains("Lieferschein RE-2"), qPrintable(text));
        QVERIFY2(!text.contains("€"), qPrintable(text));
        QCOMPARE(run({"--export-pdf", "1", "--output", OutFile("angebot.pdf"), "--kind", "2"}, errors), 0);
        QVERIFY(CheckedText(OutFile("angebot.pdf")).contains("Angebot RE-1"));

        // Failures: no such invoice, a file that cannot be created, a usage error.
        QCOMPARE(run({"--export-pdf", "3", "--output", OutFile("drei.pdf")}, errors), 1);
        QVERIFY2(errors.contains("Position 3"), qPrintable(errors));
        QVERIFY(!QFileInfo::exists(OutFile("drei.pdf")));
        QCOMPARE(run({"--export-pdf", "1", "--output", OutFile("fehlt/x.pdf")}, errors), 1);
        QVERIFY2(errors.contains("Konnte PDF-Datei nicht erstellen!"), qPrintable(errors));
        QCOMPARE(run({"--export-pdf", "1", "--output", OutFile("x.pdf"), "--kind", "Quittung"}, errors), 2);
        QVERIFY(!QFileInfo::exists(OutFile("x.pdf")));

        // The batch never writes save.dat.
        QCOMPARE(QByteArray(ReadWholeFile(data.File("save.dat")).c_str()), saveDat);

        // The same work called directly.
        QCOMPARE(RunExportPdf(QString::fromStdString(data.Path()), 2, OutFile("direkt.pdf"), 0), 0);
        QVERIFY(CheckedText(OutFile("direkt.pdf")).contains("Rechnung RE-2"));
    }

    void nothingWithoutASelectedInvoice()
    {
        h->Start();
        h->Child<QTabWidget>("PageControl1")->setCurrentIndex(3);
        dialogs->answers << OutFile("leer.pdf");
        pdfButton()->click();
        QVERIFY(dialogs->saves.isEmpty());
        QVERIFY(!QFileInfo::exists(OutFile("leer.pdf")));
    }
};

QTEST_MAIN(PdfExportTest)
#include "PdfExportTest.moc"
