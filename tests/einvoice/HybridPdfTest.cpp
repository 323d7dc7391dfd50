// Hybrid e-invoices (the page as PDF/A-3b with the e-invoice's XML inside) of the e-invoice
// test books, judged by independent programs: the validation kit on the embedded XML, qpdf,
// poppler's pdffonts, pdfinfo, pdfdetach and pdftotext, and the npm package factur-x-kit, which
// reads the hybrids back.
#include "EInvoiceBooks.h"

#include "einvoice/EInvoiceBuilder.h"
#include "einvoice/HybridPageFactsBuilder.h"
#include "einvoice/HybridPdfExport.h"
#include "foundation/Utf8.h"
#include "invoices/DateTime.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "output/AmountText.h"
#include "output/TLayoutFormat.h"
#include "output/TPrinterPage.h"
#include "pdf/PdfTestSupport.h"
#include "support/EInvoiceValidator.h"
#include "support/PdfA3Check.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string kTools = std::string(REKOLON_TEST_DATA) + "/../tools/";
// 5 March 2026, 14:30 in Berlin (UTC+1).
constexpr HybridPdfTime kTime{1772717400, 60};

struct Hybrid {
    std::string name;  // file name without folder
    std::string path;
    EInvoiceProfile profile = EInvoiceProfile::XRechnung;
    EInvoiceDocument document;    // what the XML inside says
    std::u16string currencyText;  // as the page writes it after amounts
};

// The hybrid of one test book under one profile.
Hybrid WriteHybrid(const EInvoiceCase& c, EInvoiceProfile profile, const TempDir& dir)
{
    Hybrid h;
    h.name = c.name + (profile == EInvoiceProfile::XRechnung ? "-xrechnung.pdf" : "-en16931.pdf");
    h.path = dir.File(h.name);
    h.profile = profile;
    TRechnungBook book;
    c.fill(book);
    const EInvoiceExportResult result =
        ExportHybridPdf(book, 0, c.kind, profile, h.path, kNoPrinterPage, TLayoutFormat{}, kTime);
    EXPECT_EQ(result.status, EInvoiceExportResult::Status::Written) << c.name << ": " << result.gaps.size();
    h.document = BuildEInvoice(book, 0, c.kind, profile).document;
    h.currencyText = book.settings.WaehrEd;
    return h;
}

// Every test book's hybrid under its own profile and under EN 16931, written once for the
// tests of this file.
const std::vector<Hybrid>& Hybrids()
{
    static const std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();
    static const std::vector<Hybrid> hybrids = [] {
        std::vector<Hybrid> all;
        for (const EInvoiceCase& c : EInvoiceCases()) {
            all.push_back(WriteHybrid(c, c.profile, *dir));
            if (c.profile != EInvoiceProfile::EN16931)
                all.push_back(WriteHybrid(c, EInvoiceProfile::EN16931, *dir));
        }
        return all;
    }();
    return hybrids;
}

std::vector<std::string> PathsOf(EInvoiceProfile profile)
{
    std::vector<std::string> paths;
    for (const Hybrid& h : Hybrids())
        if (h.profile == profile)
            paths.push_back(h.path);
    return paths;
}

void ExpectPasses(const EInvoiceValidator::ValidatorRun& run, EInvoiceProfile profile)
{
    using namespace EInvoiceValidator;
    if (run.status == 2) {
        if (InCi())
            FAIL() << "the validation kit cannot run; it needs " << kPackages << ":\n" << run.output;
        GTEST_SKIP() << "the validation kit cannot run; it needs " << kPackages << ":\n" << run.output;
    }
    for (const std::string& line : run.ErrorLines())
        ADD_FAILURE() << line;
    for (const Hybrid& h : Hybrids()) {
        if (h.profile == profile) {
            EXPECT_TRUE(run.Passed(h.name)) << h.name << "\n" << run.output;
        }
    }
    EXPECT_EQ(run.status, 0) << run.output;
}

bool KitMissing()
{
    using namespace EInvoiceValidator;
    if (std::filesystem::exists(Path()))
        return false;
    if (InCi())
        ADD_FAILURE() << "the e-invoice validation kit is missing: " << Path();
    return true;
}

// Cents and millionths as the kit's reader prints them: "-12.30", "0.100840".
std::string Fixed(int64_t value, int64_t unit, int decimals)
{
    const bool negative = value < 0;
    const uint64_t magnitude = negative ? uint64_t(0) - uint64_t(value) : uint64_t(value);
    char text[64];
    std::snprintf(text, sizeof text, "%s%" PRIu64 ".%0*" PRIu64, negative ? "-" : "", magnitude / uint64_t(unit),
                  decimals, magnitude % uint64_t(unit));
    return text;
}
std::string Cents(int64_t cents)
{
    return Fixed(cents, 100, 2);
}
std::string Millionths(int64_t value)
{
    return Fixed(value, 1000000, 6);
}

