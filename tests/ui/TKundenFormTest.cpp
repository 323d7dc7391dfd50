// The customer window over real tables in a temporary data folder: controls and captions,
// binding of the edit panel, editing through the panel, search, sorting, the "Felder" menu
// with its dialogs answered by a scripted runner, the stored memo height.
#include "ui/customers/TKundenForm.h"
#include "KundenFormTestSupport.h"
#include "customers/CustomerSchema.h"
#include "customers/CustomerTestTables.h"
#include "dbase/DbfTable.h"
#include "messages/MessageCatalog.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"
#include "ui/customers/KundenTableModel.h"
#include "ui/customers/TFeldLangeForm.h"
#include "ui/customers/TNeueFelderForm.h"
#include "ui/customers/TSortFeldForm.h"
#include "ui/shared/QtText.h"
#include "ui/shared/UiServices.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardPaths>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>
#include <functional>

namespace {

const char* const kComboNames[24] = {"DBEdit1",  "DBEdit2",  "DBEdit3",  "DBEdit4",  "DBEdit5",  "DBEdit6",
                                     "DBEdit7",  "DBEdit8",  "DBEdit9",  "DBEdit10", "DBEdit11", "DBEdit12",
                                     "DBEdit13", "DBEdit14", "DbEdit15", "DbEdit16", "DBEdit17", "DbEdit18",
                                     "DbEdit19", "DbEdit20", "DBEdit21", "DBEdit22", "DBEdit23", "DBEdit24"};
const char* const kLabelNames[24] = {"Label1",  "Label2",  "Label3",  "Label4",  "Label5",  "Label6",
                                     "Label7",  "Label8",  "Label9",  "Label10", "Label11", "Label12",
                                     "Label15", "Label16", "Label17", "Label18", "Label19", "Label20",
                                     "Label21", "Label22", "Label23", "Label24", "Label25", "Label26"};

QStringList Items(QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

// A click on a grid cell, as the user does it (a double click opens the cell's editor).
void ClickCell(QTableView* grid, int row, int column, bool twice = false)
{
    const QModelIndex index = grid->model()->index(row, column);
    grid->scrollTo(index);
    const QPoint at = grid->visualRect(index).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

// Types into a cell's editor (opened by a double click) over its whole text, then Enter.
void TypeIntoCell(QTableView* grid, int row, int column, const QString& text)
{
    ClickCell(grid, row, column, true);
    QLineEdit* editor = nullptr;  // closed editors linger until deleted later
    for (QLineEdit* candidate : grid->viewport()->findChildren<QLineEdit*>()) {
        if (candidate->isVisible())
            editor = candidate;
    }
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the delegate commits through a queued call
}

}  // namespace

class TKundenFormTest : public QObject, private KundenFormFixture {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InitNames(); }
    void init() { InitFolder(); }
    void cleanup() { CleanupFolder(); }

    void captionNavigatorSearchLineAndMenus()
    {
        TKundenForm form;
        QCOMPARE(form.windowTitle(), QString("Vestrik Kundenverwaltung 1.0"));
        QVERIFY(form.findChild<QTableView*>("DBGrid1"));
        auto* navigator = form.findChild<QWidget*>("DBNavigator1");
        QVERIFY(navigator);
        const QStringList hints = {"Erster Datensatz",
                                   "Vorheriger Datensatz",
                                   "Nächster Datensatz",
                                   "Letzter Datensatz",
                                   "Datensatz einfügen",
                                   "Datensatz löschen",
                                   "Datensatz bearbeiten",
                                   "Geänderte Datensatz speichern",
                                   "Abbrechen, Änderungen verwerfen",
                                   "Daten aktuallisieren"};
        const auto buttons = navigator->findChildren<QToolButton*>();
        QCOMPARE(buttons.size(), 10);
        for (int i = 0; i < 10; ++i)
            QCOMPARE(buttons[i]->toolTip(), hints[i]);
        QCOMPARE(form.findChild<QLabel*>("Label14")->text(), QString("Suchen:"));
        QVERIFY(form.findChild<QLineEdit*>("FilterEd"));
        QCOMPARE(form.findChild<QPushButton*>("Filterbtn")->text(), QString("Filtern"));
        QCOMPARE(form.findChild<QPushButton*>("AllezeigenBtn")->text(), QString("Alle zeigen"));
        QCOMPARE(form.findChild<QLabel*>("Label13")->text(), QString("Mehr:"));
        QVERIFY(form.findChild<QPlainTextEdit*>("DBMemo1"));
        for (const char* name : kComboNames)
            QVERIFY2(form.findChild<QComboBox*>(name), name);

        const auto menus = form.findChild<QMenuBar*>("MainMenu1")->actions();
        QCOMPARE(menus.size(), 3);
        const QList<QStringList> items = {
            {"Exportieren als CSV Datei...", "Importieren aus CSV Datei...", "", "Drucker einrichten...",
             "Datensatz drucken", "Alle Datensätze drucken"},
            {"Feld hinzufügen...", "Letztes Feld löschen...", "Feldlängen bearbeiten...", "Felder umsortieren..."},
            {"Anzahl der Einträge in den einzelnen Spalten zählen...", "Vorgabewerte für Eingabefelder aktualisieren"}};
        const QStringList titles = {"Datei", "Felder", "Funktionen"};
        for (int m = 0; m < 3; ++m) {
            QCOMPARE(menus[m]->text(), titles[m]);
            QStringList texts;
            for (QAction* action : menus[m]->menu()->actions())
                texts << (action->isSeparator() ? QString() : action->text());
            QCOMPARE(texts, items[m]);
        }
    }

    void firstStartCreatesAndBindsTheStandardTable()
    {
        TKundenForm form;
        QCOMPARE(form.InitDataBase(dir_->Path()), CustomerTable::InitResult::Created);
        QCOMPARE(Headers(form), QStringList({"Firma", "Name", "Vorname", "Anrede", "StrasseNr", "PLZ", "Ort", "Land",
                                             "Telefon", "Fax", "Handy", "Email", "Mehr", "Kundennr", "Kostenst"}));
        const QStringList labels = {
            "Firma:", "Name:",    "Vorname:", "Anrede:", "Strassenr:", "Plz:",      "Ort:",
            "Land:",  "Telefon:", "Fax:",     "Handy:",  "Email:",     "Kundennr:", "Kostenst:"};
        for (int k = 0; k < 24; ++k) {
            auto* combo = form.findChild<QComboBox*>(kComboNames[k]);
            auto* label = form.findChild<QLabel*>(kLabelNames[k]);
            QCOMPARE(combo->isVisibleTo(&form), k < 14);
            QCOMPARE(label->isVisibleTo(&form), k < 14);
            if (k < 14)
                QCOMPARE(label->text(), labels[k]);
        }
        QCOMPARE(form.BoundMemoField(), 12);
        QVERIFY(messenger_->Boxes().empty());
    }

    void thirtyCharacterColumnsBindTheFirstTwentyFour()
    {
        std::vector<DbfField> fields;
        for (int i = 0; i < 30; ++i) {
            fields.push_back(DbfField::Character(u"Spalte" + ToU16(QString::number(i + 1)), 10));
            if (i == 5)
                fields.push_back(DbfField::Memo(u"Mehr"));
        }
        FillCustomers(dir_->File("customers.dbf"), fields, {{{u"Spalte30", u"dreißig"}}});
        TKundenForm form;
        QCOMPARE(form.InitDataBase(dir_->Path()), CustomerTable::InitResult::Opened);
        QCOMPARE(form.Model()->columnCount(), 31);
        QCOMPARE(form.BoundMemoField(), 6);
        QCOMPARE(form.BoundField(5), 5);
        QCOMPARE(form.BoundField(6), 7);
        QCOMPARE(form.BoundField(23), 24);
        QCOMPARE(form.findChild<QLabel*>("Label26")->text(), QString("Spalte24:"));
        QVERIFY(form.findChild<QComboBox*>("DBEdit24")->isVisibleTo(&form));
        QCOMPARE(GridColumn(form, 30), QStringList({"dreißig"}));  // only in the grid
    }

    void anExistingDamagedTableIsReportedAndKept()
    {
        const std::string damaged =
            ReadWholeFile(std::string(REKOLON_TEST_DATA) + "/dbf-record-length-not-matching-fields.dbf");
        WriteWholeFile(dir_->File("customers.dbf"), damaged);
        TKundenForm form;
        QCOMPARE(form.InitDataBase(dir_->Path()), CustomerTable::InitResult::OpenFailed);
        QCOMPARE(messenger_->Errors().size(), size_t(1));
        QCOMPARE(form.Model()->rowCount(), 0);
        QVERIFY(ReadWholeFile(dir_->File("customers.dbf")) == damaged);
        QVERIFY(!form.findChild<QComboBox*>("DBEdit1")->isVisibleTo(&form));
    }

    void aCutOffTableIsShownAndWrittenAnewAtTheFirstChange()
    {
        const std::string fixture = std::string(REKOLON_TEST_DATA) + "/dbf-last-record-cut-off";
        const std::string damaged = ReadWholeFile(fixture + ".dbf");
        WriteWholeFile(dir_->File("customers.dbf"), damaged);
        WriteWholeFile(dir_->File("customers.dbt"), ReadWholeFile(fixture + ".dbt"));
        TKundenForm form;
        QCOMPARE(form.InitDataBase(dir_->Path()), CustomerTable::InitResult::Opened);
        QCOMPARE(messenger_->Errors().size(), size_t(1));
        QVERIFY(messenger_->Errors()[0].find(u"32 vollständig") != std::u16string::npos);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* grid = form.findChild<QTableView*>("DBGrid1");
        QCOMPARE(form.Model()->rowCount(), 32);
        QVERIFY(!(form.Model()->flags(form.Model()->index(0, 0)) & Qt::ItemIsEditable));

        // Looking around changes nothing.
        ClickCell(grid, 4, 0);
        auto* ort = form.findChild<QComboBox*>("DBEdit2");
        QCOMPARE(form.findChild<QComboBox*>("DBEdit1")->currentText(), QString("Kunde 05"));
        QCOMPARE(ort->currentText(), QString("Ort 05"));
        QVERIFY(ReadWholeFile(dir_->File("customers.dbf")) == damaged);

        // The first key typed writes a sound table; the damaged one is kept.
        QTest::mouseClick(ort->lineEdit(), Qt::LeftButton);
        QTest::keyClick(ort->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(ort->lineEdit(), "Passau");
        QVERIFY(ReadWholeFile(dir_->File("customers0.dbf")) == damaged);
        QCOMPARE(ort->currentText(), QString("Passau"));
        QCOMPARE(form.findChild<QComboBox*>("DBEdit1")->currentText(), QString("Kunde 05"));
        QTest::mouseClick(form.findChild<QToolButton*>("nbPost"), Qt::LeftButton);
        QCOMPARE(form.Dbf1().GetState(), DbfTable::State::Browse);
        QCOMPARE(form.Model()->rowCount(), 32);
        QVERIFY(form.Model()->flags(form.Model()->index(0, 0)) & Qt::ItemIsEditable);
        QCOMPARE(messenger_->Errors().size(), size_t(1));

        DbfTable table;
        table.Open(dir_->File("customers.dbf"));
        QVERIFY(!table.CutOff());
        QCOMPARE(table.PhysicalRecordCount(), 32u);
        QVERIFY(table.GoTo(5));
        QCOMPARE(table.Value(u"Ort"), std::u16string(u"Passau"));
        QCOMPARE(table.Value(u"Firma"), std::u16string(u"Kunde 05"));
    }

    void numberDateAndLogicalColumnsAreShownAndEditedInDBaseForms()
    {
        FillCustomers(dir_->File("customers.dbf"),
                      {DbfField::Character(u"Firma", 20),
                       {u"Umsatz", 'N', 10, 2},
                       {u"Seit", 'D', 8, 0},
                       {u"Aktiv", 'L', 1, 0},
                       DbfField::Memo(u"Mehr")},
                      {{{u"Firma", u"Erste"}, {u"Umsatz", u"1234.5"}, {u"Seit", u"20200131"}, {u"Aktiv", u"T"}},
                       {{u"Firma", u"Zweite"}}});
        TKundenForm form;
        // The start appends "Kostenst" to such a table too, without a word.
        QCOMPARE(form.InitDataBase(dir_->Path()), CustomerTable::InitResult::Opened);
        QVERIFY(messenger_->Boxes().empty());
        QCOMPARE(Headers(form), QStringList({"Firma", "Umsatz", "Seit", "Aktiv", "Mehr", "Kostenst"}));
        QCOMPARE(GridColumn(form, 1), QStringList({"1234.50", ""}));
        QCOMPARE(GridColumn(form, 2), QStringList({"31.01.2020", ""}));
        QCOMPARE(GridColumn(form, 3), QStringList({"T", ""}));
        QCOMPARE(form.Model()->data(form.Model()->index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::AlignRight | Qt::AlignVCenter);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* grid = form.findChild<QTableView*>("DBGrid1");

        TypeIntoCell(grid, 1, 2, "5.3.2026");
        TypeIntoCell(grid, 1, 1, "12,5");
        TypeIntoCell(grid, 1, 3, "j");
        QTest::mouseClick(form.findChild<QToolButton*>("nbPost"), Qt::LeftButton);
        QVERIFY(messenger_->Boxes().empty());
        QCOMPARE(GridColumn(form, 2), QStringList({"31.01.2020", "05.03.2026"}));
        // A date that does not exist is refused with a message; the stored one stays.
        TypeIntoCell(grid, 0, 2, "30.02.2026");
        QCOMPARE(messenger_->Errors().size(), size_t(1));
        QVERIFY(messenger_->Errors()[0].find(u"\"Seit\"") != std::u16string::npos);
        QTest::mouseClick(form.findChild<QToolButton*>("nbPost"), Qt::LeftButton);

        DbfTable table;
        table.Open(dir_->File("customers.dbf"));
        QCOMPARE(table.Value(u"Seit"), std::u16string(u"20200131"));
        QCOMPARE(table.RawValue(1), std::string_view("   1234.50"));
        table.Next();
        QCOMPARE(table.Value(u"Seit"), std::u16string(u"20260305"));
        QCOMPARE(table.RawValue(1), std::string_view("     12.50"));
        QCOMPARE(table.Value(u"Aktiv"), std::u16string(u"T"));
    }

    void typingInThePanelInsertsAndEditsRecords()
    {
        StandardCustomers();
        {
            TKundenForm form;
            form.InitDataBase(dir_->Path());
            QCOMPARE(form.Model()->rowCount(), 4);
            QCOMPARE(form.Dbf1().Value(u"Firma"), std::u16string(u"Vierte"));  // the last one is current
            QCOMPARE(form.findChild<QComboBox*>("DBEdit1")->currentText(), QString("Vierte"));

            form.findChild<QToolButton*>("nbInsert")->click();
            QCOMPARE(form.Model()->rowCount(), 5);
            form.findChild<QComboBox*>("DBEdit1")->setEditText("Neue Firma");
            form.findChild<QComboBox*>("DBEdit7")->setEditText("Passau");
            form.findChild<QPlainTextEdit*>("DBMemo1")->setPlainText("Zeile eins\nZeile zwei");
            QCOMPARE(GridColumn(form, 0).last(), QString("Neue Firma"));
            form.findChild<QToolButton*>("nbPost")->click();
            QCOMPARE(form.Dbf1().GetState(), DbfTable::State::Browse);

            // Editing the first record; moving to another row stores it.
            form.findChild<QToolButton*>("nbFirst")->click();
            QCOMPARE(form.findChild<QComboBox*>("DBEdit1")->currentText(), QString("Erste"));
            form.findChild<QComboBox*>("DBEdit2")->setEditText("Huber");
            QCOMPARE(form.Dbf1().GetState(), DbfTable::State::Edit);
            form.findChild<QToolButton*>("nbNext")->click();
            QCOMPARE(form.findChild<QComboBox*>("DBEdit1")->currentText(), QString("Zweite"));
            QCOMPARE(form.findChild<QPlainTextEdit*>("DBMemo1")->toPlainText(), QString("siehe Tabelle\nzweite Zeile"));

            // Cancel drops an edit; closing the window stores one in progress.
            form.findChild<QComboBox*>("DBEdit2")->setEditText("Verworfen");
            form.findChild<QToolButton*>("nbCancel")->click();
            QCOMPARE(form.findChild<QComboBox*>("DBEdit2")->currentText(), QString());
            form.findChild<QComboBox*>("DBEdit3")->setEditText("Beim Schließen");
            form.show();
            form.close();
        }
        DbfTable table;
        table.Open(dir_->File("customers.dbf"));
        QCOMPARE(table.PhysicalRecordCount(), 5u);
        QCOMPARE(table.Value(u"Name"), std::u16string(u"Huber"));
        table.Next();
        QCOMPARE(table.Value(u"Name"), std::u16string());
        QCOMPARE(table.Value(u"Vorname"), std::u16string(u"Beim Schließen"));
        table.Last();
        QCOMPARE(table.Value(u"Firma"), std::u16string(u"Neue Firma"));
        QCOMPARE(table.Value(u"Mehr"), std::u16string(u"Zeile eins\r\nZeile zwei"));
    }

    void deletingThroughTheNavigatorAsksFirst()
    {
        StandardCustomers();
        TKundenForm form;
        form.InitDataBase(dir_->Path());
        form.findChild<QToolButton*>("nbFirst")->click();
        messenger_->AnswerNext(Messenger::Answer::No);
        form.findChild<QToolButton*>("nbDelete")->click();
        QCOMPARE(form.Model()->rowCount(), 4);
        messenger_->AnswerNext(Messenger::Answer::Yes);
        form.findChild<QToolButton*>("nbDelete")->click();
        QCOMPARE(GridColumn(form, 0), QStringList({"Zweite", "Dritte", "Vierte"}));
        QCOMPARE(form.findChild<QComboBox*>("DBEdit1")->currentText(), QString("Zweite"));
        QCOMPARE(messenger_->UnansweredQuestions(), 0);
    }

    void searchFindsPlainLettersInAnyColumnAndShowAllEndsIt()
    {
        StandardCustomers();
        TKundenForm form;
        form.InitDataBase(dir_->Path());
        auto* filter = form.findChild<QLineEdit*>("FilterEd");
        filter->setText("ab");
        form.findChild<QPushButton*>("Filterbtn")->click();
        QCOMPARE(GridColumn(form, 0), QStringList({"Erste", "Zweite"}));  // "Abensberg", memo "Tabelle"
        QCOMPARE(form.filtertext(), std::u16string(u"AB"));
        filter->setText("vierte");
        QTest::keyClick(filter, Qt::Key_Return);
        QCOMPARE(GridColumn(form, 0), QStringList({"Vierte"}));
        QCOMPARE(form.findChild<QComboBox*>("DBEdit1")->currentText(), QString("Vierte"));
        form.findChild<QPushButton*>("AllezeigenBtn")->click();
        QCOMPARE(filter->text(), QString());
        QCOMPARE(form.Model()->rowCount(), 4);
        QVERIFY(form.filtertext().empty());
    }

    void valueListsAreMadeWhenFirstOpenedAndRefreshedOnRequest()
    {
        StandardCustomers();
        TKundenForm form;
        form.InitDataBase(dir_->Path());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // Opening the window walks no table for the lists: none is made yet.
        for (int k = 0; k < 24; ++k) {
            QCOMPARE(form.findChild<QComboBox*>(kComboNames[k])->count(), 0);
            QVERIFY(!form.ValueListFilled(k));
        }
        QCOMPARE(form.findChild<QComboBox*>("DBEdit1")->currentText(), QString("Vierte"));  // the last record

        auto* ort = form.findChild<QComboBox*>("DBEdit7");
        ClickArrow(ort);
        QCOMPARE(Items(ort), QStringList({"Abensberg", "Berlin", "berlin"}));
        QCOMPARE(ort->currentText(), QString("berlin"));  // the record's text stays in the box
        QCOMPARE(form.Dbf1().GetState(), DbfTable::State::Browse);
        QVERIFY(!form.ValueListFilled(5));

        // The first key typed into a box makes its list, before the key is handled.
        auto* plz = form.findChild<QComboBox*>("DBEdit6");
        plz->lineEdit()->selectAll();
        QTest::keyClicks(plz->lineEdit(), "8");
        QCOMPARE(Items(plz), QStringList({"", "93047"}));
        QCOMPARE(plz->currentText(), QString("8"));
        QCOMPARE(form.Dbf1().Value(5), std::u16string(u"8"));
        form.findChild<QToolButton*>("nbCancel")->click();

        form.findChild<QToolButton*>("nbInsert")->click();
        ort->setEditText("Passau");
        form.findChild<QToolButton*>("nbPost")->click();
        ClickArrow(ort);
        QCOMPARE(ort->count(), 3);  // not refreshed by the edit
        form.findChild<QAction*>("VorgabewertefrEingabefelderaktualisieren1")->trigger();
        QCOMPARE(ort->count(), 0);
        ClickArrow(ort);
        QCOMPARE(Items(ort), QStringList({"Abensberg", "Berlin", "berlin", "Passau"}));

        // The search applies: the list holds what the grid shows.
        form.findChild<QLineEdit*>("FilterEd")->setText("berlin");
        form.findChild<QPushButton*>("Filterbtn")->click();
        form.findChild<QAction*>("VorgabewertefrEingabefelderaktualisieren1")->trigger();
        auto* firma = form.findChild<QComboBox*>("DBEdit1");
        ClickArrow(firma);
        QCOMPARE(Items(firma), QStringList({"Zweite", "Dritte", "Vierte"}));
    }

    void aDamagedMemoHidesNoRecordFromTheSearchOrTheEditPanel()
    {
        std::vector<std::vector<std::pair<std::u16string, std::u16string>>> rows;
        for (int i = 1; i <= 20; ++i) {
            const std::u16string n = ToU16(QString::number(i));
            rows.push_back({{u"Firma", u"Kunde " + n}, {u"Mehr", u"Notiz " + n}});
        }
        const std::string path = dir_->File("customers.dbf");
        FillCustomers(path, CustomerSchema::StandardFields(), rows);
        DamageMemoPointer(path, 5);
        TKundenForm form;
        form.InitDataBase(dir_->Path());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* filter = form.findChild<QLineEdit*>("FilterEd");
        QTest::keyClicks(filter, "kunde");
        QTest::mouseClick(form.findChild<QPushButton*>("Filterbtn"), Qt::LeftButton);
        QCOMPARE(form.Model()->rowCount(), 20);
        QVERIFY(messenger_->Boxes().empty());  // every record matched before its memo was read
        filter->clear();
        QTest::keyClicks(filter, "notiz 1");
        QTest::keyClick(filter, Qt::Key_Return);
        QCOMPARE(GridColumn(form, 0),
                 QStringList({"Kunde 1", "Kunde 10", "Kunde 11", "Kunde 12", "Kunde 13", "Kunde 14", "Kunde 15",
                              "Kunde 16", "Kunde 17", "Kunde 18", "Kunde 19"}));
        QCOMPARE(messenger_->Errors(),
                 std::vector<std::u16string>{u"Die Suche hat alle übrigen Datensätze durchsucht. 1 Datensatz hat ein "
                                             u"beschädigtes Memo, das als leer behandelt wurde: Nr. 5."});
        messenger_->Reset();
        form.findChild<QPushButton*>("AllezeigenBtn")->click();

        auto* grid = form.findChild<QTableView*>("DBGrid1");
        auto* memo = form.findChild<QPlainTextEdit*>("DBMemo1");
        ClickCell(grid, 3, 0);
        QCOMPARE(memo->toPlainText(), QString("Notiz 4"));
        ClickCell(grid, 4, 0);
        QCOMPARE(form.findChild<QComboBox*>("DBEdit1")->currentText(), QString("Kunde 5"));
        QCOMPARE(memo->toPlainText(), QString());  // its own memo, empty; not the one before
        ClickCell(grid, 5, 0);
        QCOMPARE(memo->toPlainText(), QString("Notiz 6"));
        QVERIFY(messenger_->Boxes().empty());  // moving about reports nothing
    }

    void clickingAColumnTitleSortsThroughANamedIndex()
    {
        StandardCustomers();
        TKundenForm form;
        form.InitDataBase(dir_->Path());
        auto* header = form.findChild<QTableView*>("DBGrid1")->horizontalHeader();
        Q_EMIT header->sectionClicked(0);
        QCOMPARE(GridColumn(form, 0), QStringList({"Dritte", "Erste", "Vierte", "Zweite"}));
        Q_EMIT header->sectionClicked(0);
        QCOMPARE(form.Dbf1().IndexNames().size(), size_t(1));
        QCOMPARE(GridColumn(form, 0), QStringList({"Dritte", "Erste", "Vierte", "Zweite"}));
        Q_EMIT header->sectionClicked(12);  // the memo: nothing changes
        QCOMPARE(form.Dbf1().ActiveIndex(), std::u16string(u"Firma"));
        QVERIFY(messenger_->Boxes().empty());
    }

    void clickingAnotherRowStoresTheEditEvenWhenTheOrderChanges()
    {
        StandardCustomers();
        TKundenForm form;
        form.InitDataBase(dir_->Path());
        auto* grid = form.findChild<QTableView*>("DBGrid1");
        Q_EMIT grid->horizontalHeader()->sectionClicked(0);  // Dritte, Erste, Vierte, Zweite
        grid->selectionModel()->setCurrentIndex(form.Model()->index(0, 0), QItemSelectionModel::ClearAndSelect);
        QCOMPARE(form.findChild<QComboBox*>("DBEdit1")->currentText(), QString("Dritte"));
        form.findChild<QComboBox*>("DBEdit1")->setEditText("Zzz");
        grid->selectionModel()->setCurrentIndex(form.Model()->index(1, 0), QItemSelectionModel::ClearAndSelect);
        QCOMPARE(GridColumn(form, 0), QStringList({"Erste", "Vierte", "Zweite", "Zzz"}));
        QCOMPARE(form.findChild<QComboBox*>("DBEdit1")->currentText(), QString("Erste"));
        QCOMPARE(grid->currentIndex().row(), 0);
        QCOMPARE(form.Dbf1().GetState(), DbfTable::State::Browse);
    }

    void memoHeightIsStoredBetweenRuns()
    {
        QSettings().setValue("TKundenForm/DBMemo1.Height", 150);
        TKundenForm form;
        form.InitDataBase(dir_->Path());
        form.resize(1000, 700);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* memo = form.findChild<QPlainTextEdit*>("DBMemo1");
        QVERIFY2(std::abs(memo->height() - 150) <= 4, qPrintable(QString::number(memo->height())));
        auto* splitter = form.findChild<QSplitter*>("Splitter1");
        splitter->setSizes({splitter->sizes()[0] + splitter->sizes()[1] - 120, 120});
        const int height = memo->height();
        form.close();
        QCOMPARE(QSettings().value("TKundenForm/DBMemo1.Height").toInt(), height);
    }
};

QTEST_MAIN(TKundenFormTest)
#include "TKundenFormTest.moc"
