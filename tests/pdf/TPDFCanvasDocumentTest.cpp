#include "PdfTestSupport.h"

#include "foundation/Cp1252.h"
#include "foundation/IoError.h"
#include "pdf/PdfNumbers.h"
#include "pdf/TPDFCanvas.h"
#include "support/FileSizeLimit.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <regex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace {

// Builds the expected bytes of a file object by object, recording each object's offset.
struct ExpectedFile {
    std::string bytes;
    std::vector<size_t> offsets{0};

    void Object(const std::string& text)
    {
        offsets.push_back(bytes.size());
        bytes += std::to_string(offsets.size() - 1) + " 0 obj\n" + text;
    }
    std::string Xref() const
    {
        std::string x = "xref\n0 " + std::to_string(offsets.size()) + "\n0000000000 65535 f \n";
        for (size_t i = 1; i < offsets.size(); ++i) {
            std::string pos = std::to_string(offsets[i]);
            x += std::string(10 - pos.size(), '0') + pos + " 00000 n \n";
        }
        return x;
    }
};

const std::string kEmptyZlib("\x78\x9C\x03\x00\x00\x00\x00\x01", 8);

}

TEST(TPDFCanvasDocument, OnePageEmptyDocumentByteForByte)
{
    TempDir dir;
    const PdfFile file = WritePdf(dir.File("leer.pdf"), [](TPDFCanvas&) {});

    ExpectedFile e;
    e.bytes = "%PDF-1.3\n";
    e.Object("[/PDF /Text /ImageB /ImageC /ImageI]\nendobj\n");
    e.Object("<< /Length 3 0 R /Filter /FlateDecode >>\nstream\n" + kEmptyZlib + "\nendstream\nendobj\n");
    e.Object("8\nendobj\n");
    e.Object("<<\n/Type /Pages\n/Count 1\n/Kids [5 0 R]\n>>\nendobj\n");
    e.Object("<<\n/Type /Page\n/Parent 4 0 R\n/Resources <</XObject <<  >>\n"
             "/Font << >> /ProcSet 1 0 R\n>>\n/MediaBox [0 0 594 840]\n/Contents 2 0 R\n>>\nendobj\n");
    e.Object("<<\n/Type /Catalog\n/Pages 4 0 R\n/Outlines 7 0 R\n>>\nendobj\n");
    e.Object("<<\n/Type /Outlines\n/Count 0\n>>\nendobj\n");
    const size_t xrefAt = e.bytes.size();
    e.bytes += e.Xref();
    e.bytes += "trailer\n<<\n/Size 8\n/Root 6 0 R\n/ID [ <";

    const std::string& bytes = file.Bytes();
    ASSERT_GT(bytes.size(), e.bytes.size());
    EXPECT_EQ(bytes.substr(0, e.bytes.size()), e.bytes);
    const std::string tail = bytes.substr(e.bytes.size());
    const std::regex trailer("([0-9A-F]{34})><([0-9A-F]{34})> \\]\n>>\nstartxref\n([0-9]+)\n%%EOF");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(tail, m, trailer)) << tail;
    EXPECT_EQ(m[1].str(), m[2].str());
    EXPECT_EQ(m[3].str(), std::to_string(xrefAt));
}

TEST(TPDFCanvasDocument, OnePageOneFontObjectNumbers)
{
    TempDir dir;
    const PdfFile file = WritePdf(dir.File("t.pdf"), [](TPDFCanvas& c) {
        c.font.name = u"Arial";
        c.font.size = 10;
        c.TextOut(57, 100, u"Rechnung");
    });
    ASSERT_EQ(file.ObjectCount(), 9u);
    EXPECT_EQ(file.Object(1), "1 0 obj\n[/PDF /Text /ImageB /ImageC /ImageI]\nendobj\n");
    EXPECT_EQ(file.Object(2).substr(0, 56), "2 0 obj\n<< /Length 3 0 R /Filter /FlateDecode >>\nstream\n");
    EXPECT_EQ(file.Object(3), "3 0 obj\n" + std::to_string(file.RawStream(2).size()) + "\nendobj\n");
    EXPECT_EQ(file.Object(4).substr(0, 42), "4 0 obj\n<<\n/Type /Font\n/Subtype /TrueType\n");
    EXPECT_EQ(file.Object(5), "5 0 obj\n<<\n/Type /Pages\n/Count 1\n/Kids [6 0 R]\n>>\nendobj\n");
    EXPECT_EQ(file.Object(6), "6 0 obj\n<<\n/Type /Page\n/Parent 5 0 R\n/Resources <</XObject <<  >>\n"
                              "/Font << /F1 4 0 R>> /ProcSet 1 0 R\n>>\n/MediaBox [0 0 594 840]\n/Contents 2 0 R\n"
                              ">>\nendobj\n");
    EXPECT_EQ(file.Object(7), "7 0 obj\n<<\n/Type /Catalog\n/Pages 5 0 R\n/Outlines 8 0 R\n>>\nendobj\n");
    EXPECT_EQ(file.Object(8), "8 0 obj\n<<\n/Type /Outlines\n/Count 0\n>>\nendobj\n");
    EXPECT_NE(file.Bytes().find("trailer\n<<\n/Size 9\n/Root 7 0 R\n/ID [ <"), std::string::npos);
}

