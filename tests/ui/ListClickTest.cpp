#include "MainWindowHarness.h"
#include "invoices/TextBuf.h"
#include "ui/shared/QtText.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

// A mouse click on a row makes that row's record the one the editors show and change: the
// clicked record, not the one selected before, receives what is typed next.
class ListClickTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindowHarness> h;

    QWidget* positions() { return h->Child<QWidget>("PositionenPage"); }
    QWidget* articles() { return h->Child<QWidget>("TabArtikel"); }
    QTableView* list(const char* name, QObject* scope = nullptr) { return h->Child<QTableView>(name, scope); }
    void click(const char* name, QObject* scope = nullptr) { h->Child<QPushButton>(name, scope)->click(); }

    // A left click in the middle of a row, where a user would click.
    static void ClickRow(QTableView* view, int row, int column = 1)
    {
        const QModelIndex index = view->model()->index(row, column);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }
    // Clicks into an edit field and types at the end of its text.
    static void TypeAtEnd(QLineEdit* edit, const QString& text)
    {
        QTest::mouseClick(edit, Qt::LeftButton, {}, edit->rect().center());
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClicks(edit, text);
    }
    static QString Text(const char16_t* buffer) { return ToQString(std::u16string(TextOf(buffer))); }

private Q_SLOTS:
    void init() { h = std::make_unique<MainWindowHarness>(); }
    void cleanup()
    {
        QCOMPARE(h->Messenger().UnansweredQuestions(), 0);
        h.reset();
    }

    void typingAfterAClickChangesTheClickedInvoice()
    {
        h->Start();
        for (const char* name : {"Albers", "Brandt", "Conrad"}) {
            click("NeueRechnungBtn");
            h->Child<QLineEdit>("NameED")->setText(name);
        }
        QTableView* invoices = list("ListView1");
        ClickRow(invoices, 0);
        QCOMPARE(h->Child<QLineEdit>("NameED")->text(), QString("Albers"));
        ClickRow(invoices, 2);
        QCOMPARE(h->Child<QLineEdit>("NameED")->text(), QString("Conrad"));
        TypeAtEnd(h->Child<QLineEdit>("NameED"), "x");
        QCOMPARE(Text(h->Book().Rechnung(0).name), QString("Albers"));
        QCOMPARE(Text(h->Book().Rechnung(2).name), QString("Conradx"));

        // "Neu" on the positions tab adds to the invoice just clicked.
        ClickRow(invoices, 1);
        h->Child<QTabWidget>("PageControl1")->setCurrentIndex(2);
        click("NeuePosiBtn");
        QCOMPARE(h->Book().Rechnung(1).posis->Count(), 1u);
        QCOMPARE(h->Book().Rechnung(0).posis->Count(), 0u);
        QCOMPARE(h->Book().Rechnung(2).posis->Count(), 0u);
    }

    void typingAfterAClickChangesTheClickedPosition()
    {
        h->Start();
        click("NeueRechnungBtn");
        h->Child<QTabWidget>("PageControl1")->setCurrentIndex(2);
        for (const char* artnr : {"A-1", "B-2", "C-3"}) {
            click("NeuePosiBtn");
            h->Child<QLineEdit>("ArtNrEd", positions())->setText(artnr);
        }
        QTableView* view = list("ListView2", positions());
        ClickRow(view, 0);
        ClickRow(view, 2);
        QCOMPARE(h->Child<QLineEdit>("ArtNrEd", positions())->text(), QString("C-3"));
        TypeAtEnd(h->Child<QLineEdit>("ArtNrEd", positions()), "x");
        QCOMPARE(Text(h->Book().Position(0, 0).artnr), QString("A-1"));
        QCOMPARE(Text(h->Book().Position(0, 2).artnr), QString("C-3x"));
    }

    void typingAfterAClickChangesTheClickedArticle()
    {
        h->Start();
        h->Child<QTabWidget>("PageControl2")->setCurrentIndex(1);
        for (const char* artnr : {"A-1", "B-2", "C-3"}) {
            click("NewArtikelBtn", articles());
            h->Child<QLineEdit>("ArtNrEd2", articles())->setText(artnr);
        }
        QTableView* view = list("ListView3", articles());
        ClickRow(view, 0);
        ClickRow(view, 2);
        QCOMPARE(h->Child<QLineEdit>("ArtNrEd2", articles())->text(), QString("C-3"));
        TypeAtEnd(h->Child<QLineEdit>("ArtNrEd2", articles()), "x");
        QCOMPARE(Text(h->Book().Artikel(0).artnr), QString("A-1"));
        QCOMPARE(Text(h->Book().Artikel(2).artnr), QString("C-3x"));
    }
};

QTEST_MAIN(ListClickTest)
#include "ListClickTest.moc"
