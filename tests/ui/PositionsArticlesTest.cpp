#include "MainWindowHarness.h"
#include "foundation/MemoryByteSink.h"
#include "foundation/StringRecords.h"
#include "invoices/TextBuf.h"
#include "ui/invoices/PriceEditor.h"
#include "ui/invoices/TNewArtForm.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

// The positions and article editors, the pick dialog, text blocks and the import, driven
// through the real main window.
class PositionsArticlesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindowHarness> h;

    QWidget* positions() { return h->Child<QWidget>("PositionenPage"); }
    QWidget* articles() { return h->Child<QWidget>("TabArtikel"); }
    QTableView* positionList() { return h->Child<QTableView>("ListView2", positions()); }
    QTableView* articleList() { return h->Child<QTableView>("ListView3", articles()); }
    QDoubleSpinBox* spin(const char* name) { return h->Child<QDoubleSpinBox>(name); }
    QComboBox* combo(const char* name) { return h->Child<QComboBox>(name); }
    void click(const char* name, QObject* scope = nullptr) { h->Child<QPushButton>(name, scope)->click(); }

    // Starts with one invoice showing its positions tab.
    void StartWithInvoice()
    {
        h->Start();
        click("NeueRechnungBtn");
        h->Child<QTabWidget>("PageControl1")->setCurrentIndex(2);
    }
    void AddArticle(const char16_t* artnr, const char16_t* bez, double mwst, double preis)
    {
        TArtikelRec& a = h->Book().AppendArtikel();
        NewTextBuf(&a.artnr, artnr);
        NewTextBuf(&a.bez, bez);
        NewTextBuf(&a.einheit, u"Stück");
        a.mwst = mwst;
        a.preis = preis;
        a.menge = 1;
    }
    const TPositionRec& position(uint32_t i) { return h->Book().Position(0, i); }

