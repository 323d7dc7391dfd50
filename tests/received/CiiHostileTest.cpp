// Hostile and damaged CII files (tests/data/einvoice-cii-*.xml, written by
// tests/tools/make-einvoice-fixtures.py): each refused with a German message that names the
// problem and, where there is one, the element and its line.
#include "CiiReadHelper.h"

#include "foundation/Utf8.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <fstream>

namespace {

std::string Fixture(const std::string& name)
{
    return ReadWholeFile(std::string(REKOLON_TEST_DATA) + "/" + name);
}

// The line (from 1) on which the text first stands in the file.
int LineOf(const std::string& bytes, const std::string& text)
{
    const size_t at = bytes.find(text);
    EXPECT_NE(at, std::string::npos) << text;
    return 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + static_cast<long>(at), '\n'));
}

struct Damaged {
    const char* file;
    const char* message;  // a part of the German message
    const char* element;  // the element the message names, or nullptr
    const char* marker;   // a text on the element's line
};

const Damaged kDamaged[] = {
    {"einvoice-cii-billion-laughs.xml", "Dokumenttypdefinition (<!DOCTYPE>)", nullptr, nullptr},
    {"einvoice-cii-external-entity-passwd.xml", "Dokumenttypdefinition (<!DOCTYPE>)", nullptr, nullptr},
    {"einvoice-cii-parameter-entity-passwd.xml", "Dokumenttypdefinition (<!DOCTYPE>)", nullptr, nullptr},
    {"einvoice-cii-external-dtd.xml", "Dokumenttypdefinition (<!DOCTYPE>)", nullptr, nullptr},
    {"einvoice-cii-deep-nesting.xml", "tiefer als 64 Ebenen verschachtelt", nullptr, nullptr},
    {"einvoice-cii-truncated.xml", "kein wohlgeformtes XML", nullptr, nullptr},
    {"einvoice-cii-wrong-root-zugferd1.xml",
     "Wurzelelement ist „rsm:CrossIndustryDocument“ statt „rsm:CrossIndustryInvoice“", nullptr, nullptr},
    {"einvoice-cii-without-exchanged-document.xml", "„rsm:ExchangedDocument“ fehlt", nullptr, nullptr},
    {"einvoice-cii-without-transaction.xml", "„rsm:SupplyChainTradeTransaction“ fehlt", nullptr, nullptr},
    {"einvoice-cii-bad-number-comma.xml", "„375,00“ ist keine Zahl", "ram:LineTotalAmount", "375,00"},
    {"einvoice-cii-number-too-large.xml", "ist keine Zahl", "ram:GrandTotalAmount", "99999999999999999999.95"},
    {"einvoice-cii-bad-date-february-30.xml", "„20260230“ ist kein Datum der Form JJJJMMTT", "udt:DateTimeString",
     "20260230"},
    {"einvoice-cii-tax-point-date-5000-digits.xml",
     "„2026022820260228202602282026022820260228…“ ist kein Datum der Form JJJJMMTT.", "udt:DateString",
     "<udt:DateString"},
    {"einvoice-cii-date-format-610.xml", "Datumsformat „610“ wird nicht unterstützt", "udt:DateTimeString",
     "format=\"610\""},
    {"einvoice-cii-attachment-bad-base64.xml", "kein gültiges Base64", "ram:AttachmentBinaryObject",
     "<ram:AttachmentBinaryObject"},
    {"einvoice-cii-charge-indicator-unknown.xml", "Abschlag (false) oder ein Zuschlag (true)", "udt:Indicator",
     "<udt:Indicator>ja"},
};

}  // namespace

TEST(CiiHostile, EveryDamagedFileIsRefusedWithAMessageNamingTheProblem)
{
    for (const Damaged& d : kDamaged) {
        SCOPED_TRACE(d.file);
        const std::string bytes = Fixture(d.file);
        ASSERT_FALSE(bytes.empty());
        const ReceivedReadResult read = ReadCiiBytes(bytes);
        EXPECT_FALSE(read.invoice);
        const std::string error = Utf16ToUtf8(read.error);
        EXPECT_NE(error.find(d.message), std::string::npos) << error;
        if (d.element != nullptr) {
            const std::string where =
                std::string("Im Element „") + d.element + "“ (Zeile " + std::to_string(LineOf(bytes, d.marker)) + "): ";
            EXPECT_EQ(error.rfind(where, 0), 0u) << error;
        }
    }
}

