// Archive (PDF/A-3b) documents of the PDF writer, judged by the structural checker (qpdf's
// library and FreeType) and by poppler's and qpdf's programs.
#include "PdfTestSupport.h"

#include "foundation/IoError.h"
#include "foundation/Utf8.h"
#include "imaging/DibTestSupport.h"
#include "pdf/FontMetrics.h"
#include "pdf/PdfA3Document.h"
#include "pdf/PdfA3Text.h"
#include "pdf/TPDFCanvas.h"
#include "support/PdfA3Check.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#define POINTERHOLDER_TRANSITION 4
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <filesystem>
#include <regex>

namespace {

const std::string kInvoiceXml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rsm:CrossIndustryInvoice "
                                "xmlns:rsm=\"urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100\"/>\n";

PdfA3Settings InvoiceSettings()
{
    PdfA3Settings s;
    s.title = u"Rechnung 2024-017 für Müller & Söhne";
    s.author = u"Bäckerei <Groß>";
    s.subject = u"Rechnung";
    s.creator = u"Rekolon";
    s.time = 1709211909;  // 2024-02-29 13:05:09 UTC
    s.utcOffsetMinutes = 60;
    s.fxConformanceLevel = "EN 16931";
    PdfA3Attachment xml;
    xml.fileName = "factur-x.xml";
    xml.description = u"Factur-X/ZUGFeRD-Rechnung";
    xml.data = kInvoiceXml;
    s.attachments.push_back(xml);
    return s;
}

// Every printable Windows-1252 character.
std::u16string AllPrintable()
{
    std::u16string text;
    for (char16_t c = 0x20; c < 0x7F; ++c)
        text += c;
    text += u"€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ";
    for (char16_t c = 0xA0; c <= 0xFF; ++c)
        text += c;
    return text;
}

void DrawInvoice(TPDFCanvas& c, int pages, const dib* logo)
{
    const std::u16string all = AllPrintable();
    for (int p = 0; p < pages; ++p) {
        if (p > 0)
            c.NewPage();
        if (logo)
            c.DrawDIB(400, 30, 60, 40, *logo, 0, 0, 5, 3);
        c.font.name = u"Liberation Sans";
        c.font.size = 10;
        c.font.style = 0;
        c.TextOut(50, 100, u"Größe: Äpfel, Öl, Übermaß für 5 €");
        c.font.style = TPDFFont::fsBold;
        c.TextOut(50, 120, u"Rechnung (Nr. 17)");
        c.font.style = TPDFFont::fsItalic;
        c.TextOut(50, 140, u"Lieferung \\ Leistung");
        c.font.style = TPDFFont::fsBold | TPDFFont::fsUnderline;
        c.TextOut(50, 160, u"Summe");
        c.font.name = u"Liberation Serif";
        c.font.style = 0;
        for (size_t at = 0, y = 180; at < all.size(); at += 64, y += 20)
            c.TextOut(50, int32_t(y), all.substr(at, 64));
        c.font.name = u"Liberation Mono";
        c.TextOut(50, 280, u"IBAN DE02 1203 0000 0000 2020 51");
        c.MoveTo(50, 300);
        c.LineTo(500, 300);
    }
}

// Writes a document in the archive mode.
void WriteArchive(const std::string& path, const PdfA3Settings& settings, const std::function<void(TPDFCanvas&)>& draw)
{
    TPDFCanvas c;
    c.SetPdfA3(settings);
    ASSERT_TRUE(c.BeginDoc(path));
    draw(c);
    c.EndDoc();
}

// qpdf's own check finds nothing wrong.
void ExpectQpdfCheck(const std::string& path)
{
    const ToolResult r = RunTool("qpdf --check " + Quote(path));
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("No syntax or stream encoding errors found"), std::string::npos) << r.output;
}

std::vector<std::string> PdffontsRows(const std::string& path)
{
    const ToolResult r = RunTool("pdffonts " + Quote(path));
    EXPECT_EQ(r.exitCode, 0) << r.output;
    std::vector<std::string> rows = Lines(r.output);
    // Two header lines.
    rows.erase(rows.begin(), rows.begin() + std::min<size_t>(2, rows.size()));
    rows.erase(std::remove(rows.begin(), rows.end(), std::string()), rows.end());
    return rows;
}

}