TEST(TPDFCanvasDocument, FontDictionaryOfArialAgreesWithTheMeasuredWidths)
{
    TempDir dir;
    TPDFCanvas measure;
    measure.font.name = u"Arial";
    measure.font.size = 12;
    const PdfFile file = WritePdf(dir.File("t.pdf"), [](TPDFCanvas& c) {
        c.font.name = u"Arial";
        c.font.size = 10;
        c.TextOut(0, 0, u"x");
    });
    const std::string font = file.Object(4);
    const std::vector<std::string> lines = Lines(font);
    ASSERT_EQ(lines.size(), 14u) << font;
    EXPECT_EQ(lines[1], "<<");
    EXPECT_EQ(lines[2], "/Type /Font");
    EXPECT_EQ(lines[3], "/Subtype /TrueType");
    EXPECT_EQ(lines[4], "/Encoding /WinAnsiEncoding");
    EXPECT_EQ(lines[5], "/BaseFont /Arial");
    EXPECT_EQ(lines[6], "/FontDescriptor <</Type/FontDescriptor");
    EXPECT_TRUE(std::regex_match(lines[7], std::regex("/FontBBox\\[-[0-9]+ -[0-9]+ [0-9]+ [0-9]+\\]"))) << lines[7];
    EXPECT_EQ(lines[8], "/Flags 4/Ascent 749/Descent -249/ItalicAngle 0>>");
    EXPECT_EQ(lines[9], "/FirstChar 32");
    EXPECT_EQ(lines[10], "/LastChar 255");
    EXPECT_EQ(lines[12], ">>");
    EXPECT_EQ(lines[13], "endobj");
    // One width per code from 32 to 255, each followed by a space, then the bracket.
    ASSERT_EQ(lines[11].substr(0, 9), "/Widths [");
    ASSERT_EQ(lines[11].substr(lines[11].size() - 2), " ]");
    std::vector<int> widths;
    const std::string list = lines[11].substr(9, lines[11].size() - 10);
    for (size_t at = 0; at < list.size();) {
        const size_t space = list.find(' ', at);
        ASSERT_NE(space, std::string::npos);
        widths.push_back(std::stoi(list.substr(at, space - at)));
        at = space + 1;
    }
    ASSERT_EQ(widths.size(), 224u);
    // Every width is what TextWidth measures for that code at 12 points, scaled to 1/1000 em.
    for (int code = 32; code <= 255; ++code) {
        std::string byte(1, char(code));
        const std::u16string ch = DecodeCp1252(byte);
        const int32_t p = measure.TextWidth(ch);
        EXPECT_EQ(widths[size_t(code - 32)], ScaleToThousandths(p)) << code;
    }
    EXPECT_EQ(widths['a' - 32], 583);  // 7 pixels
    EXPECT_EQ(widths[' ' - 32], 249);  // 3 pixels
}

