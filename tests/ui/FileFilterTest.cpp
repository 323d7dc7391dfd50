#include "ui/shared/FileFilter.h"
#include "imaging/OpenDib.h"

#include <QtTest>

class FileFilterTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pairsBecomeQtFiltersWithUpperCase()
    {
        QCOMPARE(QtFileFilter("PNG (*.png)|*.png|Alle (*.bmp;*.jpg)|*.bmp;*.jpg"),
                 QString("PNG (*.png *.PNG);;Alle (*.bmp *.jpg *.BMP *.JPG)"));
    }

    void theImageLayersFilterOffersWhatItReads()
    {
        const QString filter = QtFileFilter(QString::fromUtf8(GetDIBOpenFilter()));
        const QStringList entries = filter.split(";;");
        QVERIFY(entries.size() >= 2);
        QVERIFY(entries[0].startsWith("Alle Bilddateien ("));
        for (const char* pattern : {"*.bmp", "*.png", "*.jpg", "*.jpeg", "*.JPG"})
            QVERIFY2(entries[0].contains(pattern), pattern);
        QVERIFY(!filter.contains('|'));
    }

    void oddPairsIgnoreTheDanglingPart()
    {
        QCOMPARE(QtFileFilter("Text (*.txt)|*.txt|Rest"), QString("Text (*.txt *.TXT)"));
        QCOMPARE(QtFileFilter(""), QString());
    }
};

QTEST_MAIN(FileFilterTest)
#include "FileFilterTest.moc"
