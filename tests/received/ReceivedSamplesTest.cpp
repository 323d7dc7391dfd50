// Every published sample, CII and UBL, goes the whole way a user takes: it is read, its sums
// check, and its readable PDF passes qpdf and shows, through pdftotext, what a bookkeeper pays
// from. The expected texts are formed here from the file's own values, not by the page's
// formatting functions.
#include "foundation/Utf8.h"
#include "pdf/PdfTestSupport.h"
#include "received/ReceivedInvoiceCheck.h"
#include "received/ReceivedInvoiceReader.h"
#include "received/ReceivedPdfExport.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// pdftotext's words with every run of white space made one space.
std::string Words(const std::string& text)
{
    std::string out;
    for (char c : text) {
        const bool space = c == ' ' || c == '\n' || c == '\t' || c == '\f' || c == '\r';
        if (space && (out.empty() || out.back() == ' '))
            continue;
        out += space ? ' ' : c;
    }
    return out;
}

// 1234567.891 as "1.234.567,89": cents rounded half away from zero, thousands with dots.
std::string GermanCents(Micros micros)
{
    const bool negative = micros < 0;
    const long long cents = (std::llabs(micros) + 5'000) / 10'000;
    std::string whole = std::to_string(cents / 100);
    for (int i = static_cast<int>(whole.size()) - 3; i > 0; i -= 3)
        whole.insert(static_cast<size_t>(i), ".");
    const std::string fraction = std::to_string(100 + cents % 100).substr(1);
    return (negative && cents != 0 ? "-" : "") + whole + "," + fraction;
}

std::vector<std::string> Samples()
{
    std::vector<std::string> files;
    for (const char* folder : {"/cii", "/ubl"}) {
        for (const auto& entry : std::filesystem::directory_iterator(std::string(REKOLON_EINVOICE_SAMPLES) + folder))
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST(ReceivedSamples, EverySampleReadsChecksAndPrints)
{
    const std::vector<std::string> files = Samples();
    ASSERT_EQ(files.size(), 34u);
    TempDir dir;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const ReceivedReadResult read = ReadReceivedInvoiceFile(file);
        ASSERT_TRUE(read.invoice) << Utf16ToUtf8(read.error);
        const ReceivedInvoice& invoice = *read.invoice;
        const ReceivedCheck check = CheckReceivedInvoice(invoice);
        // The published samples keep the totals rules, the negative BIS example included
        // (its faults lie elsewhere).
        EXPECT_TRUE(check.SumsAgree()) << Utf16ToUtf8(check.Heading());
        ASSERT_TRUE(invoice.totals.amountDue);

        const std::string pdf = dir.File(std::filesystem::path(file).stem().string() + ".pdf");
        ExportReceivedPdf(invoice, check, pdf, kNoPrinterPage);
        const ToolResult qpdf = RunTool("qpdf --check " + Quote(pdf));
        EXPECT_EQ(qpdf.exitCode, 0) << qpdf.output;
        const ToolResult text = RunTool("pdftotext -enc UTF-8 " + Quote(pdf) + " -");
        ASSERT_EQ(text.exitCode, 0);
        const std::string words = Words(text.output);

        std::vector<std::string> expected = {Utf16ToUtf8(invoice.number), GermanCents(*invoice.totals.amountDue)};
        // The seller's name may wrap in its block: its first word is enough.
        const std::string seller = Utf16ToUtf8(invoice.seller.name);
        expected.push_back(seller.substr(0, seller.find(' ')));
        for (const ReceivedAccount& account : invoice.payment.accounts) {
            std::string iban;
            for (char16_t c : account.iban) {
                if (c == u' ')
                    continue;
                if (!iban.empty() && iban.size() % 5 == 4)
                    iban += ' ';
                iban += static_cast<char>(c);
            }
            expected.push_back(iban);
        }
        for (const std::string& part : expected)
            EXPECT_NE(words.find(part), std::string::npos) << "missing: " << part;
    }
}
