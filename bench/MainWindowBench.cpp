// The main window with a book of 10,000 invoices (10 positions each): typing into an
// address field, selecting another invoice and creating an invoice, measured side by side
// with their baseline, a bare SaveRechnungen of the same book. Typing writes nothing, so it
// must stay far below the baseline; the other two write save.dat once and should stay close
// to it. Run offscreen: QT_QPA_PLATFORM=offscreen build/bench/MainWindowBench
#include "app/AppWindows.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "ui/invoices/TRechnungsForm.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int kInvoices = 10000;
constexpr int kPositions = 10;

QTemporaryDir* dataDir = nullptr;
AppWindows* windows = nullptr;

// Writes a book of the given size into the data folder, then starts the windows on it.
void StartOnBigBook()
{
    dataDir = new QTemporaryDir;
    {
        TRechnungBook book;
        book.progpath = dataDir->path().toStdU16String() + u"/";
        book.OpenRechnungen();
        for (int i = 0; i < kInvoices; ++i) {
            TRechnungRec& r = book.AppendRechnung();
            NewTextBuf(&r.firma, u"Holzbau Huber GmbH & Co. KG");
            NewTextBuf(&r.name, u"Müller " + std::u16string(std::to_string(i).begin(), std::to_string(i).end()));
            NewTextBuf(&r.strasse, u"Hauptstraße 12");
            NewTextBuf(&r.ort, u"Regensburg");
            NewTextBuf(&r.rechtext, u"Zahlbar innerhalb 14 Tagen ohne Abzug.\r\nVielen Dank für Ihren Auftrag.");
            r.datum = 46000 + i % 400;
            for (int k = 0; k < kPositions; ++k) {
                TPositionRec& p = book.AppendPosition(static_cast<uint32_t>(i));
                NewTextBuf(&p.einheit, u"Stück");
                NewTextBuf(&p.bez, u"Fichtenbrett 24 mm, gehobelt");
                p.menge = 1 + k;
                p.mwst = 19;
                p.preis = 12.5;
            }
        }
        book.SaveRechnungen();
    }
    windows = new AppWindows;
    windows->RechnungsForm()->SetDataFolderOverride(dataDir->path());
    windows->RechnungsForm()->show();
    QApplication::processEvents();
}

TRechnungsForm* Form()
{
    return windows->RechnungsForm();
}

void BM_Baseline_SaveRechnungen(benchmark::State& state)
{
    for (auto _ : state)
        Form()->Book().SaveRechnungen();
}

void BM_TypeIntoAddressField(benchmark::State& state)
{
    auto* edit = Form()->findChild<QLineEdit*>("NameED");
    Form()->findChild<QTableView*>("ListView1")->selectRow(5000);
    int n = 0;
    for (auto _ : state) {
        edit->setText(QStringLiteral("Müller ") + QString::number(n++ % 10));
        QApplication::processEvents();
    }
}

void BM_SelectAnotherInvoice(benchmark::State& state)
{
    auto* list = Form()->findChild<QTableView*>("ListView1");
    int row = 0;
    for (auto _ : state) {
        list->selectRow(row);
        row = (row + 997) % kInvoices;
        QApplication::processEvents();
    }
}

void BM_NewInvoice(benchmark::State& state)
{
    auto* button = Form()->findChild<QPushButton*>("NeueRechnungBtn");
    for (auto _ : state) {
        button->click();
        QApplication::processEvents();
    }
}

}

BENCHMARK(BM_Baseline_SaveRechnungen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeIntoAddressField)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectAnotherInvoice)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NewInvoice)->Unit(benchmark::kMillisecond)->Iterations(50);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Vestrik");
    QApplication::setApplicationName("Rekolon-Benchmark");
    StartOnBigBook();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete windows;
    delete dataDir;
    return 0;
}