TEST(CiiHostile, NoRootElementIsSaidAsSuch)
{
    EXPECT_EQ(Utf16ToUtf8(ReadCiiInvoice(nullptr, ReceivedLimits{}).error), "Die Datei enthält kein XML-Element.");
}

// The two files that name /etc/passwd are real attacks: a parser that expands entities reads
// the file into the invoice number. Ours refuses them, and nothing of the file shows.
TEST(CiiHostile, TheExternalEntityIsPotentYetNothingOfTheNamedFileAppears)
{
    std::ifstream passwd("/etc/passwd");
    std::string firstLine;
    if (!std::getline(passwd, firstLine) || firstLine.empty())
        GTEST_SKIP() << "no /etc/passwd on this machine";
    const std::string bytes = Fixture("einvoice-cii-external-entity-passwd.xml");
    xmlDoc* unsafe = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "x.xml", nullptr,
                                   XML_PARSE_NOENT | XML_PARSE_DTDLOAD | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    ASSERT_NE(unsafe, nullptr);
    xmlChar* content = xmlNodeGetContent(xmlDocGetRootElement(unsafe));
    EXPECT_NE(std::string(reinterpret_cast<const char*>(content)).find(firstLine), std::string::npos);
    xmlFree(content);
    xmlFreeDoc(unsafe);

    const ReceivedReadResult read = ReadCiiBytes(bytes);
    EXPECT_FALSE(read.invoice);
    EXPECT_EQ(Utf16ToUtf8(read.error).find(firstLine), std::string::npos);
}

// An attachment beyond the limit (made small here instead of a large file): refused naming the
// element; one of exactly the limit is read.
TEST(CiiHostile, AnAttachmentOverTheLimitIsRefusedAndOneAtTheLimitRead)
{
    const std::string bytes = Fixture("einvoice-cii-every-term.xml");
    ReceivedLimits limits;
    limits.maxAttachmentBytes = 26;  // the timesheet has 27 bytes
    const ReceivedReadResult over = ReadCiiBytes(bytes, limits);
    EXPECT_FALSE(over.invoice);
    EXPECT_EQ(Utf16ToUtf8(over.error), "Im Element „ram:AttachmentBinaryObject“ (Zeile " +
                                           std::to_string(LineOf(bytes, "<ram:AttachmentBinaryObject")) +
                                           "): Der Anhang ist größer als 26 Bytes und wird nicht gelesen.");
    limits.maxAttachmentBytes = 27;
    const ReceivedReadResult at = ReadCiiBytes(bytes, limits);
    ASSERT_TRUE(at.invoice) << Utf16ToUtf8(at.error);
    EXPECT_EQ(at.invoice->attachments.at(0).content.size(), 27u);
}

// The limits say how large a file may be; the message gives the size in words a user reads.
TEST(CiiHostile, TheSizeInTheAttachmentMessage)
{
    const std::string bytes = Fixture("einvoice-cii-every-term.xml");
    const struct {
        size_t limit;
        const char* text;
    } cases[] = {{20, "20 Bytes"}, {size_t{7} << 20, "7 MB"}};
    for (const auto& c : cases) {
        // The attachment copied until it is larger than the limit.
        std::string big = bytes;
        const std::string base64 = "RGF0dW07U3R1bmRlbgoyMDI2LTAyLTAyOzgK";
        std::string longer;
        while (longer.size() / 4 * 3 <= c.limit)
            longer += "QUJD";
        big.replace(big.find(base64), base64.size(), longer);
        ReceivedLimits limits;
        limits.maxAttachmentBytes = c.limit;
        const ReceivedReadResult read = ReadCiiBytes(big, limits);
        EXPECT_NE(Utf16ToUtf8(read.error).find(std::string("größer als ") + c.text + " und"), std::string::npos)
            << Utf16ToUtf8(read.error);
    }
}