TEST(TPDFCanvasDocument, ThreePagesNumberTheirContentsTwoFourSix)
{
    TempDir dir;
    const PdfFile file = WritePdf(dir.File("t.pdf"), [](TPDFCanvas& c) {
        c.font.name = u"Arial";
        c.font.size = 10;
        for (int page = 1; page <= 3; ++page) {
            if (page > 1)
                c.NewPage();
            c.TextOut(50, 50, u"Seite " + std::u16string(1, char16_t(u'0' + page)));
        }
    });
    // 0 free, 1 procedure set, 2 to 7 streams and lengths, 8 font, 9 tree, 10 to 12 pages,
    // 13 catalogue, 14 outlines.
    ASSERT_EQ(file.ObjectCount(), 15u);
    for (int page = 1; page <= 3; ++page) {
        const size_t stream = size_t(2 * page);
        const std::string head = std::to_string(stream) + " 0 obj\n<< /Length " + std::to_string(stream + 1) + " 0 R";
        EXPECT_EQ(file.Object(stream).substr(0, head.size()), head);
        EXPECT_EQ(file.Object(stream + 1), std::to_string(stream + 1) + " 0 obj\n" +
                                               std::to_string(file.RawStream(stream).size()) + "\nendobj\n");
        EXPECT_NE(file.PageContent(page).find("(Seite " + std::to_string(page) + ") Tj"), std::string::npos);
        // The stream is exactly zlib's one-call compression of the content at the default level.
        const std::string content = file.PageContent(page);
        std::string expected(compressBound(uLong(content.size())), '\0');
        uLongf length = uLongf(expected.size());
        ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(expected.data()), &length,
                            reinterpret_cast<const Bytef*>(content.data()), uLong(content.size()),
                            Z_DEFAULT_COMPRESSION),
                  Z_OK);
        expected.resize(length);
        EXPECT_EQ(file.RawStream(size_t(2 * page)), expected);
    }
    EXPECT_NE(file.Object(9).find("/Count 3\n/Kids [10 0 R 11 0 R 12 0 R]\n"), std::string::npos);
    EXPECT_NE(file.Object(10).find("/Contents 2 0 R\n"), std::string::npos);
    EXPECT_NE(file.Object(11).find("/Contents 4 0 R\n"), std::string::npos);
    EXPECT_NE(file.Object(12).find("/Contents 6 0 R\n"), std::string::npos);
    EXPECT_NE(file.Object(12).find("/Font << /F1 8 0 R>> /ProcSet 1 0 R\n"), std::string::npos);
    EXPECT_NE(file.Object(13).find("/Type /Catalog"), std::string::npos);
}

TEST(TPDFCanvasDocument, CrossReferenceEntriesAndTheEndOfTheFile)
{
    TempDir dir;
    const PdfFile file = WritePdf(dir.File("t.pdf"), [](TPDFCanvas& c) {
        c.font.name = u"Arial";
        c.TextOut(1, 1, u"a");
        c.font.style = TPDFFont::fsBold | TPDFFont::fsItalic;
        c.NewPage();
        c.TextOut(1, 1, u"b");
    });
    const std::string& bytes = file.Bytes();
    ASSERT_EQ(file.XrefEntries().size(), file.ObjectCount());
    EXPECT_EQ(file.XrefEntries()[0], "0000000000 65535 f \n");
    for (size_t n = 1; n < file.ObjectCount(); ++n) {
        const std::string& entry = file.XrefEntries()[n];
        EXPECT_TRUE(std::regex_match(entry, std::regex("[0-9]{10} 00000 n \n"))) << entry;
        // The offset is the first digit of the object's line, which follows a line feed.
        const std::string head = std::to_string(n) + " 0 obj\n";
        EXPECT_EQ(bytes.compare(size_t(file.Offset(n)), head.size(), head), 0) << n;
        EXPECT_EQ(bytes[size_t(file.Offset(n)) - 1], '\n');
    }
    EXPECT_EQ(bytes.compare(size_t(file.StartXref()), 5, "xref\n"), 0);
    EXPECT_EQ(bytes.substr(bytes.size() - 6), "\n%%EOF");
    EXPECT_NE(bytes.find("/BaseFont /Arial,BoldItalic\n"), std::string::npos);
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
}

TEST(TPDFCanvasDocument, TwoPagesWithFiveFontsListKidsTwelveAndThirteen)
{
    TempDir dir;
    const PdfFile file = WritePdf(dir.File("t.pdf"), [](TPDFCanvas& c) {
        const char16_t* names[] = {u"Arial", u"Courier New", u"Times New Roman", u"Verdana", u"Tahoma"};
        for (const char16_t* name : names) {
            c.font.name = name;
            c.TextOut(10, 10, name);
        }
        c.NewPage();
    });
    EXPECT_EQ(file.Object(11), "11 0 obj\n<<\n/Type /Pages\n/Count 2\n/Kids [12 0 R 13 0 R]\n>>\nendobj\n");
    EXPECT_NE(file.Object(12).find("/Font << /F1 6 0 R/F2 7 0 R/F3 8 0 R/F4 9 0 R/F5 10 0 R>> /ProcSet 1 0 R\n"),
              std::string::npos);
    // The second page lists every font of the document although it uses none.
    EXPECT_NE(file.Object(13).find("/F5 10 0 R>>"), std::string::npos);
    EXPECT_EQ(file.PageContent(2), "");
}

