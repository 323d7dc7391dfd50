#include "ui/TRechnungsForm.h"

#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QtTest>

class TRechnungsFormTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void captionTabsAndMenu()
    {
        TRechnungsForm form;
        QCOMPARE(form.windowTitle(), QString("Vestrik Rekolon 1.0"));
        auto* pages = form.findChild<QTabWidget*>("PageControl2");
        QVERIFY(pages);
        const QStringList expected = {"Rechnungen", "Artikel", "Firma-Grundeinstellungen", "Logo",
                                      "Währung", "Schriftarten", "Textbausteine"};
        QCOMPARE(pages->count(), expected.size());
        for (int i = 0; i < pages->count(); ++i)
            QCOMPARE(pages->tabText(i), expected[i]);
        QCOMPARE(pages->currentIndex(), 0);
        QVERIFY(form.findChild<QStatusBar*>("StatusBar1"));
        const auto actions = form.menuBar()->actions();
        QCOMPARE(actions.size(), 1);
        QCOMPARE(actions[0]->text(), QString("Über..."));
    }
};

QTEST_MAIN(TRechnungsFormTest)
#include "TRechnungsFormTest.moc"
