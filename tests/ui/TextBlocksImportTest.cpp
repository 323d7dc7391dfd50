#include "MainWindowHarness.h"
#include "foundation/AtomicFileSink.h"
#include "foundation/StringRecords.h"
#include "invoices/TextBuf.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

// Text blocks (their tab, dialog, template list and insertion) and the import of the book in
// the program folder, driven through the real main window.
class TextBlocksImportTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindowHarness> h;

    QWidget* blocksPage() { return h->Child<QWidget>("TabTextbausteine"); }
    void click(const char* name, QObject* scope = nullptr) { h->Child<QPushButton>(name, scope)->click(); }

    // Creates a block through "Neuer Textbaustein..." and the dialog.
    void NewBlock(const QString& name, const QString& text)
    {
        MainWindowHarness::WhenDialogShown([name, text](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Textbaustein bearbeiten"));
            dialog->findChild<QLineEdit*>("Edit1")->setText(name);
            dialog->findChild<QPlainTextEdit*>("Memo1")->setPlainText(text);
            dialog->findChild<QPushButton*>("BitBtn1")->click();
        });
        click("BitBtn6", blocksPage());
    }

    static QString ProgramFolderSaveDat() { return QCoreApplication::applicationDirPath() + "/save.dat"; }

    // An old book: sections 1 to 3 only, one invoice for "Alt" and no articles.
    static void WriteOldBook(const QString& path)
    {
        AtomicFileSink sink(path.toStdString());
        sink.WriteI32(1);
        for (int i = 0; i < 13; ++i)
            WriteStr8(sink, i == 2 ? u"Alt" : u"");
        for (double v : {46000.0, 0.0, 0.0, 0.0})
            sink.WriteF64(v);
        sink.WriteI32(0);  // positions
        sink.WriteI32(0);  // articles
        for (int i = 0; i < 9; ++i)
            WriteStr8(sink, i == 0 ? u"Altfirma" : u"");
        for (double v : {10.0, 11.0, 40.0, 120.0, 0.2})
            sink.WriteF64(v);
        sink.Commit();
    }

