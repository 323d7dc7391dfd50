// CSV exchange of 100,000 customers (the 15 standard columns, a two-line memo in every tenth
// record), each side by side with the bare table module doing the same work in the same run:
//   import   <-> appending the same records with Append / SetValue / Post
//   export   <-> walking the same records and reading every column's value
// The target is at most 1.5 times the baseline's time.
//   build-csv/bench/CustomerCsvBench --benchmark_counters_tabular=true
#include "customers/CustomerCsvExport.h"
#include "customers/CustomerCsvImport.h"
#include "customers/CustomerSchema.h"
#include "dbase/DbfTable.h"
#include "foundation/FileByteSource.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kCustomers = 100000;
namespace fs = std::filesystem;

const std::string& Folder()
{
    static const std::string folder = [] {
        std::string pattern = fs::temp_directory_path().string() + "/rekolon-csv-bench-XXXXXX";
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp");
        return pattern + "/";
    }();
    return folder;
}

std::u16string Ascii(const std::string& s)
{
    return std::u16string(s.begin(), s.end());
}

// The value of column `column` of customer `record`; memos only in every tenth record.
std::u16string ValueFor(int record, int column)
{
    static const char16_t* const towns[] = {u"Regensburg", u"Abensberg", u"München", u"Köln", u"Berlin"};
    switch (column) {
    case 5:
        return Ascii(std::to_string(10000 + record % 89999));
    case 6:
        return towns[record % 5];
    case 12:
        return record % 10 == 0 ? u"Notiz zum Kunden\r\nzweite Zeile mit \"Zitat\"" : u"";
    default:
        return u"Wert " + std::u16string(1, char16_t(u'A' + column)) + u" Nr. " +
               Ascii(std::to_string(record * 7919 % 100003));
    }
}

void AppendAll(const std::string& path)
{
    DbfTable::Create(path, CustomerSchema::StandardFields());
    DbfTable table;
    table.Open(path);
    for (int r = 0; r < kCustomers; ++r) {
        table.Append();
        for (int c = 0; c < 15; ++c) {
            const std::u16string value = ValueFor(r, c);
            if (!value.empty())
                table.SetValue(c, value);
        }
        table.Post();
    }
}

// The table with every customer, made once.
const std::string& FullTable()
{
    static const std::string path = [] {
        const std::string p = Folder() + "full.dbf";
        AppendAll(p);
        return p;
    }();
    return path;
}

// The export of that table, made once.
const std::string& CsvFile()
{
    static const std::string path = [] {
        const std::string p = Folder() + "full.csv";
        DbfTable table;
        table.Open(FullTable());
        if (CustomerCsvExport::WriteFile(table, p).status != CustomerCsvExport::Result::Status::Written)
            throw std::runtime_error("export failed");
        return p;
    }();
    return path;
}

void BM_BaselineAppend(benchmark::State& state)
{
    const std::string path = Folder() + "append.dbf";
    for (auto _ : state)
        AppendAll(path);
    state.SetItemsProcessed(state.iterations() * kCustomers);
}

void BM_Import(benchmark::State& state)
{
    const std::string csv = CsvFile();
    const std::string path = Folder() + "import.dbf";
    uint32_t added = 0;
    for (auto _ : state) {
        DbfTable::Create(path, CustomerSchema::StandardFields());
        DbfTable table;
        table.Open(path);
        FileByteSource source(csv);
        added = CustomerCsvImport::Read(table, source).added;
    }
    if (added != kCustomers)
        state.SkipWithError("not every record imported");
    state.SetItemsProcessed(state.iterations() * kCustomers);
}

void BM_BaselineWalk(benchmark::State& state)
{
    DbfTable table;
    table.Open(FullTable());
    size_t total = 0;
    for (auto _ : state) {
        for (table.First(); !table.Eof(); table.Next()) {
            for (int i = 0; i < table.FieldCount(); ++i)
                total += table.Value(i).size();
        }
    }
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations() * kCustomers);
}

void BM_Export(benchmark::State& state)
{
    DbfTable table;
    table.Open(FullTable());
    const std::string path = Folder() + "export.csv";
    uint32_t records = 0;
    for (auto _ : state)
        records = CustomerCsvExport::WriteFile(table, path).records;
    if (records != kCustomers)
        state.SkipWithError("not every record exported");
    state.counters["file_mb"] = double(fs::file_size(path)) / 1e6;
    state.SetItemsProcessed(state.iterations() * kCustomers);
}

}  // namespace

BENCHMARK(BM_BaselineAppend)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_BaselineWalk)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond)->MinTime(3);
