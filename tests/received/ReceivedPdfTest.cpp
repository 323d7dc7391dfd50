// The readable PDF of a received invoice, judged by independent programs: qpdf --check and
// pdftotext.
#include "ReceivedTestInvoice.h"
#include "foundation/IoError.h"
#include "output/TPdfOutputCanvas.h"
#include "pdf/PdfTestSupport.h"
#include "pdf/TPDFCanvas.h"
#include "received/ReceivedInvoiceCheck.h"
#include "received/ReceivedInvoicePages.h"
#include "received/ReceivedPdfExport.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>

namespace {

bool Exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

std::string Text(const std::string& pdf)
{
    const ToolResult r = RunTool("pdftotext -layout -enc UTF-8 " + Quote(pdf) + " -");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    return r.output;
}

std::string Export(const TempDir& dir, const ReceivedInvoice& invoice, const std::string& name)
{
    const std::string path = dir.File(name);
    ExportReceivedPdf(invoice, CheckReceivedInvoice(invoice), path, kNoPrinterPage);
    const ToolResult check = RunTool("qpdf --check " + Quote(path));
    EXPECT_EQ(check.exitCode, 0) << check.output;
    return path;
}

}  // namespace

TEST(ReceivedPdf, FullInvoiceShowsWhatIsNeededToPay)
{
    TempDir dir;
    const std::string text = Text(Export(dir, FullInvoice(), "full.pdf"));
    for (const char* part :
         {"Rechnung Nr. RE-2026-001", "Müller Haustechnik GmbH", "DE02 1203 0000 0000 2020 51", "246,30 €",
          "BYLADEM1001", "Summen geprüft: stimmen.", "Zahlbetrag", "BT-115", "BT-84", "BT-1", "Käufer", "Herr Özdemir",
          "Stunde", "Seite 1 von ", "SEPA-Überweisung", "Prüfprotokoll", "Leistungsdatum"}) {
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    }
}

TEST(ReceivedPdf, LongInvoiceNumbersItsPages)
{
    ReceivedInvoice invoice = AgreeingInvoice();
    for (int i = 0; i < 120; ++i)
        invoice.lines.push_back(invoice.lines[1]);
    TempDir dir;
    const std::string path = Export(dir, invoice, "long.pdf");
    TPDFCanvas measurePdf;
    TPdfOutputCanvas measure(measurePdf, kNoPrinterPage);
    const ReceivedCheck check = CheckReceivedInvoice(invoice);
    const int pages = ReceivedInvoicePages(invoice, check, measure).PageCount();
    ASSERT_GE(pages, 2);
    const std::string text = Text(path);
    for (int p = 1; p <= pages; ++p) {
        const std::string number = "Seite " + std::to_string(p) + " von " + std::to_string(pages);
        EXPECT_NE(text.find(number), std::string::npos) << number;
    }
    EXPECT_EQ(RunTool("pdfinfo " + Quote(path) + " | grep -q '^Pages: *" + std::to_string(pages) + "$'").exitCode, 0);
    // The check's difference names both figures (the copied lines are not in the totals).
    EXPECT_NE(text.find("Summen geprüft: 2 Abweichungen."), std::string::npos);
}

TEST(ReceivedPdf, UnwritablePlaceRaisesIoErrorAndLeavesNoFile)
{
    TempDir dir;
    const ReceivedInvoice invoice = AgreeingInvoice();
    const ReceivedCheck check = CheckReceivedInvoice(invoice);
    const std::string missingFolder = dir.File("no-such-folder/out.pdf");
    EXPECT_THROW(ExportReceivedPdf(invoice, check, missingFolder, kNoPrinterPage), IoError);
    EXPECT_FALSE(Exists(missingFolder));
    // A folder where the file should be stays a folder.
    const std::string folder = dir.File("folder.pdf");
    ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
    EXPECT_THROW(ExportReceivedPdf(invoice, check, folder, kNoPrinterPage), IoError);
    struct stat st;
    ASSERT_EQ(stat(folder.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
}
