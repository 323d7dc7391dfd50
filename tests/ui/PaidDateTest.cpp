#include "MainWindowHarness.h"
#include "ui/shared/OptionalDateEdit.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

// The paid date ("Bezahlt:") of an invoice: typed, picked from the calendar and cleared, as a
// user does it, and stored in the invoice.
class PaidDateTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindowHarness> h;

    OptionalDateEdit* paid() { return h->Child<OptionalDateEdit>("DateEdit2"); }
    QLineEdit* paidText() { return paid()->LineEdit(); }
    double bezahlt() { return h->Book().Rechnung(0).bezahlt; }
    QString paidColumn() { return MainWindowHarness::Cell(h->Child<QTableView>("ListView1"), 0, 10); }
    static double DayValue(const QDate& date) { return double(date.toJulianDay() - QDate(1899, 12, 30).toJulianDay()); }

    void StartWithInvoice()
    {
        h->Start();
        h->Child<QPushButton>("NeueRechnungBtn")->click();
        QApplication::processEvents();  // lays out the lower tabs, now shown
        QVERIFY(paid()->IsEmpty());
    }
    void TypeInto(const QString& text)
    {
        QTest::mouseClick(paidText(), Qt::LeftButton, {}, paidText()->rect().center());
        QTest::keyClick(paidText(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(paidText(), text);
    }

private Q_SLOTS:
    void init() { h = std::make_unique<MainWindowHarness>(); }
    void cleanup() { h.reset(); }

    void typedDatesAreStored_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pressEnter");
        QTest::newRow("display format, no Enter") << "05.03.2026" << false;
        QTest::newRow("short day and month") << "5.3.2026" << true;
        QTest::newRow("two-digit year") << "5.3.26" << true;
        QTest::newRow("digits only") << "05032026" << true;
    }
    void typedDatesAreStored()
    {
        QFETCH(QString, typed);
        QFETCH(bool, pressEnter);
        StartWithInvoice();
        TypeInto(typed);
        if (pressEnter)
            QTest::keyClick(paidText(), Qt::Key_Return);
        QCOMPARE(bezahlt(), DayValue(QDate(2026, 3, 5)));
        QCOMPARE(paidText()->text(), QString("05.03.2026"));
        QCOMPARE(paidColumn(), QString("05.03.2026"));
        h->Stop();
        h->Start();
        QCOMPARE(bezahlt(), DayValue(QDate(2026, 3, 5)));
        QCOMPARE(paid()->Date(), QDate(2026, 3, 5));
    }

    void textThatIsNoDateKeepsTheLastDate()
    {
        StartWithInvoice();
        TypeInto("05.03.2026");
        TypeInto("31.02.2026");
        QTest::keyClick(paidText(), Qt::Key_Return);
        QCOMPARE(bezahlt(), DayValue(QDate(2026, 3, 5)));
        QCOMPARE(paidText()->text(), QString("05.03.2026"));
    }

    void calendarOpensOnTodayOrTheFieldsDateAndPicks()
    {
        StartWithInvoice();
        QTest::mouseClick(h->Child<QToolButton>("CalendarButton", paid()), Qt::LeftButton);
        QCalendarWidget* calendar = paid()->Calendar();
        QVERIFY(calendar && calendar->isVisible());
        QCOMPARE(calendar->selectedDate(), QDate::currentDate());
        QCOMPARE(calendar->yearShown(), QDate::currentDate().year());
        // Arrow keys move the day, Enter takes it.
        QWidget* days = QApplication::focusWidget();
        QVERIFY(days && calendar->isAncestorOf(days));
        QTest::keyClick(days, Qt::Key_Left);
        QTest::keyClick(days, Qt::Key_Return);
        QVERIFY(!calendar->isVisible());
        const QDate yesterday = QDate::currentDate().addDays(-1);
        QCOMPARE(bezahlt(), DayValue(yesterday));
        QCOMPARE(paidColumn(), yesterday.toString("dd.MM.yyyy"));

        // Opened again, it shows the field's date.
        QTest::mouseClick(h->Child<QToolButton>("CalendarButton", paid()), Qt::LeftButton);
        QCOMPARE(calendar->selectedDate(), yesterday);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(bezahlt(), DayValue(yesterday));
    }

    void clearingTheTextEmptiesTheDate()
    {
        StartWithInvoice();
        TypeInto("05.03.2026");
        QTest::keyClick(paidText(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(paidText(), Qt::Key_Backspace);
        QVERIFY(paid()->IsEmpty());
        QCOMPARE(bezahlt(), 0.0);
        QCOMPARE(paidColumn(), QString());
    }
};

QTEST_MAIN(PaidDateTest)
#include "PaidDateTest.moc"
