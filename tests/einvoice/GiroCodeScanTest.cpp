// The GiroCode of the e-invoice test books as a banking app sees it: the written PDF (the
// ordinary one and the hybrid) rendered by poppler's pdftoppm at 150 dpi and read by zbar's
// zbarimg, which knows nothing of our encoder. Its content must be the expected payload to the
// byte, with the amount due of the e-invoice; the page's Gesamtbetrag agrees with it.
#include "EInvoiceBooks.h"

#include "einvoice/EInvoiceBuilder.h"
#include "einvoice/HybridPdfExport.h"
#include "foundation/Utf8.h"
#include "invoices/InvoiceTotals.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "output/AmountText.h"
#include "output/PdfExport.h"
#include "output/TLayoutFormat.h"
#include "output/TPrinterPage.h"
#include "pdf/PdfTestSupport.h"
#include "support/EInvoiceValidator.h"
#include "support/PdfA3Check.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr HybridPdfTime kTime{1772717400, 60};

bool ToolsPresent()
{
    return RunTool("zbarimg --version").exitCode == 0 && RunTool("pdftoppm -v").exitCode == 0;
}

// The codes zbarimg finds on the last page of the PDF, as raw bytes, one entry per code.
std::vector<std::string> ScanLastPage(const std::string& pdf, const TempDir& dir, const std::string& name)
{
    const ToolResult info = RunTool("pdfinfo " + Quote(pdf));
    const size_t at = info.output.find("Pages:");
    EXPECT_NE(at, std::string::npos) << info.output;
    if (at == std::string::npos)
        return {};
    const int pages = std::stoi(info.output.substr(at + 6));
    const std::string png = dir.File(name);
    const std::string page = std::to_string(pages);
    const ToolResult render =
        RunTool("pdftoppm -r 150 -png -singlefile -f " + page + " -l " + page + " " + Quote(pdf) + " " + Quote(png));
    EXPECT_EQ(render.exitCode, 0) << render.output;
    // -Sbinary: the bytes as they are, no guess of a character set and nothing added.
    std::FILE* pipe = popen(("zbarimg --raw -q -Sbinary " + Quote(png + ".png") + " 2>/dev/null").c_str(), "r");
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    const int status = pclose(pipe);
    if (WEXITSTATUS(status) == 4)  // nothing found
        return {};
    EXPECT_EQ(WEXITSTATUS(status), 0) << out;
    return {out};
}

// What the code of an invoice of the test books carries.
std::string ExpectedPayload(const TRechnungBook& book, int64_t cents)
{
    const TRechnungSettings& s = book.settings;
    const std::u16string holder = s.KontoinhaberEd.empty() ? s.FirmaED2 : s.KontoinhaberEd;
    const std::string amount =
        std::to_string(cents / 100) + "." + (cents % 100 < 10 ? "0" : "") + std::to_string(cents % 100);
    return "BCD\n002\n1\nSCT\nBYLADEM1001\n" + Utf16ToUtf8(holder) + "\nDE02120300000000202051\nEUR" + amount +
           "\n\n\nRechnung " + Utf16ToUtf8(TextOf(book.Rechnung(0).rechnr));
}

TEST(GiroCodeScan, EveryTestBookReadsBackExactlyOnItsPdfAndHybrid)
{
    if (!ToolsPresent()) {
        if (EInvoiceValidator::InCi())
            FAIL() << "zbarimg (zbar-tools) and pdftoppm (poppler-utils) are needed";
        GTEST_SKIP() << "zbarimg (zbar-tools) or pdftoppm (poppler-utils) missing";
    }
    const TempDir dir;
    int scanned = 0;
    for (const EInvoiceCase& c : EInvoiceCases()) {
        SCOPED_TRACE(c.name);
        TRechnungBook book;
        c.fill(book);
        book.settings.GiroCodeCheck = true;
        const EInvoiceBuild built = BuildEInvoice(book, 0, c.kind, c.profile);
        const int64_t due = built.document.amounts.duePayable;

        const std::string pdf = dir.File(c.name + ".pdf");
        ASSERT_EQ(ExportPdf(book, 0, c.kind, pdf, kNoPrinterPage, TLayoutFormat{}), PdfExportResult::Written);
        const std::string hybrid = dir.File(c.name + "-hybrid.pdf");
        const bool hybridWritten =
            ExportHybridPdf(book, 0, c.kind, c.profile, hybrid, kNoPrinterPage, TLayoutFormat{}, kTime).status ==
            EInvoiceExportResult::Status::Written;

        const std::vector<std::string> codes = ScanLastPage(pdf, dir, c.name);
        if (c.kind != 0 || due <= 0) {
            // The credit note asks for no payment.
            EXPECT_TRUE(codes.empty()) << codes.front();
            continue;
        }
        ASSERT_EQ(codes.size(), 1u);
        const std::string expected = ExpectedPayload(book, due);
        EXPECT_EQ(codes.front(), expected);
        ASSERT_TRUE(hybridWritten);
        const std::vector<std::string> fromHybrid = ScanLastPage(hybrid, dir, c.name + "-hybrid");
        ASSERT_EQ(fromHybrid.size(), 1u);
        EXPECT_EQ(fromHybrid.front(), expected);
        // The code's drawing keeps the hybrid within the archive rules.
        for (const std::string& problem : CheckPdfA3(hybrid))
            ADD_FAILURE() << problem;
        ++scanned;
    }
    EXPECT_EQ(scanned, 8);
}

// The amount of the code on the ordinary page (the printed Gesamtbetrag in cents) is the
// e-invoice's amount due for every test book, so page, code and XML agree to the cent.
TEST(GiroCodeScan, PrintedTotalIsTheAmountDueOfEveryTestBook)
{
    for (const EInvoiceCase& c : EInvoiceCases()) {
        TRechnungBook book;
        c.fill(book);
        const EInvoiceBuild built = BuildEInvoice(book, 0, c.kind, c.profile);
        const auto cents = AmountCents(InvoiceTotals::Of(book.Rechnung(0)).gross);
        ASSERT_TRUE(cents) << c.name;
        EXPECT_EQ(*cents, built.document.amounts.duePayable) << c.name;
    }
}

// With the setting on, a quotation is the ordinary page to the byte; an invoice with its code
// is a sound file.
TEST(GiroCodeScan, QuotationWithTheSettingIsTheOrdinaryFile)
{
    const TempDir dir;
    TRechnungBook book;
    EInvoiceCases().front().fill(book);
    const std::string off = dir.File("ohne.pdf");
    const std::string on = dir.File("mit.pdf");
    ASSERT_EQ(ExportPdf(book, 0, 2, off, kNoPrinterPage, TLayoutFormat{}), PdfExportResult::Written);
    book.settings.GiroCodeCheck = true;
    ASSERT_EQ(ExportPdf(book, 0, 2, on, kNoPrinterPage, TLayoutFormat{}), PdfExportResult::Written);
    EXPECT_EQ(PdfFile(ReadWholeFile(on)).WithoutId(), PdfFile(ReadWholeFile(off)).WithoutId());
    const std::string invoice = dir.File("rechnung.pdf");
    ASSERT_EQ(ExportPdf(book, 0, 0, invoice, kNoPrinterPage, TLayoutFormat{}), PdfExportResult::Written);
    ExpectValidPdf(invoice);
}

}
