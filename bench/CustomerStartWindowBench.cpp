// Starting the program on a data folder with 100,000 customers, side by side with its
// baseline, a start on an empty customer table, and with opening that table alone (what the
// start must do: open it and list its records for the grid). A start costs no more than the
// baseline plus opening the table when no work is done for the customer window's value
// lists. Also measured: making all 24 value lists of the big table (what every start used to
// do), the growth of the resident set over the first start with the big table, and the
// process's peak resident set after each benchmark (run in this order, the peak after the
// big start less the peak after the baseline is what the big table adds), against the
// table's size.
// Run offscreen:
//   QT_QPA_PLATFORM=offscreen build/bench/CustomerStartWindowBench --benchmark_counters_tabular=true
#include "app/AppWindows.h"
#include "customers/CustomerSchema.h"
#include "customers/CustomerTable.h"
#include "dbase/DbfTable.h"
#include "ui/customers/KundenTableModel.h"
#include "ui/customers/TKundenForm.h"
#include "ui/invoices/TRechnungsForm.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kCustomers = 100000;

QTemporaryDir* emptyFolder = nullptr;
QTemporaryDir* bigFolder = nullptr;

long ResidentKb()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The process's peak resident set so far (VmHWM).
long PeakKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

std::u16string Number(long n)
{
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

// Customers as a real table holds them: names, streets and numbers mostly distinct, towns
// and salutations repeating, a memo for every tenth.
void WriteCustomers(const std::string& path)
{
    static const char16_t* const towns[] = {u"Regensburg", u"Abensberg", u"München", u"Köln", u"Berlin", u"Passau"};
    static const char16_t* const salutations[] = {u"Herr", u"Frau", u"Firma"};
    DbfTable::Create(path, CustomerSchema::StandardFields());
    DbfTable table;
    table.Open(path);
    table.SetAppendBuffering(true);
    for (long r = 0; r < kCustomers; ++r) {
        const std::u16string n = Number(r * 7919 % 1000003);
        table.Append();
        table.SetValue(u"Firma", u"Holzbau Huber " + n + u" GmbH & Co. KG");
        table.SetValue(u"Name", u"Müller-" + n);
        table.SetValue(u"Vorname", u"Hans " + Number(r % 97));
        table.SetValue(u"Anrede", salutations[r % 3]);
        table.SetValue(u"StrasseNr", u"Hauptstraße " + Number(r % 400));
        table.SetValue(u"PLZ", Number(10000 + r % 89999));
        table.SetValue(u"Ort", towns[r % 6]);
        table.SetValue(u"Land", u"Deutschland");
        table.SetValue(u"Telefon", u"0941 " + n);
        table.SetValue(u"Fax", r % 4 == 0 ? u"0941 9" + n : u"");
        table.SetValue(u"Handy", u"0171 " + n);
        table.SetValue(u"Email", u"kunde" + n + u"@example.de");
        if (r % 10 == 0)
            table.SetValue(u"Mehr", u"Kunde seit 2001\r\nzahlt bar");
        table.SetValue(u"Kundennr", u"K-" + Number(r));
        table.SetValue(u"Kostenst", Number(r % 50));
        table.Post();
    }
    table.Sync();
}

// The program's start on a data folder: all windows, the main window shown (which opens
// the customer table), every event handled.
std::unique_ptr<AppWindows> Start(const QTemporaryDir& folder)
{
    auto windows = std::make_unique<AppWindows>();
    windows->RechnungsForm()->SetDataFolderOverride(folder.path());
    windows->RechnungsForm()->show();
    QApplication::processEvents();
    return windows;
}

void BM_Baseline_StartWithEmptyTable(benchmark::State& state)
{
    for (auto _ : state) {
        std::unique_ptr<AppWindows> windows = Start(*emptyFolder);
        state.PauseTiming();
        windows.reset();
        state.ResumeTiming();
    }
    state.counters["peak_MB"] = double(PeakKb()) / 1024;
}

void BM_OpenTableOf100000(benchmark::State& state)
{
    for (auto _ : state) {
        CustomerTable customers;
        customers.InitDataBase(bigFolder->path().toStdString() + "/");
        DbfTable& table = customers.Dbf1();
        std::vector<uint32_t> rows;  // what the grid lists
        for (table.First(); !table.Eof(); table.Next())
            rows.push_back(table.RecNo());
        benchmark::DoNotOptimize(rows.data());
    }
}

void BM_StartWith100000Customers(benchmark::State& state)
{
    struct stat st {};
    ::stat((bigFolder->path() + "/customers.dbf").toLocal8Bit().constData(), &st);
    long growthKb = -1;
    for (auto _ : state) {
        const long before = ResidentKb();
        std::unique_ptr<AppWindows> windows = Start(*bigFolder);
        state.PauseTiming();
        if (growthKb < 0)
            growthKb = ResidentKb() - before;
        if (windows->KundenForm()->Model()->rowCount() != kCustomers)
            state.SkipWithError("the customer table was not opened");
        windows.reset();
        state.ResumeTiming();
    }
    state.counters["table_MB"] = double(st.st_size) / (1 << 20);
    state.counters["rss_growth_MB"] = double(growthKb) / 1024;
    state.counters["peak_MB"] = double(PeakKb()) / 1024;
}

// What every start used to do: all 24 value lists over the whole table.
void BM_AllValueListsOf100000(benchmark::State& state)
{
    std::unique_ptr<AppWindows> windows = Start(*bigFolder);
    TKundenForm* form = windows->KundenForm();
    for (auto _ : state) {
        form->AktuallisiereDBEdit();
        for (int k = 0; k < 24; ++k)
            form->FillValueList(k);
    }
    state.counters["peak_MB"] = double(PeakKb()) / 1024;
}

}  // namespace

BENCHMARK(BM_Baseline_StartWithEmptyTable)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StartWith100000Customers)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OpenTableOf100000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_AllValueListsOf100000)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Vestrik");
    QApplication::setApplicationName("Rekolon-Benchmark");
    emptyFolder = new QTemporaryDir;
    bigFolder = new QTemporaryDir;
    DbfTable::Create(emptyFolder->path().toStdString() + "/customers.dbf", CustomerSchema::StandardFields());
    WriteCustomers(bigFolder->path().toStdString() + "/customers.dbf");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete bigFolder;
    delete emptyFolder;
    return 0;
}
