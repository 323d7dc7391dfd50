#include "MainWindowHarness.h"
#include "invoices/SettingRange.h"
#include "ui/shared/QtText.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <cmath>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

// Geometry and logo values in save.dat outside what their fields allow: the fields show them
// taken into range, the book and the file keep them until the user changes a field.
class SettingsRangeTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindowHarness> h;

    // Brings the page holding the control to the front as a user does: a click on each tab
    // on the way, the outer one first.
    void ShowPageOf(QWidget* control)
    {
        std::vector<std::pair<QTabWidget*, QWidget*>> chain;
        for (QWidget* w = control; w; w = w->parentWidget()) {
            QWidget* stack = w->parentWidget();
            auto* tabs = qobject_cast<QTabWidget*>(stack ? stack->parentWidget() : nullptr);
            if (tabs && tabs->indexOf(w) >= 0)
                chain.emplace_back(tabs, w);
        }
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            QTabBar* bar = it->first->tabBar();
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(it->first->indexOf(it->second)).center());
            QCOMPARE(it->first->currentWidget(), it->second);
        }
        QVERIFY(control->isVisible());
    }

    void TypeInto(QAbstractSpinBox* spin, const QString& text)
    {
        ShowPageOf(spin);
        QTest::mouseClick(spin, Qt::LeftButton);
        spin->selectAll();
        QTest::keyClicks(spin, text);
        QTest::keyClick(spin, Qt::Key_Tab);
    }

    static void WriteBook(const QString& folder, double marginX, double marginY, double line, double logoX,
                          double width)
    {
        QDir().mkpath(folder);
        TRechnungBook book;
        book.progpath = ToU16(folder);
        book.isopened = true;
        book.settings.RandXED = marginX;
        book.settings.RandYEd = marginY;
        book.settings.LineSTEd = line;
        book.settings.LogoXEd = logoX;
        book.settings.BreitEd = width;
        book.SaveRechnungen();
    }

private Q_SLOTS:
    void init() { h = std::make_unique<MainWindowHarness>(); }
    void cleanup() { h.reset(); }

    void fieldsShowStoredValuesWithinTheirRanges()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        WriteBook(h->DataFolder(), 2e9, nan, 1e300, -std::numeric_limits<double>::infinity(), nan);
        h->Start();
        auto* randX = h->Child<QSpinBox>("RandXED");
        QCOMPARE(randX->value(), 1000);
        QCOMPARE(h->Child<QSpinBox>("RandYEd")->value(), 15);  // no number: the default
        QCOMPARE(h->Child<QDoubleSpinBox>("LineSTEd")->value(), 100.0);
        QCOMPARE(h->Child<QDoubleSpinBox>("LogoXEd")->value(), -10000.0);
        QCOMPARE(h->Child<QDoubleSpinBox>("BreitEd")->value(), 170.0);
        // The fields allow what the page uses.
        QCOMPARE(randX->maximum(), int(SettingRanges::RandXED.maximum));
        QCOMPARE(h->Child<QDoubleSpinBox>("BreitEd")->minimum(), SettingRanges::BreitEd.minimum);
        // Showing them changed nothing in the book.
        QCOMPARE(h->Book().settings.RandXED, 2e9);
        QVERIFY(std::isnan(h->Book().settings.RandYEd));

        // The user's change replaces the stored value; the others stay as stored.
        TypeInto(randX, "25");
        QCOMPARE(h->Book().settings.RandXED, 25.0);
        h->Stop();
        TRechnungBook reread;
        reread.progpath = ToU16(h->DataFolder());
        QCOMPARE(int(reread.OpenRechnungen()), int(TRechnungBook::OpenResult::Loaded));
        QCOMPARE(reread.settings.RandXED, 25.0);
        QVERIFY(std::isnan(reread.settings.RandYEd));
        QCOMPARE(reread.settings.LineSTEd, 1e300);
        QCOMPARE(reread.settings.LogoXEd, -std::numeric_limits<double>::infinity());
        QVERIFY(std::isnan(reread.settings.BreitEd));
    }
};

QTEST_MAIN(SettingsRangeTest)
#include "SettingsRangeTest.moc"
