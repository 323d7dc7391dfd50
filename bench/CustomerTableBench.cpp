// The customer table with 100,000 customers: appending, walking (all, filtered, ordered by a
// column) and a rebuild that adds a column. Side by side in the same run: shapelib appending
// and walking the same 14 character columns, and a plain copy of the table's files as the
// measure for the rebuild. The walk's memory is reported as the growth of the resident set.
//   build-dbase/bench/CustomerTableBench --benchmark_counters_tabular=true
#include "customers/CustomerFilter.h"
#include "customers/CustomerSchema.h"
#include "customers/CustomerTable.h"
#include "dbase/DbfTable.h"
#include "foundation/Cp1252.h"
#include "foundation/Messenger.h"

#include <benchmark/benchmark.h>
#include <shapefil.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr int kCustomers = 100000;
namespace fs = std::filesystem;

const std::string& Folder()
{
    static const std::string folder = [] {
        std::string pattern = fs::temp_directory_path().string() + "/rekolon-bench-XXXXXX";
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp");
        return pattern + "/";
    }();
    return folder;
}

std::vector<DbfField> CharacterColumns()
{
    std::vector<DbfField> fields;
    for (const DbfField& f : CustomerSchema::StandardFields()) {
        if (f.IsCharacter())
            fields.push_back(f);
    }
    return fields;  // 14
}

std::u16string ValueFor(int record, int column)
{
    static const char16_t* const towns[] = {u"Regensburg", u"Abensberg", u"München", u"Köln", u"Berlin"};
    if (column == 6)
        return towns[record % 5];
    return u"Wert " + std::u16string(1, char16_t(u'A' + column)) + u" Nr. " + [&] {
        std::string s = std::to_string(record * 7919 % 100003);
        return std::u16string(s.begin(), s.end());
    }();
}

long ResidentKb()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void FillOurs(const std::string& path, const std::vector<DbfField>& fields, int count)
{
    DbfTable::Create(path, fields);
    DbfTable table;
    table.Open(path);
    for (int r = 0; r < count; ++r) {
        table.Append();
        int column = 0;
        for (int i = 0; i < table.FieldCount(); ++i) {
            if (table.Field(i).IsMemo()) {
                if (r % 10 == 0)
                    table.SetValue(i, u"Notiz zum Kunden\r\nzweite Zeile mit Tabelle");
                continue;
            }
            table.SetValue(i, ValueFor(r, column++));
        }
        table.Post();
    }
}

// The 15-column customer table, made once.
const std::string& StandardTable()
{
    static const std::string path = [] {
        const std::string p = Folder() + "standard.dbf";
        FillOurs(p, CustomerSchema::StandardFields(), kCustomers);
        return p;
    }();
    return path;
}

void BM_OursAppend14(benchmark::State& state)
{
    const std::string path = Folder() + "ours14.dbf";
    for (auto _ : state)
        FillOurs(path, CharacterColumns(), kCustomers);
    state.SetItemsProcessed(state.iterations() * kCustomers);
}

void BM_ShapelibAppend14(benchmark::State& state)
{
    const std::string path = Folder() + "shp14.dbf";
    for (auto _ : state) {
        DBFHandle dbf = DBFCreate(path.c_str());
        for (const DbfField& f : CharacterColumns())
            DBFAddField(dbf, EncodeCp1252(f.name).c_str(), FTString, f.length, 0);
        for (int r = 0; r < kCustomers; ++r) {
            for (int c = 0; c < 14; ++c)
                DBFWriteStringAttribute(dbf, r, c, EncodeCp1252(ValueFor(r, c)).c_str());
        }
        DBFClose(dbf);
    }
    state.SetItemsProcessed(state.iterations() * kCustomers);
}

void BM_OursWalk14(benchmark::State& state)
{
    const std::string path = Folder() + "walk14.dbf";
    if (!fs::exists(path))
        FillOurs(path, CharacterColumns(), kCustomers);
    DbfTable table;
    table.Open(path);
    const long before = ResidentKb();
    size_t total = 0;
    for (auto _ : state) {
        for (table.First(); !table.Eof(); table.Next()) {
            for (int i = 0; i < 14; ++i)
                total += table.Value(i).size();
        }
    }
    benchmark::DoNotOptimize(total);
    state.counters["rss_growth_kb"] = double(ResidentKb() - before);
    state.SetItemsProcessed(state.iterations() * kCustomers);
}

