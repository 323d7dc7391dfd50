// The customer window's columns over real tables in a temporary data folder: adding,
// deleting, changing lengths and reordering them through the "Felder" menu, its dialogs
// answered by a scripted runner.
#include "KundenFormTestSupport.h"
#include "customers/CustomerSchema.h"
#include "customers/CustomerTestTables.h"
#include "dbase/DbfTable.h"
#include "messages/MessageCatalog.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"
#include "ui/customers/KundenTableModel.h"
#include "ui/customers/TFeldLangeForm.h"
#include "ui/customers/TKundenForm.h"
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

class TKundenFormColumnsTest : public QObject, private KundenFormFixture {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InitNames(); }
    void init() { InitFolder(); }
    void cleanup() { CleanupFolder(); }

    void addingAColumnThroughItsDialog()
    {
        StandardCustomers();
        TKundenForm form;
        ScriptedRunner runner;
        const ScopedRunner scoped(runner);
        form.InitDataBase(dir_->Path());
        QCOMPARE(form.NeueFelderForm()->windowTitle(), QString("Feld hinzufügen"));
        QCOMPARE(form.NeueFelderForm()->LangEd()->value(), 45);

        runner.answer = [](QDialog&) { return int(QDialog::Rejected); };
        form.findChild<QAction*>("Feldhinzufgen1")->trigger();
        QCOMPARE(form.Model()->columnCount(), 15);

        runner.answer = [](QDialog&) { return int(QDialog::Accepted); };  // name left empty
        form.findChild<QAction*>("Feldhinzufgen1")->trigger();
        QCOMPARE(messenger_->Errors(), std::vector<std::u16string>({MessageText(195)}));
        QCOMPARE(form.Model()->columnCount(), 15);

        runner.answer = [](QDialog& dialog) {
            auto& neu = static_cast<TNeueFelderForm&>(dialog);
            neu.Edit1()->setText("Bemerkung");
            neu.LangEd()->setValue(30);
            return int(QDialog::Accepted);
        };
        form.findChild<QAction*>("Feldhinzufgen1")->trigger();
        QCOMPARE(form.Model()->columnCount(), 16);
        QCOMPARE(Headers(form).last(), QString("Bemerkung"));
        QCOMPARE(form.Dbf1().Field(15).length, 30);
        QCOMPARE(form.Model()->rowCount(), 4);
        QVERIFY(form.findChild<QComboBox*>("DbEdit15")->isVisibleTo(&form));
        QCOMPARE(form.findChild<QLabel*>("Label17")->text(), QString("Bemerkung:"));
        QCOMPARE(form.NeueFelderForm()->LangEd()->value(), 30);  // kept for the next use
        DbfTable old;
        old.Open(dir_->File("customers0.dbf"));
        QCOMPARE(old.FieldCount(), 15);
    }

    void deletingTheLastColumnIsRefusedOrAsked()
    {
        StandardCustomers();
        TKundenForm form;
        form.InitDataBase(dir_->Path());
        form.findChild<QAction*>("LetztesFeldlschen1")->trigger();
        QCOMPARE(messenger_->Errors(), std::vector<std::u16string>({MessageText(198)}));

        QVERIFY(form.AddnewField(u"Extra", 10));
        form.AktuallisiereDBEdit();
        messenger_->Reset();
        messenger_->AnswerNext(Messenger::Answer::No);
        form.findChild<QAction*>("LetztesFeldlschen1")->trigger();
        QCOMPARE(form.Model()->columnCount(), 16);
        messenger_->AnswerNext(Messenger::Answer::Yes);
        form.findChild<QAction*>("LetztesFeldlschen1")->trigger();
        QCOMPARE(form.Model()->columnCount(), 15);
        QCOMPARE(messenger_->Boxes().size(), size_t(2));
        QCOMPARE(messenger_->Boxes()[1].text, MessageText(200));
        QCOMPARE(messenger_->Boxes()[1].title, MessageText(201));
        QVERIFY(!form.findChild<QComboBox*>("DbEdit15")->isVisibleTo(&form));
    }

    void changingLengthsThroughTheGrid()
    {
        StandardCustomers();
        TKundenForm form;
        ScriptedRunner runner;
        const ScopedRunner scoped(runner);
        form.InitDataBase(dir_->Path());
        runner.answer = [](QDialog& dialog) {
            auto& lengths = static_cast<TFeldLangeForm&>(dialog);
            QTableWidget* grid = lengths.StringGrid1();
            if (grid->horizontalHeaderItem(0)->text() != "Feldname" ||
                grid->horizontalHeaderItem(1)->text() != "Feldlänge")
                return int(QDialog::Rejected);
            if (grid->item(12, 0)->text() != "" || grid->item(6, 1)->text() != "45")
                return int(QDialog::Rejected);
            grid->item(6, 1)->setText("5");
            grid->item(5, 1)->setText("abc");
            return int(QDialog::Accepted);
        };
        form.findChild<QAction*>("Feldlngenbearbeiten1")->trigger();
        QCOMPARE(runner.runs, 1);
        QCOMPARE(form.Dbf1().Field(6).length, 5);
        QCOMPARE(form.Dbf1().Field(5).length, 10);
        QCOMPARE(GridColumn(form, 6), QStringList({"Abens", "Berli", "Berli", "berli"}));
    }

    void lengthsAreTypedIntoSpinBoxesFromOneTo254()
    {
        StandardCustomers();
        TKundenForm form;
        ScriptedRunner runner;
        const ScopedRunner scoped(runner);
        form.InitDataBase(dir_->Path());
        runner.answer = [](QDialog& dialog) {
            auto& lengths = static_cast<TFeldLangeForm&>(dialog);
            dialog.show();
            if (!QTest::qWaitForWindowExposed(&dialog))
                return int(QDialog::Rejected);
            QTableWidget* grid = lengths.StringGrid1();
            const auto type = [grid](int row, const char* keys) {
                auto* spin = qobject_cast<QSpinBox*>(grid->indexWidget(grid->model()->index(row, 1)));
                if (!spin)
                    return;
                QTest::mouseClick(spin->findChild<QLineEdit*>(), Qt::LeftButton);
                QTest::keyClick(spin->findChild<QLineEdit*>(), Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(spin->findChild<QLineEdit*>(), keys);
            };
            type(6, "255");  // the last 5 would leave 1 to 254: "25" stays
            type(1, "0");    // not a length: the column keeps 45
            type(2, "254");
            QTest::mouseClick(dialog.findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
            return dialog.result();
        };
        form.findChild<QAction*>("Feldlngenbearbeiten1")->trigger();
        QCOMPARE(runner.runs, 1);
        QVERIFY(messenger_->Boxes().empty());
        QCOMPARE(form.Dbf1().Field(6).length, 25);
        QCOMPARE(form.Dbf1().Field(1).length, 45);
        QCOMPARE(form.Dbf1().Field(2).length, 254);
        QCOMPARE(GridColumn(form, 6), QStringList({"Abensberg", "Berlin", "Berlin", "berlin"}));
    }

    void reorderingMovesEmailToTheTop()
    {
        StandardCustomers();
        TKundenForm form;
        ScriptedRunner runner;
        const ScopedRunner scoped(runner);
        form.InitDataBase(dir_->Path());
        runner.answer = [](QDialog& dialog) {
            auto& sort = static_cast<TSortFeldForm&>(dialog);
            sort.BitBtn1Click();  // nothing selected: nothing happens
            sort.ListBox1()->setCurrentRow(11);
            for (int i = 0; i < 12; ++i)
                sort.BitBtn1Click();  // the last one at the top does nothing
            return int(QDialog::Accepted);
        };
        form.findChild<QAction*>("Felderumsortieren1")->trigger();
        QCOMPARE(form.SortFeldForm()->nrs().front(), 11);
        QCOMPARE(Headers(form).first(), QString("Email"));
        QCOMPARE(Headers(form)[1], QString("Firma"));
        QCOMPARE(form.findChild<QLabel*>("Label1")->text(), QString("Email:"));
        QCOMPARE(GridColumn(form, 0).first(), QString("erste@example.de"));
    }
};

QTEST_MAIN(TKundenFormColumnsTest)
#include "TKundenFormColumnsTest.moc"
