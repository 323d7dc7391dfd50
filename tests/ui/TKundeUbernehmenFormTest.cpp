// Taking a customer into the selected invoice through the real main window: the pick dialog
// "Kunde übernehmen" over the customer window's records, filter and current record, the
// transfer by column name, "Mehr" at the caret, OK and cancel by mouse and keyboard, the
// stored check box, and a customer table that could not be opened.
#include "ui/customers/TKundeUbernehmenForm.h"
#include "MainWindowHarness.h"
#include "customers/CustomerRestructure.h"
#include "customers/CustomerTestTables.h"
#include "invoices/TextBuf.h"
#include "ui/customers/KundenTableModel.h"
#include "ui/customers/TKundenForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

namespace {

using Row = std::vector<std::pair<std::u16string, std::u16string>>;

const Row kMeier = {{u"Firma", u"Meier GmbH"},
                    {u"Name", u"Meier"},
                    {u"Vorname", u"Hans"},
                    {u"Anrede", u"Herr"},
                    {u"StrasseNr", u"Weg 1"},
                    {u"PLZ", u"93047"},
                    {u"Ort", u"Regensburg"},
                    {u"Land", u"D"},
                    {u"Telefon", u"0941 1"},
                    {u"Fax", u""},
                    {u"Handy", u"0171"},
                    {u"Email", u"meier@example.de"},
                    {u"Mehr", u"Kunde seit 2001\r\nzahlt bar"},
                    {u"Kundennr", u"K-1"}};
const Row kBerg = {{u"Firma", u"Berg AG"}, {u"Name", u"Berg"}, {u"Ort", u"Abensberg"}, {u"Fax", u"09443 2"}};

std::u16string Text(const char16_t* buffer)
{
    return std::u16string(TextOf(buffer));
}

}  // namespace

class TKundeUbernehmenFormTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindowHarness> h;

    TKundenForm* Kunden() const { return h->Form()->findChild<TKundenForm*>(); }
    TKundeUbernehmenForm* Pick() const { return h->Form()->findChild<TKundeUbernehmenForm*>(); }
    QLineEdit* Edit(const char* name) const { return h->Child<QLineEdit>(name); }

    // A data folder with these customers, the main window started, one new invoice selected.
    void StartWith(const std::vector<Row>& rows)
    {
        QDir().mkpath(h->DataFolder());
        FillCustomers((h->DataFolder() + "customers.dbf").toStdString(), CustomerSchema::StandardFields(), rows);
        h->Start();
        h->Child<QPushButton>("NeueRechnungBtn")->click();
    }

    // Opens the pick dialog with "Kunde aus Kundenverwaltung übernehmen..." and runs `act` in it.
    void Pick(std::function<void(TKundeUbernehmenForm*)> act)
    {
        bool ran = false;
        MainWindowHarness::WhenDialogShown([&](QWidget* dialog) {
            ran = true;
            auto* pick = qobject_cast<TKundeUbernehmenForm*>(dialog);
            if (!pick)
                qFatal("not the pick dialog");
            act(pick);
        });
        h->Child<QPushButton>("BitBtn1", h->Child<QWidget>("TabRechnungen"))->click();
        QVERIFY(ran);
    }

    static void SelectRow(TKundeUbernehmenForm* pick, int row)
    {
        auto* grid = pick->findChild<QTableView*>("DBGrid1");
        grid->selectionModel()->setCurrentIndex(grid->model()->index(row, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName("Vestrik");
        QCoreApplication::setApplicationName("Rekolon");
    }
    void init() { h = std::make_unique<MainWindowHarness>(); }
    void cleanup()
    {
        QCOMPARE(h->Messenger().UnansweredQuestions(), 0);
        h.reset();
    }

    void navigatorButtonsFollowTheTableState()
    {
        StartWith({kMeier, kBerg});
        const QStringList names = {"nbFirst",  "nbPrior", "nbNext", "nbLast",   "nbInsert",
                                   "nbDelete", "nbEdit",  "nbPost", "nbCancel", "nbRefresh"};
        const auto states = [names](TKundeUbernehmenForm* pick) {
            QString enabled;
            for (const QString& name : names)
                enabled += pick->findChild<QToolButton*>(name)->isEnabled() ? '1' : '0';
            return enabled;
        };
        Pick([&](TKundeUbernehmenForm* pick) {
            // On the first of two records: backward and the end of editing are off.
            QTest::mouseClick(pick->findChild<QToolButton*>("nbFirst"), Qt::LeftButton);
            QCOMPARE(states(pick), QString("0011111001"));
            QTest::mouseClick(pick->findChild<QToolButton*>("nbLast"), Qt::LeftButton);
            QCOMPARE(states(pick), QString("1100111001"));
            QTest::mouseClick(pick->findChild<QToolButton*>("nbInsert"), Qt::LeftButton);
            QCOMPARE(states(pick), QString("1100110111"));  // a new row, last; store or cancel
            QTest::mouseClick(pick->findChild<QToolButton*>("nbCancel"), Qt::LeftButton);
            QCOMPARE(Kunden()->Dbf1().GetState(), DbfTable::State::Browse);
            QCOMPARE(states(pick), QString("1100111001"));
            pick->reject();
        });
    }

    void anEmptyTableLeavesOnlyInsertAndRefresh()
    {
        StartWith({});
        Pick([this](TKundeUbernehmenForm* pick) {
            for (QToolButton* button : pick->findChild<QWidget*>("DBNavigator1")->findChildren<QToolButton*>()) {
                const bool allowed = button->objectName() == "nbInsert" || button->objectName() == "nbRefresh";
                QVERIFY2(button->isEnabled() == allowed, qPrintable(button->objectName()));
            }
            QCOMPARE(Kunden()->Dbf1().PhysicalRecordCount(), 0u);
            pick->reject();
        });
    }

    void dialogControlsAndCaptions()
    {
        StartWith({kMeier, kBerg});
        Pick([](TKundeUbernehmenForm* pick) {
            QCOMPARE(pick->windowTitle(), QString("Kunde übernehmen"));
            QCOMPARE(pick->minimumSize(), pick->maximumSize());  // fixed border
            const auto buttons = pick->findChild<QWidget*>("DBNavigator1")->findChildren<QToolButton*>();
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
            QCOMPARE(buttons.size(), 10);
            for (int i = 0; i < 10; ++i)
                QCOMPARE(buttons[i]->toolTip(), hints[i]);
            QCOMPARE(pick->findChild<QLabel*>("Label1")->text(), QString("Suchen:"));
            QCOMPARE(pick->findChild<QPushButton*>("Filterbtn")->text(), QString("Filtern"));
            QCOMPARE(pick->findChild<QPushButton*>("AllezeigenBtn")->text(), QString("Alle zeigen"));
            QCOMPARE(pick->OverTakeFieldMehrCheck()->text(),
                     QString("Das Feld \"Mehr\" in den Rechnungstext übernehmen"));
            QVERIFY(!pick->OverTakeFieldMehrCheck()->isChecked());
            QVERIFY(pick->findChild<QPushButton*>("BitBtn1")->isDefault());
            QCOMPARE(pick->findChild<QPushButton*>("BitBtn2")->text(), QString("Abbrechen"));
            QCOMPARE(pick->findChild<QTableView*>("DBGrid1")->model()->rowCount(), 2);
            pick->reject();
        });
    }

    void okTakesTheAddressAndEmptiesTheSupplementLine()
    {
        StartWith({kBerg, kMeier});
        Edit("FAXEd")->setText("alte Faxnummer");
        Edit("ZusatzED")->setText("z. Hd. Buchhaltung");
        Edit("LFirmaED")->setText("Lieferfirma");
        h->Child<QPlainTextEdit>("RechungsTextED")->setPlainText("bleibt");
        Pick([](TKundeUbernehmenForm* pick) {
            SelectRow(pick, 1);
            pick->findChild<QPushButton*>("BitBtn1")->click();
        });
        const TRechnungRec& r = h->Book().Rechnung(0);
        QCOMPARE(Text(r.firma), std::u16string(u"Meier GmbH"));
        QCOMPARE(Text(r.name), std::u16string(u"Meier"));
        QCOMPARE(Text(r.vorname), std::u16string(u"Hans"));
        QCOMPARE(Text(r.anrede), std::u16string(u"Herr"));
        QCOMPARE(Text(r.strasse), std::u16string(u"Weg 1"));
        QCOMPARE(Text(r.plz), std::u16string(u"93047"));
        QCOMPARE(Text(r.ort), std::u16string(u"Regensburg"));
        QCOMPARE(Text(r.land), std::u16string(u"D"));
        QCOMPARE(Text(r.tel), std::u16string(u"0941 1"));
        QCOMPARE(Text(r.fax), std::u16string(u""));  // an empty "Fax" replaces the old text
        QCOMPARE(Text(r.email), std::u16string(u"meier@example.de"));
        QCOMPARE(Text(r.zusatz), std::u16string(u""));
        QCOMPARE(Text(r.lfirma), std::u16string(u"Lieferfirma"));  // the delivery address stays
        QCOMPARE(Text(r.rechtext), std::u16string(u"bleibt"));     // box not ticked
        QCOMPARE(Edit("FAXEd")->text(), QString());
        QCOMPARE(Edit("eMailEd")->text(), QString("meier@example.de"));
        // The list row shows it too.
        QCOMPARE(MainWindowHarness::Cell(h->Child<QTableView>("ListView1"), 0, 2), QString("Meier GmbH"));
        // The customer window stands on the picked record.
        QCOMPARE(Kunden()->Dbf1().Value(u"Name"), std::u16string(u"Meier"));
        QVERIFY(h->Messenger().Boxes().empty());
    }

    void cancelAndEscapeChangeNothing()
    {
        StartWith({kMeier});
        Edit("ZusatzED")->setText("bleibt");
        Edit("FirmaED")->setText("Alt");
        Pick([](TKundeUbernehmenForm* pick) { pick->findChild<QPushButton*>("BitBtn2")->click(); });
        Pick([](TKundeUbernehmenForm* pick) { QTest::keyClick(pick, Qt::Key_Escape); });
        QCOMPARE(Text(h->Book().Rechnung(0).firma), std::u16string(u"Alt"));
        QCOMPARE(Text(h->Book().Rechnung(0).zusatz), std::u16string(u"bleibt"));
    }

    // Enter in the dialog's search field confirms the dialog; it does not filter.
    void enterConfirmsEvenInTheSearchField()
    {
        StartWith({kMeier, kBerg});
        Pick([](TKundeUbernehmenForm* pick) {
            auto* search = pick->findChild<QLineEdit*>("FilterEd");
            search->setText("Berg");
            search->setFocus();
            QTest::keyClick(search, Qt::Key_Return);
        });
        QVERIFY(Kunden()->filtertext().empty());
        QCOMPARE(Text(h->Book().Rechnung(0).firma), std::u16string(u"Berg AG"));  // the last record was current
    }

    void mehrGoesIntoTheMiddleOfALineAndTheBoxIsKept()
    {
        StartWith({kMeier});
        auto* memo = h->Child<QPlainTextEdit>("RechungsTextED");
        memo->setPlainText("Erste Zeile\nZweite Zeile");
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(12 + 6);  // after "Zweite"
        memo->setTextCursor(cursor);
        Pick([](TKundeUbernehmenForm* pick) {
            pick->OverTakeFieldMehrCheck()->setChecked(true);
            pick->accept();
        });
        QCOMPARE(memo->toPlainText(), QString("Erste Zeile\nZweiteKunde seit 2001\nzahlt bar Zeile"));
        QCOMPARE(Text(h->Book().Rechnung(0).rechtext),
                 std::u16string(u"Erste Zeile\r\nZweiteKunde seit 2001\r\nzahlt bar Zeile"));
        QCOMPARE(memo->textCursor().position(), 18 + 25);
        QVERIFY(!memo->textCursor().hasSelection());

        // The box is kept between runs.
        h->Stop();
        h->Start();
        h->Child<QPushButton>("NeueRechnungBtn")->click();
        bool checked = false;
        Pick([&](TKundeUbernehmenForm* pick) {
            checked = pick->OverTakeFieldMehrCheck()->isChecked();
            pick->accept();
        });
        QVERIFY(checked);
        QCOMPARE(h->Child<QPlainTextEdit>("RechungsTextED")->toPlainText(), QString("Kunde seit 2001\nzahlt bar"));
    }

    void afterAReorderEveryColumnIsFoundByName()
    {
        StartWith({kMeier});
        TKundenForm* kunden = Kunden();
        const std::vector<int> order{11, 12, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 14};  // Email, Mehr first
        QVERIFY(kunden->Customers().Rebuild(CustomerRestructure::Reorder(kunden->Dbf1().Fields(), order)));
        kunden->AktuallisiereDBEdit();
        Pick([](TKundeUbernehmenForm* pick) {
            pick->OverTakeFieldMehrCheck()->setChecked(true);
            SelectRow(pick, 0);
            pick->accept();
        });
        const TRechnungRec& r = h->Book().Rechnung(0);
        QCOMPARE(Text(r.firma), std::u16string(u"Meier GmbH"));
        QCOMPARE(Text(r.email), std::u16string(u"meier@example.de"));
        QCOMPARE(Text(r.ort), std::u16string(u"Regensburg"));
        QCOMPARE(Text(r.rechtext), std::u16string(u"Kunde seit 2001\r\nzahlt bar"));
    }

    // The search and the current record are the customer window's, both ways.
    void filterAndCurrentRecordAreShared()
    {
        StartWith({kMeier, kBerg, {{u"Firma", u"Dritte"}, {u"Ort", u"Abensberg"}}});
        TKundenForm* kunden = Kunden();
        Pick([&](TKundeUbernehmenForm* pick) {
            pick->findChild<QLineEdit*>("FilterEd")->setText("abens");
            pick->findChild<QPushButton*>("Filterbtn")->click();
            QCOMPARE(kunden->filtertext(), std::u16string(u"ABENS"));
            QCOMPARE(kunden->findChild<QLineEdit*>("FilterEd")->text(), QString("abens"));
            auto* grid = pick->findChild<QTableView*>("DBGrid1");
            QCOMPARE(grid->model()->rowCount(), 2);
            SelectRow(pick, 1);
            QCOMPARE(kunden->Dbf1().Value(u"Firma"), std::u16string(u"Dritte"));
            QCOMPARE(kunden->findChild<QComboBox*>("DBEdit1")->currentText(), QString("Dritte"));
            pick->reject();
        });
        // The filter stays in force in the customer window; the next pick shows the same.
        QCOMPARE(kunden->Model()->rowCount(), 2);
        kunden->Dbf1().First();
        kunden->SyncGridToTable();
        Pick([&](TKundeUbernehmenForm* pick) {
            auto* grid = pick->findChild<QTableView*>("DBGrid1");
            QCOMPARE(grid->currentIndex().row(), 0);
            pick->findChild<QToolButton*>("nbNext")->click();
            QCOMPARE(grid->currentIndex().row(), 1);
            pick->findChild<QPushButton*>("AllezeigenBtn")->click();
            QVERIFY(kunden->filtertext().empty());
            QVERIFY(kunden->findChild<QLineEdit*>("FilterEd")->text().isEmpty());
            QVERIFY(pick->findChild<QLineEdit*>("FilterEd")->text().isEmpty());
            QCOMPARE(grid->model()->rowCount(), 3);
            pick->reject();
        });
    }

    // Each window has a grid of its own over the shared records: a row clicked and a cell
    // typed into in the pick dialog show at once in the customer window's grid, edit panel
    // and navigator; closing the dialog stores the record.
    void aCellTypedInThePickGridShowsInTheCustomerWindow()
    {
        StartWith({kMeier, kBerg});
        TKundenForm* kunden = Kunden();
        auto* kundenGrid = kunden->findChild<QTableView*>("DBGrid1");
        auto* firma = kunden->findChild<QComboBox*>("DBEdit1");
        Pick([&](TKundeUbernehmenForm* pick) {
            auto* grid = pick->findChild<QTableView*>("DBGrid1");
            QVERIFY(grid->model() != kundenGrid->model());
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualRect(grid->model()->index(1, 0)).center());
            QCOMPARE(grid->currentIndex().row(), 1);
            QCOMPARE(kundenGrid->currentIndex().row(), 1);
            const QString before = grid->model()->index(1, 0).data().toString();
            QCOMPARE(firma->currentText(), before);
            QTest::keyClick(grid, Qt::Key_F2);
            auto* editor = grid->viewport()->findChild<QLineEdit*>();
            QVERIFY(editor);
            QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(editor, "Neu GmbH");
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents();  // the delegate commits through a queued call
            QCOMPARE(kundenGrid->model()->index(1, 0).data().toString(), QString("Neu GmbH"));
            QCOMPARE(firma->currentText(), QString("Neu GmbH"));
            QCOMPARE(kunden->Dbf1().GetState(), DbfTable::State::Edit);
            QVERIFY(kunden->findChild<QToolButton*>("nbPost")->isEnabled());
            QVERIFY(pick->findChild<QToolButton*>("nbPost")->isEnabled());
            pick->reject();
        });
        QCOMPARE(kunden->Dbf1().GetState(), DbfTable::State::Browse);
        QCOMPARE(kunden->Dbf1().Value(u"Firma"), std::u16string(u"Neu GmbH"));
        QVERIFY(!kunden->findChild<QToolButton*>("nbPost")->isEnabled());
    }

    void anEmptyTableTakesNothing()
    {
        StartWith({});
        Edit("FirmaED")->setText("Bleibt");
        Pick([](TKundeUbernehmenForm* pick) { pick->accept(); });
        QCOMPARE(Text(h->Book().Rechnung(0).firma), std::u16string(u"Bleibt"));
        QCOMPARE(h->Messenger().Errors().size(), size_t(1));
        QVERIFY(h->Messenger().Errors()[0].find(u"kein Kunde ausgewählt") != std::u16string::npos);
    }

    // A customer table that exists but cannot be opened stays closed; the pick says so and
    // shows no dialog.
    void aTableThatCouldNotBeOpenedIsReported()
    {
        QDir().mkpath(h->DataFolder());
        WriteWholeFile((h->DataFolder() + "customers.dbf").toStdString(), "kein dBase");
        h->Start();
        h->Child<QPushButton>("NeueRechnungBtn")->click();
        h->Messenger().Reset();
        Edit("FirmaED")->setText("Bleibt");
        h->Child<QPushButton>("BitBtn1", h->Child<QWidget>("TabRechnungen"))->click();
        QCOMPARE(h->Messenger().Errors().size(), size_t(1));
        QVERIFY(h->Messenger().Errors()[0].find(u"nicht geöffnet") != std::u16string::npos);
        QCOMPARE(Text(h->Book().Rechnung(0).firma), std::u16string(u"Bleibt"));
        QCOMPARE(ReadWholeFile((h->DataFolder() + "customers.dbf").toStdString()), std::string("kein dBase"));
    }
};

QTEST_MAIN(TKundeUbernehmenFormTest)
#include "TKundeUbernehmenFormTest.moc"
