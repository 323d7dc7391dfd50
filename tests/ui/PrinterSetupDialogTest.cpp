// "Drucker einrichten" driven by clicks and keys on its controls, with two printers whose
// paper and sources are given here: it opens on the run's choice, OK without a change gives
// that choice back, another printer offers its own paper, Cancel changes nothing.
#include "ui/settings/PrinterSetupDialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

PrinterOffer Office()
{
    PrinterOffer printer;
    printer.name = "Buero";
    printer.description = "Laserdrucker im Büro";
    printer.pageSizes = {QPageSize(QPageSize::Letter), QPageSize(QPageSize::A4), QPageSize(QPageSize::Legal)};
    printer.defaultPageSize = printer.pageSizes[0];
    printer.paperSources = {"tray-1", "tray-2", "manual"};
    return printer;
}

PrinterOffer Borderless()
{
    PrinterOffer printer;
    printer.name = "Randlos";
    printer.pageSizes = {QPageSize(QPageSize::A5), QPageSize(QPageSize::A4)};
    printer.defaultPageSize = printer.pageSizes[1];
    printer.paperSources = {"auto", "manual"};
    return printer;
}

QStringList Items(QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

}  // namespace

class PrinterSetupDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PrinterSetupDialog> dialog_;

    template <class T> T* Child(const char* name) const
    {
        T* child = dialog_->findChild<T*>(name);
        if (!child)
            qFatal("no control %s", name);
        return child;
    }

    void Open(const PrinterChoice& current)
    {
        dialog_ = std::make_unique<PrinterSetupDialog>(QList<PrinterOffer>{Office(), Borderless()}, current);
        dialog_->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    }

    // Opens the combo box's list with a click and clicks the item with this text.
    static void Pick(QComboBox* combo, const QString& text)
    {
        QTest::mouseClick(combo, Qt::LeftButton);
        QAbstractItemView* list = combo->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        const int row = combo->findText(text);
        QVERIFY2(row >= 0, qPrintable(text));
        const QRect item = list->visualRect(list->model()->index(row, 0));
        // The list ignores a release that comes as quickly as a double click after it opened.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseMove(list->viewport(), item.center());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(combo->currentText(), text);
    }

    static PrinterChoice OfficeLetterTray2Landscape()
    {
        PrinterChoice choice;
        choice.printerName = "Buero";
        choice.pageSize = QPageSize(QPageSize::Letter);
        choice.paperSource = "tray-2";
        choice.orientation = QPageLayout::Landscape;
        return choice;
    }

