// Writing the e-invoice of an invoice (check, amounts, XML through libxml2's writer, atomic
// file) and its hybrid PDF (the same check and XML, the page as PDF/A-3 with embedded font
// subsets and the XML inside) against their baseline, the ordinary PDF export of the same
// invoice (ExportPdf, as PageLayoutBench measures it), in the same run. Targets for a
// 1,000-position invoice: the e-invoice takes no longer than its PDF, the hybrid at most
// twice as long. Argument: the number of positions.
//
//   build/bench/EInvoiceBench --benchmark_repetitions=3
#include "einvoice/EInvoiceExport.h"
#include "einvoice/HybridPdfExport.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "output/PdfExport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string OutputPath(const char* name, const char* suffix)
{
    const char* tmp = std::getenv("TMPDIR");
    return std::string(tmp && *tmp ? tmp : "/tmp") + "/rekolon-bench-" + name + "-" + std::to_string(getpid()) + suffix;
}

// One invoice with everything XRechnung asks for and the given number of positions.
void FillBook(TRechnungBook& book, int positions)
{
    TRechnungSettings& s = book.settings;
    s.FirmaED2 = u"Müller & Söhne GmbH";
    s.StrasseEd2 = u"Hauptstraße 5";
    s.PLZED2 = u"80331";
    s.OrtED2 = u"München";
    s.TelEd2 = u"+49 89 123456";
    s.eMailED2 = u"info@mueller.example";
    s.UStIdEd = u"DE123456789";
    s.IbanEd = u"DE02120300000000202051";
    s.KontaktNameEd = u"Jörg Müller";
    TRechnungRec& r = book.AppendRechnung();
    r.datum = 46086.5;
    NewTextBuf(&r.rechnr, u"RE-2026-0417");
    NewTextBuf(&r.firma, u"Schreinerei Weiß & Köhler OHG");
    NewTextBuf(&r.name, u"Köhler");
    NewTextBuf(&r.plz, u"90402");
    NewTextBuf(&r.ort, u"Nürnberg");
    NewTextBuf(&r.email, u"rechnung@weiss-koehler.example");
    NewTextBuf(&r.kaeuferref, u"04011000-12345-06");
    NewTextBuf(&r.lort, u"Fürth");
    NewTextBuf(&r.lplz, u"90762");
    NewTextBuf(&r.rechtext, u"Zahlbar innerhalb von 14 Tagen ohne Abzug. Vielen Dank für Ihren Auftrag! "
                            u"Für Rückfragen stehen wir Ihnen gern zur Verfügung.");
    const char16_t* texts[] = {u"Schraubendreher-Satz, 6-teilig, Chrom-Vanadium",
                               u"Montage vor Ort durch Fachpersonal\r\nAnfahrt inklusive", u"Dübel Ø 8 mm, grau",
                               u"Beratung zur Werkstatteinrichtung (Größe, Lärmschutz, Ergonomie)"};
    for (int i = 0; i < positions; ++i) {
        TPositionRec& p = book.AppendPosition(0);
        NewTextBuf(&p.einheit, i % 3 ? u"Stück" : u"Std.");
        NewTextBuf(&p.artnr, u"ART-4711");
        NewTextBuf(&p.bez, texts[i % 4]);
        p.menge = 1 + i % 5;
        p.mwst = i % 7 == 0 ? 7 : 19;
        p.preis = 9.99 + i;
    }
}

void BM_ExportPdf(benchmark::State& state)
{
    TRechnungBook book;
    FillBook(book, int(state.range(0)));
    const std::string path = OutputPath("einvoice-baseline", ".pdf");
    for (auto _ : state) {
        if (ExportPdf(book, 0, 0, path, kNoPrinterPage, TLayoutFormat{}) != PdfExportResult::Written)
            state.SkipWithError("export failed");
    }
    std::remove(path.c_str());
}

void BM_ExportEInvoice(benchmark::State& state)
{
    TRechnungBook book;
    FillBook(book, int(state.range(0)));
    const std::string path = OutputPath("einvoice", ".xml");
    for (auto _ : state) {
        const EInvoiceExportResult result = ExportEInvoice(book, 0, 0, EInvoiceProfile::XRechnung, path);
        if (result.status != EInvoiceExportResult::Status::Written)
            state.SkipWithError("e-invoice not written");
    }
    std::remove(path.c_str());
}

void BM_ExportHybridPdf(benchmark::State& state)
{
    TRechnungBook book;
    FillBook(book, int(state.range(0)));
    const std::string path = OutputPath("hybrid", ".pdf");
    const HybridPdfTime time = HybridPdfTime::Now();
    for (auto _ : state) {
        const EInvoiceExportResult result =
            ExportHybridPdf(book, 0, 0, EInvoiceProfile::XRechnung, path, kNoPrinterPage, TLayoutFormat{}, time);
        if (result.status != EInvoiceExportResult::Status::Written)
            state.SkipWithError("hybrid not written");
    }
    std::remove(path.c_str());
}

}  // namespace

BENCHMARK(BM_ExportPdf)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportEInvoice)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportHybridPdf)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);
