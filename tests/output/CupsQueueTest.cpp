// Sending jobs to print queues of a print service started by the test (cupsd on a socket of
// its own): a job that is taken arrives with its paper and source, a refused job says why,
// and the paper sources a printer offers.
#include "output/CupsQueue.h"
#include "SampleInvoice.h"
#include "invoices/TRechnungBook.h"
#include "output/PdfExport.h"
#include "pdf/PdfTestSupport.h"
#include "support/EnvOverride.h"
#include "support/PrivateCupsd.h"
#include "support/TempDir.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <regex>

namespace {

const std::string kLetterPpd = REKOLON_TEST_DATA "/ppd-letter-hardware-margins.ppd";
const std::string kBorderlessPpd = REKOLON_TEST_DATA "/ppd-a4-borderless.ppd";

// The size line of pdfinfo ("612 x 792"), page by page.
std::string PageSizes(const std::string& pdf)
{
    const ToolResult r = RunTool("pdfinfo -f 1 -l 99 " + Quote(pdf));
    std::string sizes;
    const std::regex size("Page +\\d+ size: +([\\d.]+ x [\\d.]+) pts");
    for (auto it = std::sregex_iterator(r.output.begin(), r.output.end(), size); it != std::sregex_iterator(); ++it)
        sizes += (*it)[1].str() + ";";
    return sizes;
}

// The words of a PDF's text, blanks and line breaks aside.
std::string Words(const std::string& pdf)
{
    const std::string text = PdfToText(pdf);
    std::string words;
    for (const char c : text) {
        if (c == ' ' || c == '\n' || c == '\f')
            continue;
        words += c;
    }
    return words;
}

class CupsQueueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string error = cupsd_.Start();
        if (!error.empty()) {
            if (PrivateCupsd::MustRun())
                FAIL() << "the print service must run in CI: " << error;
            GTEST_SKIP() << "no print service of the test's own: " << error;
        }
        ASSERT_EQ(cupsd_.AddQueue("Letter", kLetterPpd, true), "");
        ASSERT_EQ(cupsd_.AddQueue("Randlos", kBorderlessPpd), "");
    }

    // A two-page invoice as PDF, A4 without a printer.
    std::string Invoice()
    {
        TRechnungBook book;
        const uint32_t index = AddSampleInvoice(book, 40);
        const std::string file = dir_.File("rechnung.pdf");
        EXPECT_EQ(ExportPdf(book, int32_t(index), 0, file, kNoPrinterPage, TLayoutFormat{}), PdfExportResult::Written);
        return file;
    }

    PrivateCupsd cupsd_;
    TempDir dir_;
};

}  // namespace

TEST_F(CupsQueueTest, ATakenJobArrivesWithItsTitlePaperAndSource)
{
    const std::string invoice = Invoice();
    const CupsQueue::SendResult sent =
        CupsQueue("Letter").SendFile(invoice, "Rechnung", {{"media", "Legal"}, {"media-source", "tray-2"}});
    ASSERT_EQ(sent.refusal, CupsQueue::Refusal::None) << sent.detail;
    ASSERT_GT(sent.jobId, 0);
    ASSERT_EQ(cupsd_.WaitForJob(sent.jobId), IPP_JSTATE_COMPLETED);

    const auto attributes = cupsd_.JobAttributes(sent.jobId);
    EXPECT_EQ(attributes.at("job-name"), "Rechnung");
    EXPECT_EQ(attributes.at("media"), "Legal");
    EXPECT_EQ(attributes.at("media-source"), "tray-2");
    EXPECT_NE(attributes.at("job-printer-uri").find("/printers/Letter"), std::string::npos);
    // The queue's file: the invoice's words on two US Legal pages.
    const std::string printed = cupsd_.OutputFile("Letter");
    EXPECT_EQ(PageSizes(printed), "612 x 1008;612 x 1008;");
    EXPECT_EQ(Words(printed), Words(invoice));
    EXPECT_NE(Words(printed).find("Gesamtbetrag"), std::string::npos);
}

TEST_F(CupsQueueTest, ARejectingQueueTakesNoJobAndSaysSo)
{
    const std::string invoice = Invoice();
    ASSERT_EQ(cupsd_.Reject("Randlos"), "");
    const CupsQueue::SendResult refused = CupsQueue("Randlos").SendFile(invoice, "Rechnung", {});
    EXPECT_EQ(refused.refusal, CupsQueue::Refusal::NotAccepting);
    EXPECT_EQ(refused.jobId, 0);
    EXPECT_FALSE(refused.detail.empty());
    EXPECT_TRUE(cupsd_.Jobs().empty());

    ASSERT_EQ(cupsd_.Accept("Randlos"), "");
    const CupsQueue::SendResult taken = CupsQueue("Randlos").SendFile(invoice, "Rechnung", {});
    EXPECT_EQ(taken.refusal, CupsQueue::Refusal::None);
    ASSERT_EQ(cupsd_.Jobs().size(), 1u);
    EXPECT_EQ(cupsd_.Jobs()[0].id, taken.jobId);
    EXPECT_EQ(cupsd_.Jobs()[0].printer, "Randlos");
}

TEST_F(CupsQueueTest, AQueueThatDoesNotExist)
{
    const CupsQueue::SendResult refused = CupsQueue("Gibtsnicht").SendFile(Invoice(), "Rechnung", {});
    EXPECT_EQ(refused.refusal, CupsQueue::Refusal::NoSuchPrinter);
    EXPECT_EQ(refused.jobId, 0);
    EXPECT_TRUE(CupsQueue("Gibtsnicht").PaperSources().empty());
}

TEST_F(CupsQueueTest, PaperSourcesAsThePrinterNamesThem)
{
    EXPECT_EQ(CupsQueue("Letter").PaperSources(), (std::vector<std::string>{"tray-1", "tray-2", "manual"}));
    EXPECT_EQ(CupsQueue("Randlos").PaperSources(), (std::vector<std::string>{"auto", "manual"}));
}

// No print service behind the socket: the job is not taken, and the answer says the service
// cannot be reached. Needs no cupsd.
TEST(CupsQueue, APrintServiceThatDoesNotAnswer)
{
    TempDir dir;
    const std::string socket = dir.File("niemand.sock");
    EnvOverride server("CUPS_SERVER", socket.c_str());
    cupsSetServer(socket.c_str());
    WriteWholeFile(dir.File("leer.pdf"), "%PDF-1.4\n");
    const CupsQueue::SendResult refused = CupsQueue("Letter").SendFile(dir.File("leer.pdf"), "Rechnung", {});
    cupsSetServer(nullptr);
    EXPECT_EQ(refused.jobId, 0);
    EXPECT_EQ(refused.refusal, CupsQueue::Refusal::Unreachable) << refused.detail;
}