TEST(PdfA3Documents, InvoiceWithTextFontsAndImagePassesEveryJudge)
{
    TempDir dir;
    const std::string path = dir.File("rechnung.pdf");
    OwnedDib logo;
    MakeImage24(logo, CanonicalPicture());
    WriteArchive(path, InvoiceSettings(), [&](TPDFCanvas& c) { DrawInvoice(c, 3, &logo.d); });

    EXPECT_EQ(JoinLines(CheckPdfA3(path)), "");
    ExpectQpdfCheck(path);

    // Liberation Sans regular, bold (also underlined, the same embedded font), italic, Serif, Mono.
    const std::vector<std::string> fonts = PdffontsRows(path);
    EXPECT_EQ(fonts.size(), 5u);
    for (const std::string& row : fonts)
        EXPECT_TRUE(std::regex_search(row, std::regex("^[A-Z]{6}\\+Liberation\\S+ +TrueType +WinAnsi +yes yes yes")))
            << row;

    const ToolResult meta = RunTool("pdfinfo -meta " + Quote(path));
    EXPECT_NE(meta.output.find("<pdfaid:part>3</pdfaid:part>"), std::string::npos) << meta.output;
    EXPECT_NE(meta.output.find("<pdfaid:conformance>B</pdfaid:conformance>"), std::string::npos);
    EXPECT_NE(meta.output.find("<fx:DocumentFileName>factur-x.xml</fx:DocumentFileName>"), std::string::npos);
    EXPECT_NE(meta.output.find("<fx:ConformanceLevel>EN 16931</fx:ConformanceLevel>"), std::string::npos);
    EXPECT_NE(meta.output.find("Bäckerei &lt;Groß&gt;"), std::string::npos);
    const ToolResult info = RunTool("pdfinfo " + Quote(path));
    EXPECT_NE(info.output.find("Rechnung 2024-017 für Müller & Söhne"), std::string::npos) << info.output;
    EXPECT_TRUE(std::regex_search(info.output, std::regex("PDF version: +1\\.7"))) << info.output;

    const ToolResult files = RunTool("pdfdetach -list " + Quote(path));
    EXPECT_NE(files.output.find("1 embedded files"), std::string::npos) << files.output;
    EXPECT_NE(files.output.find("1: factur-x.xml"), std::string::npos) << files.output;
    const ToolResult saved = RunTool("pdfdetach -save 1 -o " + Quote(dir.File("out.xml")) + " " + Quote(path));
    EXPECT_EQ(saved.exitCode, 0) << saved.output;
    EXPECT_EQ(ReadWholeFile(dir.File("out.xml")), kInvoiceXml);

    const std::string text = PdfToText(path);
    for (const char* drawn : {"Größe: Äpfel, Öl, Übermaß für 5 €", "Rechnung (Nr. 17)", "Lieferung \\ Leistung",
                              "IBAN DE02 1203 0000 0000 2020 51"})
        EXPECT_NE(text.find(drawn), std::string::npos) << drawn << "\n" << text;
    // Every printable Windows-1252 character copies back as drawn (pdftotext gives the
    // no-break space as a space and drops the leading one).
    std::u16string all = AllPrintable();
    std::replace(all.begin(), all.end(), u'\u00A0', u' ');
    for (size_t at = 0; at < all.size(); at += 64) {
        std::u16string chunk = all.substr(at, 64);
        chunk.erase(0, chunk.find_first_not_of(u' '));
        EXPECT_NE(text.find(Utf16ToUtf8(chunk)), std::string::npos) << at << "\n" << text;
    }
}

TEST(PdfA3Documents, PageContentsAreThoseOfTheOrdinaryFile)
{
    TempDir dir;
    const auto draw = [](TPDFCanvas& c) { DrawInvoice(c, 2, nullptr); };
    WriteArchive(dir.File("a.pdf"), InvoiceSettings(), draw);
    const PdfFile plain = WritePdf(dir.File("o.pdf"), draw);
    const PdfFile archive(ReadWholeFile(dir.File("a.pdf")));
    ExpectQpdfCheck(dir.File("a.pdf"));
    EXPECT_EQ(archive.Bytes().substr(0, 15), "%PDF-1.7\n%\xE2\xE3\xCF\xD3\n");
    EXPECT_EQ(plain.Bytes().substr(0, 9), "%PDF-1.3\n");
    for (int page = 1; page <= 2; ++page)
        EXPECT_EQ(archive.PageContent(page), plain.PageContent(page)) << page;
}

