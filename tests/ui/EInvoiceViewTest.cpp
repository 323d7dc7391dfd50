#include "ui/received/EInvoiceView.h"
#include "MainWindowHarness.h"
#include "qtoutput/QtPainterCanvas.h"
#include "qtoutput/QtPrinterPage.h"
#include "received/ReceivedInvoiceCheck.h"
#include "received/ReceivedInvoicePages.h"
#include "received/ReceivedInvoiceReader.h"
#include "support/LargeCiiInvoice.h"
#include "ui/invoices/PreviewBox.h"
#include "ui/received/MeasureCache.h"
#include "ui/shared/QtText.h"
#include "ui/shared/StandardDialogs.h"
#include "ui/shared/UiServices.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString Sample(const char* name)
{
    return QStringLiteral(REKOLON_EINVOICE_SAMPLES "/") + QString::fromUtf8(name);
}

// Open and save dialogs answered in advance; every call is recorded.
class ScriptedFileDialogs final : public StandardDialogs {
public:
    struct Call {
        QString caption, start, filter, suffix;
    };
    QStringList openAnswers, saveAnswers;  // an empty or missing answer cancels
    QList<Call> opens, saves;

    QString GetExistingDirectory(QWidget*, const QString&, const QString&) override { return {}; }
    QString GetOpenFileName(QWidget*, const QString& caption, const QString& start, const QString& filter) override
    {
        opens.append({caption, start, filter, {}});
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString GetSaveFileName(QWidget*, const QString& caption, const QString& start, const QString& filter,
                            const QString& suffix) override
    {
        saves.append({caption, start, filter, suffix});
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
    bool GetFont(QWidget*, const QString&, QFont&) override { return false; }
};

QString PdfText(const QString& file)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A canvas whose texts are (length × size) wide and (size + 1) high, counting how often it is
// asked.
class CountingCanvas final : public TOutputCanvas {
public:
    CountingCanvas() : TOutputCanvas(TOutputTarget{}) {}
    int widths = 0, heights = 0;
    int32_t size = 0;

    void SetFont(const TCanvasFont& font) override { size = font.size; }
    void SetPen(int32_t) override {}
    void TextOut(int32_t, int32_t, std::u16string_view) override {}
    int32_t TextWidth(std::u16string_view text) override
    {
        ++widths;
        return int32_t(text.size()) * size;
    }
    int32_t TextHeight(std::u16string_view text) override
    {
        ++heights;
        return text.empty() ? 0 : size + 1;
    }
    void MoveTo(int32_t, int32_t) override {}
    void LineTo(int32_t, int32_t) override {}
    void FillModules(int32_t, int32_t, int32_t, int32_t, const std::vector<ModuleRun>&) override {}
    void DrawLogo(const dib&, int32_t, int32_t, int32_t, int32_t) override {}
    int32_t WordBreak(int32_t, int32_t top, int32_t, int32_t, std::u16string_view, bool) override { return top; }
    void NewPage() override {}
};

// The visible windows "E-Rechnung anzeigen".
QList<EInvoiceView*> OpenViews()
{
    QList<EInvoiceView*> views;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* view = qobject_cast<EInvoiceView*>(widget); view && view->isVisible())
            views.append(view);
    }
    return views;
}

}  // namespace