std::string Ymd(double date)
{
    TDateTimeParts parts;
    if (date == 0 || !DecodeDateTime(date, parts))
        return "";
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", parts.year, parts.month, parts.day);
    return text;
}

std::string Utf8(const std::u16string& text)
{
    return Utf16ToUtf8(text);
}

// What the kit's reader must print for a document: "key\tvalue" lines in its order.
std::string ExpectedKitListing(const EInvoiceDocument& d)
{
    std::string out;
    const auto put = [&](const std::string& key, const std::string& value) { out += key + "\t" + value + "\n"; };
    put("profile", "urn:cen.eu:en16931:2017");
    put("number", Utf8(d.number));
    put("type", std::to_string(d.typeCode));
    put("issueDate", Ymd(d.issueDate));
    put("currency", Utf8(d.currency));
    put("sellerName", Utf8(d.sellerName));
    put("sellerVatId", Utf8(d.sellerVatId));
    put("buyerName", Utf8(d.buyerName));
    put("buyerVatId", Utf8(d.buyerVatId));
    put("deliveryDate", d.hasPeriod ? "" : Ymd(d.supplyDate));
    put("dueDate", Ymd(d.dueDate));
    const EInvoiceAmounts& a = d.amounts;
    for (size_t i = 0; i < a.lines.size(); ++i) {
        const EInvoiceLine& l = a.lines[i];
        put("line", std::to_string(i + 1) + "|" + Utf8(d.items[i].name) + "|" + Millionths(l.quantity) + "|" +
                        Utf8(d.items[i].unitCode) + "|" + Millionths(l.netPrice) + "|" + Cents(l.netAmount) + "|" +
                        Utf8(std::u16string(VatCategoryCode(l.category))) + "|" + Millionths(l.rate));
    }
    for (const EInvoiceTaxGroup& t : a.taxes)
        put("tax", Utf8(std::u16string(VatCategoryCode(t.category))) + "|" + Millionths(t.rate) + "|" + Cents(t.basis) +
                       "|" + Cents(t.tax));
    put("lineTotal", Cents(a.lineTotal));
    put("taxBasisTotal", Cents(a.taxBasisTotal));
    put("taxTotal", Cents(a.taxTotal));
    put("grandTotal", Cents(a.grandTotal));
    put("rounding", Cents(a.rounding));
    put("duePayable", Cents(a.duePayable));
    return out;
}

int64_t FileSize(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? int64_t(st.st_size) : -1;
}

// The page's text (pdftotext) shows the XML's amount due, its VAT of each rate, the date of
// supply or the service period, and the due date.
void ExpectPageSaysWhatTheXmlSays(const Hybrid& h)
{
    const ToolResult text = RunTool("pdftotext -layout -enc UTF-8 " + Quote(h.path) + " -");
    ASSERT_EQ(text.exitCode, 0) << text.output;
    const std::vector<std::string> lines = Lines(text.output);
    const auto hasLine = [&](const std::string& start, const std::string& end) {
        for (const std::string& line : lines) {
            const size_t at = line.find(start);
            if (at != std::string::npos && line.size() >= at + start.size() + end.size() &&
                line.compare(line.size() - end.size(), end.size(), end) == 0)
                return true;
        }
        return false;
    };
    const EInvoiceDocument& d = h.document;
    const auto amount = [&](int64_t cents) { return Utf8(CentsText(cents, u',', h.currencyText)); };
    EXPECT_TRUE(hasLine("Gesamtbetrag ", amount(d.amounts.duePayable))) << amount(d.amounts.duePayable) << "\n"
                                                                        << text.output;
    if (d.amounts.taxTotal != 0) {
        for (const EInvoiceTaxGroup& t : d.amounts.taxes)
            EXPECT_TRUE(hasLine("MwSt " + Utf8(RatePercentText(t.rate, u',')) + " %", amount(t.tax))) << amount(t.tax);
    }
    const auto date = [](double value) { return Utf8(ShortDateText(value, kGermanShortDate)); };
    if (d.hasPeriod)
        EXPECT_TRUE(hasLine("Leistungszeitraum: " + date(d.supplyDate) + " – " + date(d.periodEnd), ""));
    else
        EXPECT_TRUE(hasLine("Leistungsdatum: " + date(d.supplyDate), ""));
    EXPECT_TRUE(hasLine("Zahlbar bis zum " + date(d.dueDate), ""));
    if (!d.sellerVatId.empty()) {
        EXPECT_TRUE(hasLine("USt-IdNr.: " + Utf8(d.sellerVatId), ""));
    }
    if (!d.buyerVatId.empty()) {
        EXPECT_TRUE(hasLine("Ihre USt-IdNr.: " + Utf8(d.buyerVatId), ""));
    }
    // The exemption reason, wrapped as the closing text is: its first words.
    if (!d.exemptionReason.empty()) {
        const std::string reason = Utf8(d.exemptionReason);
        EXPECT_NE(text.output.find(reason.substr(0, reason.find(' ', 20))), std::string::npos) << reason;
    }
}

}  // namespace

