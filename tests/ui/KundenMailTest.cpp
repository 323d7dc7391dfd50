// Mail to a customer from the customer window: the address, the salutation and the
// answers of the desktop's mail program, which a scripted opener stands in for.
#include "KundenFormTestSupport.h"
#include "customers/CustomerSchema.h"
#include "customers/CustomerTestTables.h"
#include "dbase/DbfTable.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"
#include "ui/customers/SendMailMAPI.h"
#include "ui/customers/TKundenForm.h"
#include "ui/shared/UiServices.h"

#include <QLabel>
#include <QStandardPaths>
#include <QUrlQuery>
#include <QtTest>

class KundenMailTest : public QObject, private KundenFormFixture {
    Q_OBJECT

private:
    std::unique_ptr<TKundenForm> form_;

    void Open(const CustomerRows& rows, const std::vector<DbfField>& fields = CustomerSchema::StandardFields())
    {
        OpenIn(*form_, rows, fields);
    }

private Q_SLOTS:
    void initTestCase() { InitNames(); }

    void init()
    {
        InitFolder();
        form_ = std::make_unique<TKundenForm>();
    }

    void cleanup()
    {
        QCOMPARE(messenger_->UnansweredQuestions(), 0);
        Services() = UiServices{};
        form_.reset();
        CleanupFolder();
    }

    void mailToTheCurrentCustomer()
    {
        Open({{{u"Anrede", u"Herr"}, {u"Vorname", u"Hans"}, {u"Name", u"Meier"}, {u"Email", u"hans.meier@example.de"}},
              {{u"Anrede", u"herr"}, {u"Vorname", u""}, {u"Name", u"Klein"}, {u"Email", u"k@example.de"}}});
        QList<QUrl> urls;
        Services().openUrl = [&](const QUrl& url) {
            urls << url;
            return true;
        };
        DbfTable& table = form_->Dbf1();
        table.First();
        form_->SyncGridToTable();
        QTest::mouseClick(form_->findChild<QLabel*>("Label12"), Qt::LeftButton);
        QCOMPARE(urls.size(), 1);
        QCOMPARE(urls[0].scheme(), QString("mailto"));
        QCOMPARE(urls[0].path(), QString("Herr Hans Meier <hans.meier@example.de>"));
        QCOMPARE(QUrlQuery(urls[0]).queryItemValue("body", QUrl::FullyDecoded), QString("Sehr geehrter Herr Meier,"));

        table.Next();
        form_->SyncGridToTable();
        form_->Label12Click();
        QCOMPARE(urls[1].path(), QString("herr Klein <k@example.de>"));
        QVERIFY(!urls[1].hasQuery());  // no opening for "herr"
    }

    void mailFallsBackToTheComboBoxesWithoutTheColumns()
    {
        std::vector<DbfField> fields = CustomerSchema::StandardFields();
        fields[11].name = u"EPost";  // no "Email" column
        Open({{{u"Anrede", u"Frau"}, {u"Vorname", u"Eva"}, {u"Name", u"Berg"}, {u"EPost", u"eva@berg.de"}}}, fields);
        QList<QUrl> urls;
        Services().openUrl = [&](const QUrl& url) {
            urls << url;
            return false;  // no mail program: nothing is shown
        };
        form_->Dbf1().First();
        form_->SyncGridToTable();
        form_->Label12Click();
        QCOMPARE(urls.size(), 1);
        QCOMPARE(urls[0].path(), QString("Frau Eva Berg <eva@berg.de>"));
        QCOMPARE(QUrlQuery(urls[0]).queryItemValue("body", QUrl::FullyDecoded), QString("Sehr geehrte Frau Berg,"));
        QVERIFY(messenger_->Boxes().empty());
    }

    void sendMailMapiKeepsItsReturnValues()
    {
        Services().openUrl = [](const QUrl&) { return false; };
        QCOMPARE(SendMailMAPI("", "", "", "", "", "", "a@b.de", ""), -1);
        Services().openUrl = [](const QUrl&) { return true; };
        QCOMPARE(SendMailMAPI("Betreff", "", "", "Ich", "ich@x.de", "", "a@b.de", "c@d.de"), 0);
        QCOMPARE(SendMailMAPI("", "", "/tmp/anhang.pdf", "", "", "", "a@b.de", ""), 11);
    }
};

QTEST_MAIN(KundenMailTest)
#include "KundenMailTest.moc"
