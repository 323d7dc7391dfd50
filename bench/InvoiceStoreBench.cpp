// Writing and reading save.dat for a book of 10,000 invoices with 10 positions each and 1,000
// articles, each measured side by side with its baseline in the same run: writing the same
// number of bytes as one buffer through the same atomic file sink (new file, flush, sync,
// rename), and reading the same number of bytes as one buffer from the same file.
//
// Counters:
//   file_bytes      size of save.dat
//   ratio           time of the operation / time of its baseline (target: at most 3)
//   op_ms, base_ms  mean times of one operation and one baseline run
//   book_bytes      memory the loaded book holds: malloc's in-use bytes (heap and mapped)
//                   before and after reading into an empty book (records, array blocks, array
//                   objects, long texts, the allocator's overhead), plus every byte the pool of
//                   short text buffers holds from the system, used or not (an upper bound)
//   memory_ratio    book_bytes / file_bytes (target: at most 4)
//   requested_bytes the bytes the book asked for (array blocks, array objects, text
//                   buffers), without allocator overhead
//
//   build-book/bench/InvoiceStoreBench --benchmark_repetitions=3
#include "foundation/AtomicFileSink.h"
#include "foundation/FileByteSource.h"
#include "foundation/Utf8.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kInvoices = 10000;
constexpr int kPositions = 10;
constexpr int kArticles = 1000;

