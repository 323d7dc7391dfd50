// Writing a 100-page document (each page 60 text runs in three fonts, each measured first,
// and 20 lines): TPDFCanvas against cairo's PDF surface, the baseline, making the same calls.
// BM_TPDFCanvasLines compares the ordinary file with the archive (PDF/A-3b) file.
// The counter heap_peak_kB is the most heap in use while the document is written (sampled
// before every page break and before the end), above what was in use at the start; run with
// 100 and 1000 pages it shows whether memory grows with the number of pages.
#include "foundation/Utf8.h"
#include "pdf/TPDFCanvas.h"

#include <benchmark/benchmark.h>
#include <cairo-pdf.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Run {
    int font;  // 0 Arial, 1 Arial bold, 2 Times New Roman italic
    int size;
    std::u16string text16;
    std::string text8;
};

const std::vector<Run>& Runs()
{
    static const std::vector<Run> runs = [] {
        std::vector<Run> r;
        const char16_t* words[] = {u"Rechnung", u"Position", u"Menge",          u"Einzelpreis", u"Gesamt",
                                   u"Größe",    u"Übertrag", u"Mehrwertsteuer", u"Straße",      u"Öffnungszeiten"};
        for (int i = 0; i < 60; ++i) {
            std::u16string text = std::u16string(words[i % 10]) + u" " + words[(i * 7) % 10] + u" " +
                                  std::u16string(1, char16_t(u'0' + i % 10)) + u"2,50 €";
            r.push_back({i % 3, 9 + i % 4, text, Utf16ToUtf8(text)});
        }
        return r;
    }();
    return runs;
}

std::string OutputPath(const char* name)
{
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/rekolon-bench-" + name + "-" + std::to_string(getpid()) + ".pdf";
}

size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

void BM_TPDFCanvas(benchmark::State& state)
{
    const int pages = int(state.range(0));
    const std::string path = OutputPath("tpdfcanvas");
    const std::vector<Run>& runs = Runs();
    size_t peak = 0;
    for (auto _ : state) {
        const size_t base = HeapInUse();
        TPDFCanvas c;
        if (!c.BeginDoc(path)) {
            state.SkipWithError("BeginDoc failed");
            break;
        }
        for (int page = 0; page < pages; ++page) {
            for (size_t i = 0; i < runs.size(); ++i) {
                const Run& run = runs[i];
                c.font.name = run.font == 2 ? u"Times New Roman" : u"Arial";
                c.font.style = run.font == 1 ? TPDFFont::fsBold : run.font == 2 ? TPDFFont::fsItalic : 0;
                c.font.size = run.size;
                const int32_t width = c.TextWidth(run.text16);
                c.TextOut(std::max(0, 540 - width), 40 + int32_t(i) * 12, run.text16);
            }
            for (int l = 0; l < 20; ++l) {
                c.MoveTo(40, 45 + l * 36);
                c.LineTo(555, 45 + l * 36);
            }
            peak = std::max(peak, HeapInUse() - std::min(base, HeapInUse()));
            if (page + 1 < pages)
                c.NewPage();
        }
        c.EndDoc();
    }
    std::remove(path.c_str());
    state.counters["heap_peak_kB"] = double(peak) / 1024.0;
    state.counters["pages_per_s"] = benchmark::Counter(double(pages), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_CairoPdf(benchmark::State& state)
{
    const int pages = int(state.range(0));
    const std::string path = OutputPath("cairo");
    const std::vector<Run>& runs = Runs();
    size_t peak = 0;
    for (auto _ : state) {
        const size_t base = HeapInUse();
        cairo_surface_t* surface = cairo_pdf_surface_create(path.c_str(), 595, 841);
        cairo_t* cr = cairo_create(surface);
        for (int page = 0; page < pages; ++page) {
            for (size_t i = 0; i < runs.size(); ++i) {
                const Run& run = runs[i];
                cairo_select_font_face(cr, run.font == 2 ? "Times New Roman" : "Arial",
                                       run.font == 2 ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                                       run.font == 1 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
                cairo_set_font_size(cr, run.size);
                cairo_text_extents_t extents;
                cairo_text_extents(cr, run.text8.c_str(), &extents);
                cairo_font_extents_t fe;
                cairo_font_extents(cr, &fe);
                const double x = std::max(0.0, 540 - extents.x_advance);
                cairo_move_to(cr, x, 40 + double(i) * 12 + fe.ascent);
                cairo_show_text(cr, run.text8.c_str());
            }
            cairo_set_line_width(cr, 1);
            for (int l = 0; l < 20; ++l) {
                cairo_move_to(cr, 40, 45 + l * 36);
                cairo_line_to(cr, 555, 45 + l * 36);
                cairo_stroke(cr);
            }
            peak = std::max(peak, HeapInUse() - std::min(base, HeapInUse()));
            cairo_show_page(cr);
        }
        cairo_destroy(cr);
        cairo_surface_finish(surface);
        if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
            state.SkipWithError("cairo failed");
        cairo_surface_destroy(surface);
    }
    std::remove(path.c_str());
    state.counters["heap_peak_kB"] = double(peak) / 1024.0;
    state.counters["pages_per_s"] = benchmark::Counter(double(pages), benchmark::Counter::kIsIterationInvariantRate);
}

// A 1,000-line document (50 lines a page, 20 pages, the runs above): the ordinary file as the
// baseline (argument 0) against the archive (PDF/A-3b) file with embedded font subsets, XMP
// metadata, output intent and an embedded XML file (argument 1). The counter file_kB is the
// size of the file written.
void BM_TPDFCanvasLines(benchmark::State& state)
{
    const bool archive = state.range(0) != 0;
    const std::string path = OutputPath(archive ? "archive" : "ordinary");
    const std::vector<Run>& runs = Runs();
    PdfA3Settings settings;
    settings.title = u"Rechnung 1";
    settings.fxConformanceLevel = "EN 16931";
    settings.attachments.push_back(
        {"factur-x.xml", u"Factur-X/ZUGFeRD-Rechnung", "text/xml", std::string(20000, 'x'), "Alternative"});
    for (auto _ : state) {
        TPDFCanvas c;
        if (archive)
            c.SetPdfA3(settings);
        if (!c.BeginDoc(path)) {
            state.SkipWithError("BeginDoc failed");
            break;
        }
        for (int line = 0; line < 1000; ++line) {
            if (line > 0 && line % 50 == 0)
                c.NewPage();
            const Run& run = runs[size_t(line) % runs.size()];
            c.font.name = run.font == 2 ? u"Times New Roman" : u"Arial";
            c.font.style = run.font == 1 ? TPDFFont::fsBold : run.font == 2 ? TPDFFont::fsItalic : 0;
            c.font.size = run.size;
            c.TextOut(40, 40 + (line % 50) * 15, run.text16);
        }
        c.EndDoc();
    }
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f) {
        std::fseek(f, 0, SEEK_END);
        state.counters["file_kB"] = double(std::ftell(f)) / 1024.0;
        std::fclose(f);
    }
    std::remove(path.c_str());
}

}

BENCHMARK(BM_TPDFCanvasLines)->ArgName("archive")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TPDFCanvas)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CairoPdf)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
