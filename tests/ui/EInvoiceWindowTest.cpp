#include "MainWindowHarness.h"
#include "ScriptedSaveDialogs.h"
#include "invoices/TextBuf.h"
#include "support/EInvoiceValidator.h"
#include "ui/shared/OptionalDateEdit.h"
#include "ui/shared/QtDate.h"
#include "ui/shared/QtText.h"
#include "ui/shared/StandardDialogs.h"
#include "ui/shared/UiServices.h"
#include "ui/shared/ValidityMark.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include <filesystem>

// The electronic invoice in the windows, used as a user does: the settings tab "E-Rechnung",
// the invoice's tab "E-Rechnung" and "Als E-Rechnung speichern..." on the output tab, whose
// file the official rules judge.
class EInvoiceWindowTest : public QObject {
    Q_OBJECT

private:
    using ScriptedDialogs = ScriptedSaveDialogs;

    std::unique_ptr<MainWindowHarness> h;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<TempDir> out;

    template <class T> T* child(const char* name) const { return h->Child<T>(name); }
    QLineEdit* edit(const char* name) const { return child<QLineEdit>(name); }
    QString OutFile(const QString& name) const { return QString::fromStdString(out->Path()) + name; }
    TRechnungSettings& settings() const { return h->Book().settings; }
    TRechnungRec& invoice(uint32_t i) const { return h->Book().Rechnung(i); }
    static QString Text(const char16_t* buffer) { return ToQString(std::u16string(TextOf(buffer))); }

    // A click on the tab of `page` in the tab widget that holds it.
    void ShowTab(const char* tabs, const char* page)
    {
        auto* widget = child<QTabWidget>(tabs);
        QTabBar* bar = widget->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(widget->indexOf(child<QWidget>(page))).center());
        QCOMPARE(widget->currentWidget(), child<QWidget>(page));
        QApplication::processEvents();  // lays out the page now shown
    }
    // Key presses that type the text; letters beyond ASCII as a keyboard layout sends them.
    static void TypeKeys(QWidget* widget, const QString& text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 128) {
                QTest::keyClick(widget, char(c.unicode()));
            } else {
                QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
                QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
            }
        }
    }
    // Clicks into the field, selects what it holds with Ctrl+A and types the text over it.
    static void TypeInto(QLineEdit* field, const QString& text)
    {
        QTest::mouseClick(field, Qt::LeftButton, {}, field->rect().center());
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Delete);
        else
            TypeKeys(field, text);
    }
    // A click on the box of a check box or radio button.
    void Tick(const char* name)
    {
        auto* button = child<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    void Type(const char* name, const QString& text) { TypeInto(edit(name), text); }
    void TypeDate(const char* name, const QString& text) { TypeInto(child<OptionalDateEdit>(name)->LineEdit(), text); }
    // Picks the entry of a list whose text begins with `start` by typing it, as the keyboard does.
    static void Choose(QComboBox* combo, const QString& start)
    {
        combo->setFocus();
        QTest::qWait(1100);  // a new keyboard search, not the continuation of the last one
        QTest::keyClicks(combo, start);
        QVERIFY2(combo->currentText().startsWith(start), qPrintable(combo->currentText()));
    }
    void Click(const char* button)
    {
        auto* b = child<QPushButton>(button);
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    }
    void ClickRow(int row)
    {
        auto* view = child<QTableView>("ListView1");
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(row, 1)).center());
        QCOMPARE(MainWindowHarness::SelectedRow(view), row);
    }

    // The company and its e-invoice settings typed into their tabs, the profile XRechnung.
    void FillSeller()
    {
        ShowTab("PageControl2", "TabFirma");
        Type("FirmaED2", "Holzwerk Groß & Söhne GmbH");
        Type("StrasseEd2", "Lindenallee 3");
        Type("PLZED2", "80331");
        Type("OrtED2", "München");
        Type("TelEd2", "+49 89 123456");
        Type("eMailED2", "rechnung@holzwerk.example");
        Type("SteuerED2", "143/123/45678");
        ShowTab("PageControl2", "TabERechnung");
        Type("UStIdEd", "DE123456789");
        Type("IbanEd", "DE02 1203 0000 0000 2020 51");
        Type("BicEd", "BYLADEM1001");
        Type("KontaktNameEd", "Jörg Müller");
        Tick("XRechnungRadio");
    }

    // One invoice for a buyer in Austria, typed into the address tab, with two positions
    // (entered like the positions tab stores them).
    void FillInvoice()
    {
        ShowTab("PageControl2", "TabRechnungen");
        Click("NeueRechnungBtn");
        ShowTab("PageControl1", "TabRechnungsAdresse");
        Type("FirmaED", "Café <Élan> & Co");
        Type("StrasseEd", "Ringstraße 1");
        Type("LandEd", "Österreich");
        Type("PLZED", "1010");
        Type("OrtED", "Wien");
        Type("eMailEd", "einkauf@elan.example");
        Type("IhreBestellungEd", "B-4711");
        TPositionRec& board = h->Book().AppendPosition(0);
        board.menge = 12;
        board.mwst = 19;
        board.preis = 23.8;
        NewTextBuf(&board.bez, u"Eichenbrett\r\ngehobelt, 2 m");
        NewTextBuf(&board.einheit, u"Karton");
        TPositionRec& work = h->Book().AppendPosition(0);
        work.menge = 2.5;
        work.mwst = 7;
        work.preis = 53.5;
        NewTextBuf(&work.bez, u"Montage");
        NewTextBuf(&work.einheit, u"Std.");
    }

    void PressEInvoiceButton()
    {
        ShowTab("PageControl1", "TabAusgabe");
        Click("EInvoiceBtn");
    }

    QStringList FilesOut() const { return QDir(QString::fromStdString(out->Path())).entryList(QDir::Files); }

