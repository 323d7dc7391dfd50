#include "app/BatchCommands.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"
#include "support/Watchdog.h"
#include "ui/shared/QtText.h"

#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <cstdio>
#include <filesystem>
#include <sys/stat.h>

// The work done without a window, on books written through the core.
class BatchCommandsTest : public QObject {
    Q_OBJECT

private:
    static QString Capture(const QString& folder, int& exitCode)
    {
        std::FILE* out = std::tmpfile();
        exitCode = RunList(folder, out);
        std::rewind(out);
        QByteArray bytes;
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, out)) > 0)
            bytes.append(buffer, static_cast<qsizetype>(n));
        std::fclose(out);
        return QString::fromUtf8(bytes);
    }

    static std::string ReadAll(std::FILE* file)
    {
        std::rewind(file);
        std::string bytes;
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            bytes.append(buffer, n);
        return bytes;
    }

private Q_SLOTS:
    void listPrintsOneLinePerInvoice()
    {
        TempDir dir;
        {
            TRechnungBook book;
            book.progpath = ToU16(QString::fromStdString(dir.Path()));
            book.OpenRechnungen();
            TRechnungRec& r = book.AppendRechnung();
            NewTextBuf(&r.rechnr, u"RE-7");
            NewTextBuf(&r.firma, u"Müller & Söhne\r\nGmbH");
            NewTextBuf(&r.name, u"100%2");
            r.datum = 46086.5;  // 5 March 2026, noon
            TPositionRec& p1 = book.AppendPosition(0);
            p1.menge = 3;
            p1.preis = 10;
            TPositionRec& p2 = book.AppendPosition(0);
            p2.menge = 0.5;
            p2.preis = 1.99;
            book.AppendRechnung();
            book.SaveRechnungen();
        }
        int exitCode = -1;
        const QString output = Capture(QString::fromStdString(dir.Path()), exitCode);
        QCOMPARE(exitCode, 0);
        const QStringList lines = output.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QString("1\tRE-7\t05.03.2026\tMüller & Söhne  GmbH\t100%2\t31,00 €"));
        QCOMPARE(lines[1].section('\t', 0, 0), QString("2"));
        QCOMPARE(lines[1].section('\t', 5, 5), QString("0,00 €"));
    }

    // The program run as a user runs it, in the locale of the environment (Qt takes it from
    // LANG also where the system has no such locale installed).
    void listWritesFourDigitYearsInEveryLocale_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("line");
        QTest::newRow("German") << "de_DE.UTF-8"
                                << "1\tRE-7\t05.03.2026\tBäckerei\t\t1,01 €";
        QTest::newRow("English (US)") << "en_US.UTF-8"
                                      << "1\tRE-7\t3/5/2026\tBäckerei\t\t1.01 €";
        QTest::newRow("Korean") << "ko_KR.UTF-8"
                                << "1\tRE-7\t2026. 3. 5.\tBäckerei\t\t1.01 €";
    }

    void listWritesFourDigitYearsInEveryLocale()
    {
        QFETCH(QString, lang);
        QFETCH(QString, line);
        TempDir dir;
        {
            TRechnungBook book;
            book.progpath = ToU16(QString::fromStdString(dir.Path()));
            book.OpenRechnungen();
            TRechnungRec& r = book.AppendRechnung();
            NewTextBuf(&r.rechnr, u"RE-7");
            NewTextBuf(&r.firma, u"Bäckerei");
            r.datum = 46086.5;
            TPositionRec& p = book.AppendPosition(0);
            p.menge = 0.5;
            p.mwst = 19;
            p.preis = 2.01;  // 1,005
            book.SaveRechnungen();
        }
        const QString program = qEnvironmentVariable("REKOLON_BIN_DIR") + "/rekolon";
        QVERIFY(QFileInfo::exists(program));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_TIME", "LC_NUMERIC", "LANGUAGE", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(name);
        env.insert("LANG", lang);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(program, {"--data-dir", QString::fromStdString(dir.Path()), "--list"});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), line + "\n");
    }

    void listOfMissingBookIsEmpty()
    {
        TempDir dir;
        int exitCode = -1;
        QCOMPARE(Capture(QString::fromStdString(dir.Path()), exitCode), QString());
        QCOMPARE(exitCode, 0);
    }

    void listOfDamagedBookFails()
    {
        TempDir dir;
        WriteWholeFile(dir.File("save.dat"), std::string("\x02\x00\x00\x00", 4));
        ScriptedMessenger messenger;
        int exitCode = -1;
        Capture(QString::fromStdString(dir.Path()), exitCode);
        QCOMPARE(exitCode, 1);
        QVERIFY(!messenger.Errors().empty());
        QCOMPARE(ReadWholeFile(dir.File("save.dat")), std::string("\x02\x00\x00\x00", 4));
    }

    // A pipe that nobody writes to would block an ordinary open for ever.
    void pipesInPlaceOfFilesAreRefusedAtOnce()
    {
        const Watchdog watchdog(30, "batch command on a pipe");
        ScriptedMessenger messenger;
        {
            TempDir dir;
            QCOMPARE(mkfifo(dir.File("save.dat").c_str(), 0600), 0);
            int exitCode = -1;
            Capture(PathToQString(dir.Path()), exitCode);
            QCOMPARE(exitCode, 1);
            QCOMPARE(messenger.Errors().size(), size_t(1));
            QVERIFY(messenger.Errors()[0].find(PathToText(dir.File("save.dat"))) != std::u16string::npos);
            QVERIFY(std::filesystem::is_fifo(dir.File("save.dat")));
        }
        messenger.Reset();
        {
            TempDir dir;
            QCOMPARE(mkfifo(dir.File("customers.dbf").c_str(), 0600), 0);
            std::FILE* errors = std::tmpfile();
            QCOMPARE(RunExportCustomersCsv(PathToQString(dir.Path()), dir.File("kunden.csv"), errors), 1);
            std::fclose(errors);
            QCOMPARE(messenger.Errors().size(), size_t(1));
            QVERIFY(messenger.Errors()[0].find(PathToText(dir.File("customers.dbf"))) != std::u16string::npos);
            QVERIFY(!std::filesystem::exists(dir.File("kunden.csv")));
            QVERIFY(std::filesystem::is_fifo(dir.File("customers.dbf")));
        }
        {
            TempDir dir;
            QCOMPARE(mkfifo(dir.File("kunden.csv").c_str(), 0600), 0);
            std::FILE* errors = std::tmpfile();
            QCOMPARE(RunImportCustomersCsv(PathToQString(dir.Path()), dir.File("kunden.csv"), errors), 1);
            const std::string text = ReadAll(errors);
            std::fclose(errors);
            QVERIFY2(text.find(dir.File("kunden.csv")) != std::string::npos, text.c_str());
            QVERIFY2(text.find("Keine gewöhnliche Datei") != std::string::npos, text.c_str());
        }
    }

    // The command line tells what an import came to in the sentences the customer window shows.
    void customerImportTellsInTheWindowsWords()
    {
        TempDir dir;
        {
            std::FILE* csv = std::fopen(dir.File("kunden.csv").c_str(), "wb");
            std::fputs("Firma\r\n\xC5\x81odz\r\n", csv);  // "Ł" is not in the table's code page
            std::fclose(csv);
        }
        std::FILE* errors = std::tmpfile();
        QCOMPARE(RunImportCustomersCsv(PathToQString(dir.Path()), dir.File("kunden.csv"), errors), 0);
        const std::string text = ReadAll(errors);
        std::fclose(errors);
        QCOMPARE(QString::fromStdString(text),
                 QString("1 Zeichen der Datei gibt es in der Zeichentabelle der Kundendatenbank nicht; "
                         "sie wurden als „?“ gespeichert.\n"));
    }

    // A folder given on the command line is used under its own name, bytes that are not UTF-8
    // included, for the list as for the customer table.
    void folderNamedWithBytesThatAreNotUtf8()
    {
        for (const char* name : {"\xff\xfe", "M\xfcller"}) {
            TempDir dir;
            const std::string folder = dir.File(name);  // without the "/": added as for --data-dir
            std::filesystem::create_directory(folder);
            {
                TRechnungBook book;
                book.progpath = PathToText(folder + "/");
                book.isopened = true;
                NewTextBuf(&book.AppendRechnung().rechnr, u"RE-1");
                book.SaveRechnungen();
            }
            const QString given = BatchDataFolder(PathToQString(folder));
            QCOMPARE(QStringToPath(given), folder + "/");
            int exitCode = -1;
            const QString output = Capture(given, exitCode);
            QCOMPARE(exitCode, 0);
            QCOMPARE(output.section('\t', 1, 1), QString("RE-1"));
            std::FILE* errors = std::tmpfile();
            QCOMPARE(RunExportCustomersCsv(given, dir.File("kunden.csv"), errors), 0);
            std::fclose(errors);
            QVERIFY(std::filesystem::exists(folder + "/customers.dbf"));
            QCOMPARE(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);  // folder and CSV
        }
    }
};

QTEST_MAIN(BatchCommandsTest)
#include "BatchCommandsTest.moc"
