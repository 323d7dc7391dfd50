#include "ui/shared/LocaleFormat.h"
#include "invoices/DateTime.h"
#include "invoices/RechnungList.h"
#include "invoices/TRechnungBook.h"
#include "ui/shared/QtText.h"

#include <QLocale>
#include <QtTest>

// The user's number and date format, taken from a given locale without changing the
// process's own.
class LocaleFormatTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fourDigitYearsInEveryLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("date");  // 5 March 2026
        QTest::addColumn<QChar>("separator");
        QTest::newRow("German") << "de_DE"
                                << "dd.MM.yyyy"
                                << "05.03.2026" << QChar(',');
        QTest::newRow("Austrian German") << "de_AT"
                                         << "dd.MM.yyyy"
                                         << "05.03.2026" << QChar(',');
        QTest::newRow("English (US)") << "en_US"
                                      << "M/d/yyyy"
                                      << "3/5/2026" << QChar('.');
        QTest::newRow("English (UK)") << "en_GB"
                                      << "dd/MM/yyyy"
                                      << "05/03/2026" << QChar('.');
        QTest::newRow("French") << "fr_FR"
                                << "dd/MM/yyyy"
                                << "05/03/2026" << QChar(',');
        QTest::newRow("Italian") << "it_IT"
                                 << "dd/MM/yyyy"
                                 << "05/03/2026" << QChar(',');
        QTest::newRow("Spanish") << "es_ES"
                                 << "d/M/yyyy"
                                 << "5/3/2026" << QChar(',');
        QTest::newRow("Swedish") << "sv_SE"
                                 << "yyyy-MM-dd"
                                 << "2026-03-05" << QChar(',');
        QTest::newRow("Korean") << "ko_KR"
                                << "yyyy. M. d."
                                << "2026. 3. 5." << QChar('.');
        QTest::newRow("Bulgarian") << "bg_BG"
                                   << "d.MM.yyyy 'г'."
                                   << "5.03.2026 г." << QChar(',');
        QTest::newRow("C counts as German") << "C"
                                            << "dd.MM.yyyy"
                                            << "05.03.2026" << QChar(',');
    }

    void fourDigitYearsInEveryLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, pattern);
        QFETCH(QString, date);
        QFETCH(QChar, separator);
        const LocaleFormat format = LocaleFormat::From(QLocale(locale));
        QCOMPARE(ToQString(format.shortDate), pattern);
        QCOMPARE(QChar(format.decimalSeparator), separator);
        QCOMPARE(ToQString(ShortDateText(46086.5, format.shortDate)), date);
        // Qt writes the pattern alike, so that the date fields show what the page prints.
        QCOMPARE(QLocale(locale).toString(QDate(2026, 3, 5), ToQString(format.shortDate)), date);
    }

    void invoiceListShowsTheWidenedDate()
    {
        TRechnungBook book;
        TRechnungRec& r = book.AppendRechnung();
        r.datum = 46086.5;
        r.bezahlt = 46090;
        const LocaleFormat format = LocaleFormat::From(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(ToQString(RechnungColumnText(r, 0, format.shortDate)), QString("05.03.2026"));
        QCOMPARE(ToQString(RechnungColumnText(r, 10, format.shortDate)), QString("09.03.2026"));
    }
};

QTEST_MAIN(LocaleFormatTest)
#include "LocaleFormatTest.moc"
