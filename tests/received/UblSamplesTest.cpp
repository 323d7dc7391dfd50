// Every UBL sample read by the reader and, independently, by xmllint's XPath: the number,
// dates, currency, parties, totals, VAT total, line count and each line's net amount agree.
// The paths use local-name() only, so neither side depends on the prefixes a file chose.
#include "UblFiles.h"

#include "foundation/Utf8.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> kSamples = {
    "BIS3_Invoice_negativ.XML",  // breaks a business rule, but reads
    "BIS3_Invoice_positive.XML",
    "FT_G2G_TD01_con_Allegato,_Bonifico_e_Split_Payment.xml",  // the 3 MB attachment
    "guide-example1.xml",
    "guide-example2.xml",
    "guide-example3.xml",
    "issue116.xml",
    "sample-discount-price.xml",
    "ubl-tc434-creditnote1.xml",
    "ubl-tc434-example1.xml",
    "ubl-tc434-example2.xml",
    "ubl-tc434-example3.xml",
    "ubl-tc434-example4.xml",
    "ubl-tc434-example5.xml",
    "ubl-tc434-example6.xml",
    "ubl-tc434-example7.xml",
    "ubl-tc434-example8.xml",
    "ubl-tc434-example9.xml",
    "ubl-tc434-example10.xml",
};

std::string L(const std::string& name)
{
    return "*[local-name()='" + name + "']";
}

std::string ShellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The string value of an XPath expression over the file, by xmllint.
std::string XPath(const std::string& file, const std::string& expression)
{
    const std::string command =
        "xmllint --nonet --xpath " + ShellQuoted("string(" + expression + ")") + " " + ShellQuoted(file) + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return "popen failed";
    std::string out;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

// Several expressions in one run of xmllint.
std::vector<std::string> XPaths(const std::string& file, const std::vector<std::string>& expressions)
{
    const std::string separator = "|#|";
    std::string concat = "concat(''";
    for (const std::string& expression : expressions)
        concat += ", string(" + expression + "), '" + separator + "'";
    const std::string out = XPath(file, concat + ")");
    std::vector<std::string> values;
    size_t start = 0;
    for (size_t end; (end = out.find(separator, start)) != std::string::npos; start = end + separator.size())
        values.push_back(out.substr(start, end - start));
    return values;
}

// A decimal as written, in its shortest form: "1246.00" and "+1246" both "1246".
std::string Canonical(std::string text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    text = first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.erase(0, 1);
    }
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    const size_t digit = text.find_first_not_of('0');
    text = digit == std::string::npos ? "0" : text.substr(digit);
    if (text.empty() || text[0] == '.')
        text = "0" + text;
    return negative && text != "0" ? "-" + text : text;
}

std::string Decimal(const std::optional<Micros>& value)
{
    if (!value)
        return "";
    const Micros magnitude = *value < 0 ? -*value : *value;
    std::string fraction = std::to_string(1'000'000 + magnitude % 1'000'000).substr(1);
    std::string text = std::to_string(magnitude / 1'000'000) + "." + fraction;
    return Canonical((*value < 0 ? "-" : "") + text);
}

std::string Date(const std::optional<ReceivedDate>& date)
{
    if (!date)
        return "";
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date->year, date->month, date->day);
    return text;
}

struct Field {
    const char* name;
    std::string path;
    bool amount;
    std::function<std::string(const ReceivedInvoice&)> value;
};

