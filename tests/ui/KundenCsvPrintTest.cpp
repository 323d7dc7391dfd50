// The customer window's "Datei" and "Funktionen" menus over real tables: CSV export and
// import through the file dialogs, printing one record and all records into PDF files that
// pdftotext and pdfinfo read back, counting, the printer setup, the mail to the current
// customer, the progress in the status bar; and the command line's CSV options, whose table
// the npm package dbffile reads back.
#include "KundenFormTestSupport.h"
#include "customers/CustomerSchema.h"
#include "customers/CustomerTestTables.h"
#include "dbase/DbfTable.h"
#include "foundation/Cp1252.h"
#include "messages/MessageCatalog.h"
#include "qtoutput/QtPrinterPage.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"
#include "ui/customers/KundenTableModel.h"
#include "ui/customers/SendMailMAPI.h"
#include "ui/customers/TDruckeForm.h"
#include "ui/customers/TKundenForm.h"
#include "ui/shared/PrintJobs.h"
#include "ui/shared/ProgressEvent.h"
#include "ui/shared/ProgressReporter.h"
#include "ui/shared/QtText.h"
#include "ui/shared/StandardDialogs.h"
#include "ui/shared/UiServices.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QUrlQuery>
#include <QtTest>

#include <functional>

namespace {

// File dialogs answered in advance; the filter and suffix asked for are kept.
class ScriptedDialogs final : public StandardDialogs {
public:
    QString saveName;
    QString openName;
    QString filter;
    QString suffix;
    int setups = 0;
    QString GetExistingDirectory(QWidget*, const QString&, const QString&) override { return {}; }
    QString GetOpenFileName(QWidget*, const QString&, const QString&, const QString& f) override
    {
        filter = f;
        return openName;
    }
    QString GetSaveFileName(QWidget*, const QString&, const QString&, const QString& f, const QString& s) override
    {
        filter = f;
        suffix = s;
        return saveName;
    }
    bool GetFont(QWidget*, const QString&, QFont&) override { return false; }
    bool SetupPrinter(QWidget*, PrinterChoice& choice) override
    {
        ++setups;
        choice.orientation = QPageLayout::Landscape;
        return true;
    }
};

// Receives the progress events that long work sends to the main window.
class ProgressRecorder final : public QObject {
public:
    std::vector<int> seen;
    bool event(QEvent* event) override
    {
        if (event->type() == ProgressEvent::kType) {
            seen.push_back(static_cast<ProgressEvent*>(event)->Percent());
            return true;
        }
        return QObject::event(event);
    }
};

QString Run(const QString& program, const QStringList& arguments, int* exitCode = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    if (exitCode)
        *exitCode = process.exitCode();
    return QString::fromUtf8(process.readAllStandardOutput()) + QString::fromUtf8(process.readAllStandardError());
}

int PdfPages(const QString& pdf)
{
    const QString info = Run("pdfinfo", {pdf});
    const QRegularExpressionMatch match = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString PdfText(const QString& pdf, int page)
{
    return Run("pdftotext", {"-layout", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
}

}  // namespace

class KundenCsvPrintTest : public QObject, private KundenFormFixture {
    Q_OBJECT

private:
    std::unique_ptr<TKundenForm> form_;
    std::unique_ptr<TDruckeForm> drucke_;
    ScriptedRunner runner_;
    ScriptedDialogs dialogs_;
    ProgressRecorder progress_;
    std::unique_ptr<QPrinter> pdf_;
    QStringList jobs_;

    QString Path(const char* name) const { return QString::fromStdString(dir_->File(name)); }

    void Open(const CustomerRows& rows, const std::vector<DbfField>& fields = CustomerSchema::StandardFields())
    {
        OpenIn(*form_, rows, fields);
    }

    QAction* Action(const char* name) const
    {
        auto* action = form_->findChild<QAction*>(name);
        if (!action)
            qFatal("no action %s", name);
        return action;
    }

private Q_SLOTS:
    void initTestCase() { InitNames(); }

    void init()
    {
        InitFolder();
        form_ = std::make_unique<TKundenForm>();
        drucke_ = std::make_unique<TDruckeForm>();
        form_->SetDruckeForm(drucke_.get());
        Services().runDialog = [this](QDialog& dialog) { return runner_.Run(dialog); };
        runner_.answer = nullptr;
        runner_.runs = 0;
        dialogs_ = ScriptedDialogs();
        Services().dialogs = &dialogs_;
        progress_.seen.clear();
        Services().progressReceiver = &progress_;
        // The printer of the run prints into PDF files, one per job: A4 at 600 dpi.
        pdf_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        pdf_->setOutputFormat(QPrinter::PdfFormat);
        pdf_->setResolution(600);
        pdf_->setPageSize(QPageSize(QPageSize::A4));
        pdf_->setFullPage(true);
        SetCurrentPrinter(pdf_.get());
        jobs_.clear();
        Services().beforePrintJob = [this](QPrinter& printer) {
            jobs_ << Path("job") + QString::number(jobs_.size() + 1) + ".pdf";
            printer.setOutputFileName(jobs_.last());
        };
    }

    void cleanup()
    {
        QCOMPARE(messenger_->UnansweredQuestions(), 0);
        Services() = UiServices{};
        SetCurrentPrinter(nullptr);
        form_.reset();
        drucke_.reset();
        pdf_.reset();
        CleanupFolder();
    }

    void menuItemsAreEnabledAndThePrintDialogHasItsControls()
    {
        for (const char* name :
             {"ExportierenalsCSV1", "ImportierenausCSVDatei1", "Druckereinrichten1", "Datensatzdrucken1",
              "AlleDatenstzedrucken1", "AnzahlderEintrgeindeneinzelnenSpaltenzhlen1"})
            QVERIFY2(Action(name)->isEnabled(), name);
        QCOMPARE(drucke_->windowTitle(), QString("Datensatz drucken"));
        QCOMPARE(drucke_->findChild<QPushButton*>("BitBtn1")->text(), QString("Zurück"));
        QCOMPARE(drucke_->findChild<QPushButton*>("BitBtn2")->text(), QString("Drucken..."));
        QTextEdit* memo = drucke_->RichEdit1();
        QCOMPARE(memo->objectName(), QString("RichEdit1"));
        QCOMPARE(memo->font().family(), QString("Tahoma"));
        QCOMPARE(memo->font().pointSize(), 8);
        QCOMPARE(memo->lineWrapMode(), QTextEdit::NoWrap);
    }

    void exportThroughTheMenuWritesTheFileAndKeepsTheCurrentRecord()
    {
        Open({{{u"Firma", u"Alpha"}, {u"Mehr", u"a\r\nb"}}, {{u"Firma", u"Beta"}}, {{u"Firma", u"Gamma"}}});
        DbfTable& table = form_->Dbf1();
        table.First();
        table.Next();
        form_->SyncGridToTable();
        dialogs_.saveName = Path("kunden.csv");
        Action("ExportierenalsCSV1")->trigger();
        QCOMPARE(dialogs_.filter, QString("CSV Dateien (*.csv)"));
        QCOMPARE(dialogs_.suffix, QString("csv"));
        const std::string file = ReadWholeFile(dir_->File("kunden.csv"));
        QVERIFY(file.starts_with("\"Firma\";\"Name\";"));
        QVERIFY(
            file.find("\"Alpha\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"a\\r\\nb\";\"\";\"\"\r\n") !=
            std::string::npos);
        QCOMPARE(std::count(file.begin(), file.end(), '\n'), 4);
        QCOMPARE(table.Value(0), std::u16string(u"Beta"));
        QVERIFY(messenger_->Boxes().empty());
        QVERIFY(!progress_.seen.empty());
        QCOMPARE(progress_.seen.back(), 0);  // the bar is emptied at the end
        QVERIFY(std::find(progress_.seen.begin(), progress_.seen.end(), 100) != progress_.seen.end());

        // Cancelled: nothing; a folder that does not exist: message 12 without a title.
        dialogs_.saveName.clear();
        Action("ExportierenalsCSV1")->trigger();
        QVERIFY(messenger_->Boxes().empty());
        dialogs_.saveName = Path("fehlt/kunden.csv");
        Action("ExportierenalsCSV1")->trigger();
        QCOMPARE(messenger_->Errors(), std::vector<std::u16string>{MessageText(12)});
        QCOMPARE(messenger_->Boxes()[0].title, std::u16string());
    }

    void importThroughTheMenuAddsRecordsAndLeavesTheValueListsAlone()
    {
        Open({{{u"Firma", u"Bestand"}, {u"Ort", u"Ulm"}}});
        auto* ortCombo = form_->findChild<QComboBox*>("DBEdit7");
        ClickArrow(ortCombo);
        QCOMPARE(ortCombo->count(), 1);
        WriteWholeFile(dir_->File("neu.csv"),
                       EncodeCp1252(u"Kopf\r\nMüller;Hans;X;;;;Köln\r\n\"a\",\"b\"\r\n\"abc\r\n"));
        dialogs_.openName = Path("neu.csv");
        Action("ImportierenausCSVDatei1")->trigger();
        QVERIFY(messenger_->Boxes().empty());
        KundenTableModel* model = form_->Model();
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->data(model->index(1, 0)).toString(), QString("Müller"));
        QCOMPARE(model->data(model->index(1, 6)).toString(), QString("Köln"));
        QCOMPARE(model->data(model->index(2, 1)).toString(), QString("b"));
        QCOMPARE(form_->Dbf1().Value(0), std::u16string(u"a"));  // the last imported record is current
        QCOMPARE(form_->findChild<QComboBox*>("DBEdit1")->currentText(), QString("a"));
        QCOMPARE(ortCombo->count(), 1);  // suggestions are refreshed only on request
        QCOMPARE(progress_.seen.back(), 0);
        QVERIFY(std::find(progress_.seen.begin(), progress_.seen.end(), 100) != progress_.seen.end());

        dialogs_.openName = Path("gibtesnicht.csv");
        Action("ImportierenausCSVDatei1")->trigger();
        QCOMPARE(messenger_->Errors(), std::vector<std::u16string>{MessageText(13)});
        QCOMPARE(model->rowCount(), 3);
    }

    void importOfAnEditedRecordStoresTheEditFirst()
    {
        Open({{{u"Firma", u"Alt"}}});
        form_->findChild<QComboBox*>("DBEdit1")->setEditText("Neu getippt");
        QCOMPARE(form_->Dbf1().GetState(), DbfTable::State::Edit);
        WriteWholeFile(dir_->File("neu.csv"), "k\r\nx\r\n");
        dialogs_.openName = Path("neu.csv");
        Action("ImportierenausCSVDatei1")->trigger();
        DbfTable& table = form_->Dbf1();
        QCOMPARE(Column(table, u"Firma"), (std::vector<std::u16string>{u"Neu getippt", u"x"}));
    }

    void printingOneRecordShowsItsLinesAndPrintsThem()
    {
        Open({{{u"Firma", u"Meier GmbH"}, {u"Name", u"Meier"}, {u"Mehr", u"erste Zeile\r\nzweite Zeile"}}});
        QStringList shown;
        runner_.answer = [&](QDialog& dialog) {
            auto& drucke = dynamic_cast<TDruckeForm&>(dialog);
            shown = drucke.Lines();
            drucke.findChild<QPushButton*>("BitBtn2")->click();
            return int(QDialog::Rejected);  // "Zurück"
        };
        Action("Datensatzdrucken1")->trigger();
        QCOMPARE(runner_.runs, 1);
        QCOMPARE(shown.size(), 16);
        QCOMPARE(shown[0], QString("Firma:              \tMeier GmbH"));
        QCOMPARE(shown[12], QString("Mehr:               \terste Zeile"));
        QCOMPARE(shown[13], QString("zweite Zeile"));
        // Half an inch of margin on the printer's page (here A4 at 600 dpi).
        const RecordPrintLayout::Rect rect = drucke_->PageRect();
        QCOMPARE(QList<int>({rect.left, rect.top, rect.right, rect.bottom}),
                 QList<int>({300, 300, pdf_->width() - 300, pdf_->height() - 300}));
        QCOMPARE(jobs_.size(), 1);
        QCOMPARE(PdfPages(jobs_[0]), 1);
        const QString text = PdfText(jobs_[0], 1);
        QVERIFY2(text.contains("Meier GmbH") && text.contains("zweite Zeile") && text.contains("Kostenst:"),
                 qPrintable(text));
        QVERIFY(Run("pdfinfo", {jobs_[0]}).contains(QRegularExpression("Title:\\s+Datensatz")));
    }

    // Labels of different widths ("Vorname:", "StrasseNr:", "Kundennr:" against "Firma:"):
    // the values start in one column, in the dialog's box and on paper.
    void valuesStartInOneColumnInTheBoxAndOnPaper()
    {
        const QStringList values{"Meier", "Hansen",    "Wilhelm", "Herrn", "Mühlweg",
                                 "93047", "Kumpfmühl", "DE",      "K17",   "KS9"};
        Open({{{u"Firma", u"Meier"},
               {u"Name", u"Hansen"},
               {u"Vorname", u"Wilhelm"},
               {u"Anrede", u"Herrn"},
               {u"StrasseNr", u"Mühlweg"},
               {u"PLZ", u"93047"},
               {u"Ort", u"Kumpfmühl"},
               {u"Land", u"DE"},
               {u"Kundennr", u"K17"},
               {u"Kostenst", u"KS9"}}});
        QList<int> boxColumns;
        runner_.answer = [&](QDialog& dialog) {
            auto& drucke = dynamic_cast<TDruckeForm&>(dialog);
            drucke.show();
            if (!QTest::qWaitForWindowExposed(&drucke))
                qFatal("print dialog not shown");
            QTextEdit* memo = drucke.RichEdit1();
            for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next()) {
                const int tab = block.text().indexOf('\t');
                if (tab < 0 || block.text().mid(tab + 1).isEmpty())
                    continue;
                QTextCursor cursor(memo->document());
                cursor.setPosition(block.position() + tab + 1);
                boxColumns << memo->cursorRect(cursor).x();
            }
            QTest::mouseClick(drucke.findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
            drucke.hide();
            return int(QDialog::Rejected);
        };
        Action("Datensatzdrucken1")->trigger();
        QCOMPARE(boxColumns.size(), values.size());
        QCOMPARE(boxColumns.count(boxColumns[0]), boxColumns.size());

        QCOMPARE(jobs_.size(), 1);
        const QString bbox = Run("pdftotext", {"-bbox", jobs_[0], "-"});
        const QRegularExpression word("<word xMin=\"([\\d.]+)\"[^>]*>([^<]*)</word>");
        QMap<QString, double> left;
        for (auto it = word.globalMatch(bbox); it.hasNext();) {
            const auto m = it.next();
            left.insert(m.captured(2), m.captured(1).toDouble());
        }
        for (const QString& value : values) {
            QVERIFY2(left.contains(value), qPrintable(value));
            QVERIFY2(qAbs(left[value] - left["Meier"]) < 0.05,
                     qPrintable(QString("%1 at %2, Meier at %3").arg(value).arg(left[value]).arg(left["Meier"])));
        }
        // One blank right of the widest label, well right of "Firma:".
        QVERIFY(left["Meier"] > left["Firma:"] + 40);
    }

    // The printed lines stay inside the half-inch margins, and a long memo goes on to the
    // next page without losing or repeating a line.
    void aSixtyLineMemoBreaksOntoASecondPage()
    {
        QString memo;
        for (int i = 1; i <= 60; ++i)
            memo += QString("Zeile %1 des Vermerks mit so viel Text, dass sie auf dem Blatt in zwei Zeilen "
                            "umbrochen werden muss, weil sie breiter ist als die Seite zwischen den Rändern%2")
                        .arg(i, 2, 10, QChar('0'))
                        .arg(i < 60 ? "\r\n" : "");
        Open({{{u"Firma", u"Lang"}, {u"Mehr", ToU16(memo)}}});
        form_->autodruck = true;
        Action("Datensatzdrucken1")->trigger();
        form_->autodruck = false;
        QCOMPARE(runner_.runs, 0);  // printed at once, no dialog
        QCOMPARE(jobs_.size(), 1);
        const int pages = PdfPages(jobs_[0]);
        QVERIFY2(pages >= 2, qPrintable(QString::number(pages)));
        QString all;
        for (int p = 1; p <= pages; ++p)
            all += PdfText(jobs_[0], p);
        for (int i = 1; i <= 60; ++i)
            QCOMPARE(all.count(QString("Zeile %1 des").arg(i, 2, 10, QChar('0'))), 1);
        QVERIFY(PdfText(jobs_[0], 1).contains("Zeile 01 des"));
        QVERIFY(PdfText(jobs_[0], pages).contains("Zeile 60 des"));

        // Every word inside the margins: 36 points on every side of 595 x 842.
        const QString bbox = Run("pdftotext", {"-bbox", jobs_[0], "-"});
        const QRegularExpression word("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\"");
        int words = 0;
        for (auto it = word.globalMatch(bbox); it.hasNext();) {
            const auto m = it.next();
            ++words;
            QVERIFY2(m.captured(1).toDouble() >= 35.9 && m.captured(3).toDouble() <= 595.3 - 35.9,
                     qPrintable(m.captured(0)));
            QVERIFY2(m.captured(2).toDouble() >= 35.9 && m.captured(4).toDouble() <= 841.9 - 35.9,
                     qPrintable(m.captured(0)));
        }
        QVERIFY(words > 500);
        if (!qEnvironmentVariableIsEmpty("REKOLON_KEEP_PRINTS"))
            QFile::copy(jobs_[0], qEnvironmentVariable("REKOLON_KEEP_PRINTS"));
    }

    void printingAllRecordsMakesOneJobPerVisibleRecord()
    {
        Open({{{u"Firma", u"Eins"}, {u"Ort", u"Regensburg"}},
              {{u"Firma", u"Zwei"}},
              {{u"Firma", u"Drei"}, {u"Ort", u"Regensburg"}},
              {{u"Firma", u"Vier"}, {u"Ort", u"Regensburg"}}});
        form_->SetFilterEdText("regensburg");
        form_->FilterbtnClick();
        messenger_->AnswerNext(Messenger::Answer::No);
        messenger_->AnswerNext(Messenger::Answer::Cancel);
        Action("AlleDatenstzedrucken1")->trigger();
        Action("AlleDatenstzedrucken1")->trigger();
        QVERIFY(jobs_.isEmpty());
        const auto& question = messenger_->Boxes().front();
        QCOMPARE(question.kind, ScriptedMessenger::Kind::Question);
        QCOMPARE(question.text, MessageText(193));
        QCOMPARE(question.title, MessageText(194));
        QCOMPARE(question.icon, Messenger::QuestionIcon::None);

        messenger_->AnswerNext(Messenger::Answer::Yes);
        Action("AlleDatenstzedrucken1")->trigger();
        QCOMPARE(runner_.runs, 0);
        QCOMPARE(jobs_.size(), 3);
        const QStringList firms = {"Eins", "Drei", "Vier"};
        for (int j = 0; j < 3; ++j) {
            QCOMPARE(PdfPages(jobs_[j]), 1);
            QVERIFY(PdfText(jobs_[j], 1).contains(firms[j]));
            QVERIFY(Run("pdfinfo", {jobs_[j]}).contains(QRegularExpression("Title:\\s+Datensatz")));
        }
        QVERIFY(!form_->autodruck);
        QCOMPARE(progress_.seen.back(), 0);
    }

    void withoutAPrinterTheUserIsToldAndNothingPrints()
    {
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("a printer is installed on this machine");
        SetCurrentPrinter(nullptr);
        Open({{{u"Firma", u"A"}}, {{u"Firma", u"B"}}});
        messenger_->AnswerNext(Messenger::Answer::Yes);
        Action("AlleDatenstzedrucken1")->trigger();
        QCOMPARE(messenger_->Errors().size(), size_t(1));  // once, not once per record
        QVERIFY(messenger_->Errors()[0].find(u"kein Drucker") != std::u16string::npos);
        QVERIFY(!drucke_->BitBtn2Click());
        QCOMPARE(messenger_->Errors().size(), size_t(2));
        Action("Druckereinrichten1")->trigger();
        QCOMPARE(messenger_->Errors().size(), size_t(3));
        QVERIFY(jobs_.isEmpty());
        // The page without a printer: A4 at 600 dpi.
        runner_.answer = [](QDialog&) { return int(QDialog::Rejected); };
        Action("Datensatzdrucken1")->trigger();
        QCOMPARE(drucke_->PageRect(), (RecordPrintLayout::Rect{300, 300, 4660, 6715}));
    }

    void printerSetupChangesThePrinterOfTheRun()
    {
        Open({{{u"Firma", u"Quer"}}});
        Action("Druckereinrichten1")->trigger();
        QCOMPARE(dialogs_.setups, 1);
        runner_.answer = [](QDialog&) { return int(QDialog::Rejected); };
        Action("Datensatzdrucken1")->trigger();
        // Landscape: the page is now wider than high.
        const RecordPrintLayout::Rect rect = drucke_->PageRect();
        QVERIFY2(rect.right - rect.left > rect.bottom - rect.top,
                 qPrintable(QString("%1 %2 %3 %4").arg(rect.left).arg(rect.top).arg(rect.right).arg(rect.bottom)));
    }

    void countingShowsFilledColumnsInTheDialog()
    {
        Open({{{u"Firma", u"A"}, {u"Fax", u"1"}},
              {{u"Firma", u"B"}, {u"Fax", u"2"}},
              {{u"Firma", u"C"}},
              {{u"Firma", u"D"}, {u"Fax", u"3"}},
              {{u"Firma", u"E"}}});
        QStringList shown;
        runner_.answer = [&](QDialog& dialog) {
            shown = dynamic_cast<TDruckeForm&>(dialog).Lines();
            return int(QDialog::Rejected);
        };
        Action("AnzahlderEintrgeindeneinzelnenSpaltenzhlen1")->trigger();
        QCOMPARE(shown.size(), 15);
        QCOMPARE(shown[0], QString("Firma:              \t5"));
        QCOMPARE(shown[9], QString("Fax:                \t3"));
        QCOMPARE(shown[1], QString("Name:               \t0"));
        QVERIFY(jobs_.isEmpty());
    }

    void aDamagedMemoIsReportedByExportCountingAndPrinting()
    {
        Open({{{u"Firma", u"Eins"}, {u"Mehr", u"Notiz 1"}},
              {{u"Firma", u"Zwei"}, {u"Mehr", u"Notiz 2"}},
              {{u"Firma", u"Drei"}, {u"Mehr", u"Notiz 3"}},
              {{u"Firma", u"Vier"}, {u"Mehr", u"Notiz 4"}}});
        form_->Dbf1().Close();
        DamageMemoPointer(dir_->File("customers.dbf"), 3);
        form_->InitDataBase(dir_->Path());
        const std::u16string report = u"1 Datensatz hat ein beschädigtes Memo, das als leer behandelt wurde: Nr. 3.";

        dialogs_.saveName = Path("kunden.csv");
        Action("ExportierenalsCSV1")->trigger();
        QCOMPARE(messenger_->Errors(), std::vector<std::u16string>{u"Die CSV-Datei wurde geschrieben. " + report});
        const std::string file = ReadWholeFile(dir_->File("kunden.csv"));
        QCOMPARE(std::count(file.begin(), file.end(), '\n'), 5L);
        QVERIFY(file.find("\"Drei\";\"\";") != std::string::npos);
        QVERIFY(file.find("\"Notiz 4\"") != std::string::npos);

        messenger_->Reset();
        QStringList shown;
        runner_.answer = [&](QDialog& dialog) {
            shown = dynamic_cast<TDruckeForm&>(dialog).Lines();
            return int(QDialog::Rejected);
        };
        Action("AnzahlderEintrgeindeneinzelnenSpaltenzhlen1")->trigger();
        QCOMPARE(messenger_->Errors(),
                 std::vector<std::u16string>{u"Die Zählung zählt diese Memos als leer. " + report});
        QCOMPARE(shown[0], QString("Firma:              \t4"));
        QCOMPARE(shown[12], QString("Mehr:               \t3"));

        messenger_->Reset();
        messenger_->AnswerNext(Messenger::Answer::Yes);
        Action("AlleDatenstzedrucken1")->trigger();
        QCOMPARE(jobs_.size(), 4);
        QVERIFY(PdfText(jobs_[3], 1).contains("Notiz 4"));
        QCOMPARE(messenger_->Errors(),
                 std::vector<std::u16string>{u"Die übrigen Datensätze wurden gedruckt. " + report});

        messenger_->Reset();
        QVERIFY(form_->Dbf1().GoTo(3));
        form_->SyncGridToTable();
        Action("Datensatzdrucken1")->trigger();
        QCOMPARE(messenger_->Errors(), std::vector<std::u16string>{report});
        QVERIFY(shown.contains(QString("Firma:              \tDrei")));
    }

    void rebuildsReportProgress()
    {
        Open({{{u"Firma", u"A"}}, {{u"Firma", u"B"}}});
        QVERIFY(form_->AddnewField(u"Bemerkung", 30));
        QVERIFY(std::find(progress_.seen.begin(), progress_.seen.end(), 100) != progress_.seen.end());
        QCOMPARE(progress_.seen.back(), 0);
    }

    // The command line fills the table of a data folder; dbffile reads it back the same.
    void commandLineImportReadsBackThroughDbffile()
    {
        const QString program = qEnvironmentVariable("REKOLON_BIN_DIR") + "/rekolon";
        const QString data = Path("daten");
        WriteWholeFile(
            dir_->File("kunden.csv"),
            EncodeCp1252(
                u"\"Firma\";\"Name\"\r\n\"Müller & Söhne\";\"Meier\";\"\";\"Herr\";\"Weg 1\";\"93047\";"
                u"\"Regensburg\";\"\";\"\";\"\";\"\";\"m@x.de\";\"Zeile 1\\r\\nZeile \"\"2\"\"\";\"K-7\";\"\"\r\n"
                u"plain;C:\\\\temp\\\\neu;x\r\n"));
        int exitCode = -1;
        const QString output =
            Run(program, {"--data-dir", data, "--import-customers-csv", Path("kunden.csv")}, &exitCode);
        QCOMPARE(exitCode, 0);
        QCOMPARE(output, QString());

        const QString dump =
            Run("node", {QString(REKOLON_TEST_DATA) + "/../tools/read-dbf.js", data + "/customers.dbf"}, &exitCode);
        QCOMPARE(exitCode, 0);
        const QStringList lines = dump.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 15 + 2 + 1);
        QCOMPARE(lines[0], QString("FIELD\tFirma\tC\t45"));
        QCOMPARE(lines[12], QString("FIELD\tMehr\tM\t10"));
        QCOMPARE(lines[15], QString("RECORD\tMüller & Söhne\tMeier\t\tHerr\tWeg 1\t93047\tRegensburg\t\t\t\t\tm@x.de\t"
                                    "Zeile 1\\r\\nZeile \"2\"\tK-7\t"));
        QCOMPARE(lines[16], QString("RECORD\tplain\tC:\\\\temp\\\\neu\tx\t\t\t\t\t\t\t\t\t\t\t\t"));
        QCOMPARE(lines[17], QString("DELETED\t0"));

        // And the export of that table is what the window writes.
        Run(program, {"--data-dir", data, "--export-customers-csv", Path("zurueck.csv")}, &exitCode);
        QCOMPARE(exitCode, 0);
        const std::string back = ReadWholeFile(dir_->File("zurueck.csv"));
        QVERIFY(back.find(EncodeCp1252(u"\"Zeile 1\\r\\nZeile \"\"2\"\"\"")) != std::string::npos);
        QVERIFY(back.find("\"C:\\\\temp\\\\neu\"") != std::string::npos);

        Run(program, {"--data-dir", data, "--import-customers-csv", Path("fehlt.csv")}, &exitCode);
        QCOMPARE(exitCode, 1);
    }
};

QTEST_MAIN(KundenCsvPrintTest)
#include "KundenCsvPrintTest.moc"
