// Opening a large received e-invoice in the window "E-Rechnung anzeigen" as the user does: the
// 50,000-line Cross Industry Invoice read from its file, checked, laid out for the screen and
// its first page painted, against the baseline of libxml2 parsing the same bytes and nothing
// more. The whole must stay within 2 seconds.
//   QT_QPA_PLATFORM=offscreen build/bench/EInvoiceViewWindowBench
#include "support/LargeCiiInvoice.h"
#include "ui/invoices/PreviewBox.h"
#include "ui/received/EInvoiceView.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <libxml/parser.h>

#include <memory>

namespace {

QTemporaryDir* dir = nullptr;
std::string* bytes = nullptr;

QString FixtureFile()
{
    return dir->filePath(QStringLiteral("grosse-rechnung.xml"));
}

void MakeFixture()
{
    dir = new QTemporaryDir;
    bytes = new std::string(MakeLargeCiiInvoice(50'000).xml);
    QFile file(FixtureFile());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes->data(), qint64(bytes->size())) != qint64(bytes->size()))
        qFatal("cannot write the fixture");
}

void BM_Baseline_LibxmlParse(benchmark::State& state)
{
    for (auto _ : state) {
        xmlDoc* doc = xmlReadMemory(bytes->data(), int(bytes->size()), "rechnung.xml", nullptr, XML_PARSE_NONET);
        if (doc == nullptr)
            state.SkipWithError("libxml2 refused the file");
        xmlFreeDoc(doc);
    }
    state.counters["file_MB"] = double(bytes->size()) / 1e6;
}

void BM_WindowOpenAndFirstPage(benchmark::State& state)
{
    int pages = 0;
    for (auto _ : state) {
        std::unique_ptr<EInvoiceView> view(EInvoiceView::Open(FixtureFile(), nullptr));
        if (!view) {
            state.SkipWithError("the window did not open");
            break;
        }
        // The first page as the screen gets it.
        const QImage page = view->findChild<PreviewBox*>(QStringLiteral("PageBox"))->grab().toImage();
        benchmark::DoNotOptimize(page.constBits());
        pages = view->PageCount();
    }
    state.counters["pages"] = pages;
}

}  // namespace

BENCHMARK(BM_Baseline_LibxmlParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowOpenAndFirstPage)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MakeFixture();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete bytes;
    delete dir;
    return 0;
}