private Q_SLOTS:
    void init() { h = std::make_unique<MainWindowHarness>(); }
    void cleanup()
    {
        QCOMPARE(h->Messenger().UnansweredQuestions(), 0);
        h.reset();
        QFile::remove(ProgramFolderSaveDat());
    }

    void blockInsertedAtCaretWithoutSpace()
    {
        h->Start();
        NewBlock("Zahlung", "innerhalb 14 Tagen");
        auto* vorlagen = h->Child<QComboBox>("VorlagenBox");
        QCOMPARE(vorlagen->count(), 1);
        QCOMPARE(vorlagen->currentText(), QString("Zahlung"));
        click("NeueRechnungBtn");
        auto* memo = h->Child<QPlainTextEdit>("RechungsTextED");
        memo->setPlainText("Zahlbar sofort");
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(7);
        memo->setTextCursor(cursor);
        click("BitBtn5");
        QCOMPARE(memo->toPlainText(), QString("Zahlbarinnerhalb 14 Tagen sofort"));
        QCOMPARE(memo->textCursor().position(), 7 + 18);
        QVERIFY(!memo->textCursor().hasSelection());
        QCOMPARE(std::u16string(TextOf(h->Book().Rechnung(0).rechtext)),
                 std::u16string(u"Zahlbarinnerhalb 14 Tagen sofort"));
    }

    void multiLineBlockSplitsTheLine()
    {
        h->Start();
        NewBlock("Gruß", "Mit\nfreundlichen\nGrüßen");
        click("NeueRechnungBtn");
        auto* memo = h->Child<QPlainTextEdit>("RechungsTextED");
        memo->setPlainText("Danke\nAB");
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(7);  // between A and B on the second line
        memo->setTextCursor(cursor);
        click("BitBtn5");
        QCOMPARE(memo->toPlainText(), QString("Danke\nAMit\nfreundlichen\nGrüßenB"));
        QCOMPARE(std::u16string(TextOf(h->Book().Rechnung(0).rechtext)),
                 std::u16string(u"Danke\r\nAMit\r\nfreundlichen\r\nGrüßenB"));
    }

    void insertingWithoutBlocksSaysSo()
    {
        h->Start();
        click("NeueRechnungBtn");
        click("BitBtn5");
        QCOMPARE(QString::fromStdU16String(h->Messenger().Errors().back()),
                 QString("Es ist kein Textbaustein ausgewählt."));
    }

    void closingTheDialogAddsNothingButWrites()
    {
        h->Start();
        QVERIFY(QFile::remove(h->SaveDat()));
        MainWindowHarness::WhenDialogShown([](QWidget* dialog) {
            dialog->findChild<QLineEdit*>("Edit1")->setText("verworfen");
            dialog->close();
        });
        click("BitBtn6", blocksPage());
        QVERIFY(h->Book().settings.ListView4.empty());
        QVERIFY(QFile::exists(h->SaveDat()));
    }

    void editAndDeleteBlocks()
    {
        h->Start();
        NewBlock("eins", "1");
        NewBlock("zwei", "2");
        NewBlock("drei", "3 €\n\u4E2D");
        auto* list = h->Child<QTableView>("ListView4");
        list->selectRow(1);
        MainWindowHarness::WhenDialogShown([](QWidget* dialog) {
            QCOMPARE(dialog->findChild<QLineEdit*>("Edit1")->text(), QString("zwei"));
            dialog->findChild<QLineEdit*>("Edit1")->setText("ZWEI");
            dialog->findChild<QPushButton*>("BitBtn1")->click();
        });
        click("BitBtn7");
        QCOMPARE(h->Book().settings.ListView4[1].name, std::u16string(u"ZWEI"));
        QCOMPARE(h->Child<QComboBox>("VorlagenBox")->itemText(1), QString("ZWEI"));

        // Deleting asks; No keeps everything.
        list->selectAll();
        h->Messenger().AnswerNext(Messenger::Answer::No);
        click("BitBtn4");
        QCOMPARE(h->Book().settings.ListView4.size(), size_t(3));
        const auto& box = h->Messenger().Boxes().back();
        QCOMPARE(QString::fromStdU16String(box.text),
                 QString("Wollen Sie diese Textbausteine wirklich unwiderruflich löschen?"));
        QCOMPARE(QString::fromStdU16String(box.title), QString("Textbausteine löschen?"));

        // Yes with nothing selected deletes nothing but writes the file.
        list->clearSelection();
        QVERIFY(QFile::remove(h->SaveDat()));
        h->Messenger().AnswerNext(Messenger::Answer::Yes);
        click("BitBtn4");
        QCOMPARE(h->Book().settings.ListView4.size(), size_t(3));
        QVERIFY(QFile::exists(h->SaveDat()));

        // Two selected blocks go; the others keep their order.
        list->selectionModel()->select(list->model()->index(0, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        list->selectionModel()->select(list->model()->index(2, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        h->Messenger().AnswerNext(Messenger::Answer::Yes);
        click("BitBtn4");
        QCOMPARE(h->Book().settings.ListView4.size(), size_t(1));
        QCOMPARE(h->Book().settings.ListView4[0].name, std::u16string(u"ZWEI"));
        QCOMPARE(h->Child<QComboBox>("VorlagenBox")->count(), 1);
    }

    void blocksKeepCharactersOutsideTheCodePage()
    {
        h->Start();
        NewBlock("Grüße \u4E2D\u6587", "Zeile 1\nZeile 2 \U0001F600");
        h->Stop();
        h->Start();
        QCOMPARE(h->Book().settings.ListView4.size(), size_t(1));
        QCOMPARE(QString::fromStdU16String(h->Book().settings.ListView4[0].name), QString("Grüße \u4E2D\u6587"));
        QCOMPARE(QString::fromStdU16String(h->Book().settings.ListView4[0].text),
                 QString("Zeile 1\r\nZeile 2 \U0001F600"));
        QCOMPARE(h->Child<QComboBox>("VorlagenBox")->currentText(), QString("Grüße \u4E2D\u6587"));
    }

    void importAnsweredNoWritesNothing()
    {
        WriteOldBook(ProgramFolderSaveDat());
        h->Start();
        QVERIFY(QFile::remove(h->SaveDat()));
        h->Messenger().AnswerNext(Messenger::Answer::No);
        click("BitBtn3");
        QCOMPARE(h->Book().RechnungCount(), 0u);
        QVERIFY(!QFile::exists(h->SaveDat()));
        const auto& box = h->Messenger().Boxes().back();
        QCOMPARE(box.icon, Messenger::QuestionIcon::Stop);
        QCOMPARE(QString::fromStdU16String(box.title), QString("Übernehmen"));
    }

    void importOfOldFileKeepsLaterSettings()
    {
        WriteOldBook(ProgramFolderSaveDat());
        h->Start();
        // Settings that the old file does not hold.
        h->Child<QLineEdit>("WaehrEd")->setText("CHF");
        h->Child<QCheckBox>("NoMwstCheck")->setChecked(true);
        NewBlock("bleibt", "Text");
        h->Messenger().AnswerNext(Messenger::Answer::Yes);
        click("BitBtn3");
        QCOMPARE(h->Book().RechnungCount(), 1u);
        QCOMPARE(std::u16string(TextOf(h->Book().Rechnung(0).name)), std::u16string(u"Alt"));
        QCOMPARE(h->Child<QLineEdit>("FirmaED2")->text(), QString("Altfirma"));
        QCOMPARE(h->Child<QSpinBox>("RandXED")->value(), 10);
        QCOMPARE(h->Child<QLineEdit>("WaehrEd")->text(), QString("CHF"));
        QVERIFY(h->Child<QCheckBox>("NoMwstCheck")->isChecked());
        QCOMPARE(h->Book().settings.ListView4.size(), size_t(1));
        // Stored in the data folder; read from there after a restart.
        h->Stop();
        QFile::remove(ProgramFolderSaveDat());
        h->Start();
        QCOMPARE(h->Book().RechnungCount(), 1u);
        QCOMPARE(h->Child<QLineEdit>("WaehrEd")->text(), QString("CHF"));
    }

    void importWithoutOldFileKeepsBookAndWrites()
    {
        QFile::remove(ProgramFolderSaveDat());
        h->Start();
        h->Child<QPushButton>("NeueRechnungBtn")->click();
        QVERIFY(QFile::remove(h->SaveDat()));
        h->Messenger().AnswerNext(Messenger::Answer::Yes);
        click("BitBtn3");
        QCOMPARE(h->Book().RechnungCount(), 1u);
        QVERIFY(QFile::exists(h->SaveDat()));
    }
};

QTEST_MAIN(TextBlocksImportTest)
#include "TextBlocksImportTest.moc"