private Q_SLOTS:
    void init()
    {
        h = std::make_unique<MainWindowHarness>();
        dialogs = std::make_unique<ScriptedDialogs>();
        Services().dialogs = dialogs.get();
        out = std::make_unique<TempDir>();
        h->Start();
    }
    void cleanup()
    {
        QCOMPARE(h->Messenger().UnansweredQuestions(), 0);
        h.reset();
        Services() = UiServices{};
        dialogs.reset();
        out.reset();
    }

    void identifiersAreRedUntilValidAndGoIntoTheSettings_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("incomplete");
        QTest::addColumn<QString>("last");
        QTest::addRow("IBAN") << "IbanEd"
                              << "DE02 1203 0000 0000 2020 5"
                              << "1";
        QTest::addRow("IBAN check digits") << "IbanEd"
                                           << "DE03 1203 0000 0000 2020 5"
                                           << "1";
        QTest::addRow("USt-IdNr.") << "UStIdEd"
                                   << "DE12345678"
                                   << "9";
        QTest::addRow("BIC") << "BicEd"
                             << "BYLADEM100"
                             << "1";
    }
    void identifiersAreRedUntilValidAndGoIntoTheSettings()
    {
        QFETCH(QString, field);
        QFETCH(QString, incomplete);
        QFETCH(QString, last);
        ShowTab("PageControl2", "TabERechnung");
        QLineEdit* e = edit(field.toLatin1().constData());
        QVERIFY(!MarkedInvalid(e));  // empty: nothing to complain about yet
        TypeInto(e, incomplete);
        QVERIFY(MarkedInvalid(e));
        QVERIFY(!e->toolTip().isEmpty());
        QTest::keyClicks(e, last);
        const bool checkDigitsWrong = QTest::currentDataTag() == QByteArray("IBAN check digits");
        QCOMPARE(MarkedInvalid(e), checkDigitsWrong);
        const std::u16string stored = field == "IbanEd"  ? settings().IbanEd
                                      : field == "BicEd" ? settings().BicEd
                                                         : settings().UStIdEd;
        QCOMPARE(ToQString(stored), incomplete + last);
        TypeInto(e, "");
        QVERIFY(!MarkedInvalid(e));
    }

    void settingsTabShowsDefaultsAndStoresWhatIsTyped()
    {
        ShowTab("PageControl2", "TabFirma");
        Type("FirmaED2", "Holzwerk Groß");
        Type("eMailED2", "info@holzwerk.example");
        ShowTab("PageControl2", "TabERechnung");
        // The defaults follow the company tab and are not stored.
        QCOMPARE(edit("KontoinhaberEd")->placeholderText(), QString("Holzwerk Groß"));
        QCOMPARE(edit("EAdresseEd")->placeholderText(), QString("info@holzwerk.example"));
        QCOMPARE(edit("ZahlungsbedingungEd")->placeholderText(), QString("Zahlbar innerhalb von 14 Tagen ohne Abzug."));
        QVERIFY(settings().KontoinhaberEd.empty());

        auto* target = child<QSpinBox>("ZahlungszielEd");
        TypeInto(target->findChild<QLineEdit*>(), "30");
        QCOMPARE(settings().ZahlungszielEd, 30);
        QCOMPARE(edit("ZahlungsbedingungEd")->placeholderText(), QString("Zahlbar innerhalb von 30 Tagen ohne Abzug."));
        Type("KontaktTelEd", "+49 89 99");
        QCOMPARE(settings().KontaktTelEd, std::u16string(u"+49 89 99"));

        Tick("KleinunternehmerCheck");
        QVERIFY(settings().KleinunternehmerCheck);
        Tick("XRechnungRadio");
        QVERIFY(settings().XRechnungCheck);
        Tick("EN16931Radio");
        QVERIFY(!settings().XRechnungCheck);

        auto* country = child<QComboBox>("LandCodeCombo");
        QCOMPARE(country->currentData().toString(), QString("DE"));
        Choose(country, "AT");
        QCOMPARE(settings().LandCodeEd, std::u16string(u"AT"));
        Choose(country, "DE");
        QVERIFY(settings().LandCodeEd.empty());  // the default is kept as no value
    }

    void unitTableStartsWithTheGermanUnitsAndIsEditedByKeys()
    {
        ShowTab("PageControl2", "TabERechnung");
        auto* grid = child<QTableWidget>("EinheitenGrid");
        const std::vector<TEinheitCode> defaults = settings().EinheitenGrid;
        QCOMPARE(grid->rowCount(), int(defaults.size()));
        QCOMPARE(grid->item(0, 0)->text(), QString("Stück"));
        QCOMPARE(grid->item(0, 1)->text(), QString("H87"));
        QVERIFY(std::find(defaults.begin(), defaults.end(), TEinheitCode{u"m²", u"MTK"}) != defaults.end());

        // A new row: its unit typed into the editor, Tab to the code, typed, Enter.
        Click("EinheitNeuBtn");
        QTest::keyClicks(QApplication::focusWidget(), "Karton");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "xct");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();  // the view takes the edit after the key
        QCOMPARE(settings().EinheitenGrid.size(), defaults.size() + 1);
        QCOMPARE(settings().EinheitenGrid.back(), (TEinheitCode{u"Karton", u"XCT"}));
        const int row = grid->rowCount() - 1;
        QCOMPARE(grid->item(row, 1)->background().color() == kInvalidBase, false);

        // A code that is no UN/ECE code is shown red.
        grid->setCurrentCell(row, 1);
        QTest::keyClicks(grid, "QQQ");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();  // the view takes the edit after the key
        QCOMPARE(grid->item(row, 1)->background().color(), kInvalidBase);

        // A unit still without a code is red and no mapping yet.
        Click("EinheitNeuBtn");
        QTest::keyClicks(QApplication::focusWidget(), "Kiste");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
        QCOMPARE(grid->item(row + 1, 1)->background().color(), kInvalidBase);
        QCOMPARE(settings().EinheitenGrid.size(), defaults.size() + 1);

        // Deleting the row, then the standard table back after a Yes.
        grid->setCurrentCell(0, 0);
        Click("EinheitLoeschenBtn");
        QCOMPARE(settings().EinheitenGrid.front().einheit, std::u16string(u"Stk."));
        h->Messenger().AnswerNext(Messenger::Answer::Yes);
        Click("EinheitenStandardBtn");
        QCOMPARE(settings().EinheitenGrid, defaults);
        QCOMPARE(grid->rowCount(), int(defaults.size()));
    }

    void invoiceTabBindsItsFieldsAndTheCopyTakesTheBuyersData()
    {
        FillSeller();
        FillInvoice();
        ShowTab("PageControl1", "TabERechnungRechnung");
        auto* country = child<QComboBox>("KaeuferLandCombo");
        QCOMPARE(country->currentIndex(), 0);
        QCOMPARE(country->currentText(), QString("aus „Land“: AT – Österreich"));
        QCOMPARE(edit("KaeuferAdresseEd")->placeholderText(), QString("einkauf@elan.example"));

        // The buyer reference taken over from "Ihre Bestellung" with the button, then typed.
        Click("KaeuferRefVorschlagBtn");
        QCOMPARE(Text(invoice(0).kaeuferref), QString("B-4711"));
        Type("KaeuferRefEd", "04011000-12345-67");
        QCOMPARE(Text(invoice(0).kaeuferref), QString("04011000-12345-67"));
        Type("KaeuferUstIdEd", "ATU1234567");
        QVERIFY(!MarkedInvalid(edit("KaeuferUstIdEd")));
        Type("KaeuferUstIdEd", "DE1234");
        QVERIFY(MarkedInvalid(edit("KaeuferUstIdEd")));
        Type("KaeuferUstIdEd", "ATU12345678");
        QCOMPARE(Text(invoice(0).kaeuferustid), QString("ATU12345678"));
        TypeDate("LeistungVonEd", "01.03.2026");
        TypeDate("LeistungBisEd", "31.03.2026");
        TypeDate("FaelligEd", "15.04.2026");
        QCOMPARE(DateOfValue(invoice(0).leistungvon), QDate(2026, 3, 1));
        QCOMPARE(DateOfValue(invoice(0).leistungbis), QDate(2026, 3, 31));
        QCOMPARE(DateOfValue(invoice(0).faellig), QDate(2026, 4, 15));
        Choose(child<QComboBox>("NullKategorieCombo"), "Steuerbefreit");
        QCOMPARE(invoice(0).nullkategorie, uint8_t(1));
        QCOMPARE(edit("BefreiungEd")->placeholderText(), QString("Steuerfreie Leistung gemäß § 4 UStG"));
        Type("BefreiungEd", "Heilbehandlung");
        Choose(country, "CH");
        QCOMPARE(Text(invoice(0).kaeuferland), QString("CH"));

        // A land that names no country: the list says so.
        ShowTab("PageControl1", "TabRechnungsAdresse");
        Type("LandEd", "Atlantis");
        ShowTab("PageControl1", "TabERechnungRechnung");
        QCOMPARE(country->itemText(0), QString("aus „Land“ nicht erkennbar – bitte wählen"));

        // "Neu aus best. Rechnung": the buyer's data and the category come along, the dates not.
        Click("NeueausbestehenderBtn");
        QCOMPARE(h->Book().RechnungCount(), 2u);
        QCOMPARE(MainWindowHarness::SelectedRow(child<QTableView>("ListView1")), 1);
        QCOMPARE(edit("KaeuferRefEd")->text(), QString("04011000-12345-67"));
        QCOMPARE(edit("KaeuferUstIdEd")->text(), QString("ATU12345678"));
        QCOMPARE(edit("BefreiungEd")->text(), QString("Heilbehandlung"));
        QCOMPARE(country->currentData().toString(), QString("CH"));
        QVERIFY(child<OptionalDateEdit>("LeistungVonEd")->IsEmpty());
        QVERIFY(child<OptionalDateEdit>("FaelligEd")->IsEmpty());
        QCOMPARE(Text(invoice(1).kaeuferref), QString("04011000-12345-67"));
        QCOMPARE(invoice(1).leistungvon, 0.0);

        // A new invoice starts empty; the first shows its own data again.
        Click("NeueRechnungBtn");
        QVERIFY(edit("KaeuferRefEd")->text().isEmpty());
        QCOMPARE(child<QComboBox>("NullKategorieCombo")->currentIndex(), 0);
        QCOMPARE(Text(invoice(2).kaeuferustid), QString());
        ClickRow(0);
        QCOMPARE(edit("KaeuferUstIdEd")->text(), QString("ATU12345678"));
        QCOMPARE(child<OptionalDateEdit>("LeistungBisEd")->Date(), QDate(2026, 3, 31));
    }

    void gapsAreListedInOneBoxAndNothingIsWritten()
    {
        ShowTab("PageControl2", "TabERechnung");
        Tick("XRechnungRadio");
        ShowTab("PageControl2", "TabRechnungen");
        Click("NeueRechnungBtn");
        dialogs->answers << OutFile("nie.xml");
        PressEInvoiceButton();
        QCOMPARE(h->Messenger().Boxes().size(), size_t(1));
        const QString box = ToQString(h->Messenger().Errors().at(0));
        for (const char* gap :
             {"Käuferreferenz (Leitweg-ID) fehlt – Pflicht bei XRechnung. Reiter E-Rechnung der Rechnung.",
              "Firmenname fehlt – Reiter Firma-Grundeinstellungen.",
              "Name oder Firma des Käufers fehlt – Reiter Rechnungs-Adresse.",
              "Kontaktperson fehlt – Pflicht bei XRechnung. Reiter E-Rechnung der Einstellungen.",
              "Die Rechnung hat keine Positionen – Reiter Rechungs-Positionen."})
            QVERIFY2(box.contains(QString::fromUtf8(gap)), qPrintable(box));
        QVERIFY(dialogs->saves.isEmpty());
        QVERIFY(FilesOut().isEmpty());

        // An IBAN typed wrong is one more gap; filling the Leitweg-ID removes its own.
        ShowTab("PageControl2", "TabERechnung");
        Type("IbanEd", "DE03 1203 0000 0000 2020 51");
        ShowTab("PageControl2", "TabRechnungen");
        ShowTab("PageControl1", "TabERechnungRechnung");
        Type("KaeuferRefEd", "991-01234-56");
        h->Messenger().Reset();
        PressEInvoiceButton();
        const QString again = ToQString(h->Messenger().Errors().at(0));
        QVERIFY2(
            again.contains(
                "IBAN „DE03 1203 0000 0000 2020 51“ ist ungültig (Prüfziffern) – Reiter E-Rechnung der Einstellungen."),
            qPrintable(again));
        QVERIFY2(!again.contains("Leitweg-ID"), qPrintable(again));
        QVERIFY(dialogs->saves.isEmpty());
        QVERIFY(FilesOut().isEmpty());
    }

    void kindsThatAreNoInvoiceAreRefused()
    {
        FillSeller();
        FillInvoice();
        ShowTab("PageControl1", "TabAusgabe");
        Choose(child<QComboBox>("ArtCombo"), "Lieferschein");
        dialogs->answers << OutFile("lieferschein.xml");
        Click("EInvoiceBtn");
        QCOMPARE(h->Messenger().Errors().size(), size_t(1));
        QVERIFY(ToQString(h->Messenger().Errors()[0]).startsWith("Ein Lieferschein ist keine Rechnung"));
        QVERIFY(dialogs->saves.isEmpty());
        QVERIFY(FilesOut().isEmpty());
    }

    // "E-Rechnung einbetten (ZUGFeRD)" makes "Als PDF speichern..." check the invoice first and
    // write the hybrid; the tick is kept with the window settings.
    void pdfWithTheBoxTickedCarriesTheEInvoice()
    {
        FillSeller();
        FillInvoice();
        ShowTab("PageControl1", "TabAusgabe");
        Tick("ZugferdCheck");
        QVERIFY(child<QCheckBox>("ZugferdCheck")->isChecked());
        // Without the Leitweg-ID the box lists the gap and no dialog opens.
        dialogs->answers << OutFile("nie.pdf");
        Click("PDFBtn");
        QCOMPARE(h->Messenger().Errors().size(), size_t(1));
        QVERIFY(ToQString(h->Messenger().Errors()[0]).contains("Leitweg-ID"));
        QVERIFY(dialogs->saves.isEmpty());
        // A delivery note is no invoice: refused with the e-invoice's message.
        h->Messenger().Reset();
        Choose(child<QComboBox>("ArtCombo"), "Lieferschein");
        Click("PDFBtn");
        QCOMPARE(h->Messenger().Errors().size(), size_t(1));
        QVERIFY(ToQString(h->Messenger().Errors()[0]).startsWith("Ein Lieferschein ist keine Rechnung"));
        QVERIFY(dialogs->saves.isEmpty());
        // Untick: the delivery note is an ordinary PDF.
        Tick("ZugferdCheck");
        Click("PDFBtn");
        QCOMPARE(FilesOut(), QStringList{"nie.pdf"});
        QFile::remove(OutFile("nie.pdf"));

        ShowTab("PageControl1", "TabERechnungRechnung");
        Type("KaeuferRefEd", "04011000-12345-67");
        ShowTab("PageControl1", "TabAusgabe");
        Choose(child<QComboBox>("ArtCombo"), "Rechnung");
        Tick("ZugferdCheck");
        h->Messenger().Reset();
        dialogs->answers << OutFile("hybrid.pdf");
        Click("PDFBtn");
        QVERIFY2(
            h->Messenger().Boxes().empty(),
            qPrintable(ToQString(h->Messenger().Errors().empty() ? std::u16string() : h->Messenger().Errors()[0])));
        QCOMPARE(dialogs->saves.size(), 2);
        QCOMPARE(dialogs->saves[1].filter, QString("PDF Dateien (*.pdf)"));
        QCOMPARE(FilesOut(), QStringList{"hybrid.pdf"});
        QProcess detach;
        detach.start("pdfdetach", {"-list", OutFile("hybrid.pdf")});
        QVERIFY(detach.waitForFinished());
        QVERIFY2(detach.readAllStandardOutput().contains("1: xrechnung.xml"), "no attachment");

        QVERIFY(h->Form()->close());
        h->Stop();
        h->Start();
        QVERIFY(child<QCheckBox>("ZugferdCheck")->isChecked());
    }

    void savedInvoiceAndCreditNotePassTheOfficialRules()
    {
        FillSeller();
        FillInvoice();
        ShowTab("PageControl2", "TabERechnung");
        Click("EinheitNeuBtn");
        QVERIFY(QApplication::focusWidget());
        QTest::keyClicks(QApplication::focusWidget(), "Karton");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), "XCT");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();  // the view takes the edit after the key
        ShowTab("PageControl2", "TabRechnungen");
        ShowTab("PageControl1", "TabERechnungRechnung");
        Type("KaeuferRefEd", "04011000-12345-67");
        TypeDate("LeistungVonEd", "01.03.2026");
        TypeDate("LeistungBisEd", "31.03.2026");

        const QString number = Text(invoice(0).rechnr);
        dialogs->answers << OutFile("rechnung.xml") << OutFile("gutschrift.xml");
        PressEInvoiceButton();
        QVERIFY2(
            h->Messenger().Boxes().empty(),
            qPrintable(ToQString(h->Messenger().Errors().empty() ? std::u16string() : h->Messenger().Errors()[0])));
        QCOMPARE(dialogs->saves.size(), 1);
        QCOMPARE(dialogs->saves[0].start, number + ".xml");
        QCOMPARE(dialogs->saves[0].filter, QString("E-Rechnungen (*.xml)"));
        QCOMPARE(dialogs->saves[0].suffix, QString("xml"));
        Choose(child<QComboBox>("ArtCombo"), "Gutschrift");
        Click("EInvoiceBtn");
        QCOMPARE(dialogs->saves.size(), 2);
        // The next proposal goes into the folder of the last file.
        QCOMPARE(dialogs->saves[1].start, QDir(QString::fromStdString(out->Path())).filePath(number + ".xml"));
        QCOMPARE(FilesOut(), (QStringList{"gutschrift.xml", "rechnung.xml"}));

        QFile file(OutFile("rechnung.xml"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString xml = QString::fromUtf8(file.readAll());
        for (const char* part :
             {"<ram:BuyerReference>04011000-12345-67</ram:BuyerReference>", "Café &lt;Élan&gt; &amp; Co",
              "<ram:IBANID>DE02120300000000202051</ram:IBANID>", "unitCode=\"XCT\"", "unitCode=\"HUR\"",
              "<ram:CountryID>AT</ram:CountryID>", "<udt:DateTimeString format=\"102\">20260301</udt:DateTimeString>",
              "<ram:DuePayableAmount>419.35</ram:DuePayableAmount>"})
            QVERIFY2(xml.contains(QString::fromUtf8(part)), part);

        using namespace EInvoiceValidator;
        if (!std::filesystem::exists(Path())) {
            if (InCi())
                QFAIL(qPrintable("the e-invoice validation kit is missing: " + QString::fromStdString(Path())));
            QSKIP(qPrintable(QString("the e-invoice validation kit is missing; it needs ") + kPackages));
        }
        const ValidatorRun run =
            ValidateXRechnung({QStringToPath(OutFile("rechnung.xml")), QStringToPath(OutFile("gutschrift.xml"))});
        if (run.status == 2 && !InCi())
            QSKIP(qPrintable(QString("the validation kit cannot run; it needs ") + kPackages));
        QVERIFY2(run.ErrorLines().empty(), run.output.c_str());
        QVERIFY2(run.Passed("rechnung.xml") && run.Passed("gutschrift.xml"), run.output.c_str());
        QCOMPARE(run.status, 0);
    }
};

QTEST_MAIN(EInvoiceWindowTest)
#include "EInvoiceWindowTest.moc"
