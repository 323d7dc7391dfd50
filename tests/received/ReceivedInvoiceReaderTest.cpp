// Reading a received e-invoice from a file of any kind: the root element decides between CII
// and UBL, a hybrid PDF gives its embedded XML, and whatever is no e-invoice, too large,
// unreadable or hostile is refused with one German message.
#include "einvoice/EInvoiceBooks.h"

#include "einvoice/HybridPdfExport.h"
#include "foundation/Utf8.h"
#include "imaging/ChildPeakMemory.h"
#include "invoices/TRechnungBook.h"
#include "output/TLayoutFormat.h"
#include "output/TPrinterPage.h"
#include "received/ReceivedInvoiceReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string Sample(const std::string& name)
{
    return std::string(REKOLON_EINVOICE_SAMPLES) + "/" + name;
}

std::string Utf8(const std::u16string& text)
{
    return Utf16ToUtf8(text);
}

const std::u16string kNotAnEInvoice = u"Die Datei ist keine E-Rechnung (erwartet: XRechnung/ZUGFeRD als CII oder UBL).";

}  // namespace

TEST(ReceivedInvoiceReader, TheRootElementChoosesTheSyntax)
{
    struct Case {
        const char* file;
        ReceivedInvoice::Syntax syntax;
        std::u16string number;
        std::u16string typeCode;
    };
    const Case cases[] = {
        {"cii/CII_example1.xml", ReceivedInvoice::Syntax::Cii, u"12115118", u"380"},
        {"cii/XRechnung-O.xml", ReceivedInvoice::Syntax::Cii, u"150377292", u"380"},
        {"ubl/ubl-tc434-example1.xml", ReceivedInvoice::Syntax::Ubl, u"12115118", u"380"},
        {"ubl/ubl-tc434-creditnote1.xml", ReceivedInvoice::Syntax::Ubl, u"018304 / 28865", u"381"},
        {"ubl/BIS3_Invoice_positive.XML", ReceivedInvoice::Syntax::Ubl, u"12345", u"380"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const ReceivedReadResult result = ReadReceivedInvoiceFile(Sample(c.file));
        ASSERT_TRUE(result.invoice) << Utf8(result.error);
        EXPECT_TRUE(result.error.empty());
        EXPECT_EQ(result.invoice->syntax, c.syntax);
        EXPECT_FALSE(result.invoice->fromPdf);
        EXPECT_EQ(Utf8(result.invoice->number), Utf8(c.number));
        EXPECT_EQ(Utf8(result.invoice->typeCode), Utf8(c.typeCode));
        // The bytes read directly give the same invoice as the file.
        const ReceivedReadResult fromBytes = ReadReceivedInvoice(ReadWholeFile(Sample(c.file)));
        ASSERT_TRUE(fromBytes.invoice);
        EXPECT_TRUE(*fromBytes.invoice == *result.invoice);
    }
}

TEST(ReceivedInvoiceReader, ByteOrderMarkAndWhiteSpaceBeforeTheXmlAreNoPdf)
{
    const std::string xml = ReadWholeFile(Sample("ubl/ubl-tc434-example1.xml"));
    // A "%PDF-" in the first kilobyte of an XML file (a comment) does not make it a PDF.
    const std::string root = xml.substr(xml.find("<Invoice"));
    const std::string variants[] = {"\xEF\xBB\xBF" + xml, "\n  \r\n" + root, "<!-- %PDF-1.7 -->\n" + root};
    for (const std::string& bytes : variants) {
        const ReceivedReadResult result = ReadReceivedInvoice(bytes);
        ASSERT_TRUE(result.invoice) << Utf8(result.error);
        EXPECT_EQ(Utf8(result.invoice->number), "12115118");
        EXPECT_FALSE(result.invoice->fromPdf);
    }
}

TEST(ReceivedInvoiceReader, HybridPdfGivesItsEmbeddedInvoice)
{
    TempDir dir;
    TRechnungBook book;
    FillSeller(book);
    const uint32_t index = AppendBuyerInvoice(book, u"RE-2026-41");
    AddPosition(book, index, u"Std.", u"Beratung", 3, 19, 80);
    const std::string pdf = dir.File("hybrid.pdf");
    for (const EInvoiceProfile profile : {EInvoiceProfile::XRechnung, EInvoiceProfile::EN16931}) {
        ASSERT_EQ(ExportHybridPdf(book, int32_t(index), 0, profile, pdf, kNoPrinterPage, TLayoutFormat{},
                                  HybridPdfTime{1772717400, 60})
                      .status,
                  EInvoiceExportResult::Status::Written);
        const ReceivedReadResult result = ReadReceivedInvoiceFile(pdf);
        ASSERT_TRUE(result.invoice) << Utf8(result.error);
        EXPECT_TRUE(result.invoice->fromPdf);
        EXPECT_EQ(result.invoice->syntax, ReceivedInvoice::Syntax::Cii);
        EXPECT_EQ(Utf8(result.invoice->number), "RE-2026-41");
        ASSERT_TRUE(result.invoice->totals.amountDue);
        EXPECT_EQ(*result.invoice->totals.amountDue, 240'000'000);  // 3 × 80, the book's prices with VAT
    }
}

TEST(ReceivedInvoiceReader, WhatIsNoEInvoiceIsRefusedWithOneMessage)
{
    struct Case {
        const char* defect;
        std::string bytes;
        std::string message;  // the start of the message
    };
    const Case cases[] = {
        {"empty file", "", Utf8(kNotAnEInvoice)},
        {"plain text", "Sehr geehrte Damen und Herren,\n", Utf8(kNotAnEInvoice)},
        {"PNG image", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), Utf8(kNotAnEInvoice)},
        {"web page", "<?xml version=\"1.0\"?><html xmlns=\"http://www.w3.org/1999/xhtml\"><body/></html>",
         Utf8(kNotAnEInvoice)},
        {"UBL name without namespace", "<Invoice><ID>1</ID></Invoice>", Utf8(kNotAnEInvoice)},
        {"CII name in the UBL namespace",
         "<CrossIndustryInvoice xmlns=\"urn:oasis:names:specification:ubl:schema:xsd:Invoice-2\"/>",
         Utf8(kNotAnEInvoice)},
        {"UBL invoice named credit note",
         "<CreditNote xmlns=\"urn:oasis:names:specification:ubl:schema:xsd:Invoice-2\"/>", Utf8(kNotAnEInvoice)},
        {"order instead of invoice", "<Order xmlns=\"urn:oasis:names:specification:ubl:schema:xsd:Order-2\"/>",
         Utf8(kNotAnEInvoice)},
        {"cut inside the root",
         "<rsm:CrossIndustryInvoice xmlns:rsm=\"urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100\">",
         "Die Datei ist kein wohlgeformtes XML (Zeile 1"},
        {"document type with entities",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE Invoice [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>\n"
         "<Invoice xmlns=\"urn:oasis:names:specification:ubl:schema:xsd:Invoice-2\">&b;</Invoice>",
         "Die Datei enthält eine Dokumenttypdefinition"},
        {"PDF without embedded invoice",
         "%PDF-1.4\n1 0 obj\n<< /Type /Catalog >>\nendobj\ntrailer\n<< /Root 1 0 R >>\n%%EOF\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.defect);
        const ReceivedReadResult result = ReadReceivedInvoice(c.bytes);
        EXPECT_FALSE(result.invoice);
        EXPECT_FALSE(result.error.empty());
        EXPECT_EQ(Utf8(result.error).substr(0, c.message.size()), c.message) << Utf8(result.error);
    }
}

TEST(ReceivedInvoiceReader, SizeLimitRefusesBeforeReading)
{
    const std::string xml = ReadWholeFile(Sample("ubl/ubl-tc434-example1.xml"));
    ReceivedLimits small;
    small.maxFileBytes = xml.size() - 1;
    const ReceivedReadResult bytes = ReadReceivedInvoice(xml, small);
    EXPECT_FALSE(bytes.invoice);
    EXPECT_EQ(Utf8(bytes.error), "Die Datei ist mit 0 MB zu groß für eine E-Rechnung (höchstens 0 MB).");
    small.maxFileBytes = xml.size();
    EXPECT_TRUE(ReadReceivedInvoice(xml, small).invoice);

    // A file of 200 MB without a byte on disk is refused by its size, unread: the work stays
    // small in a child that may not take 64 MB more. Allowed the file, the same child runs out
    // of memory reading it (and says so).
    TempDir dir;
    const std::string huge = dir.File("riesig.xml");
    std::ofstream(huge).close();
    std::filesystem::resize_file(huge, std::uintmax_t{200} << 20);
    const std::string refusal = "Die Datei ist mit 200 MB zu groß für eine E-Rechnung (höchstens 100 MB).";
    const auto readInChild = [&](size_t limit) {
        return MeasureInChild(
            [&] {
                ReceivedLimits limits;
                limits.maxFileBytes = limit;
                const ReceivedReadResult result = ReadReceivedInvoiceFile(huge, limits);
                if (result.invoice)
                    return 0;
                if (Utf8(result.error) == refusal)
                    return 1;
                return Utf8(result.error) == "Nicht genug Speicher, um die E-Rechnung zu lesen." ? 2 : 3;
            },
            uint64_t{64} << 20);
    };
    const ChildPeak refused = readInChild(ReceivedLimits{}.maxFileBytes);
    ASSERT_TRUE(refused.measured);
    EXPECT_EQ(refused.result, 1);
    EXPECT_LT(refused.growth, int64_t{8} << 20);
    if (!UnderAddressSanitizer()) {
        const ChildPeak read = readInChild(size_t{300} << 20);
        ASSERT_TRUE(read.measured);
        EXPECT_EQ(read.result, 2);
    }
}

TEST(ReceivedInvoiceReader, UnreadableFilesAreNamed)
{
    TempDir dir;
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {dir.File("fehlt.xml"), "No such file or directory"},
        {dir.Path(), "Keine gewöhnliche Datei"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const ReceivedReadResult result = ReadReceivedInvoiceFile(c.path);
        EXPECT_FALSE(result.invoice);
        const std::string error = Utf8(result.error);
        EXPECT_EQ(error.rfind("Die Datei „" + c.path + "“ kann nicht gelesen werden: ", 0), 0u) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
}
