// Opening a large received e-invoice and showing its first page: the 50,000-line Cross
// Industry Invoice read through the safe XML parser into the model, checked, laid out on the
// PDF target and its first page drawn into a PDF file, against the baseline of libxml2 parsing
// the same bytes and nothing more. Besides the time, each reports its peak heap (every C++
// allocation and every libxml2 allocation, counted while it runs) as a multiple of the file's
// size.
#include "output/TPdfOutputCanvas.h"
#include "pdf/TPDFCanvas.h"
#include "received/CiiInvoiceReader.h"
#include "received/ReceivedInvoiceCheck.h"
#include "received/ReceivedInvoicePages.h"
#include "received/SafeXmlDocument.h"
#include "support/LargeCiiInvoice.h"

#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/xmlmemory.h>

#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <unistd.h>

// The replaced operator new takes its memory from malloc and the replaced delete gives it back
// with free, a pairing the compiler cannot see through once it inlines them.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {

// The heap in use and its peak since the last ResetPeak.
std::atomic<int64_t> inUse{0};
std::atomic<int64_t> peak{0};

void Count(void* p)
{
    if (p == nullptr)
        return;
    const int64_t now = inUse.fetch_add(int64_t(malloc_usable_size(p))) + int64_t(malloc_usable_size(p));
    int64_t high = peak.load();
    while (now > high && !peak.compare_exchange_weak(high, now)) {
    }
}

void Uncount(void* p)
{
    if (p != nullptr)
        inUse.fetch_sub(int64_t(malloc_usable_size(p)));
}

void* CountedMalloc(size_t n)
{
    void* p = std::malloc(n);
    Count(p);
    return p;
}

void CountedFree(void* p)
{
    Uncount(p);
    std::free(p);
}

void* CountedRealloc(void* p, size_t n)
{
    Uncount(p);
    void* q = std::realloc(p, n);
    Count(q != nullptr ? q : p);
    return q;
}

char* CountedStrdup(const char* s)
{
    const size_t n = std::strlen(s) + 1;
    char* p = static_cast<char*>(CountedMalloc(n));
    if (p != nullptr)
        std::memcpy(p, s, n);
    return p;
}

// libxml2 allocates through these from before its first use.
const bool kXmlCounted = [] {
    xmlMemSetup(CountedFree, CountedMalloc, CountedRealloc, CountedStrdup);
    return true;
}();

const LargeCiiInvoice& Fixture()
{
    static const LargeCiiInvoice invoice = MakeLargeCiiInvoice(50'000);
    return invoice;
}

std::string OutputPath()
{
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/rekolon-bench-received-" + std::to_string(getpid()) + ".pdf";
}

// Runs one iteration's work and records the peak heap above what was in use before it.
template <typename Work> int64_t PeakOf(Work&& work)
{
    const int64_t before = inUse.load();
    peak.store(before);
    work();
    return peak.load() - before;
}

void Report(benchmark::State& state, int64_t peakBytes)
{
    const double fileBytes = double(Fixture().xml.size());
    state.counters["file_MB"] = fileBytes / 1e6;
    state.counters["peak_heap_MB"] = double(peakBytes) / 1e6;
    state.counters["peak_per_file_byte"] = double(peakBytes) / fileBytes;
}

// Checks the invoice, lays it out on the PDF target and draws its first page into a file;
// returns the number of pages.
int ShowFirstPage(const ReceivedInvoice& invoice, const std::string& path)
{
    const ReceivedCheck check = CheckReceivedInvoice(invoice);
    TPDFCanvas pdf;
    pdf.BeginDoc(path);
    TPdfOutputCanvas canvas(pdf, kNoPrinterPage);
    const ReceivedInvoicePages layout(invoice, check, canvas);
    layout.DrawPage(canvas, 0);
    pdf.EndDoc();
    if (!check.Agrees())
        std::fprintf(stderr, "the large invoice does not check: %zu problems\n", check.problems.size());
    return layout.PageCount();
}

void BM_OpenLargeInvoiceFirstPage(benchmark::State& state)
{
    const std::string& xml = Fixture().xml;
    const std::string path = OutputPath();
    int64_t worst = 0;
    int pages = 0;
    for (auto _ : state) {
        worst = std::max(worst, PeakOf([&] {
                             const ReceivedLimits limits;
                             ReceivedReadResult read;
                             {
                                 const SafeXmlDocument document(xml, limits);
                                 read = ReadCiiInvoice(document.Root(), limits);
                             }
                             if (!read.invoice) {
                                 state.SkipWithError("the large invoice was not read");
                                 return;
                             }
                             pages = ShowFirstPage(*read.invoice, path);
                         }));
    }
    std::remove(path.c_str());
    Report(state, worst);
    state.counters["pages"] = pages;
}

// The part after reading alone: check, layout of every page and drawing of the first.
void BM_CheckAndLayOutFirstPage(benchmark::State& state)
{
    const ReceivedLimits limits;
    const SafeXmlDocument document(Fixture().xml, limits);
    const ReceivedReadResult read = ReadCiiInvoice(document.Root(), limits);
    if (!read.invoice) {
        state.SkipWithError("the large invoice was not read");
        return;
    }
    const std::string path = OutputPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(ShowFirstPage(*read.invoice, path));
    std::remove(path.c_str());
}

void BM_LibXml2ParseOnly(benchmark::State& state)
{
    const std::string& xml = Fixture().xml;
    int64_t worst = 0;
    for (auto _ : state) {
        worst = std::max(worst, PeakOf([&] {
                             xmlDoc* doc =
                                 xmlReadMemory(xml.data(), int(xml.size()), "einvoice.xml", nullptr, XML_PARSE_NONET);
                             benchmark::DoNotOptimize(doc);
                             xmlFreeDoc(doc);
                         }));
    }
    Report(state, worst);
}

}  // namespace

// Every C++ allocation counted as well.
void* operator new(size_t n)
{
    void* p = std::malloc(n == 0 ? 1 : n);
    if (p == nullptr)
        throw std::bad_alloc();
    Count(p);
    return p;
}

void* operator new[](size_t n)
{
    return operator new(n);
}

void operator delete(void* p) noexcept
{
    CountedFree(p);
}

void operator delete[](void* p) noexcept
{
    CountedFree(p);
}

void operator delete(void* p, size_t) noexcept
{
    CountedFree(p);
}

void operator delete[](void* p, size_t) noexcept
{
    CountedFree(p);
}

BENCHMARK(BM_OpenLargeInvoiceFirstPage)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CheckAndLayOutFirstPage)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LibXml2ParseOnly)->Unit(benchmark::kMillisecond)->Iterations(3);
