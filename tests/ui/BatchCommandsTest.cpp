#include "app/BatchCommands.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"
#include "ui/QtText.h"

#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <cstdio>

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
        QTest::newRow("German") << "de_DE.UTF-8" << "1\tRE-7\t05.03.2026\tBäckerei\t\t1,01 €";
        QTest::newRow("English (US)") << "en_US.UTF-8" << "1\tRE-7\t3/5/2026\tBäckerei\t\t1.01 €";
        QTest::newRow("Korean") << "ko_KR.UTF-8" << "1\tRE-7\t2026. 3. 5.\tBäckerei\t\t1.01 €";
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
};

QTEST_MAIN(BatchCommandsTest)
#include "BatchCommandsTest.moc"
