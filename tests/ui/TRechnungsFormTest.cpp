#include "ui/invoices/TRechnungsForm.h"
#include "app/AppWindows.h"
#include "foundation/StaleFiles.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"
#include "ui/settings/TDataPathForm.h"
#include "ui/shared/OptionalDateEdit.h"
#include "ui/shared/ProgressEvent.h"
#include "ui/shared/ProgressPanel.h"
#include "ui/shared/QtText.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/file.h>
#include <unistd.h>

// Drives the real main window with its dialogs, in a data folder of its own per test.
class TRechnungsFormTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> home_;
    std::unique_ptr<ScriptedMessenger> messenger_;
    std::unique_ptr<AppWindows> windows_;

    TRechnungsForm* form() { return windows_->RechnungsForm(); }
    TRechnungBook& book() { return form()->Book(); }
    QString dataFolder() const { return QString::fromStdString(home_->Path()) + "data/Vestrik/Rekolon/"; }
    QString saveDat() const { return dataFolder() + "save.dat"; }

    template <class T> T* child(const char* name)
    {
        T* widget = form()->findChild<T*>(name);
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QTableView* list() { return child<QTableView>("ListView1"); }
    QString cell(int row, int column) { return list()->model()->index(row, column).data().toString(); }
    int selectedRow()
    {
        const auto rows = list()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

    void Start()
    {
        windows_ = std::make_unique<AppWindows>();
        form()->show();
        QVERIFY(QTest::qWaitForWindowExposed(form()));
    }

    // A new invoice through "&Neu" with the given name and first name.
    void NewInvoice(const QString& name, const QString& ort = {})
    {
        child<QPushButton>("NeueRechnungBtn")->click();
        child<QLineEdit>("NameED")->setText(name);
        if (!ort.isEmpty())
            child<QLineEdit>("OrtED")->setText(ort);
    }

    // A click on the heading of a column, where the user would click.
    void ClickHeader(int column)
    {
        QHeaderView* header = list()->horizontalHeader();
        list()->scrollTo(list()->model()->index(0, column));
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }

    QStringList Column(int column)
    {
        QStringList values;
        for (int row = 0; row < list()->model()->rowCount(); ++row)
            values << cell(row, column);
        return values;
    }

private Q_SLOTS:
    void init()
    {
        home_ = std::make_unique<TempDir>();
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(home_->Path() + "data"));
        QSettings().clear();
        messenger_ = std::make_unique<ScriptedMessenger>();
    }

    void cleanup()
    {
        windows_.reset();
        QCOMPARE(messenger_->UnansweredQuestions(), 0);
        messenger_.reset();
        QSettings().clear();
        home_.reset();
    }

    void captionTabsAndMenu()
    {
        Start();
        QCOMPARE(form()->windowTitle(), QString("Vestrik Rekolon 1.0"));
        QVERIFY(!child<QLabel>("SavingStateLabel")->isVisible());
        auto* pages = child<QTabWidget>("PageControl2");
        const QStringList expected = {"Rechnungen",   "Artikel",      "Firma-Grundeinstellungen",
                                      "E-Rechnung",   "Logo",         "Währung",
                                      "Schriftarten", "Textbausteine"};
        QCOMPARE(pages->count(), expected.size());
        for (int i = 0; i < pages->count(); ++i)
            QCOMPARE(pages->tabText(i), expected[i]);
        QCOMPARE(pages->currentIndex(), 0);
        const auto actions = form()->menuBar()->actions();
        QCOMPARE(actions.size(), 2);
        QCOMPARE(actions[0]->text(), QString("E-Rechnung öffnen..."));
        QCOMPARE(actions[1]->text(), QString("Über..."));
        auto* lower = child<QTabWidget>("PageControl1");
        QCOMPARE(lower->tabText(0), QString("Rechnungs-Adresse"));
        QCOMPARE(lower->tabText(3), QString("Rechnung Drucken/PDF Ausgabe"));
        QCOMPARE(lower->tabText(4), QString("E-Rechnung"));
        QCOMPARE(list()->model()->columnCount(), 27);
        QCOMPARE(list()->model()->headerData(26, Qt::Horizontal).toString(), QString("Ihre Bestellung"));
    }

    void firstStartCreatesDataFolderAndWritesBook()
    {
        QVERIFY(!QDir(dataFolder()).exists());
        Start();
        QCOMPARE(form()->progpath(), dataFolder());
        QVERIFY(QFile::exists(saveDat()));
        QVERIFY(!child<QTabWidget>("PageControl1")->isVisible());  // no invoice yet
        QCOMPARE(windows_->DataPathForm()->findChild<QLineEdit*>("Edit3")->text(), dataFolder());
    }

    void dataFolderFromTheCommandLineStillShowsThePerUserFolder()
    {
        QSettings settings;
        settings.setValue("TDataPathForm/UseSpecialFolderCheck.Checked", true);
        settings.setValue("TDataPathForm/UserFolderCheck.Checked", false);
        settings.setValue("TDataPathForm/DirectoryEdit1.Text", "/eigener/ordner");
        settings.sync();
        const QString other = QString::fromStdString(home_->Path()) + "anderer/";
        windows_ = std::make_unique<AppWindows>();
        form()->SetDataFolderOverride(other);
        form()->show();
        QVERIFY(QTest::qWaitForWindowExposed(form()));
        QCOMPARE(form()->progpath(), other);
        TDataPathForm* dialog = windows_->DataPathForm();
        QCOMPARE(dialog->findChild<QLineEdit*>("Edit3")->text(), dataFolder());
        QCOMPARE(dialog->findChild<QLineEdit*>("DirectoryEdit1")->text(), QString("/eigener/ordner"));
    }

    void programFolderChoice()
    {
        QSettings settings;
        settings.setValue("TDataPathForm/ProgramFolderCheck.Checked", true);
        settings.setValue("TDataPathForm/UserFolderCheck.Checked", false);
        settings.sync();
        Start();
        const QString programFolder = QCoreApplication::applicationDirPath() + "/";
        QCOMPARE(form()->progpath(), programFolder);
        QVERIFY(QFile::exists(programFolder + "save.dat"));
        windows_.reset();
        QFile::remove(programFolder + "save.dat");
        QVERIFY(!QDir(dataFolder()).exists());
    }

    void secondShowingReloadsNothing()
    {
        Start();
        NewInvoice("Erste");
        form()->hide();
        // Another book on disk must not replace the one in memory.
        QFile::remove(saveDat());
        form()->show();
        QVERIFY(QTest::qWaitForWindowExposed(form()));
        QCOMPARE(book().RechnungCount(), 1u);
        QCOMPARE(cell(0, 3), QString("Erste"));
    }

    void bookSurvivesRestart()
    {
        Start();
        NewInvoice("Müller", "Köln");
        child<QLineEdit>("AnredeED")->setText("Herr");
        windows_.reset();
        Start();
        QCOMPARE(list()->model()->rowCount(), 1);
        QCOMPARE(cell(0, 1), QString("Herr"));
        QCOMPARE(cell(0, 3), QString("Müller"));
        QCOMPARE(child<QLineEdit>("OrtED")->text(), QString("Köln"));
    }

    void progressPanelShrinksAndGrows()
    {
        Start();
        ProgressPanel* panel = form()->StatusPanel();
        const auto navyColumns = [panel] {
            const QImage image = panel->grab().toImage();
            int navy = 0;
            for (int x = 0; x < image.width(); ++x)
                navy += image.pixelColor(x, image.height() / 2) == QColor(0, 0, 128);
            return navy;
        };
        form()->SetProStatus(60);
        QCOMPARE(form()->StatusPosition(), 60);
        QCOMPARE(navyColumns(), panel->width() * 60 / 100);
        ProgressEvent event(30);
        QCoreApplication::sendEvent(form(), &event);
        QCOMPARE(form()->StatusPosition(), 30);
        QCOMPARE(navyColumns(), panel->width() * 30 / 100);
    }

    void newInvoiceNumbersAndSelects()
    {
        Start();
        child<QLineEdit>("RechNrVorherEd")->setText("RE-");
        NewInvoice("A");
        NewInvoice("B");
        QCOMPARE(cell(0, 11), QString("RE-6300000"));
        QCOMPARE(cell(1, 11), QString("RE-6300001"));
        QCOMPARE(child<QSpinBox>("ARegNrEd")->value(), 6300002);
        QCOMPARE(selectedRow(), 1);
        QVERIFY(child<QTabWidget>("PageControl1")->isVisible());
    }

    void editingAnredeUpdatesRowAtOnce()
    {
        Start();
        NewInvoice("Adler");
        child<QLineEdit>("AnredeED")->setText("Frau");
        QCOMPARE(cell(0, 1), QString("Frau"));
        QCOMPARE(std::u16string(TextOf(book().Rechnung(0).anrede)), std::u16string(u"Frau"));
        child<QLineEdit>("LOrtED")->setText("Regensburg");
        QCOMPARE(cell(0, 24), QString("Regensburg"));
    }

    void sortTwiceThenAnotherColumn()
    {
        Start();
        NewInvoice("bauer");
        NewInvoice("Adler");
        NewInvoice("Zander");
        NewInvoice("Öztürk");
        ClickHeader(3);
        QCOMPARE(Column(3), (QStringList{"Adler", "bauer", "Zander", "Öztürk"}));
        ClickHeader(3);
        QCOMPARE(Column(3), (QStringList{"Öztürk", "Zander", "bauer", "Adler"}));
        // The list and the array stay in step.
        QCOMPARE(std::u16string(TextOf(book().Rechnung(0).name)), std::u16string(u"Öztürk"));

        list()->selectRow(0);
        child<QLineEdit>("OrtED")->setText("Passau");
        ClickHeader(9);  // "Ort": another column sorts ascending
        QCOMPARE(cell(3, 9), QString("Passau"));
    }

    void sortByDateTwice()
    {
        Start();
        NewInvoice("spät");
        child<QDateEdit>("DateEdit1")->setDate(QDate(2026, 3, 6));
        NewInvoice("früh");
        child<QDateEdit>("DateEdit1")->setDate(QDate(2025, 12, 24));
        ClickHeader(0);
        QCOMPARE(Column(3), (QStringList{"früh", "spät"}));
        ClickHeader(0);
        QCOMPARE(Column(3), (QStringList{"spät", "früh"}));
    }

    void searchMovesMatchesFirstWithExactCase()
    {
        Start();
        NewInvoice("Adler");
        NewInvoice("Müller");
        NewInvoice("Bauer");
        child<QLineEdit>("LNameED")->setText("Müller");  // delivery address of Bauer
        list()->selectRow(0);
        child<QLineEdit>("SearchEd")->setText("Müller");
        child<QPushButton>("SearchBtn")->click();
        QCOMPARE(list()->model()->rowCount(), 3);
        QSet<QString> firstTwo{cell(0, 3), cell(1, 3)};
        QCOMPARE(firstTwo, (QSet<QString>{"Müller", "Bauer"}));
        QCOMPARE(cell(2, 3), QString("Adler"));
        QCOMPARE(selectedRow(), 0);

        const QStringList before = Column(3);
        child<QLineEdit>("SearchEd")->setText("müller");
        child<QPushButton>("SearchBtn")->click();
        QCOMPARE(list()->model()->rowCount(), 3);
        QCOMPARE(Column(3).size(), before.size());
    }

    void deleteAsksAndSelectsNeighbour()
    {
        Start();
        NewInvoice("A");
        NewInvoice("B");
        NewInvoice("C");
        list()->selectRow(2);
        messenger_->AnswerNext(Messenger::Answer::No);
        child<QPushButton>("DelRechBtn")->click();
        QCOMPARE(list()->model()->rowCount(), 3);
        {
            const auto& box = messenger_->Boxes().back();
            QCOMPARE(QString::fromStdU16String(box.text),
                     QString("Wollen Sie diese Rechnung wirklich unwiderruflich löschen?"));
            QCOMPARE(QString::fromStdU16String(box.title), QString("Rechnung löschen?"));
        }
        messenger_->AnswerNext(Messenger::Answer::Cancel);
        child<QPushButton>("DelRechBtn")->click();
        QCOMPARE(list()->model()->rowCount(), 3);

        // Deleting the last row selects the new last row.
        messenger_->AnswerNext(Messenger::Answer::Yes);
        child<QPushButton>("DelRechBtn")->click();
        QCOMPARE(Column(3), (QStringList{"A", "B"}));
        QCOMPARE(selectedRow(), 1);
        QCOMPARE(child<QLineEdit>("NameED")->text(), QString("B"));

        // Deleting the first row selects the row that moved into its place.
        list()->selectRow(0);
        messenger_->AnswerNext(Messenger::Answer::Yes);
        child<QPushButton>("DelRechBtn")->click();
        QCOMPARE(Column(3), (QStringList{"B"}));
        QCOMPARE(selectedRow(), 0);

        // Deleting the only invoice hides the lower tabs.
        messenger_->AnswerNext(Messenger::Answer::Yes);
        child<QPushButton>("DelRechBtn")->click();
        QCOMPARE(list()->model()->rowCount(), 0);
        QVERIFY(!child<QTabWidget>("PageControl1")->isVisible());
        windows_.reset();
        TRechnungBook reread;
        reread.progpath = ToU16(dataFolder());
        QCOMPARE(int(reread.OpenRechnungen()), int(TRechnungBook::OpenResult::Loaded));
        QCOMPARE(reread.RechnungCount(), 0u);
    }

    void newFromExistingWithAndWithoutArticles_data()
    {
        QTest::addColumn<bool>("copyArticles");
        QTest::newRow("mit Artikeln") << true;
        QTest::newRow("ohne Artikel") << false;
    }

    void newFromExistingWithAndWithoutArticles()
    {
        QFETCH(bool, copyArticles);
        Start();
        for (int i = 0; i < 3; ++i) {
            TArtikelRec& a = book().AppendArtikel();
            a.menge = 1;
            a.preis = 10 + i;
            NewTextBuf(&a.bez, i == 0 ? u"Beratung" : u"Material");
        }
        NewInvoice("Quelle", "Passau");
        child<QLineEdit>("LFirmaED")->setText("Lager GmbH");
        // The electronic invoice data of the selected invoice go into the copy.
        SetTextBuf(&book().Rechnung(0).kaeuferref, u"04011000-12345-06");
        book().Rechnung(0).nullkategorie = 2;
        child<QCheckBox>("CopyArtikelsCheck")->setChecked(copyArticles);
        child<QPushButton>("NeueausbestehenderBtn")->click();
        QCOMPARE(book().RechnungCount(), 2u);
        QCOMPARE(selectedRow(), 1);
        const TRechnungRec& copy = book().Rechnung(1);
        QCOMPARE(std::u16string(TextOf(copy.name)), std::u16string(u"Quelle"));
        QCOMPARE(std::u16string(TextOf(copy.ort)), std::u16string(u"Passau"));
        QCOMPARE(std::u16string(TextOf(copy.lfirma)), std::u16string(u"Lager GmbH"));
        QCOMPARE(std::u16string(TextOf(copy.rechnr)), std::u16string(u"6300001"));
        QCOMPARE(copy.bezahlt, 0.0);
        QCOMPARE(copy.posis->Count(), copyArticles ? 3u : 0u);
        QCOMPARE(std::u16string(TextOf(copy.kaeuferref)), std::u16string(u"04011000-12345-06"));
        QCOMPARE(copy.nullkategorie, uint8_t(2));
        if (copyArticles) {
            for (uint32_t i = 0; i < 3; ++i)
                QCOMPARE(book().Position(1, i).menge, 1.0);
            // Texts of their own: the article's buffer is not shared.
            QVERIFY(book().Position(1, 0).bez != book().Artikel(0).bez);
        }
    }

    void clearingBezahltEmptiesColumn()
    {
        Start();
        NewInvoice("Zahler");
        auto* paid = child<OptionalDateEdit>("DateEdit2");
        QVERIFY(paid->IsEmpty());
        QCOMPARE(cell(0, 10), QString());
        paid->SetDateOrEmpty(QDate(2026, 3, 5));
        QCOMPARE(cell(0, 10), QString("05.03.2026"));
        QVERIFY(book().Rechnung(0).bezahlt > 46000);
        paid->LineEdit()->setFocus();
        paid->LineEdit()->selectAll();
        QTest::keyClick(paid->LineEdit(), Qt::Key_Delete);
        QVERIFY(paid->IsEmpty());
        QCOMPARE(book().Rechnung(0).bezahlt, 0.0);
        QCOMPARE(cell(0, 10), QString());
    }

    void settingsFieldsShowAWholeLineAtTheDefaultSize()
    {
        Start();
        child<QTabWidget>("PageControl2")->setCurrentIndex(2);
        QApplication::processEvents();
        const QString line = "Bankverbindung: Sparkasse Musterstadt IBAN DE12 3456 7890 12";
        QCOMPARE(line.size(), 60);
        for (const char* name : {"FirmaED2", "StrasseEd2", "eMailED2", "KopfEd", "FussEd", "FussEd2", "FussEd3"}) {
            auto* edit = child<QLineEdit>(name);
            edit->setText(line);
            QVERIFY2(edit->isVisible(), name);
            // The text area of a line edit is its width less the frame and a small margin.
            const int room = edit->width() - 12;
            QVERIFY2(edit->fontMetrics().horizontalAdvance(line) <= room,
                     qPrintable(QString("%1 is %2 px wide").arg(name).arg(edit->width())));
        }
    }

    void settingsReachTheBookAndSurviveRestart()
    {
        Start();
        child<QLineEdit>("FirmaED2")->setText("Holzbau Huber");
        child<QCheckBox>("NoMwstCheck")->setChecked(true);
        child<QSpinBox>("RandXED")->setValue(20);
        child<QLineEdit>("WaehrEd")->setText("EUR");
        QCOMPARE(book().settings.FirmaED2, std::u16string(u"Holzbau Huber"));
        QVERIFY(book().settings.NoMwstCheck);
        windows_.reset();
        Start();
        QCOMPARE(child<QLineEdit>("FirmaED2")->text(), QString("Holzbau Huber"));
        QVERIFY(child<QCheckBox>("NoMwstCheck")->isChecked());
        QCOMPARE(child<QSpinBox>("RandXED")->value(), 20);
        QCOMPARE(child<QLineEdit>("WaehrEd")->text(), QString("EUR"));
    }

    void logoChangeWritesAtOnce()
    {
        Start();
        const QByteArray before = [&] {
            QFile f(saveDat());
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }();
        child<QLineEdit>("FilenameEdit1")->setText("/home/anna/logo.png");
        QFile f(saveDat());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray after = f.readAll();
        QVERIFY(after != before);
        QVERIFY(after.contains("/home/anna/logo.png"));
    }

    void unwritableDataFolderReportsAndKeepsWorking()
    {
        // A file where the data folder should be: the folder cannot be made.
        QDir().mkpath(QString::fromStdString(home_->Path()) + "data/Vestrik");
        QFile blocker(QString::fromStdString(home_->Path()) + "data/Vestrik/Rekolon");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Start();
        const auto errors = messenger_->Errors();
        QVERIFY(!errors.empty());
        const QString expected = QString("Achtung: die Datei save.dat konnte nicht angelegt werden. Die "
                                         "Datensätze konnten nicht gespeichert werden!") +
                                 saveDat() + "\nDas Verzeichnis gibt es nicht.";
        QCOMPARE(QString::fromStdU16String(errors.front()), expected);
        NewInvoice("Im Speicher");
        QCOMPARE(cell(0, 3), QString("Im Speicher"));
    }

    void customerTableOpensWithTheBookAndItsWindowFromTheButton()
    {
        Start();
        QVERIFY(QFile::exists(dataFolder() + "customers.dbf"));
        QString title;
        QTimer::singleShot(0, [&title] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            title = dialog->windowTitle();
            dialog->close();
        });
        child<QPushButton>("BitBtn2")->click();
        QCOMPARE(title, QString("Vestrik Kundenverwaltung 1.0"));
    }

    void dataFolderNamedWithBytesThatAreNotUtf8_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("stray bytes") << QByteArray("\xff\xfe");
        QTest::newRow("Latin-1") << QByteArray("M\xfcller");
    }

    // The folder given for this run is the one read and written, under its own name.
    void dataFolderNamedWithBytesThatAreNotUtf8()
    {
        QFETCH(QByteArray, name);
        const std::string folder = home_->Path() + name.toStdString() + "/";
        std::filesystem::create_directory(folder);
        {
            TRechnungBook stored;
            stored.progpath = PathToText(folder);
            stored.isopened = true;
            NewTextBuf(&stored.AppendRechnung().name, u"Gespeichert");
            stored.SaveRechnungen();
        }
        windows_ = std::make_unique<AppWindows>();
        form()->SetDataFolderOverride(PathToQString(folder));
        form()->show();
        QVERIFY(QTest::qWaitForWindowExposed(form()));
        QCOMPARE(list()->model()->rowCount(), 1);
        QCOMPARE(cell(0, 3), QString("Gespeichert"));
        NewInvoice("Neu");
        windows_.reset();

        TRechnungBook reread;
        reread.progpath = PathToText(folder);
        QCOMPARE(reread.OpenRechnungen(), TRechnungBook::OpenResult::Loaded);
        QCOMPARE(reread.RechnungCount(), 2u);
        QCOMPARE(std::u16string(TextOf(reread.Rechnung(1).name)), std::u16string(u"Neu"));
        QVERIFY(std::filesystem::exists(folder + "customers.dbf"));
        // Nothing went to a folder of a similar name.
        for (const auto& entry : std::filesystem::directory_iterator(home_->Path()))
            QCOMPARE(entry.path().filename().string(), name.toStdString());
    }

    // Leftovers of a killed save go at start, unless another instance is at work in the folder.
    void leftoversOfAKilledSaveGoAtStartUnlessAnotherInstanceRuns()
    {
        QDir().mkpath(dataFolder());
        const std::string folder = QStringToPath(dataFolder());
        for (const char* name : {"save.dat.neu-Ab12Cd", "customers.dbf.neu-000000", "save.dat.neu-kurz"})
            WriteWholeFile(folder + name, "x");
        const int other = open(StaleFiles::DataFolderLockPath(folder).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        QVERIFY(other >= 0);
        QCOMPARE(flock(other, LOCK_SH), 0);
        Start();
        QVERIFY(std::filesystem::exists(folder + "save.dat.neu-Ab12Cd"));
        QVERIFY(std::filesystem::exists(folder + "customers.dbf.neu-000000"));
        windows_.reset();
        close(other);  // the other instance ends

        Start();
        QVERIFY(!std::filesystem::exists(folder + "save.dat.neu-Ab12Cd"));
        QVERIFY(!std::filesystem::exists(folder + "customers.dbf.neu-000000"));
        QVERIFY(std::filesystem::exists(folder + "save.dat.neu-kurz"));  // not a name of ours
        QVERIFY(std::filesystem::exists(folder + "save.dat"));
    }

    void damagedBookIsReportedAndNotOverwritten()
    {
        QDir().mkpath(dataFolder());
        QFile file(saveDat());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\x01\x00\x00\x00\x05\x00\x00\x00Her", 11));  // cut inside a text
        file.close();
        Start();
        QVERIFY(!messenger_->Errors().empty());
        // The window says, for the whole run, that nothing will be saved.
        QCOMPARE(form()->windowTitle(), QString("Vestrik Rekolon 1.0 – save.dat wird nicht gespeichert"));
        auto* state = child<QLabel>("SavingStateLabel");
        QVERIFY(state->isVisible());
        QVERIFY(state->text().contains("nicht gespeichert"));
        NewInvoice("Neu");
        QVERIFY(state->isVisible());
        windows_.reset();
        QFile reread(saveDat());
        QVERIFY(reread.open(QIODevice::ReadOnly));
        QCOMPARE(reread.readAll(), QByteArray("\x01\x00\x00\x00\x05\x00\x00\x00Her", 11));
    }
};

QTEST_MAIN(TRechnungsFormTest)
#include "TRechnungsFormTest.moc"
