#include "MainWindowHarness.h"

#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

// The font buttons of the tab "Schriftarten" with Qt's real font dialog, answered by clicks.
class FontDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindowHarness> h;
    QString shownFamily_;

    const TFontSetting& address() { return h->Book().settings.FontDialog1; }

    // Opens "Schriftart Adressen...", lets `act` work in the dialog, then clicks OK.
    void EditAddressFont(std::function<void(QFontDialog*)> act)
    {
        auto* pages = h->Child<QTabWidget>("PageControl2");
        pages->setCurrentWidget(h->Child<QWidget>("TabSchriftarten"));
        MainWindowHarness::WhenDialogShown([this, act](QWidget* dialog) {
            auto* fonts = qobject_cast<QFontDialog*>(dialog);
            if (!fonts)
                qFatal("not the font dialog");
            shownFamily_ = fonts->currentFont().family();
            act(fonts);
            QPushButton* ok = fonts->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        QTest::mouseClick(h->Child<QPushButton>("FontBtn1"), Qt::LeftButton);
    }
    static QLineEdit* SizeEdit(QFontDialog* dialog)
    {
        for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
            if (!edit->isReadOnly())
                return edit;
        }
        qFatal("no size field");
    }

private Q_SLOTS:
    void init()
    {
        h = std::make_unique<MainWindowHarness>();
        h->Start();
    }
    void cleanup() { h.reset(); }

    void okWithoutChangesKeepsTheStoredFace()
    {
        const TFontSetting before = address();
        QCOMPARE(before.name, std::u16string(u"Arial"));
        EditAddressFont([](QFontDialog*) {});
        // The dialog showed the face in use for "Arial", not the default family.
        QCOMPARE(shownFamily_, QFontInfo(QFont("Arial")).family());
        QVERIFY(address() == before);
    }

    void anotherSizeKeepsTheFaceName()
    {
        EditAddressFont([](QFontDialog* dialog) {
            QLineEdit* size = SizeEdit(dialog);
            size->selectAll();
            QTest::keyClicks(size, "14");
        });
        QCOMPARE(address().name, std::u16string(u"Arial"));
        QCOMPARE(address().size, 14);
    }

    void anotherFamilyIsStored()
    {
        EditAddressFont([](QFontDialog* dialog) {
            QListView* families = dialog->findChildren<QListView*>().first();
            const QModelIndexList hits = families->model()->match(families->model()->index(0, 0), Qt::DisplayRole,
                                                                  "Liberation Serif", 1, Qt::MatchExactly);
            if (hits.isEmpty())
                qFatal("Liberation Serif is not installed");
            families->scrollTo(hits.first());
            QTest::mouseClick(families->viewport(), Qt::LeftButton, {}, families->visualRect(hits.first()).center());
        });
        QCOMPARE(address().name, std::u16string(u"Liberation Serif"));
        QCOMPARE(address().size, 11);
    }
};

QTEST_MAIN(FontDialogTest)
#include "FontDialogTest.moc"
