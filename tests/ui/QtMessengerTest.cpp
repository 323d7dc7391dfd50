#include "ui/shared/QtMessenger.h"
#include "ui/shared/QtGermanTexts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

// Drives the real message boxes: a timer finds the open modal box, records what it shows
// and presses one of its buttons.
class QtMessengerTest : public QObject {
    Q_OBJECT

private:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        QStringList buttonTexts;  // without accelerator marks
    };

    void PressWhenShown(QMessageBox::StandardButton button)
    {
        auto seen = std::make_shared<Seen>();
        QTimer::singleShot(0, [seen, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seen->title = box->windowTitle();
            seen->text = box->text();
            seen->icon = box->icon();
            seen->buttons = box->buttons().size();
            for (QMessageBox::StandardButton b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}) {
                if (box->button(b))
                    seen->buttonTexts << box->button(b)->text().remove(QLatin1Char('&'));
            }
            box->button(button)->click();
        });
        last_ = seen;
    }

    std::shared_ptr<Seen> last_;

private Q_SLOTS:
    void initTestCase()
    {
        QApplication::setApplicationName("Rekolon");
        QVERIFY2(InstallQtGermanTexts(*qApp), "Qt's German translation is not installed");
    }

    void errorBoxHasErrorIconAndApplicationTitle()
    {
        QtMessenger messenger;
        PressWhenShown(QMessageBox::Ok);
        messenger.ShowError(u"Konnte Datei nicht öffnen");
        QCOMPARE(last_->title, QString("Rekolon"));
        QCOMPARE(last_->text, QString("Konnte Datei nicht öffnen"));
        QCOMPARE(last_->icon, QMessageBox::Critical);
    }

    void informationBox()
    {
        QtMessenger messenger;
        PressWhenShown(QMessageBox::Ok);
        messenger.ShowInformation(u"Fertig");
        QCOMPARE(last_->icon, QMessageBox::Information);
        QCOMPARE(last_->buttons, 1);
    }

    void questionOffersThreeButtonsAndReportsTheChoice_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("answer");
        QTest::newRow("Ja") << int(QMessageBox::Yes) << int(Messenger::Answer::Yes);
        QTest::newRow("Nein") << int(QMessageBox::No) << int(Messenger::Answer::No);
        QTest::newRow("Abbrechen") << int(QMessageBox::Cancel) << int(Messenger::Answer::Cancel);
    }

    void questionOffersThreeButtonsAndReportsTheChoice()
    {
        QFETCH(int, button);
        QFETCH(int, answer);
        QtMessenger messenger;
        PressWhenShown(static_cast<QMessageBox::StandardButton>(button));
        const auto result =
            messenger.AskQuestion(u"Wollen Sie diese Rechnung wirklich unwiderruflich löschen?", u"Rechnung löschen?");
        QCOMPARE(int(result), answer);
        QCOMPARE(last_->title, QString("Rechnung löschen?"));
        QCOMPARE(last_->buttons, 3);
        QCOMPARE(last_->buttonTexts, QStringList({"Ja", "Nein", "Abbrechen"}));
    }

    void editMenusSpeakGerman()
    {
        QLineEdit edit("Text");
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        QVERIFY2(texts.contains("Rückgängig") && texts.contains("Einfügen") && !texts.contains("Undo"),
                 qPrintable(texts.join(", ")));
    }
};

QTEST_MAIN(QtMessengerTest)
#include "QtMessengerTest.moc"