private Q_SLOTS:
    void init() { h = std::make_unique<MainWindowHarness>(); }
    void cleanup()
    {
        QCOMPARE(h->Messenger().UnansweredQuestions(), 0);
        h.reset();
    }

    void newPositionShowsQuantityOneAndSurvivesRestart()
    {
        StartWithInvoice();
        click("NeuePosiBtn");
        QCOMPARE(MainWindowHarness::Cell(positionList(), 0, 0), QString("1,00"));
        QCOMPARE(MainWindowHarness::Cell(positionList(), 0, 1), QString());
        h->Child<QLineEdit>("EinheitEd", positions())->setText("Std.");
        h->Stop();
        h->Start();
        h->Child<QTabWidget>("PageControl1")->setCurrentIndex(2);
        QCOMPARE(MainWindowHarness::Cell(positionList(), 0, 1), QString("Std."));
        QCOMPARE(position(0).menge, 1.0);
    }

    void grossAndNetPrices()
    {
        StartWithInvoice();
        click("NeuePosiBtn");
        combo("MWSTED")->setEditText("19");
        spin("PreisEd")->setValue(119);
        QCOMPARE(spin("PreisNettoEd")->text(), QString("100,00"));
        QCOMPARE(position(0).preis, 119.0);
        QCOMPARE(position(0).mwst, 19.0);

        // Changing the rate keeps the gross price; the net price follows.
        combo("MWSTED")->setEditText("7");
        QCOMPARE(position(0).preis, 119.0);
        QCOMPARE(position(0).mwst, 7.0);
        QCOMPARE(spin("PreisNettoEd")->text(), QString("111,21"));

        // Typing a net price stores the derived gross price; the net price stays as typed.
        spin("PreisNettoEd")->setValue(100);
        QCOMPARE(position(0).preis, 107.0);
        QCOMPARE(spin("PreisEd")->text(), QString("107,00"));
        QCOMPARE(spin("PreisNettoEd")->text(), QString("100,00"));
        QCOMPARE(MainWindowHarness::Cell(positionList(), 0, 5), QString("107,00"));
        QVERIFY(!h->Form()->InCH().IsSet());
        QVERIFY(!positions()->findChild<PriceEditor*>()->ConvertingNet());
    }

    void unreadableRateSkipsOnlyWhatDependsOnIt()
    {
        StartWithInvoice();
        click("NeuePosiBtn");
        combo("MWSTED")->setEditText("19");
        spin("PreisEd")->setValue(119);
        combo("MWSTED")->setEditText("abc");
        QCOMPARE(position(0).mwst, 19.0);
        QCOMPARE(spin("PreisNettoEd")->text(), QString("100,00"));
        spin("PreisEd")->setValue(238);  // later edits still work
        QCOMPARE(position(0).preis, 238.0);
        QVERIFY(!h->Form()->InCH().IsSet());
        QVERIFY(!positions()->findChild<PriceEditor*>()->ConvertingNet());
        combo("MWSTED")->setEditText("19,00");
        QCOMPARE(spin("PreisNettoEd")->text(), QString("200,00"));
    }

    void discountReplacesPriceAndExtendsDescription()
    {
        StartWithInvoice();
        click("NeuePosiBtn");
        combo("MWSTED")->setEditText("19");
        h->Child<QPlainTextEdit>("BezEd")->setPlainText("Beratung");
        spin("PreisEd")->setValue(200);
        spin("RabattED")->setValue(10);
        click("RabattBtn");
        QCOMPARE(position(0).preis, 180.0);
        QCOMPARE(std::u16string(TextOf(position(0).bez)), std::u16string(u"Beratung Rabatt 10%"));
        spin("RabattED")->setValue(12.5);
        click("RabattBtn");
        QCOMPARE(position(0).preis, 157.5);
        QCOMPARE(std::u16string(TextOf(position(0).bez)), std::u16string(u"Beratung Rabatt 10% Rabatt 12,5%"));
    }

    void pickWithLowerCaseNumberAndEnter()
    {
        StartWithInvoice();
        AddArticle(u"AB-1", u"Schraube", 19, 0.5);
        AddArticle(u"XY-2", u"Nagel", 7, 19.99);
        MainWindowHarness::WhenDialogShown([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Artikel auf die Rechnung setzen"));
            auto* edit = dialog->findChild<QLineEdit*>("ArtNrEd");
            QCOMPARE(dialog->focusWidget(), static_cast<QWidget*>(edit));
            QTest::keyClicks(edit, "xy-2");
            QTest::keyClick(edit, Qt::Key_Return);
        });
        click("NeuePosiVArtBtn");
        QCOMPARE(h->Book().Rechnung(0).posis->Count(), 1u);
        QCOMPARE(std::u16string(TextOf(position(0).artnr)), std::u16string(u"XY-2"));
        QCOMPARE(position(0).preis, 19.99);
        QCOMPARE(position(0).mwst, 7.0);
        QCOMPARE(position(0).menge, 1.0);
        QCOMPARE(MainWindowHarness::SelectedRow(positionList()), 0);
    }

    void pickUnknownNumberKeepsDialogOpen()
    {
        StartWithInvoice();
        AddArticle(u"AB-1", u"Schraube", 19, 0.5);
        MainWindowHarness::WhenDialogShown([](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>("ArtNrEd");
            QTest::keyClicks(edit, "gibt es nicht");
            QTest::keyClick(edit, Qt::Key_Return);
            QVERIFY(dialog->isVisible());
            dialog->findChild<QPushButton*>("CancelBtn")->click();
        });
        click("NeuePosiVArtBtn");
        QCOMPARE(h->Book().Rechnung(0).posis->Count(), 0u);
    }

    void emptyPickFieldPicksFirstArticle()
    {
        StartWithInvoice();
        AddArticle(u"AB-1", u"Schraube", 19, 0.5);
        AddArticle(u"XY-2", u"Nagel", 7, 19.99);
        MainWindowHarness::WhenDialogShown(
            [](QWidget* dialog) { QTest::keyClick(dialog->findChild<QLineEdit*>("ArtNrEd"), Qt::Key_Return); });
        click("NeuePosiVArtBtn");
        QCOMPARE(std::u16string(TextOf(position(0).artnr)), std::u16string(u"AB-1"));
    }

    void pickRemembersRowAndOkNeedsSelection()
    {
        StartWithInvoice();
        AddArticle(u"A", u"eins", 19, 1);
        AddArticle(u"B", u"zwei", 19, 2);
        MainWindowHarness::WhenDialogShown([](QWidget* dialog) {
            auto* list = dialog->findChild<QTableView*>("ListView3");
            list->selectRow(1);
            dialog->findChild<QPushButton*>("OkBtn")->click();
        });
        click("NeuePosiVArtBtn");
        QCOMPARE(std::u16string(TextOf(position(0).artnr)), std::u16string(u"B"));
        // The next call selects the same row again; without a selection OK says so.
        MainWindowHarness::WhenDialogShown([](QWidget* dialog) {
            auto* list = dialog->findChild<QTableView*>("ListView3");
            QCOMPARE(MainWindowHarness::SelectedRow(list), 1);
            list->selectionModel()->clearSelection();
            dialog->findChild<QPushButton*>("OkBtn")->click();
            QVERIFY(dialog->isVisible());
            dialog->findChild<QPushButton*>("CancelBtn")->click();
        });
        click("NeuePosiVArtBtn");
        QCOMPARE(h->Book().Rechnung(0).posis->Count(), 1u);
        QCOMPARE(QString::fromStdU16String(h->Messenger().Errors().back()),
                 QString("Sie haben noch keinen Artikel ausgewählt!"));
    }

    void saveAsArticleKeepsValuesButQuantity()
    {
        StartWithInvoice();
        click("NeuePosiBtn");
        spin("MengeEd")->setValue(5);
        h->Child<QLineEdit>("ArtNrEd", positions())->setText("HB-24");
        combo("MWSTED")->setEditText("19");
        spin("PreisEd")->setValue(12.5);
        h->Child<QPlainTextEdit>("BezEd")->setPlainText("Hobelbank");
        click("SaveAsArtBtn");
        QCOMPARE(h->Book().ArtikelCount(), 1u);
        const TArtikelRec& a = h->Book().Artikel(0);
        QCOMPARE(a.menge, 1.0);
        QCOMPARE(a.preis, 12.5);
        QCOMPARE(a.mwst, 19.0);
        QCOMPARE(std::u16string(TextOf(a.artnr)), std::u16string(u"HB-24"));
        QCOMPARE(std::u16string(TextOf(a.bez)), std::u16string(u"Hobelbank"));
        const auto& box = h->Messenger().Boxes().back();
        QCOMPARE(
            QString::fromStdU16String(box.text),
            QString(
                "Die Rechnungposition wurde der Artikelliste hinzugefügt. Der Artikel ist nun dauerhaft verfügbar."));
        QCOMPARE(QString::fromStdU16String(box.title), QString("Neuer Artikel"));
    }

    void deletePositionAsksFirst()
    {
        StartWithInvoice();
        click("NeuePosiBtn");
        click("NeuePosiBtn");
        h->Messenger().AnswerNext(Messenger::Answer::No);
        click("DelArtBtn", positions());
        QCOMPARE(h->Book().Rechnung(0).posis->Count(), 2u);
        const auto& box = h->Messenger().Boxes().back();
        QCOMPARE(QString::fromStdU16String(box.text),
                 QString("Wollen Sie diese Artikel wirklich unwiderruflich löschen?"));
        QCOMPARE(QString::fromStdU16String(box.title), QString("Artikel löschen?"));
        h->Messenger().AnswerNext(Messenger::Answer::Yes);
        click("DelArtBtn", positions());
        QCOMPARE(h->Book().Rechnung(0).posis->Count(), 1u);
        QCOMPARE(MainWindowHarness::SelectedRow(positionList()), 0);
    }

    void enterOnPositionsTabClicksNew()
    {
        StartWithInvoice();
        auto* einheit = h->Child<QLineEdit>("EinheitEd", positions());
        einheit->setFocus();
        QTest::keyClick(einheit, Qt::Key_Return);
        QCOMPARE(h->Book().Rechnung(0).posis->Count(), 1u);
        // In the description Enter is a line break.
        auto* bez = h->Child<QPlainTextEdit>("BezEd");
        bez->setFocus();
        QTest::keyClick(bez, Qt::Key_Return);
        QCOMPARE(h->Book().Rechnung(0).posis->Count(), 1u);
    }

    void articlesSortByPaddedPriceKeys()
    {
        h->Start();
        AddArticle(u"1", u"teuer", 19, 10);
        AddArticle(u"2", u"billig", 19, 9.5);
        AddArticle(u"3", u"mittel", 19, 9.99);
        h->Child<QTabWidget>("PageControl2")->setCurrentIndex(1);
        auto* header = articleList()->horizontalHeader();
        const auto clickPreis = [&] {
            const int x = header->sectionViewportPosition(4) + header->sectionSize(4) / 2;
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
        };
        clickPreis();
        QCOMPARE(MainWindowHarness::Cell(articleList(), 0, 4), QString("9,50"));
        QCOMPARE(MainWindowHarness::Cell(articleList(), 1, 4), QString("9,99"));
        QCOMPARE(MainWindowHarness::Cell(articleList(), 2, 4), QString("10,00"));
        clickPreis();
        QCOMPARE(MainWindowHarness::Cell(articleList(), 0, 4), QString("10,00"));
        QCOMPARE(std::u16string(TextOf(h->Book().Artikel(0).bez)), std::u16string(u"teuer"));
    }

    void articleEditorAndDelete()
    {
        h->Start();
        h->Child<QTabWidget>("PageControl2")->setCurrentIndex(1);
        click("NewArtikelBtn");
        QCOMPARE(h->Book().ArtikelCount(), 1u);
        h->Child<QLineEdit>("bezed2")->setText("Leim");
        combo("mwsted2")->setEditText("7");
        spin("preisnettoed2")->setValue(10);
        QCOMPARE(h->Book().Artikel(0).preis, 10.7);
        QCOMPARE(MainWindowHarness::Cell(articleList(), 0, 3), QString("Leim"));
        h->Messenger().AnswerNext(Messenger::Answer::Cancel);
        click("DelArtikelBtn");
        QCOMPARE(h->Book().ArtikelCount(), 1u);
        h->Messenger().AnswerNext(Messenger::Answer::Yes);
        click("DelArtikelBtn");
        QCOMPARE(h->Book().ArtikelCount(), 0u);
    }

    void documentKinds()
    {
        h->Start();
        auto* kinds = combo("ArtCombo");
        QCOMPARE(kinds->count(), 8);
        QCOMPARE(kinds->currentText(), QString("Rechnung"));
        QCOMPARE(kinds->itemText(4), QString("Auftragsbestätigung"));
        QCOMPARE(kinds->itemText(7), QString("Bestellung"));
    }
};

QTEST_MAIN(PositionsArticlesTest)
#include "PositionsArticlesTest.moc"
