#include "app/SignalCloser.h"
#include "MainWindowHarness.h"
#include "ui/shared/QtMessenger.h"

#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <csignal>

// The desktop session ends the program (SIGTERM, SIGINT, SIGHUP) while a box or a dialog is
// open: the box is cancelled, then the main window closes the ordinary way.
class SignalCloserTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindowHarness> h;

    // Raises `sig` as soon as the next modal window is shown, and records what it was.
    static void RaiseWhenModal(int sig, QString* seen)
    {
        MainWindowHarness::WhenDialogShown([sig, seen](QWidget* modal) {
            *seen = modal->metaObject()->className();
            std::raise(sig);
        });
    }

private Q_SLOTS:
    void init() { h = std::make_unique<MainWindowHarness>(); }
    void cleanup() { h.reset(); }

    void aSignalCancelsAnOpenQuestionThenClosesTheWindow_data()
    {
        QTest::addColumn<int>("sig");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void aSignalCancelsAnOpenQuestionThenClosesTheWindow()
    {
        QFETCH(int, sig);
        h->Start();
        SignalCloser closer(h->Form());
        QtMessenger boxes(h->Form());
        SetCurrentMessenger(&boxes);
        h->Child<QPushButton>("NeueRechnungBtn")->click();
        h->Child<QLineEdit>("NameED")->setText("Bleibt");

        QString seen;
        RaiseWhenModal(sig, &seen);
        h->Child<QPushButton>("DelRechBtn")->click();  // "Rechnung löschen?" until the signal
        SetCurrentMessenger(&h->Messenger());
        QCOMPARE(seen, QString("QMessageBox"));
        QCOMPARE(h->Book().RechnungCount(), 1u);  // the question was cancelled, nothing deleted
        QVERIFY(closer.Ending());
        QTRY_VERIFY_WITH_TIMEOUT(!h->Form()->isVisible(), 2000);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void aSignalClosesNestedDialogsOneAfterTheOther()
    {
        h->Start();
        SignalCloser closer(h->Form());
        // A dialog with a box open above it, as when a dialog asks something.
        QDialog dialog(h->Form());
        QString seen;
        QTimer::singleShot(0, [&] {
            QtMessenger boxes(&dialog);
            RaiseWhenModal(SIGTERM, &seen);
            const Messenger::Answer answer = boxes.AskQuestion(u"Weiter?", u"Frage");
            QCOMPARE(int(answer), int(Messenger::Answer::Cancel));
        });
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(seen, QString("QMessageBox"));
        QTRY_VERIFY_WITH_TIMEOUT(!h->Form()->isVisible(), 2000);
    }
};

QTEST_MAIN(SignalCloserTest)
#include "SignalCloserTest.moc"