TEST(HybridPdf, TheOfficialRulesJudgeTheXmlInsideEveryXRechnungHybrid)
{
    if (KitMissing())
        GTEST_SKIP() << "the e-invoice validation kit is missing; it needs " << EInvoiceValidator::kPackages;
    ExpectPasses(EInvoiceValidator::ValidateXRechnung(PathsOf(EInvoiceProfile::XRechnung)), EInvoiceProfile::XRechnung);
}

TEST(HybridPdf, TheOfficialRulesJudgeTheXmlInsideEveryEn16931Hybrid)
{
    if (KitMissing())
        GTEST_SKIP() << "the e-invoice validation kit is missing; it needs " << EInvoiceValidator::kPackages;
    ExpectPasses(EInvoiceValidator::ValidateEN16931(PathsOf(EInvoiceProfile::EN16931)), EInvoiceProfile::EN16931);
}

// factur-x-kit reads the EN 16931 hybrids (it knows no XRechnung) and finds our figures.
TEST(HybridPdf, FacturXKitReadsEveryEn16931HybridBackWithOurFigures)
{
    if (RunTool("node --version").exitCode != 0 || !std::filesystem::exists(kTools + "node_modules/factur-x-kit")) {
        if (EInvoiceValidator::InCi())
            FAIL() << "node or factur-x-kit missing (scripts/install-deps)";
        GTEST_SKIP() << "node or factur-x-kit missing (scripts/install-deps)";
    }
    int read = 0;
    for (const Hybrid& h : Hybrids()) {
        if (h.profile != EInvoiceProfile::EN16931)
            continue;
        SCOPED_TRACE(h.name);
        const ToolResult kit = RunTool("node " + Quote(kTools + "read-facturx.js") + " " + Quote(h.path));
        ASSERT_EQ(kit.exitCode, 0) << kit.output;
        EXPECT_EQ(kit.output, ExpectedKitListing(h.document));
        ++read;
    }
    EXPECT_EQ(read, int(EInvoiceCases().size()));
}

// What poppler and qpdf see: PDF/A-3b, every font an embedded subset, the XML as attachment;
// and the structural check of the PDF/A rules through qpdf's library.
TEST(HybridPdf, IndependentReadersSeeAPdfA3bWithEmbeddedSubsetsAndTheXml)
{
    const std::regex fontRow(R"(^([A-Z]{6})\+(\S+)\s+TrueType\s+WinAnsi\s+yes\s+yes\s+(yes|no)\s+\d+\s+0$)");
    for (const Hybrid& h : Hybrids()) {
        SCOPED_TRACE(h.name);
        const ToolResult check = RunTool("qpdf --check " + Quote(h.path));
        EXPECT_EQ(check.exitCode, 0) << check.output;

        const std::vector<std::string> fonts = Lines(RunTool("pdffonts " + Quote(h.path)).output);
        ASSERT_GE(fonts.size(), 3u);
        std::set<std::string> names;
        for (size_t i = 2; i < fonts.size(); ++i) {
            if (fonts[i].empty())
                continue;
            std::smatch m;
            EXPECT_TRUE(std::regex_match(fonts[i], m, fontRow)) << fonts[i];
            // Each font once, however many pages.
            EXPECT_TRUE(names.insert(m.size() > 2 ? m[2].str() : fonts[i]).second) << fonts[i];
        }

        const ToolResult meta = RunTool("pdfinfo -meta " + Quote(h.path));
        EXPECT_NE(meta.output.find("<pdfaid:part>3</pdfaid:part>"), std::string::npos) << meta.output;
        EXPECT_NE(meta.output.find("<pdfaid:conformance>B</pdfaid:conformance>"), std::string::npos);
        const bool xr = h.profile == EInvoiceProfile::XRechnung;
        EXPECT_NE(meta.output.find(xr ? "<fx:ConformanceLevel>XRECHNUNG</fx:ConformanceLevel>"
                                      : "<fx:ConformanceLevel>EN 16931</fx:ConformanceLevel>"),
                  std::string::npos);
        const std::string fileName = HybridXmlFileName(h.profile);
        EXPECT_NE(meta.output.find("<fx:DocumentFileName>" + fileName + "</fx:DocumentFileName>"), std::string::npos);
        EXPECT_NE(RunTool("pdfinfo " + Quote(h.path)).output.find("PDF version:     1.7\n"), std::string::npos);

        EXPECT_EQ(RunTool("pdfdetach -list " + Quote(h.path)).output, "1 embedded files\n1: " + fileName + "\n");
        ExpectPageSaysWhatTheXmlSays(h);
        for (const std::string& problem : CheckPdfA3(h.path))
            ADD_FAILURE() << problem;
    }
}

