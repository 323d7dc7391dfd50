// Laying out and writing one invoice as a PDF (ExportPdf: the page layout with its
// positions table, page breaks and character wrap, drawn through TPDFCanvas) against the
// baseline of the same drawing calls replayed straight onto TPDFCanvas without any layout.
// The difference is what the layout itself costs: measuring, wrapping, grouping by rate,
// formatting amounts. Argument: the number of positions (10 fits one page, 1000 makes ~40).
#include "imaging/dib.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "output/PdfExport.h"
#include "output/TPageLayout.h"
#include "output/TPdfOutputCanvas.h"
#include "pdf/TPDFCanvas.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <variant>
#include <vector>

namespace {

std::string OutputPath(const char* name)
{
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/rekolon-bench-" + name + "-" + std::to_string(getpid()) + ".pdf";
}

void FillBook(TRechnungBook& book, int positions)
{
    book.settings.FirmaED2 = u"Müller & Söhne GmbH";
    book.settings.OrtED2 = u"München";
    TRechnungRec& r = book.AppendRechnung();
    r.datum = 46086.5;
    NewTextBuf(&r.rechnr, u"RE-2026-0417");
    NewTextBuf(&r.firma, u"Schreinerei Weiß & Köhler OHG");
    NewTextBuf(&r.name, u"Köhler");
    NewTextBuf(&r.ort, u"Nürnberg");
    NewTextBuf(&r.lort, u"Fürth");
    NewTextBuf(&r.rechtext, u"Zahlbar innerhalb von 14 Tagen ohne Abzug. Vielen Dank für Ihren Auftrag! "
                            u"Für Rückfragen stehen wir Ihnen gern zur Verfügung.");
    const char16_t* texts[] = {u"Schraubendreher-Satz, 6-teilig, Chrom-Vanadium",
                               u"Montage vor Ort durch Fachpersonal\r\nAnfahrt inklusive", u"Dübel Ø 8 mm, grau",
                               u"Beratung zur Werkstatteinrichtung (Größe, Lärmschutz, Ergonomie)"};
    for (int i = 0; i < positions; ++i) {
        TPositionRec& p = book.AppendPosition(0);
        NewTextBuf(&p.einheit, u"Stück");
        NewTextBuf(&p.artnr, u"ART-4711");
        NewTextBuf(&p.bez, texts[i % 4]);
        p.menge = 1 + i % 5;
        p.mwst = i % 7 == 0 ? 7 : 19;
        p.preis = 9.99 + i;
    }
}

// The drawing calls of one layout run, recorded while the PDF target measures.
struct FontCall {
    TCanvasFont font;
};
struct PenCall {
    int32_t width;
};
struct TextCall {
    int32_t x, y;
    std::u16string text;
};
struct PointCall {
    bool line;
    int32_t x, y;
};
struct PageCall {};
using Call = std::variant<FontCall, PenCall, TextCall, PointCall, PageCall>;

class Recorder final : public TOutputCanvas {
public:
    Recorder(TPdfOutputCanvas& target, std::vector<Call>& calls)
        : TOutputCanvas(target.Target()),
          target_(target),
          calls_(calls)
    {
    }
    void SetFont(const TCanvasFont& font) override
    {
        target_.SetFont(font);
        calls_.push_back(FontCall{font});
    }
    void SetPen(int32_t width) override
    {
        target_.SetPen(width);
        calls_.push_back(PenCall{width});
    }
    void TextOut(int32_t x, int32_t y, std::u16string_view text) override
    {
        calls_.push_back(TextCall{x, y, std::u16string(text)});
    }
    int32_t TextWidth(std::u16string_view text) override { return target_.TextWidth(text); }
    int32_t TextHeight(std::u16string_view text) override { return target_.TextHeight(text); }
    void MoveTo(int32_t x, int32_t y) override { calls_.push_back(PointCall{false, x, y}); }
    void LineTo(int32_t x, int32_t y) override { calls_.push_back(PointCall{true, x, y}); }
    void DrawLogo(const dib&, int32_t, int32_t, int32_t, int32_t) override {}
    // The benchmark's books carry no GiroCode, which is all that fills rectangles.
    void FillModules(int32_t, int32_t, int32_t, int32_t, const std::vector<ModuleRun>&) override {}
    int32_t WordBreak(int32_t, int32_t top, int32_t, int32_t, std::u16string_view, bool) override { return top; }
    void NewPage() override { calls_.push_back(PageCall{}); }

private:
    TPdfOutputCanvas& target_;
    std::vector<Call>& calls_;
};

std::vector<Call> Record(TRechnungBook& book)
{
    std::vector<Call> calls;
    TPDFCanvas pdf;
    TPdfOutputCanvas target(pdf, kNoPrinterPage);
    Recorder recorder(target, calls);
    TPageLayout(recorder, book, 0, 0, TLayoutFormat{}).Run();
    return calls;
}

void BM_ExportPdf(benchmark::State& state)
{
    TRechnungBook book;
    FillBook(book, int(state.range(0)));
    const std::string path = OutputPath("layout");
    for (auto _ : state) {
        if (ExportPdf(book, 0, 0, path, kNoPrinterPage, TLayoutFormat{}) != PdfExportResult::Written)
            state.SkipWithError("export failed");
    }
    std::remove(path.c_str());
}

void BM_ReplayOnTPDFCanvas(benchmark::State& state)
{
    TRechnungBook book;
    FillBook(book, int(state.range(0)));
    const std::vector<Call> calls = Record(book);
    const std::string path = OutputPath("replay");
    for (auto _ : state) {
        TPDFCanvas pdf;
        if (!pdf.BeginDoc(path)) {
            state.SkipWithError("cannot create the file");
            break;
        }
        TPdfOutputCanvas canvas(pdf, kNoPrinterPage);
        pdf.PageWidth = canvas.Target().pw;
        pdf.PageHeight = canvas.Target().ph;
        for (const Call& call : calls) {
            if (const auto* f = std::get_if<FontCall>(&call))
                canvas.SetFont(f->font);
            else if (const auto* p = std::get_if<PenCall>(&call))
                canvas.SetPen(p->width);
            else if (const auto* t = std::get_if<TextCall>(&call))
                canvas.TextOut(t->x, t->y, t->text);
            else if (const auto* m = std::get_if<PointCall>(&call))
                m->line ? canvas.LineTo(m->x, m->y) : canvas.MoveTo(m->x, m->y);
            else
                canvas.NewPage();
        }
        pdf.EndDoc();
    }
    state.counters["calls"] = double(calls.size());
    std::remove(path.c_str());
}

}  // namespace

BENCHMARK(BM_ReplayOnTPDFCanvas)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportPdf)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