void BM_ShapelibWalk14(benchmark::State& state)
{
    const std::string path = Folder() + "walk14.dbf";
    if (!fs::exists(path))
        FillOurs(path, CharacterColumns(), kCustomers);
    DBFHandle dbf = DBFOpen(path.c_str(), "rb");
    size_t total = 0;
    for (auto _ : state) {
        const int count = DBFGetRecordCount(dbf);
        for (int r = 0; r < count; ++r) {
            if (DBFIsRecordDeleted(dbf, r))
                continue;
            for (int c = 0; c < 14; ++c)
                total += DecodeCp1252(DBFReadStringAttribute(dbf, r, c)).size();
        }
    }
    DBFClose(dbf);
    benchmark::DoNotOptimize(total);
    state.SetItemsProcessed(state.iterations() * kCustomers);
}

void BM_OursWalkStandard(benchmark::State& state)
{
    DbfTable table;
    table.Open(StandardTable());
    const long before = ResidentKb();
    size_t total = 0;
    for (auto _ : state) {
        for (table.First(); !table.Eof(); table.Next()) {
            for (int i = 0; i < table.FieldCount(); ++i)
                total += table.Value(i).size();
        }
    }
    benchmark::DoNotOptimize(total);
    state.counters["rss_growth_kb"] = double(ResidentKb() - before);
    state.SetItemsProcessed(state.iterations() * kCustomers);
}

void BM_OursFilteredWalk(benchmark::State& state)
{
    DbfTable table;
    table.Open(StandardTable());
    const std::u16string text = CustomerFilter::FoldAZ(u"ab");
    table.SetFilterCallback([&](const DbfTable& t) { return CustomerFilter::Matches(t, text); });
    size_t visible = 0;
    for (auto _ : state) {
        table.SetFiltered(true);
        visible = 0;
        for (table.First(); !table.Eof(); table.Next())
            ++visible;
    }
    state.counters["visible"] = double(visible);
    state.SetItemsProcessed(state.iterations() * kCustomers);
}

void BM_OursOrderByColumn(benchmark::State& state)
{
    size_t seen = 0;
    for (auto _ : state) {
        DbfTable table;
        table.Open(StandardTable());
        table.AddIndex(u"Ort", 6);
        table.SelectIndex(u"Ort");
        seen = 0;
        for (table.First(); !table.Eof(); table.Next())
            seen += table.Value(6).size();
    }
    benchmark::DoNotOptimize(seen);
    state.SetItemsProcessed(state.iterations() * kCustomers);
}

void CopyStandardTo(const std::string& folder)
{
    fs::create_directories(folder);
    fs::copy_file(StandardTable(), folder + "customers.dbf", fs::copy_options::overwrite_existing);
    fs::copy_file(DbfTable::MemoPathFor(StandardTable()), folder + "customers.dbt",
                  fs::copy_options::overwrite_existing);
}

void BM_PlainCopyOfTableFiles(benchmark::State& state)
{
    const std::string folder = Folder() + "copy/";
    for (auto _ : state)
        CopyStandardTo(folder);
}

// The same copy made durable, as the rebuild makes its work table before renaming it.
void BM_PlainCopyOfTableFilesSynced(benchmark::State& state)
{
    const std::string folder = Folder() + "copy/";
    for (auto _ : state) {
        CopyStandardTo(folder);
        for (const char* name : {"customers.dbf", "customers.dbt"}) {
            const int fd = ::open((folder + name).c_str(), O_RDONLY);
            ::fsync(fd);
            ::close(fd);
        }
    }
}

void BM_OursRebuildAddingAColumn(benchmark::State& state)
{
    const std::string folder = Folder() + "rebuild/";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(folder);
        CopyStandardTo(folder);
        CustomerTable customers;
        customers.InitDataBase(folder);
        state.ResumeTiming();
        if (!customers.AddnewField(u"Bemerkung", 30))
            state.SkipWithError("rebuild failed");
    }
    state.SetItemsProcessed(state.iterations() * kCustomers);
}

}  // namespace

BENCHMARK(BM_OursAppend14)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ShapelibAppend14)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OursWalk14)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ShapelibWalk14)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OursWalkStandard)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OursFilteredWalk)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_OursOrderByColumn)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlainCopyOfTableFiles)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_PlainCopyOfTableFilesSynced)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_OursRebuildAddingAColumn)->Unit(benchmark::kMillisecond)->Iterations(3);
