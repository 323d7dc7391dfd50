// The XML inside a hybrid PDF: found by its name or through the catalog's /AF array, and every
// damaged or hostile PDF (tests/data/einvoice-pdf-*.pdf, written by
// tests/tools/make-einvoice-fixtures.py) answered with a German message.
#include "CiiReadHelper.h"

#include "foundation/Utf8.h"
#include "received/HybridPdfAttachment.h"

#include <gtest/gtest.h>

namespace {

std::string Fixture(const std::string& name)
{
    return ReadWholeFile(std::string(REKOLON_TEST_DATA) + "/" + name);
}

}  // namespace

TEST(HybridPdfAttachment, TheXmlIsFoundByItsNameOrByTheAssociatedFilesArray)
{
    const std::string xml = Fixture("einvoice-cii-every-term.xml");
    const struct {
        const char* file;
        const char16_t* name;
    } cases[] = {{"einvoice-pdf-factur-x.pdf", u"factur-x.xml"},
                 {"einvoice-pdf-xml-only-in-af.pdf", u"rechnungsdaten.xml"},
                 {"einvoice-pdf-encrypted-owner-password-only.pdf", u"factur-x.xml"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const HybridPdfXml found = ExtractHybridXml(Fixture(c.file), ReceivedLimits{});
        EXPECT_EQ(Utf16ToUtf8(found.error), "");
        EXPECT_EQ(found.fileName, c.name);
        EXPECT_EQ(found.xml, xml);
        const ReceivedReadResult read = ReadCiiBytes(found.xml);
        ASSERT_TRUE(read.invoice);
        EXPECT_EQ(read.invoice->number, u"RE-2026-0815");
    }
}

TEST(HybridPdfAttachment, EveryDamagedOrForeignPdfGivesAMessage)
{
    const struct {
        const char* file;
        const char* message;
    } cases[] = {
        {"einvoice-pdf-without-attachment.pdf", "Die PDF-Datei enthält keine E-Rechnung (kein eingebettetes XML)."},
        {"einvoice-pdf-af-supplement-only.pdf", "Die PDF-Datei enthält keine E-Rechnung (kein eingebettetes XML)."},
        {"einvoice-pdf-name-tree-loop.pdf", "Die PDF-Datei enthält keine E-Rechnung (kein eingebettetes XML)."},
        {"einvoice-pdf-truncated.pdf", "Die PDF-Datei ist beschädigt und kann nicht gelesen werden."},
        {"einvoice-pdf-not-a-pdf.pdf", "Die PDF-Datei ist beschädigt und kann nicht gelesen werden."},
        {"einvoice-pdf-broken-flate-stream.pdf",
         "Die eingebettete E-Rechnung „factur-x.xml“ ist beschädigt und kann nicht entpackt werden."},
        {"einvoice-pdf-encrypted-with-password.pdf",
         "Die PDF-Datei ist mit einem Kennwort geschützt; ihre E-Rechnung kann nicht gelesen werden."},
        {"einvoice-cii-every-term.xml", "Die PDF-Datei ist beschädigt und kann nicht gelesen werden."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const HybridPdfXml found = ExtractHybridXml(Fixture(c.file), ReceivedLimits{});
        EXPECT_EQ(Utf16ToUtf8(found.error), c.message);
        EXPECT_TRUE(found.xml.empty());
    }
}

// A small stream that inflates to 3 MB: read whole under the usual limits, stopped at 1 MB.
TEST(HybridPdfAttachment, TheDecodedXmlIsBoundedByTheFileLimit)
{
    const std::string pdf = Fixture("einvoice-pdf-xml-inflating-to-3mb.pdf");
    ASSERT_LT(pdf.size(), 16'384u);
    const HybridPdfXml whole = ExtractHybridXml(pdf, ReceivedLimits{});
    EXPECT_EQ(Utf16ToUtf8(whole.error), "");
    EXPECT_EQ(whole.xml.size(), Fixture("einvoice-cii-every-term.xml").size() + (size_t{3} << 20));

    ReceivedLimits limits;
    limits.maxFileBytes = size_t{1} << 20;
    const HybridPdfXml bounded = ExtractHybridXml(pdf, limits);
    EXPECT_EQ(Utf16ToUtf8(bounded.error),
              "Die eingebettete E-Rechnung „factur-x.xml“ ist größer als 1 MB und wird nicht gelesen.");
    EXPECT_TRUE(bounded.xml.empty());

    limits.maxFileBytes = pdf.size() - 1;  // the PDF itself one byte over
    const HybridPdfXml tooLarge = ExtractHybridXml(pdf, limits);
    EXPECT_NE(Utf16ToUtf8(tooLarge.error).find("zu groß für eine E-Rechnung"), std::string::npos)
        << Utf16ToUtf8(tooLarge.error);
}