TEST(PdfA3Documents, CodesTheFaceCannotDrawBecomeQuestionMarksInTheArchiveModeOnly)
{
    TempDir dir;
    const auto draw = [](TPDFCanvas& c) {
        c.font.name = u"Liberation Sans";
        c.TextOut(50, 50,
                  u"a\x01"
                  u"b\x81"
                  u"c\x9D"
                  u"dΩe");
    };
    WriteArchive(dir.File("a.pdf"), InvoiceSettings(), draw);
    const PdfFile plain = WritePdf(dir.File("o.pdf"), draw);
    const PdfFile archive(ReadWholeFile(dir.File("a.pdf")));
    EXPECT_NE(plain.PageContent(1).find("(a\\001b\x81"
                                        "c\x9D"
                                        "d?e) Tj"),
              std::string::npos)
        << plain.PageContent(1);
    EXPECT_NE(archive.PageContent(1).find("(a?b?c?d?e) Tj"), std::string::npos) << archive.PageContent(1);
    EXPECT_EQ(JoinLines(CheckPdfA3(dir.File("a.pdf"))), "");
    EXPECT_NE(PdfToText(dir.File("a.pdf")).find("a?b?c?d?e"), std::string::npos);
}

TEST(PdfA3Documents, WithoutFacturXOrAttachmentsAndClearedAgain)
{
    TempDir dir;
    PdfA3Settings s = InvoiceSettings();
    s.fxConformanceLevel.clear();
    s.attachments.clear();
    s.title = u"Plain (ASCII) title";
    TPDFCanvas c;
    c.SetPdfA3(s);
    EXPECT_TRUE(c.IsPdfA3());
    ASSERT_TRUE(c.BeginDoc(dir.File("a.pdf")));
    c.TextOut(10, 10, u"Text");
    c.EndDoc();
    EXPECT_EQ(JoinLines(CheckPdfA3(dir.File("a.pdf"))), "");
    const std::string bytes = ReadWholeFile(dir.File("a.pdf"));
    EXPECT_EQ(bytes.find("fx:"), std::string::npos);
    EXPECT_EQ(bytes.find("/EmbeddedFiles"), std::string::npos);
    EXPECT_NE(bytes.find("/Title (Plain \\(ASCII\\) title)"), std::string::npos);

    c.ClearPdfA3();
    EXPECT_FALSE(c.IsPdfA3());
    ASSERT_TRUE(c.BeginDoc(dir.File("o.pdf")));
    c.EndDoc();
    EXPECT_EQ(ReadWholeFile(dir.File("o.pdf")).substr(0, 9), "%PDF-1.3\n");
}

