// One preview paint at zoom 100 of a one-page invoice with a one-megapixel logo, against its
// baseline: exporting the same page as a PDF file. The preview paints on every scroll, so it
// must not cost more than the export.
//   QT_QPA_PLATFORM=offscreen build/bench/PreviewWindowBench
#include "imaging/DibLibrary.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "output/PdfExport.h"
#include "output/TPageLayout.h"
#include "qtoutput/QtPainterCanvas.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QTemporaryDir* dir = nullptr;
TRechnungBook* book = nullptr;

void MakeBook()
{
    dir = new QTemporaryDir;
    // A 1000 × 1000 logo with a colour gradient, saved as a Windows bitmap.
    dib logo{};
    newdib(&logo, 1000, 1000, 24, nullptr, 0);
    for (int y = 0; y < 1000; ++y)
        for (int x = 0; x < 1000; ++x)
            setpixel(logo, x, y, uint32_t(x / 4) | (uint32_t(y / 4) << 8) | (0x80u << 16));
    const std::string logoPath = dir->filePath("logo.bmp").toStdString();
    SaveDib(logo, logoPath.c_str(), 3, 0);
    deldib(logo);

    book = new TRechnungBook;
    book->settings.FilenameEdit1 = dir->filePath("logo.bmp").toStdU16String();
    book->settings.BreitEd = 40;
    TRechnungRec& r = book->AppendRechnung();
    NewTextBuf(&r.firma, u"Holzbau Huber GmbH");
    NewTextBuf(&r.name, u"Müller");
    NewTextBuf(&r.ort, u"Regensburg");
    NewTextBuf(&r.rechnr, u"6300000");
    r.datum = 46086;
    for (int i = 0; i < 12; ++i) {
        TPositionRec& p = book->AppendPosition(0);
        p.menge = 1 + i;
        p.mwst = i % 2 ? 7 : 19;
        p.preis = 12.5 + i;
        NewTextBuf(&p.bez, u"Fichtenbrett 24 mm, gehobelt und geschliffen");
    }
}

void BM_Baseline_ExportPdf(benchmark::State& state)
{
    const std::string path = dir->filePath("rechnung.pdf").toStdString();
    for (auto _ : state) {
        if (ExportPdf(*book, 0, 0, path, kNoPrinterPage, TLayoutFormat{}) != PdfExportResult::Written)
            state.SkipWithError("export failed");
    }
}

void BM_PreviewPaintZoom100(benchmark::State& state)
{
    const TOutputTarget target = TOutputTarget::Preview(96, 100, kNoPrinterPage);
    QImage page(target.pw, target.ph, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&page);
        painter.fillRect(page.rect(), Qt::white);
        QtPainterCanvas canvas(painter, target);
        TPageLayout(canvas, *book, 0, 0, TLayoutFormat{}).Run();
    }
}

}

BENCHMARK(BM_Baseline_ExportPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewPaintZoom100)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MakeBook();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete book;
    delete dir;
    return 0;
}