TEST(HybridPdf, OnePageStaysSmallAndTwentyPagesEmbedEachFontOnce)
{
    TempDir dir;
    TRechnungBook book;
    FillSeller(book);
    const uint32_t one = AppendBuyerInvoice(book, u"RE-1");
    AddPosition(book, one, u"Std.", u"Beratung", 8, 19, 119);
    AddPosition(book, one, u"Stück", u"Schrauben", 100, 7, 0.12);
    const std::string small = dir.File("eine-seite.pdf");
    ASSERT_EQ(ExportHybridPdf(book, int32_t(one), 0, EInvoiceProfile::XRechnung, small, kNoPrinterPage, TLayoutFormat{},
                              kTime)
                  .status,
              EInvoiceExportResult::Status::Written);
    EXPECT_LE(FileSize(small), 60000);
    EXPECT_TRUE(std::regex_search(RunTool("pdfinfo " + Quote(small)).output, std::regex(R"(\nPages:\s+1\n)")));

    const uint32_t many = AppendBuyerInvoice(book, u"RE-2");
    for (int i = 0; i < 1200; ++i)
        AddPosition(book, many, u"Stück", u"Position " + Utf8ToUtf16(std::to_string(i)) + u" – Größe Ä", 1 + i % 3,
                    i % 2 ? 19 : 7, 1.5 + i);
    const std::string big = dir.File("zwanzig-seiten.pdf");
    ASSERT_EQ(
        ExportHybridPdf(book, int32_t(many), 0, EInvoiceProfile::XRechnung, big, kNoPrinterPage, TLayoutFormat{}, kTime)
            .status,
        EInvoiceExportResult::Status::Written);
    const std::string info = RunTool("pdfinfo " + Quote(big)).output;
    std::smatch pages;
    ASSERT_TRUE(std::regex_search(info, pages, std::regex(R"(Pages:\s+(\d+))")));
    EXPECT_GE(std::stoi(pages[1]), 20);
    // Font dictionaries and font programs: as many as on the one page.
    const auto fontsOf = [](const std::string& path) {
        return Lines(RunTool("pdffonts " + Quote(path)).output).size();
    };
    EXPECT_EQ(fontsOf(big), fontsOf(small));
    for (const std::string& problem : CheckPdfA3(big))
        ADD_FAILURE() << problem;
}

// Kinds that are no invoice and invoices with gaps write nothing, and say why.
TEST(HybridPdf, WhatCannotBeAnEInvoiceWritesNoFile)
{
    TempDir dir;
    TRechnungBook book;
    FillSeller(book);
    const uint32_t index = AppendBuyerInvoice(book, u"RE-1");
    AddPosition(book, index, u"Std.", u"Beratung", 8, 19, 119);
    const std::string path = dir.File("h.pdf");
    for (const int32_t kind : {1, 2, 4, 5, 6, 7}) {
        const EInvoiceExportResult r =
            ExportHybridPdf(book, int32_t(index), kind, EInvoiceProfile::EN16931, path, kNoPrinterPage, {}, kTime);
        EXPECT_EQ(r.status, EInvoiceExportResult::Status::Refused) << kind;
        ASSERT_EQ(r.gaps.size(), 1u);
        EXPECT_EQ(r.gaps[0], NotAnInvoiceText(kind));
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    SetTextBuf(&book.Rechnung(index).kaeuferref, u"");
    const EInvoiceExportResult gaps =
        ExportHybridPdf(book, int32_t(index), 0, EInvoiceProfile::XRechnung, path, kNoPrinterPage, {}, kTime);
    EXPECT_EQ(gaps.status, EInvoiceExportResult::Status::Gaps);
    EXPECT_FALSE(gaps.gaps.empty());
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(ExportHybridPdf(book, 7, 0, EInvoiceProfile::EN16931, path, kNoPrinterPage, {}, kTime).status,
              EInvoiceExportResult::Status::NoInvoice);
    EXPECT_FALSE(std::filesystem::exists(path));
}