TEST(TPDFCanvasDocument, PageSizeChangedBetweenPages)
{
    TempDir dir;
    const PdfFile file = WritePdf(dir.File("t.pdf"), [](TPDFCanvas& c) {
        c.MoveTo(0, 0);
        c.LineTo(10, 0);
        c.NewPage();
        c.PageWidth = 842;
        c.PageHeight = 595;
        c.MoveTo(0, 0);
        c.LineTo(10, 0);
    });
    EXPECT_NE(file.Object(7).find("/MediaBox [0 0 594 840]\n"), std::string::npos);
    EXPECT_NE(file.Object(8).find("/MediaBox [0 0 841 594]\n"), std::string::npos);
    EXPECT_NE(file.PageContent(1).find("0 840 m\n"), std::string::npos);
    EXPECT_NE(file.PageContent(2).find("0 594 m\n"), std::string::npos);
}

TEST(TPDFCanvasDocument, PdfAMetadataComesBeforeTheFonts)
{
    TempDir dir;
    const PdfFile file = WritePdf(
        dir.File("t.pdf"),
        [](TPDFCanvas& c) {
            c.font.name = u"Arial";
            c.TextOut(1, 1, u"a");
        },
        [](TPDFCanvas& c) { c.ispdfa = true; });
    ASSERT_EQ(file.ObjectCount(), 10u);
    const std::string meta = file.Object(4);
    const std::string packet = file.RawStream(4);
    EXPECT_EQ(meta, "4 0 obj\n<</Type /Metadata\n/Subtype /XML /Length " + std::to_string(packet.size()) +
                        ">>\nstream\n" + packet + "\nendstream\nendobj\n");
    const std::regex form("<\\?xpacket begin=\"\xEF\xBB\xBF\" id=\"[a-z]{25}\"\\?>\r"
                          "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\" x:xmptk=\"3.1-702\">\r"
                          "   <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\r"
                          "      <rdf:Description rdf:about=\"\"\r"
                          "            xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">\r"
                          "         <pdfaid:part>1</pdfaid:part>\r"
                          "         <pdfaid:conformance>B</pdfaid:conformance>\r"
                          "      </rdf:Description>\r"
                          "   </rdf:RDF>\r"
                          "</x:xmpmeta>\r"
                          "<\\?xpacket end=\"w\"\\?>");
    EXPECT_TRUE(std::regex_match(packet, form)) << packet;
    EXPECT_NE(file.Object(5).find("/Type /Font"), std::string::npos);
    EXPECT_NE(file.Object(7).find("/Font << /F1 5 0 R>>"), std::string::npos);
    EXPECT_EQ(file.Object(8),
              "8 0 obj\n<<\n/Type /Catalog\n/Pages 6 0 R\n/Outlines 9 0 R\n/Metadata 4 0 R\n>>\nendobj\n");
}

TEST(TPDFCanvasDocument, OptionFlags)
{
    TempDir dir;
    const auto draw = [](TPDFCanvas& c) {
        c.font.name = u"Arial";
        c.TextOut(1, 1, u"a");
        c.NewPage();
        c.LineTo(5, 5);
    };
    const PdfFile plain = WritePdf(dir.File("a.pdf"), draw);
    const PdfFile jbig2 = WritePdf(dir.File("b.pdf"), draw, [](TPDFCanvas& c) { c.usejbig2 = true; });
    EXPECT_EQ(plain.WithoutId(), jbig2.WithoutId());
    EXPECT_NE(plain.Bytes(), jbig2.Bytes());  // the identifier is random
    const PdfFile jpx = WritePdf(dir.File("c.pdf"), draw, [](TPDFCanvas& c) { c.usejpeg2000 = true; });
    EXPECT_EQ(jpx.Bytes().substr(0, 9), "%PDF-1.5\n");
    EXPECT_EQ(jpx.WithoutId().substr(9), plain.WithoutId().substr(9));
}