// The window "E-Rechnung anzeigen", opened from the main window's menu with the file dialog
// answered in advance, used with the mouse and the keyboard.
class EInvoiceViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MainWindowHarness> h;
    ScriptedFileDialogs dialogs;
    QTemporaryDir dir;
    std::unique_ptr<QPrinter> printer;

    template <class T> static T* Child(QWidget* scope, const char* name)
    {
        T* widget = scope->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }

    // "E-Rechnung öffnen..." clicked in the menu bar, the dialog answering `file`.
    EInvoiceView* OpenThroughMenu(const QString& file)
    {
        dialogs.openAnswers = {file};
        auto* menuBar = h->Form()->findChild<QMenuBar*>(QStringLiteral("MainMenu1"));
        QAction* action = h->Form()->findChild<QAction*>(QStringLiteral("ERechnungOeffnen"));
        if (!menuBar || !action)
            qFatal("no menu entry");
        QTest::mouseClick(menuBar, Qt::LeftButton, {}, menuBar->actionGeometry(action).center());
        const QList<EInvoiceView*> views = OpenViews();
        if (views.size() != 1)
            return nullptr;
        if (!QTest::qWaitForWindowExposed(views.first()))
            qFatal("window not shown");
        return views.first();
    }

    // Clicks the row of the attachment list in its viewport.
    static void ClickRow(QTableWidget* list, int row)
    {
        const QRect cell = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    }

    // A CII invoice of `lines` lines whose stated sums do not match its lines (one line's
    // amount raised by 10 EUR), written to a file of the test.
    QString WrongSumsInvoice(size_t lines)
    {
        std::string xml = MakeLargeCiiInvoice(lines).xml;
        const std::string amount = "<ram:LineTotalAmount>";
        const size_t at = xml.find(amount);
        if (at == std::string::npos)
            qFatal("no line amount");
        xml.insert(at + amount.size(), "1");
        const QString path = dir.filePath(QStringLiteral("lange-rechnung.xml"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(xml.data(), qint64(xml.size())) != qint64(xml.size()))
            qFatal("cannot write the invoice");
        return path;
    }

private Q_SLOTS:
    void init()
    {
        dialogs = {};
        Services().dialogs = &dialogs;
        h = std::make_unique<MainWindowHarness>();
        h->Start();
    }
    void cleanup()
    {
        QCOMPARE(h->Messenger().UnansweredQuestions(), 0);
        h.reset();
        Services() = {};
        SetCurrentPrinter(nullptr);
        printer.reset();
    }

    void menuOpensTheWindowWithCheckAndAttachments()
    {
        EInvoiceView* view = OpenThroughMenu(Sample("ubl/ubl-tc434-example2.xml"));
        QVERIFY(view);
        QCOMPARE(dialogs.opens.size(), 1);
        QCOMPARE(dialogs.opens[0].caption, QStringLiteral("E-Rechnung öffnen"));
        QCOMPARE(dialogs.opens[0].filter, QStringLiteral("E-Rechnungen (*.xml *.pdf *.XML *.PDF)"));
        QCOMPARE(view->windowTitle(), QStringLiteral("E-Rechnung anzeigen – ubl-tc434-example2.xml"));
        QCOMPARE(view->Invoice().number, std::u16string(u"TOSL108"));
        QVERIFY(h->Messenger().Boxes().empty());

        // The check's heading in its colour, and its problems below it.
        auto* heading = Child<QLabel>(view, "CheckHeading");
        auto* problems = Child<QListWidget>(view, "CheckProblems");
        QCOMPARE(heading->text(), QString::fromStdU16String(view->Check().Heading()));
        QCOMPARE(heading->palette().color(QPalette::WindowText),
                 view->Check().Agrees() ? QColor(0, 110, 0) : QColor(176, 0, 0));
        QCOMPARE(problems->count(), int(view->Check().problems.size()));
        QCOMPARE(problems->isVisible(), !view->Check().Agrees());

        // The external document is listed, never fetched; the embedded one has its size.
        auto* list = Child<QTableWidget>(view, "AttachmentList");
        QCOMPARE(list->rowCount(), 2);
        QCOMPARE(list->item(0, 0)->text(), QStringLiteral("http://www.suppliersite.eu/sheet001.html"));
        QCOMPARE(list->item(0, 2)->text(), QStringLiteral("externer Verweis (wird nicht geladen)"));
        QCOMPARE(list->item(0, 3)->text(), QStringLiteral("Timesheet"));
        QCOMPARE(list->item(1, 0)->text(), QStringLiteral("test.pdf"));
        QCOMPARE(list->item(1, 1)->text(), QStringLiteral("application/pdf"));
        QCOMPARE(list->item(1, 2)->text(), QStringLiteral("23 Bytes"));
        QCOMPARE(list->item(1, 3)->text(), QStringLiteral("EHF specification"));
        // Both rows shown whole; the page keeps the room.
        QCOMPARE(list->verticalScrollBar()->maximum(), 0);
        QVERIFY(Child<QScrollArea>(view, "ScrollBox")->height() > 2 * list->height());
    }

    void attachmentSavedByteForByte()
    {
        EInvoiceView* view = OpenThroughMenu(Sample("ubl/ubl-tc434-example2.xml"));
        QVERIFY(view);
        auto* list = Child<QTableWidget>(view, "AttachmentList");
        auto* save = Child<QPushButton>(view, "SaveAttachmentBtn");
        QVERIFY(!save->isEnabled());
        ClickRow(list, 0);
        QVERIFY(!save->isEnabled());  // a link only
        ClickRow(list, 1);
        QVERIFY(save->isEnabled());

        // The bytes the file holds, decoded here from its Base64 text.
        const QByteArray xml = FileBytes(Sample("ubl/ubl-tc434-example2.xml"));
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("filename=\"test.pdf\">([^<]*)<")).match(QString::fromUtf8(xml));
        QVERIFY(match.hasMatch());
        const QByteArray expected = QByteArray::fromBase64(match.captured(1).toLatin1());
        QCOMPARE(expected, QByteArray("Testing Base64 encoding"));

        const QString target = dir.filePath(QStringLiteral("anhang.pdf"));
        dialogs.saveAnswers = {target};
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(dialogs.saves.size(), 1);
        QCOMPARE(dialogs.saves[0].caption, QStringLiteral("Speichern unter"));
        QCOMPARE(QFileInfo(dialogs.saves[0].start).fileName(), QStringLiteral("test.pdf"));
        QCOMPARE(dialogs.saves[0].suffix, QStringLiteral("pdf"));
        QCOMPARE(FileBytes(target), expected);
        QVERIFY(h->Messenger().Boxes().empty());

        // Cancelled: nothing written; a folder that does not exist: one box, nothing made.
        QFile::remove(target);
        QTest::mouseClick(save, Qt::LeftButton);
        QVERIFY(!QFile::exists(target));
        dialogs.saveAnswers = {dir.filePath(QStringLiteral("fehlt/anhang.pdf"))};
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(h->Messenger().Errors().size(), size_t(1));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("fehlt"))));
    }

    void largeAttachmentSaved()
    {
        const char* name = "ubl/FT_G2G_TD01_con_Allegato,_Bonifico_e_Split_Payment.xml";
        EInvoiceView* view = OpenThroughMenu(Sample(name));
        QVERIFY(view);
        auto* list = Child<QTableWidget>(view, "AttachmentList");
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(list->item(0, 0)->text(), QStringLiteral("mappatura_ubl_sdi.pdf"));
        const QString xml = QString::fromUtf8(FileBytes(Sample(name)));
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("filename=\"mappatura_ubl_sdi.pdf\">([^<]*)<")).match(xml);
        QVERIFY(match.hasMatch());
        const QByteArray expected =
            QByteArray::fromBase64(match.captured(1).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        QVERIFY(expected.startsWith("%PDF-"));
        QCOMPARE(list->item(0, 2)->text(),
                 QString::number(expected.size() / 1048576.0, 'f', 1).replace('.', ',') + QStringLiteral(" MB"));

        ClickRow(list, 0);
        const QString target = dir.filePath(QStringLiteral("mappatura.pdf"));
        dialogs.saveAnswers = {target};
        QTest::mouseClick(Child<QPushButton>(view, "SaveAttachmentBtn"), Qt::LeftButton);
        QCOMPARE(FileBytes(target), expected);
    }

    void pageButtonsZoomAndTheRedCheck()
    {
        EInvoiceView* view = OpenThroughMenu(WrongSumsInvoice(400));
        QVERIFY(view);
        QVERIFY(!view->Check().Agrees());
        QCOMPARE(Child<QLabel>(view, "CheckHeading")->palette().color(QPalette::WindowText), QColor(176, 0, 0));
        QVERIFY(Child<QListWidget>(view, "CheckProblems")->isVisible());
        QVERIFY(!Child<QWidget>(view, "AttachmentPanel")->isVisible());

        const int count = view->PageCount();
        QVERIFY2(count >= 3, qPrintable(QString::number(count)));
        auto* label = Child<QLabel>(view, "PageLabel");
        auto* previous = Child<QPushButton>(view, "PrevPageBtn");
        auto* next = Child<QPushButton>(view, "NextPageBtn");
        auto* box = Child<PreviewBox>(view, "PageBox");
        QCOMPARE(label->text(), QStringLiteral("Seite 1 von %1").arg(count));
        QVERIFY(!previous->isEnabled());
        QVERIFY(next->isEnabled());
        const QImage first = box->grab().toImage();

        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(view->CurrentPage(), 1);
        QCOMPARE(label->text(), QStringLiteral("Seite 2 von %1").arg(count));
        QVERIFY(previous->isEnabled());
        QVERIFY(box->grab().toImage() != first);
        QTest::mouseClick(previous, Qt::LeftButton);
        QCOMPARE(label->text(), QStringLiteral("Seite 1 von %1").arg(count));
        QCOMPARE(box->grab().toImage(), first);
        for (int i = 1; i < count; ++i)
            QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(label->text(), QStringLiteral("Seite %1 von %1").arg(count));
        QVERIFY(!next->isEnabled());

        // The zoom typed in: the page grows with it.
        auto* zoom = Child<QSpinBox>(view, "ZoomEd");
        const QSize atHundred = box->size();
        zoom->setFocus();
        zoom->selectAll();
        QTest::keyClicks(zoom, QStringLiteral("50"));
        QTest::keyClick(zoom, Qt::Key_Return);
        QCOMPARE(zoom->value(), 50);
        QCOMPARE(box->width(), atHundred.width() / 2);
        QCOMPARE(box->height(), atHundred.height() / 2);
    }

    void pdfSavedUnderTheInvoiceNumber()
    {
        EInvoiceView* view = OpenThroughMenu(Sample("cii/CII_example1.xml"));
        QVERIFY(view);
        const QString target = dir.filePath(QStringLiteral("lesbar.pdf"));
        dialogs.saveAnswers = {target};
        QTest::mouseClick(Child<QPushButton>(view, "PdfBtn"), Qt::LeftButton);
        QCOMPARE(dialogs.saves.size(), 1);
        QCOMPARE(dialogs.saves[0].caption, QStringLiteral("Als PDF speichern"));
        // Proposed beside the e-invoice, named after its number.
        QCOMPARE(dialogs.saves[0].start,
                 QFileInfo(Sample("cii/CII_example1.xml")).absolutePath() + QStringLiteral("/12115118.pdf"));
        QCOMPARE(dialogs.saves[0].filter, QStringLiteral("PDF Dateien (*.pdf)"));
        QVERIFY(FileBytes(target).startsWith("%PDF-"));
        const QString text = PdfText(target);
        QVERIFY2(text.contains(QStringLiteral("12115118")), qPrintable(text.left(400)));
        QVERIFY(text.contains(QStringLiteral("250,33")));
        QVERIFY(h->Messenger().Boxes().empty());

        // The next proposal goes to the folder chosen last.
        QTest::mouseClick(Child<QPushButton>(view, "PdfBtn"), Qt::LeftButton);
        QCOMPARE(dialogs.saves[1].start, dir.filePath(QStringLiteral("12115118.pdf")));
    }

    void printedOnThePrinterOfTheRun()
    {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        const QString printed = dir.filePath(QStringLiteral("druck.pdf"));
        printer->setOutputFileName(printed);
        printer->setPageSize(QPageSize(QPageSize::A4));
        SetCurrentPrinter(printer.get());
        EInvoiceView* view = OpenThroughMenu(WrongSumsInvoice(400));
        QVERIFY(view);
        QTest::mouseClick(Child<QPushButton>(view, "PrintBtn"), Qt::LeftButton);
        QVERIFY(h->Messenger().Boxes().empty());
        QCOMPARE(printer->docName(), QStringLiteral("E-Rechnung"));
        const QString text = PdfText(printed);
        // Every page printed, one after the other.
        QVERIFY2(text.count(QChar('\f')) >= 3, qPrintable(QString::number(text.count(QChar('\f')))));
        QVERIFY(text.contains(QString::fromStdU16String(view->Invoice().number)));
    }

    void noPrinterSaysSo()
    {
        SetCurrentPrinter(nullptr);
        if (CurrentPrinter())
            QSKIP("this machine has a printer");
        EInvoiceView* view = OpenThroughMenu(Sample("cii/CII_example1.xml"));
        QVERIFY(view);
        QTest::mouseClick(Child<QPushButton>(view, "PrintBtn"), Qt::LeftButton);
        QCOMPARE(h->Messenger().Errors().size(), size_t(1));
        const QString text = QString::fromStdU16String(h->Messenger().Errors()[0]);
        QVERIFY2(text.startsWith(QStringLiteral("Es ist kein Drucker eingerichtet")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("speichern Sie die E-Rechnung als PDF")));
    }

    void measureCacheAsksOncePerFontAndText()
    {
        CountingCanvas counting;
        MeasureCache cache(counting);
        TCanvasFont arial{u"Arial", 9, 0, 0};
        TCanvasFont bold = arial;
        bold.style = 1;
        TCanvasFont grey = arial;
        grey.color = 0x808080;
        const struct {
            const TCanvasFont* font;
            std::u16string text;
            int32_t width;
            int asked;  // the widths asked of the canvas so far
        } steps[] = {
            {&arial, u"Stück", 45, 1}, {&arial, u"Stück", 45, 1},
            {&bold, u"Stück", 45, 2},  {&grey, u"Stück", 45, 2},  // the colour measures the same
            {&arial, u"19", 18, 3},    {&bold, u"Stück", 45, 3},
        };
        for (const auto& step : steps) {
            cache.SetFont(*step.font);
            QCOMPARE(cache.TextWidth(step.text), step.width);
            QCOMPARE(counting.widths, step.asked);
        }
        QCOMPARE(cache.TextHeight(u"Äg"), 10);
        QCOMPARE(cache.TextHeight(u"x"), 10);
        QCOMPARE(cache.TextHeight(u""), 0);
        QCOMPARE(counting.heights, 1);
        TCanvasFont big = arial;
        big.size = 90000;  // sizes beyond 16 bits are told apart
        cache.SetFont(big);
        QCOMPARE(cache.TextWidth(u"19"), 180000);
        QCOMPARE(counting.widths, 4);
        QCOMPARE(cache.Misses(), size_t(5));
    }

    void measureCacheLaysOutAsTheScreenDoes()
    {
        const ReceivedReadResult read = ReadReceivedInvoiceFile(QStringToPath(WrongSumsInvoice(120)));
        QVERIFY(read.invoice);
        const ReceivedCheck check = CheckReceivedInvoice(*read.invoice);
        TOutputTarget target = TOutputTarget::Preview(96, 100, kNoPrinterPage);
        target.pageBreaks = true;
        QImage measure(1, 1, QImage::Format_RGB32);
        measure.setDotsPerMeterX(3780);
        measure.setDotsPerMeterY(3780);
        QPainter measurePainter(&measure);
        QtPainterCanvas direct(measurePainter, target);
        const ReceivedInvoicePages plain(*read.invoice, check, direct);
        QtPainterCanvas underneath(measurePainter, target);
        MeasureCache cache(underneath);
        const ReceivedInvoicePages cached(*read.invoice, check, cache);
        QCOMPARE(cached.PageCount(), plain.PageCount());
        QVERIFY(plain.PageCount() >= 2);
        for (int page = 0; page < plain.PageCount(); ++page) {
            QImage a(target.pw, target.ph, QImage::Format_RGB32), b = a;
            for (auto [image, pages] : {std::pair{&a, &plain}, std::pair{&b, &cached}}) {
                image->setDotsPerMeterX(3780);
                image->setDotsPerMeterY(3780);
                image->fill(Qt::white);
                QPainter painter(image);
                QtPainterCanvas canvas(painter, target);
                pages->DrawPage(canvas, page);
            }
            QCOMPARE(a, b);
        }
    }

    void badFileGivesOneBoxAndNoWindow()
    {
        const struct {
            QString file;
            QString message;
        } cases[] = {
            {QStringLiteral(REKOLON_TEST_DATA "/einvoice-doctype-with-entity-bomb.xml"),
             QStringLiteral("Die Datei enthält eine Dokumenttypdefinition")},
            {QStringLiteral(REKOLON_TEST_DATA "/einvoice-xhtml-page-instead-of-invoice.xml"),
             QStringLiteral("Die Datei ist keine E-Rechnung (erwartet: XRechnung/ZUGFeRD als CII oder UBL).")},
            {dir.filePath(QStringLiteral("fehlt.xml")), QStringLiteral("kann nicht gelesen werden")},
        };
        for (const auto& c : cases) {
            h->Messenger().Reset();
            QVERIFY(!OpenThroughMenu(c.file));
            QVERIFY(OpenViews().isEmpty());
            QCOMPARE(h->Messenger().Errors().size(), size_t(1));
            QVERIFY2(QString::fromStdU16String(h->Messenger().Errors()[0]).contains(c.message),
                     qPrintable(QString::fromStdU16String(h->Messenger().Errors()[0])));
            QCOMPARE(h->Messenger().Boxes()[0].title, std::u16string(u"E-Rechnung anzeigen"));
        }
        // Cancelling the dialog opens nothing and says nothing.
        h->Messenger().Reset();
        QVERIFY(!OpenThroughMenu(QString()));
        QVERIFY(h->Messenger().Boxes().empty());
        // The next dialog starts at the file chosen last.
        QCOMPARE(dialogs.opens.last().start, dir.filePath(QStringLiteral("fehlt.xml")));
    }
};

QTEST_MAIN(EInvoiceViewTest)
#include "EInvoiceViewTest.moc"