std::u16string Num(int n)
{
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

void Set(char16_t** field, const std::u16string& text)
{
    SetTextBuf(field, text);
}

void FillPosition(TPositionRec& p, int k)
{
    Set(&p.einheit, k % 3 ? u"Stk" : u"Std.");
    Set(&p.artnr, u"ART-" + Num(10000 + k % 1000));
    Set(&p.bez, k % 4 ? u"Montage Heizkörper inkl. Anschlussmaterial" : u"Anfahrt und Arbeitszeit");
    p.menge = 1 + k % 5;
    p.mwst = k % 7 ? 19 : 7;
    p.preis = 49.9 + k % 100;
}

// A book as a small business keeps it: full billing addresses, a two-line invoice text,
// order references, a delivery address on every third invoice.
void FillBook(TRechnungBook& book)
{
    for (int i = 0; i < kInvoices; ++i) {
        TRechnungRec& r = book.AppendRechnung();
        Set(&r.anrede, i % 2 ? u"Herr" : u"Frau");
        Set(&r.firma, u"Müller Haustechnik GmbH");
        Set(&r.name, u"Müller" + Num(i));
        Set(&r.vorname, u"Hans");
        Set(&r.zusatz, u"");
        Set(&r.strasse, u"Hauptstraße " + Num(i % 200));
        Set(&r.land, u"D");
        Set(&r.plz, Num(80000 + i % 999));
        Set(&r.ort, u"München");
        Set(&r.tel, u"089 " + Num(1000000 + i));
        Set(&r.fax, u"089 " + Num(2000000 + i));
        Set(&r.email, u"info@mueller-haustechnik.de");
        Set(&r.rechnr, u"RE-" + Num(6300000 + i));
        r.datum = 45000 + i * 0.1;
        r.bezahlt = i % 3 ? 45010 + i * 0.1 : 0;
        Set(&r.rechtext, u"Vielen Dank für Ihren Auftrag.\r\nZahlbar innerhalb von 14 Tagen ohne Abzug.");
        Set(&r.ihrebestellung, u"B-2026-" + Num(i));
        Set(&r.bestelldatum, u"01.03.2026");
        if (i % 3 == 0) {
            Set(&r.lfirma, u"Müller Haustechnik GmbH");
            Set(&r.lname, u"Lager Süd");
            Set(&r.lstrasse, u"Industriestraße 4");
            Set(&r.lplz, u"85716");
            Set(&r.lort, u"Unterschleißheim");
        }
        for (int j = 0; j < kPositions; ++j)
            FillPosition(book.AppendPosition(book.RechnungCount() - 1), i * kPositions + j);
    }
    for (int a = 0; a < kArticles; ++a) {
        TArtikelRec& art = book.AppendArtikel();
        FillPosition(*reinterpret_cast<TPositionRec*>(&art), a);
        art.menge = 1;
    }
}

class Folder {
public:
    Folder()
    {
        const char* env = std::getenv("TMPDIR");
        std::string pattern = std::string(env && *env ? env : "/tmp") + "/rekolon-bench-XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()))
            path_ = std::string(buffer.data()) + "/";
    }
    ~Folder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

size_t TextBytes(const char16_t* buffer)
{
    return buffer ? (TextOf(buffer).size() + 1) * sizeof(char16_t) : 0;
}

size_t RequestedBytes(const TRechnungBook& book)
{
    size_t bytes = book.rechs.AMemSize() + book.tpos.AMemSize();
    for (uint32_t i = 0; i < book.RechnungCount(); ++i) {
        const TRechnungRec& r = book.Rechnung(i);
        for (TRechnungText field : kRechnungTexte)
            bytes += TextBytes(r.*field);  // text only, without the pool's header
        bytes += sizeof(TDynaArray) + r.posis->AMemSize();
        for (uint32_t j = 0; j < r.posis->Count(); ++j) {
            const auto& p = *static_cast<const TPositionRec*>(r.posis->At(j));
            bytes += TextBytes(p.einheit) + TextBytes(p.artnr) + TextBytes(p.bez);
        }
    }
    for (uint32_t i = 0; i < book.ArtikelCount(); ++i) {
        const TArtikelRec& a = book.Artikel(i);
        bytes += TextBytes(a.einheit) + TextBytes(a.artnr) + TextBytes(a.bez);
    }
    return bytes;
}

size_t MallocInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

void BM_SaveRechnungen_vs_OneBufferWrite(benchmark::State& state)
{
    Folder folder;
    TRechnungBook book;
    FillBook(book);
    book.progpath = Utf8ToUtf16(folder.Path());
    book.isopened = true;
    book.SaveRechnungen();
    const std::string path = folder.Path() + "save.dat";
    const std::string bytes = [&] {
        FileByteSource source(path);
        std::string b(source.Size(), '\0');
        source.Read(b.data(), b.size());
        return b;
    }();
    const std::string basePath = folder.Path() + "buffer.dat";
    double opSeconds = 0;
    double baseSeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        book.SaveRechnungen();
        const auto t1 = Clock::now();
        {
            AtomicFileSink sink(basePath);
            sink.Write(bytes.data(), bytes.size());
            sink.Commit();
        }
        const auto t2 = Clock::now();
        opSeconds += Seconds(t1 - t0);
        baseSeconds += Seconds(t2 - t1);
        state.SetIterationTime(Seconds(t1 - t0));
    }
    const double n = double(state.iterations());
    state.counters["file_bytes"] = double(bytes.size());
    state.counters["op_ms"] = opSeconds / n * 1e3;
    state.counters["base_ms"] = baseSeconds / n * 1e3;
    state.counters["ratio"] = opSeconds / baseSeconds;
    state.SetBytesProcessed(int64_t(bytes.size()) * state.iterations());
}

void BM_OpenRechnungen_vs_OneBufferRead(benchmark::State& state)
{
    Folder folder;
    {
        TRechnungBook book;
        FillBook(book);
        book.progpath = Utf8ToUtf16(folder.Path());
        book.isopened = true;
        book.SaveRechnungen();
    }
    const std::string path = folder.Path() + "save.dat";
    const uint64_t fileBytes = std::filesystem::file_size(path);
    double opSeconds = 0;
    double baseSeconds = 0;
    size_t bookBytes = 0;
    size_t requested = 0;
    for (auto _ : state) {
        auto book = std::make_unique<TRechnungBook>();
        book->progpath = Utf8ToUtf16(folder.Path());
        const size_t before = MallocInUse();
        const auto t0 = Clock::now();
        const TRechnungBook::OpenResult result = book->OpenRechnungen();
        const auto t1 = Clock::now();
        bookBytes = MallocInUse() - before + TextBufHeldBytes();
        {
            FileByteSource source(path);
            std::unique_ptr<char[]> buffer(new char[source.Size()]);
            source.Read(buffer.get(), source.Size());
            benchmark::DoNotOptimize(buffer.get());
        }
        const auto t2 = Clock::now();
        if (result != TRechnungBook::OpenResult::Loaded || book->RechnungCount() != kInvoices) {
            state.SkipWithError("reading failed");
            break;
        }
        opSeconds += Seconds(t1 - t0);
        baseSeconds += Seconds(t2 - t1);
        state.SetIterationTime(Seconds(t1 - t0));
        state.PauseTiming();
        requested = RequestedBytes(*book);
        book.reset();
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    state.counters["file_bytes"] = double(fileBytes);
    state.counters["op_ms"] = opSeconds / n * 1e3;
    state.counters["base_ms"] = baseSeconds / n * 1e3;
    state.counters["ratio"] = opSeconds / baseSeconds;
    state.counters["book_bytes"] = double(bookBytes);
    state.counters["requested_bytes"] = double(requested);
    state.counters["memory_ratio"] = double(bookBytes) / double(fileBytes);
    state.SetBytesProcessed(int64_t(fileBytes) * state.iterations());
}

}

BENCHMARK(BM_SaveRechnungen_vs_OneBufferWrite)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenRechnungen_vs_OneBufferRead)->UseManualTime()->Unit(benchmark::kMillisecond);