std::vector<Field> Fields()
{
    const std::string total = "/*/" + L("LegalMonetaryTotal") + "/";
    const std::string legalName = "/" + L("Party") + "/" + L("PartyLegalEntity") + "/" + L("RegistrationName");
    auto text = [](std::u16string ReceivedInvoice::*member) {
        return [member](const ReceivedInvoice& i) { return Utf16ToUtf8(i.*member); };
    };
    auto amount = [](std::optional<Micros> ReceivedTotals::*member) {
        return [member](const ReceivedInvoice& i) { return Decimal(i.totals.*member); };
    };
    return {
        {"number", "/*/" + L("ID"), false, text(&ReceivedInvoice::number)},
        {"issue date", "/*/" + L("IssueDate"), false, [](const ReceivedInvoice& i) { return Date(i.issueDate); }},
        // A credit note gives its due date with the payment means.
        {"due date", "(/*/" + L("DueDate") + " | /*/" + L("PaymentMeans") + "/" + L("PaymentDueDate") + ")[1]", false,
         [](const ReceivedInvoice& i) { return Date(i.dueDate); }},
        {"currency", "/*/" + L("DocumentCurrencyCode"), false, text(&ReceivedInvoice::currency)},
        {"seller", "/*/" + L("AccountingSupplierParty") + legalName, false,
         [](const ReceivedInvoice& i) { return Utf16ToUtf8(i.seller.name); }},
        {"buyer", "/*/" + L("AccountingCustomerParty") + legalName, false,
         [](const ReceivedInvoice& i) { return Utf16ToUtf8(i.buyer.name); }},
        {"LineExtensionAmount", total + L("LineExtensionAmount"), true, amount(&ReceivedTotals::lineNetTotal)},
        {"TaxExclusiveAmount", total + L("TaxExclusiveAmount"), true, amount(&ReceivedTotals::netTotal)},
        {"TaxInclusiveAmount", total + L("TaxInclusiveAmount"), true, amount(&ReceivedTotals::grossTotal)},
        {"PayableAmount", total + L("PayableAmount"), true, amount(&ReceivedTotals::amountDue)},
        // The VAT total in the invoice's currency, picked here by its currency, not by the
        // breakdown beside it as the reader does.
        {"TaxAmount",
         "/*/" + L("TaxTotal") + "/" + L("TaxAmount") + "[@currencyID = /*/" + L("DocumentCurrencyCode") + "]", true,
         amount(&ReceivedTotals::vatTotal)},
        {"line count", "count(/*/" + L("InvoiceLine") + " | /*/" + L("CreditNoteLine") + ")", false,
         [](const ReceivedInvoice& i) { return std::to_string(i.lines.size()); }},
    };
}

class UblSample : public testing::TestWithParam<std::string> {};

TEST(UblSamples, TheFolderHoldsExactlyTheSamplesListedHere)
{
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(UblFiles::SamplesDir()))
        found.insert(entry.path().filename().string());
    EXPECT_EQ(found, std::set<std::string>(kSamples.begin(), kSamples.end()));
}

TEST_P(UblSample, ReadsAndAgreesWithXmllint)
{
    const std::string file = UblFiles::SamplesDir() + GetParam();
    const ReceivedReadResult result = UblFiles::Read(file);
    ASSERT_TRUE(result.invoice) << Utf16ToUtf8(result.error);
    const ReceivedInvoice& invoice = *result.invoice;
    EXPECT_EQ(invoice.syntax, ReceivedInvoice::Syntax::Ubl);

    const std::vector<Field> fields = Fields();
    std::vector<std::string> paths;
    for (const Field& field : fields)
        paths.push_back(field.path);
    const std::vector<std::string> expected = XPaths(file, paths);
    ASSERT_EQ(expected.size(), fields.size()) << "xmllint failed on " << file;
    for (size_t k = 0; k < fields.size(); ++k) {
        const std::string want = fields[k].amount && !expected[k].empty() ? Canonical(expected[k]) : expected[k];
        EXPECT_EQ(fields[k].value(invoice), want) << fields[k].name;
    }
    EXPECT_FALSE(expected[0].empty()) << "every sample has a number";

    std::vector<std::string> linePaths;
    for (size_t k = 1; k <= invoice.lines.size(); ++k) {
        linePaths.push_back("(/*/" + L("InvoiceLine") + " | /*/" + L("CreditNoteLine") + ")[" + std::to_string(k) +
                            "]/" + L("LineExtensionAmount"));
    }
    const std::vector<std::string> lineAmounts = XPaths(file, linePaths);
    ASSERT_EQ(lineAmounts.size(), invoice.lines.size());
    for (size_t k = 0; k < lineAmounts.size(); ++k)
        EXPECT_EQ(Decimal(invoice.lines[k].netAmount), Canonical(lineAmounts[k])) << "line " << k + 1;
}

// Test names from file names: letters and digits only.
std::string SampleTestName(const testing::TestParamInfo<std::string>& sample)
{
    std::string name;
    for (char c : sample.param)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Samples, UblSample, testing::ValuesIn(kSamples), SampleTestName);

}  // namespace