TEST(TPDFCanvasDocument, DestroyingAnOpenDocumentFinishesItsFile)
{
    TempDir dir;
    {
        TPDFCanvas c;
        ASSERT_TRUE(c.BeginDoc(dir.File("t.pdf")));
        c.font.name = u"Arial";
        c.TextOut(10, 10, u"offen gelassen");
        // Until the document ends the file is not there under its name.
        EXPECT_THROW(ReadWholeFile(dir.File("t.pdf")), std::runtime_error);
    }
    ExpectValidPdf(dir.File("t.pdf"));
    EXPECT_NE(PdfToText(dir.File("t.pdf")).find("offen gelassen"), std::string::npos);
}

TEST(TPDFCanvasDocument, BeginDocFailsWhenTheFileCannotBeCreated)
{
    TempDir dir;
    TPDFCanvas c;
    EXPECT_FALSE(c.BeginDoc(dir.File("fehlt/t.pdf")));
    EXPECT_FALSE(c.BeginDoc(dir.Path()));  // a folder
    WriteWholeFile(dir.File("schreibgeschützt.pdf"), "alt");
    chmod(dir.File("schreibgeschützt.pdf").c_str(), 0444);
    if (access(dir.File("schreibgeschützt.pdf").c_str(), W_OK) != 0) {  // not when run as root
        EXPECT_FALSE(c.BeginDoc(dir.File("schreibgeschützt.pdf")));
        EXPECT_EQ(ReadWholeFile(dir.File("schreibgeschützt.pdf")), "alt");
    }
    EXPECT_FALSE(c.IsInCreation());
    // A second document cannot begin while one is open.
    ASSERT_TRUE(c.BeginDoc(dir.File("eins.pdf")));
    EXPECT_FALSE(c.BeginDoc(dir.File("zwei.pdf")));
    c.EndDoc();
    ExpectValidPdf(dir.File("eins.pdf"));
    EXPECT_THROW(ReadWholeFile(dir.File("zwei.pdf")), std::runtime_error);
}

TEST(TPDFCanvasDocument, AFailedWriteLeavesNoFileAndEndsTheDocument)
{
    TempDir dir;
    WriteWholeFile(dir.File("alt.pdf"), "vorher");
    bool failed = false;
    TPDFCanvas c;
    ASSERT_TRUE(c.BeginDoc(dir.File("alt.pdf")));
    std::optional<FileSizeLimit> full;
    full.emplace(64 * 1024);
    try {
        // Pages of text that does not compress, until the file is larger than allowed.
        uint32_t state = 12345;
        for (int page = 0; page < 40; ++page) {
            std::u16string noise;
            for (int i = 0; i < 20000; ++i) {
                state = state * 1103515245u + 12345u;
                noise += char16_t(u'!' + (state >> 16) % 90);
            }
            c.writeln(noise);
            c.NewPage();
        }
        c.EndDoc();
    } catch (const IoError& error) {
        failed = true;
        EXPECT_EQ(error.fileName(), dir.File("alt.pdf"));
    }
    full.reset();
    EXPECT_TRUE(failed);
    EXPECT_FALSE(c.IsInCreation());
    EXPECT_EQ(ReadWholeFile(dir.File("alt.pdf")), "vorher");  // the old file is whole
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1u);  // no unfinished file left behind
    c.MoveTo(3, 3);        // the document has ended: drawing does nothing
    EXPECT_EQ(c.penpos, (TPDFPoint{0, 0}));
    c.EndDoc();  // and ending it again changes nothing
    EXPECT_EQ(ReadWholeFile(dir.File("alt.pdf")), "vorher");
}

TEST(TPDFCanvasDocument, WriteOutsideADocumentIsAnError)
{
    TPDFCanvas c;
    EXPECT_THROW(c.writeln(u"%"), IoError);
}

TEST(TPDFCanvasDocument, ADestroyThatCannotFinishTheFileTellsTheUser)
{
    TempDir dir;
    ScriptedMessenger messenger;
    {
        std::optional<FileSizeLimit> full;
        TPDFCanvas c;
        ASSERT_TRUE(c.BeginDoc(dir.File("t.pdf")));
        std::u16string noise;
        uint32_t state = 99;
        for (int i = 0; i < 300000; ++i) {
            state = state * 1103515245u + 12345u;
            noise += char16_t(u'!' + (state >> 16) % 90);
        }
        c.writeln(noise);
        full.emplace(16 * 1024);  // lifted only after the canvas has ended
    }
    ASSERT_EQ(messenger.Errors().size(), 1u);
    EXPECT_NE(messenger.Errors()[0].find(u"t.pdf"), std::u16string::npos);
    EXPECT_THROW(ReadWholeFile(dir.File("t.pdf")), std::runtime_error);
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 0u);
}
