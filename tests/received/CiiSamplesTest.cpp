// The CII samples of the validation kit, read by our reader and by independent ones: the npm
// package factur-x-kit, or XPath through xmllint for the samples the kit refuses. Both sides
// print the same listing (number, dates, BT-106 to BT-115, every line's net amount).
#include "CiiReadHelper.h"

#include "foundation/Utf8.h"
#include "pdf/PdfTestSupport.h"
#include "support/EInvoiceValidator.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <set>

namespace {

const std::string kSamples = std::string(REKOLON_EINVOICE_SAMPLES) + "/cii/";
const std::string kTools = std::string(REKOLON_TEST_DATA) + "/../tools/";

// factur-x-kit 0.3.1 refuses these: the first three name the ZUGFeRD 1 profile
// (urn:ferd:...:comfort), the others carry line documents or fields its schema lacks.
const std::set<std::string> kKitRefuses = {
    "CII-BR-CO-10-RoundingIssue.xml", "CII_business_example_02.xml", "CII_business_example_Z.xml",
    "CII_example5.xml",               "XRechnung-O.xml",             "huf_example_cii.xml",
};

std::string Decimal(const std::optional<Micros>& value)
{
    if (!value)
        return "";
    const Micros magnitude = *value < 0 ? -*value : *value;
    char text[40];
    std::snprintf(text, sizeof text, "%s%" PRId64 ".%06" PRId64, *value < 0 ? "-" : "", magnitude / 1'000'000,
                  magnitude % 1'000'000);
    return text;
}

std::string Date(const std::optional<ReceivedDate>& date)
{
    if (!date)
        return "";
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date->year, date->month, date->day);
    return text;
}

std::string Listing(const ReceivedInvoice& invoice)
{
    std::string out;
    auto put = [&out](const char* key, const std::string& value) { out += std::string(key) + "\t" + value + "\n"; };
    const ReceivedTotals& t = invoice.totals;
    put("number", Utf16ToUtf8(invoice.number));
    put("issueDate", Date(invoice.issueDate));
    put("dueDate", Date(invoice.dueDate));
    put("deliveryDate", Date(invoice.deliveryDate));
    put("lineTotal", Decimal(t.lineNetTotal));
    put("allowanceTotal", Decimal(t.allowanceTotal));
    put("chargeTotal", Decimal(t.chargeTotal));
    put("taxBasisTotal", Decimal(t.netTotal));
    put("taxTotal", Decimal(t.vatTotal));
    put("taxTotalAccounting", Decimal(t.vatTotalAccounting));
    put("grandTotal", Decimal(t.grossTotal));
    put("prepaid", Decimal(t.paidAmount));
    put("rounding", Decimal(t.roundingAmount));
    put("duePayable", Decimal(t.amountDue));
    put("lineCount", std::to_string(invoice.lines.size()));
    for (const ReceivedLine& line : invoice.lines)
        put("line", Utf16ToUtf8(line.id) + "|" + Decimal(line.netAmount));
    return out;
}

}  // namespace

TEST(CiiSamples, EverySampleReadsAndAgreesWithAnIndependentReader)
{
    ASSERT_TRUE(std::filesystem::is_directory(kSamples)) << kSamples;
    const bool kit = RunTool("node --version").exitCode == 0 &&
                     std::filesystem::exists(kTools + "node_modules/factur-x-kit");
    if (!kit && EInvoiceValidator::InCi())
        FAIL() << "node or factur-x-kit missing (scripts/install-deps)";
    int samples = 0;
    int byKit = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kSamples)) {
        const std::string name = entry.path().filename().string();
        SCOPED_TRACE(name);
        const ReceivedReadResult read = ReadCiiBytes(ReadWholeFile(entry.path().string()));
        ASSERT_TRUE(read.invoice) << Utf16ToUtf8(read.error);
        EXPECT_EQ(read.invoice->syntax, ReceivedInvoice::Syntax::Cii);
        EXPECT_FALSE(read.invoice->lines.empty());
        ++samples;

        const bool useKit = kit && kKitRefuses.count(name) == 0;
        const ToolResult other =
            useKit ? RunTool("node " + Quote(kTools + "read-cii-xml.js") + " " + Quote(entry.path().string()))
                   : RunTool("sh " + Quote(kTools + "read-cii-xpath.sh") + " " + Quote(entry.path().string()));
        ASSERT_EQ(other.exitCode, 0) << other.output;
        EXPECT_EQ(Listing(*read.invoice), other.output);
        byKit += useKit ? 1 : 0;
    }
    EXPECT_EQ(samples, 15);
    if (kit) {
        EXPECT_EQ(byKit, 9);
    }
}

// The kit still refuses the samples listed above; when a newer kit reads one, it moves to the
// kit's side of the comparison.
TEST(CiiSamples, TheKitRefusesExactlyTheSamplesComparedByXPath)
{
    if (RunTool("node --version").exitCode != 0 || !std::filesystem::exists(kTools + "node_modules/factur-x-kit"))
        GTEST_SKIP() << "node or factur-x-kit missing (scripts/install-deps)";
    for (const std::string& name : kKitRefuses) {
        SCOPED_TRACE(name);
        const ToolResult kit = RunTool("node " + Quote(kTools + "read-cii-xml.js") + " " + Quote(kSamples + name));
        EXPECT_EQ(kit.exitCode, 1) << kit.output;
    }
}