private Q_SLOTS:
    void cleanup() { dialog_.reset(); }

    void opensOnTheCurrentChoiceInGerman()
    {
        Open(OfficeLetterTray2Landscape());
        QCOMPARE(dialog_->windowTitle(), QString("Drucker einrichten"));
        QCOMPARE(Child<QGroupBox>("PaperGroup")->title(), QString("Papier"));
        QCOMPARE(Child<QLabel>("PaperSourceLabel")->text(), QString("&Quelle:"));
        QCOMPARE(Items(Child<QComboBox>("PrinterCombo")), (QStringList{"Laserdrucker im Büro (Buero)", "Randlos"}));
        QCOMPARE(Child<QComboBox>("PrinterCombo")->currentIndex(), 0);
        QCOMPARE(Items(Child<QComboBox>("PaperSizeCombo")),
                 (QStringList{QPageSize(QPageSize::Letter).name(), "A4", QPageSize(QPageSize::Legal).name()}));
        QCOMPARE(Child<QComboBox>("PaperSizeCombo")->currentIndex(), 0);
        QCOMPARE(Items(Child<QComboBox>("PaperSourceCombo")),
                 (QStringList{"Vorgabe des Druckers", "Fach 1", "Fach 2", "Manuelle Zufuhr"}));
        QCOMPARE(Child<QComboBox>("PaperSourceCombo")->currentText(), QString("Fach 2"));
        QVERIFY(Child<QRadioButton>("LandscapeRadio")->isChecked());
        QCOMPARE(Child<QPushButton>("CancelButton")->text(), QString("Abbrechen"));

        // OK without a change gives the same choice back.
        QTest::mouseClick(Child<QPushButton>("OkButton"), Qt::LeftButton);
        QCOMPARE(dialog_->result(), int(QDialog::Accepted));
        QVERIFY(dialog_->Choice() == OfficeLetterTray2Landscape());
    }

    void theSecondPrinterOffersItsOwnPaper()
    {
        Open(OfficeLetterTray2Landscape());
        // The printer by keyboard: the next one in the list.
        QComboBox* printers = Child<QComboBox>("PrinterCombo");
        printers->setFocus();
        QTest::keyClick(printers, Qt::Key_Down);
        QCOMPARE(printers->currentText(), QString("Randlos"));
        // Letter is not among its sizes: its default A4 is offered; tray 2 neither: the
        // printer's own choice.
        QCOMPARE(Items(Child<QComboBox>("PaperSizeCombo")), (QStringList{"A5", "A4"}));
        QCOMPARE(Child<QComboBox>("PaperSizeCombo")->currentText(), QString("A4"));
        QCOMPARE(Items(Child<QComboBox>("PaperSourceCombo")),
                 (QStringList{"Vorgabe des Druckers", "Automatisch", "Manuelle Zufuhr"}));
        QCOMPARE(Child<QComboBox>("PaperSourceCombo")->currentIndex(), 0);
        // Paper, source and orientation by mouse.
        Pick(Child<QComboBox>("PaperSizeCombo"), "A5");
        Pick(Child<QComboBox>("PaperSourceCombo"), "Manuelle Zufuhr");
        QTest::mouseClick(Child<QRadioButton>("PortraitRadio"), Qt::LeftButton);
        QTest::mouseClick(Child<QPushButton>("OkButton"), Qt::LeftButton);

        const PrinterChoice choice = dialog_->Choice();
        QCOMPARE(dialog_->result(), int(QDialog::Accepted));
        QCOMPARE(choice.printerName, QString("Randlos"));
        QCOMPARE(choice.pageSize.id(), QPageSize::A5);
        QCOMPARE(choice.paperSource, QString("manual"));
        QCOMPARE(choice.orientation, QPageLayout::Portrait);
    }

    // Going back to the first printer keeps what both have: A4 and the manual feed.
    void paperBothPrintersHaveIsKept()
    {
        PrinterChoice current;
        current.printerName = "Randlos";
        current.pageSize = QPageSize(QPageSize::A4);
        current.paperSource = "manual";
        Open(current);
        QCOMPARE(Child<QComboBox>("PrinterCombo")->currentText(), QString("Randlos"));
        Pick(Child<QComboBox>("PrinterCombo"), "Laserdrucker im Büro (Buero)");
        QCOMPARE(Child<QComboBox>("PaperSizeCombo")->currentText(), QString("A4"));
        QCOMPARE(Child<QComboBox>("PaperSourceCombo")->currentText(), QString("Manuelle Zufuhr"));
        QVERIFY(Child<QRadioButton>("PortraitRadio")->isChecked());
    }

    void cancelAndEscapeGiveNoChoice()
    {
        Open(OfficeLetterTray2Landscape());
        QTest::mouseClick(Child<QPushButton>("CancelButton"), Qt::LeftButton);
        QCOMPARE(dialog_->result(), int(QDialog::Rejected));
        Open(OfficeLetterTray2Landscape());
        QTest::keyClick(dialog_.get(), Qt::Key_Escape);
        QCOMPARE(dialog_->result(), int(QDialog::Rejected));
        QVERIFY(!dialog_->isVisible());
    }

    // A paper the run uses that the printer does not name stays on offer and chosen.
    void aPaperThePrinterDoesNotNameStays()
    {
        PrinterChoice current = OfficeLetterTray2Landscape();
        current.pageSize = QPageSize(QSizeF(100, 200), QPageSize::Millimeter, "Eigenes Format");
        Open(current);
        QCOMPARE(Child<QComboBox>("PaperSizeCombo")->currentText(), QString("Eigenes Format"));
        QTest::keyClick(dialog_.get(), Qt::Key_Return);  // OK is the default button
        QCOMPARE(dialog_->result(), int(QDialog::Accepted));
        QVERIFY(dialog_->Choice() == current);
    }

    void withoutPrintersOkIsDisabled()
    {
        dialog_ = std::make_unique<PrinterSetupDialog>(QList<PrinterOffer>{}, PrinterChoice{});
        QVERIFY(!Child<QPushButton>("OkButton")->isEnabled());
        QCOMPARE(Child<QComboBox>("PaperSizeCombo")->count(), 0);
    }
};

QTEST_MAIN(PrinterSetupDialogTest)
#include "PrinterSetupDialogTest.moc"