TEST(PdfA3Documents, AbandonDocLeavesNoFile)
{
    TempDir dir;
    TPDFCanvas c;
    c.SetPdfA3(InvoiceSettings());
    ASSERT_TRUE(c.BeginDoc(dir.File("a.pdf")));
    c.TextOut(10, 10, u"Text");
    c.AbandonDoc();
    EXPECT_FALSE(c.IsInCreation());
    EXPECT_FALSE(std::filesystem::exists(dir.File("a.pdf")));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

// ---- Fonts that may not or cannot be embedded ----

namespace {

uint32_t Be32(const std::string& b, size_t at)
{
    return uint32_t(uint8_t(b[at])) << 24 | uint32_t(uint8_t(b[at + 1])) << 16 | uint32_t(uint8_t(b[at + 2])) << 8 |
           uint8_t(b[at + 3]);
}

// A copy of Liberation Sans with its OS/2 fsType set (the table checksum is left: FreeType
// and HarfBuzz do not check it).
std::string PatchedFont(const TempDir& dir, uint16_t fsType)
{
    std::string font = ReadWholeFile("/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf");
    const uint32_t tables = uint8_t(font[4]) << 8 | uint8_t(font[5]);
    for (uint32_t i = 0; i < tables; ++i) {
        const size_t entry = 12 + 16 * size_t(i);
        if (font.compare(entry, 4, "OS/2") == 0) {
            const size_t os2 = Be32(font, entry + 8);
            font[os2 + 8] = char(fsType >> 8);
            font[os2 + 9] = char(fsType & 0xFF);
        }
    }
    const std::string path = dir.File("patched-" + std::to_string(fsType) + ".ttf");
    WriteWholeFile(path, font);
    return path;
}

struct LicenceCase {
    uint16_t fsType;
    const char16_t* name;
    const char16_t* problem;  // nullptr: embeddable
};

}

TEST(PdfA3Documents, TheFontLicenceDecidesWhetherAndHowAFontIsEmbedded)
{
    const LicenceCase cases[] = {
        {0x0002, u"Gesperrt Zwei",
         u"Die Schrift „Gesperrt Zwei“ darf laut ihrer Lizenz nicht eingebettet werden. Bitte wählen Sie in den "
         u"Einstellungen eine andere Schrift."},
        {0x0302, u"Gesperrt Mit Bits",
         u"Die Schrift „Gesperrt Mit Bits“ darf laut ihrer Lizenz nicht eingebettet werden. Bitte wählen Sie in den "
         u"Einstellungen eine andere Schrift."},
        {0x0200, u"Nur Bitmap",
         u"Die Schrift „Nur Bitmap“ darf laut ihrer Lizenz nur als Bitmap eingebettet werden. Bitte wählen Sie in "
         u"den Einstellungen eine andere Schrift."},
        {0x0000, u"Installierbar", nullptr},
        {0x0004, u"Druckbar", nullptr},
        {0x0008, u"Bearbeitbar", nullptr},
        {0x0100, u"Ohne Teilmenge", nullptr},
    };
    TempDir dir;
    for (const LicenceCase& k : cases) {
        SCOPED_TRACE(std::to_string(k.fsType));
        ASSERT_TRUE(
            FontMetrics::Shared().Register(k.name, 0, FontMetrics::Shared().LoadFile(PatchedFont(dir, k.fsType))));
        const std::string path = dir.File("out.pdf");
        TPDFCanvas c;
        c.SetPdfA3(InvoiceSettings());
        ASSERT_TRUE(c.BeginDoc(path));
        c.font.name = u"Liberation Sans";
        c.TextOut(10, 10, u"Gut");
        c.font.name = k.name;
        c.TextOut(10, 30, u"Text äöü");
        const std::vector<std::u16string> problems = c.EmbeddingProblems();
        if (k.problem) {
            ASSERT_EQ(problems.size(), 1u);
            EXPECT_EQ(problems[0], k.problem);
            try {
                c.EndDoc();
                ADD_FAILURE() << "EndDoc wrote the file";
            } catch (const IoError& e) {
                EXPECT_EQ(e.systemText(), Utf16ToUtf8(k.problem));
                EXPECT_EQ(e.fileName(), path);
            }
            EXPECT_FALSE(c.IsInCreation());
            EXPECT_FALSE(std::filesystem::exists(path));
            continue;
        }
        EXPECT_TRUE(problems.empty());
        c.EndDoc();
        const std::vector<std::string> rows = PdffontsRows(path);
        ASSERT_EQ(rows.size(), 2u);
        if (k.fsType == 0x0100) {
            // The whole font, without a subset tag: the checker names exactly that.
            EXPECT_TRUE(std::regex_search(rows[1], std::regex("^LiberationSans +TrueType +WinAnsi +yes no  yes")))
                << rows[1];
            EXPECT_EQ(JoinLines(CheckPdfA3(path)),
                      "/LiberationSans: not a subset-tagged name equal in BaseFont and FontName\n");
            EXPECT_GT(std::filesystem::file_size(path), 200000u);
        } else {
            EXPECT_TRUE(
                std::regex_search(rows[1], std::regex("^[A-Z]{6}\\+LiberationSans +TrueType +WinAnsi +yes yes yes")))
                << rows[1];
            EXPECT_EQ(JoinLines(CheckPdfA3(path)), "");
        }
        std::filesystem::remove(path);
    }
}

TEST(PdfA3Documents, BitmapFacesCannotBeEmbedded)
{
    TempDir dir;
    ASSERT_TRUE(FontMetrics::Shared().Register(
        u"Bitmapschrift", TPDFFont::fsBold,
        FontMetrics::Shared().LoadFile(std::string(REKOLON_TEST_DATA) + "/pdf-bitmap-font.bdf")));
    TPDFCanvas c;
    c.SetPdfA3(InvoiceSettings());
    ASSERT_TRUE(c.BeginDoc(dir.File("b.pdf")));
    c.font.name = u"Bitmapschrift";
    c.font.style = TPDFFont::fsBold;
    c.TextOut(10, 10, u"A");
    EXPECT_EQ(
        c.EmbeddingProblems(),
        std::vector<std::u16string>{u"Die Schrift „Bitmapschrift fett“ ist eine Bitmap-Schrift und kann nicht "
                                    u"eingebettet werden. Bitte wählen Sie in den Einstellungen eine andere Schrift."});
    EXPECT_THROW(c.EndDoc(), IoError);
    EXPECT_FALSE(std::filesystem::exists(dir.File("b.pdf")));
}

// ---- The checker finds faults ----

namespace {

using Handle = QPDFObjectHandle;

Handle FirstFont(QPDF& pdf)
{
    auto pages = QPDFPageDocumentHelper(pdf).getAllPages();
    return pages.at(0).getObjectHandle().getKey("/Resources").getKey("/Font").getKey("/F1");
}

Handle FirstImage(QPDF& pdf)
{
    auto pages = QPDFPageDocumentHelper(pdf).getAllPages();
    return pages.at(0).getObjectHandle().getKey("/Resources").getKey("/XObject").getKey("/Im0");
}

struct Defect {
    const char* name;
    std::function<void(QPDF&)> edit;  // through qpdf's library
    const char* expected;
};

}

TEST(PdfA3Check, FindsEachDefectInAnOtherwiseGoodFile)
{
    TempDir dir;
    const std::string good = dir.File("good.pdf");
    OwnedDib logo;
    MakeImage24(logo, CanonicalPicture());
    WriteArchive(good, InvoiceSettings(), [&](TPDFCanvas& c) { DrawInvoice(c, 1, &logo.d); });
    ASSERT_EQ(JoinLines(CheckPdfA3(good)), "");

    const Defect defects[] = {
        {"widths", [](QPDF& p) { FirstFont(p).getKey("/Widths").setArrayItem(0, Handle::newInteger(1)); },
         "/Widths of code"},
        {"no-tounicode", [](QPDF& p) { FirstFont(p).removeKey("/ToUnicode"); }, "no ToUnicode map"},
        {"no-fontfile", [](QPDF& p) { FirstFont(p).getKey("/FontDescriptor").removeKey("/FontFile2"); },
         "no embedded TrueType program"},
        {"untagged", [](QPDF& p) { FirstFont(p).replaceKey("/BaseFont", Handle::newName("/LiberationSans")); },
         "not a subset-tagged name"},
        {"glyph-0",
         [](QPDF& p) {
             auto page = QPDFPageDocumentHelper(p).getAllPages().at(0);
             page.getObjectHandle()
                 .getKey("/Contents")
                 .replaceStreamData("BT /F1 10 Tf 10 10 Td (\\001) Tj ET", Handle::newNull(), Handle::newNull());
         },
         "code 1 draws the missing glyph 0"},
        {"no-intent", [](QPDF& p) { p.getRoot().removeKey("/OutputIntents"); }, "no GTS_PDFA1 OutputIntent"},
        {"icc-n",
         [](QPDF& p) {
             p.getRoot()
                 .getKey("/OutputIntents")
                 .getArrayItem(0)
                 .getKey("/DestOutputProfile")
                 .getDict()
                 .replaceKey("/N", Handle::newInteger(4));
         },
         "ICC profile /N is not 3"},
        {"xmp-part",
         [](QPDF& p) {
             Handle meta = p.getRoot().getKey("/Metadata");
             auto data = meta.getStreamData();
             std::string xmp(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
             xmp.replace(xmp.find(">3<"), 3, ">2<");
             meta.replaceStreamData(xmp, Handle::newNull(), Handle::newNull());
         },
         "XMP without pdfaid part 3"},
        {"xmp-broken",
         [](QPDF& p) {
             p.getRoot().getKey("/Metadata").replaceStreamData("<x:xmpmeta>", Handle::newNull(), Handle::newNull());
         },
         "XMP does not parse"},
        {"info-date",
         [](QPDF& p) {
             p.getTrailer().getKey("/Info").replaceKey("/ModDate", Handle::newString("D:20240229130510+01'00'"));
         },
         "/ModDate differs"},
        {"no-af", [](QPDF& p) { p.getRoot().removeKey("/AF"); }, "/AF and the EmbeddedFiles name tree disagree"},
        {"file-size",
         [](QPDF& p) {
             p.getRoot()
                 .getKey("/AF")
                 .getArrayItem(0)
                 .getKey("/EF")
                 .getKey("/F")
                 .getDict()
                 .getKey("/Params")
                 .replaceKey("/Size", Handle::newInteger(3));
         },
         "/Params /Size differs"},
        {"interpolate", [](QPDF& p) { FirstImage(p).getDict().replaceKey("/Interpolate", Handle::newBool(true)); },
         "/Interpolate true"},
        {"smask", [](QPDF& p) { FirstImage(p).getDict().replaceKey("/SMask", FirstImage(p)); }, "soft mask"},
    };
    for (const Defect& d : defects) {
        SCOPED_TRACE(d.name);
        QPDF pdf;
        pdf.processFile(good.c_str());
        d.edit(pdf);
        const std::string bad = dir.File(std::string("bad-") + d.name + ".pdf");
        QPDFWriter writer(pdf, bad.c_str());
        writer.setStaticID(true);
        writer.write();
        const std::string found = JoinLines(CheckPdfA3(bad));
        EXPECT_NE(found.find(d.expected), std::string::npos) << found;
    }

    // Defects in the bytes: the binary comment and the file identifier.
    const std::string bytes = ReadWholeFile(good);
    std::string edited = bytes;
    edited.replace(10, 4, "abcd");
    WriteWholeFile(dir.File("comment.pdf"), edited);
    EXPECT_EQ(JoinLines(CheckPdfA3(dir.File("comment.pdf"))), "no binary comment after the header\n");
    edited = bytes;
    edited.replace(edited.rfind("/ID ["), 5, "/XD [");
    WriteWholeFile(dir.File("id.pdf"), edited);
    EXPECT_EQ(JoinLines(CheckPdfA3(dir.File("id.pdf"))), "trailer without /ID\n");
}

// ---- Texts of the archive parts ----

TEST(PdfA3Text, DatesInPdfAndXmpForm)
{
    struct Case {
        int64_t time;
        int32_t offset;
        const char* pdf;
        const char* xmp;
    };
    const Case cases[] = {
        {0, 0, "D:19700101000000+00'00'", "1970-01-01T00:00:00+00:00"},
        {1709211909, 60, "D:20240229140509+01'00'", "2024-02-29T14:05:09+01:00"},
        {1709211909, -330, "D:20240229073509-05'30'", "2024-02-29T07:35:09-05:30"},
        {951782400 - 1, 0, "D:20000228235959+00'00'", "2000-02-28T23:59:59+00:00"},
        {-86400, 0, "D:19691231000000+00'00'", "1969-12-31T00:00:00+00:00"},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(PdfDateText(k.time, k.offset), k.pdf);
        EXPECT_EQ(XmpDateText(k.time, k.offset), k.xmp);
    }
}

TEST(PdfA3Text, StringsNamesAndXml)
{
    EXPECT_EQ(PdfTextString(u"Rechnung (1) \\ 2"), "(Rechnung \\(1\\) \\\\ 2)");
    EXPECT_EQ(PdfTextString(u"Größe €"), "<FEFF0047007200F600DF0065002020AC>");
    EXPECT_EQ(PdfTextString(u"a\nb"), "<FEFF0061000A0062>");
    EXPECT_EQ(PdfByteString("a\x01\xE4"), "(a\\001\\344)");
    EXPECT_EQ(PdfName("text/xml"), "/text#2Fxml");
    EXPECT_EQ(PdfName("A B#"), "/A#20B#23");
    EXPECT_EQ(XmlEscaped(u"<Müller & \"Söhne\"'s>\x01"), "&lt;Müller &amp; &quot;Söhne&quot;&apos;s&gt;");
}

TEST(PdfA3Text, TheSrgbProfileIsAVersion2RgbDisplayProfile)
{
    const std::string icc = PdfA3Document::SrgbProfile();
    ASSERT_GE(icc.size(), 128u);
    EXPECT_EQ(Be32(icc, 0), icc.size());
    EXPECT_EQ(icc[8], 2);  // major version
    EXPECT_EQ(icc.substr(12, 4), "mntr");
    EXPECT_EQ(icc.substr(16, 4), "RGB ");
    EXPECT_EQ(icc.substr(20, 4), "XYZ ");
    EXPECT_EQ(icc.substr(36, 4), "acsp");
}
