// The PDF export through the program's own PDF writer, judged by independent programs:
// qpdf --check, pdffonts and pdftotext.
#include "output/PdfExport.h"
#include "SampleInvoice.h"
#include "foundation/Utf8.h"
#include "invoices/PositionEdit.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"
#include "pdf/PdfTestSupport.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <regex>

#include <string>
#include <vector>

namespace {

bool Exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// The text of every page, as laid out (pages split at form feeds).
std::vector<std::string> PagesOf(const std::string& pdf)
{
    const ToolResult r = RunTool("pdftotext -layout -enc UTF-8 " + Quote(pdf) + " -");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    std::vector<std::string> pages;
    size_t start = 0;
    for (;;) {
        const size_t ff = r.output.find('\f', start);
        if (ff == std::string::npos)
            break;
        pages.push_back(r.output.substr(start, ff - start));
        start = ff + 1;
    }
    return pages;
}

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

std::string LineWith(const std::string& page, const std::string& part)
{
    for (const std::string& line : Lines(page))
        if (Contains(line, part))
            return line;
    return {};
}

// The line of the grand total ("Gesamtbetrag" without "netto").
std::string GrandTotalLine(const std::string& page)
{
    for (const std::string& line : Lines(page))
        if (Contains(line, "Gesamtbetrag") && !Contains(line, "netto"))
            return line;
    return {};
}

// "- n -" on a line of its own (the layout text closes up its spaces).
bool HasPageNumber(const std::string& page, int n)
{
    const std::regex number("^ *- ?" + std::to_string(n) + " ?- *$");
    for (const std::string& line : Lines(page))
        if (std::regex_match(line, number))
            return true;
    return false;
}

}  // namespace

TEST(PdfExport, WritesTheInvoiceWithItsAmounts)
{
    TempDir dir;
    TRechnungBook book;
    TRechnungRec& r = book.AppendRechnung();
    r.datum = 46086.5;
    NewTextBuf(&r.rechnr, u"17");
    NewTextBuf(&r.firma, u"Bäckerei Groß");
    TPositionRec& p = book.AppendPosition(0);
    p.menge = 3;
    p.mwst = 19;
    p.preis = 10;
    NewTextBuf(&p.bez, u"Brötchen (Körnerbrötchen)");

    const std::string file = dir.File("17.pdf");
    ASSERT_EQ(ExportPdf(book, 0, 0, file, kNoPrinterPage, TLayoutFormat{}), PdfExportResult::Written);
    ExpectValidPdf(file);
    const std::vector<std::string> pages = PagesOf(file);
    ASSERT_EQ(pages.size(), 1u);
    const std::string& page = pages[0];
    EXPECT_TRUE(Contains(page, "Rechnung 17")) << page;
    EXPECT_TRUE(Contains(page, "Bäckerei Groß"));
    EXPECT_TRUE(Contains(page, "Brötchen (Körnerbrötchen)"));
    EXPECT_TRUE(Contains(page, "Artikel mit 19% MwSt:"));
    EXPECT_TRUE(Contains(page, "OrtED, 05.03.2026"));
    EXPECT_TRUE(HasPageNumber(page, 1));
    // The row and the totals, right-aligned in their columns.
    const std::string row = LineWith(page, "Brötchen");
    EXPECT_TRUE(Contains(row, "8,40 €")) << row;
    EXPECT_TRUE(Contains(row, "1,60 €")) << row;
    EXPECT_TRUE(Contains(row, "10,00 €")) << row;
    EXPECT_TRUE(Contains(row, "30,00 €")) << row;
    EXPECT_TRUE(Contains(LineWith(page, "Gesamtbetrag netto"), "25,21 €"));
    EXPECT_TRUE(Contains(GrandTotalLine(page), "30,00 €"));

    // A4 from the no-printer page; fonts Arial regular and bold.
    const PdfFile pdf(ReadWholeFile(file));
    EXPECT_TRUE(Contains(pdf.Bytes(), "/MediaBox [0 0 594 840]"));  // the writer gives w − 1 and h − 1
    const std::string fonts = PdfFonts(file);
    EXPECT_TRUE(Contains(fonts, "Arial ")) << fonts;
    EXPECT_TRUE(Contains(fonts, "Arial,Bold")) << fonts;
    // Rules with the thinnest pen.
    EXPECT_TRUE(Contains(pdf.PageContent(1), "0 w\n0 0 0 RG\n")) << pdf.PageContent(1);
}

TEST(PdfExport, HalfCentsRoundUpOnThePage)
{
    TempDir dir;
    TRechnungBook book;
    book.AppendRechnung().datum = 46086.5;
    const struct {
        double menge;
        double mwst;
        double preis;
        const char16_t* bez;
    } positions[] = {{0.5, 19, 2.01, u"Halbe"}, {1, 7, 1, u"Porto"}, {-1, 0, 2.675, u"Gutschrift"}};
    for (const auto& q : positions) {
        TPositionRec& p = book.AppendPosition(0);
        p.menge = q.menge;
        p.mwst = q.mwst;
        p.preis = q.preis;
        NewTextBuf(&p.bez, q.bez);
    }
    const std::string file = dir.File("halb.pdf");
    ASSERT_EQ(ExportPdf(book, 0, 0, file, kNoPrinterPage, TLayoutFormat{}), PdfExportResult::Written);
    ExpectValidPdf(file);
    const std::vector<std::string> pages = PagesOf(file);
    ASSERT_EQ(pages.size(), 1u);
    // 0,5 × 2,01 = 1,005 and −1 × 2,675: their cents as a reader works them out.
    const std::string half = LineWith(pages[0], "Halbe");
    EXPECT_TRUE(Contains(half, "2,01 €")) << half;
    EXPECT_TRUE(Contains(half, "1,01 €")) << half;
    const std::string credit = LineWith(pages[0], "Gutschrift");
    EXPECT_TRUE(Contains(credit, " 2,68 €")) << credit;  // unit price
    EXPECT_TRUE(Contains(credit, "-2,68 €")) << credit;  // line total
    // Gross 1,005 + 1 − 2,675 = −0,67; without the credit 2,005 gives 2,01.
    EXPECT_TRUE(Contains(GrandTotalLine(pages[0]), "-0,67 €")) << GrandTotalLine(pages[0]);
    ASSERT_TRUE(DeletePosition(book, 0, 2));
    ASSERT_EQ(ExportPdf(book, 0, 0, file, kNoPrinterPage, TLayoutFormat{}), PdfExportResult::Written);
    EXPECT_TRUE(Contains(GrandTotalLine(PagesOf(file).at(0)), "2,01 €")) << PagesOf(file).at(0);
}

TEST(PdfExport, ManyPositionsGiveSeveralPages)
{
    TempDir dir;
    TRechnungBook book;
    AddSampleInvoice(book, 70);
    const std::string file = dir.File("lang.pdf");
    ASSERT_EQ(ExportPdf(book, 0, 0, file, kNoPrinterPage, TLayoutFormat{}), PdfExportResult::Written);
    ExpectValidPdf(file);
    const std::vector<std::string> pages = PagesOf(file);
    ASSERT_GE(pages.size(), 2u);
    for (size_t i = 0; i < pages.size(); ++i) {
        const std::string& page = pages[i];
        EXPECT_TRUE(Contains(page, "Müller & Söhne – Werkzeuge und Maschinen")) << i;
        EXPECT_TRUE(Contains(page, "Stadtsparkasse München")) << i;
        EXPECT_TRUE(Contains(page, "Geschäftsführer: Jürgen Müller")) << i;
        EXPECT_TRUE(HasPageNumber(page, int(i + 1))) << i;
    }
    // Address, delivery address and the title on the first page only.
    EXPECT_TRUE(Contains(pages[0], "Rechnung RE-2026-0417"));
    EXPECT_TRUE(Contains(pages[0], "Versandadresse:"));
    EXPECT_TRUE(Contains(pages[0], "Äußere Sulzbacher Straße 118"));
    EXPECT_TRUE(Contains(pages[0], "Ihre Bestellung: B-2026/118"));
    EXPECT_FALSE(Contains(pages[1], "Versandadresse:"));
    EXPECT_FALSE(Contains(pages[1], "Bezeichnung"));
    // The totals and the closing text on the last page.
    const std::string& last = pages.back();
    EXPECT_TRUE(Contains(last, "Gesamtbetrag netto"));
    EXPECT_TRUE(Contains(last, "Vielen Dank für Ihren Auftrag!"));
    // The grand total is the sum of the line totals.
    double gross = 0;
    for (uint32_t i = 0; i < book.Rechnung(0).posis->Count(); ++i)
        gross += book.Position(0, i).menge * book.Position(0, i).preis;
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.2f €", gross);
    std::string text = expected;
    text[text.find('.')] = ',';
    EXPECT_TRUE(Contains(GrandTotalLine(last), text)) << text;
}

TEST(PdfExport, LogoOnEveryPage)
{
    TempDir dir;
    TRechnungBook book;
    AddSampleInvoice(book, 70);
    book.settings.FilenameEdit1 = Utf8ToUtf16(std::string(REKOLON_TEST_DATA) + "/img-bmp-24bit.bmp");
    const std::string file = dir.File("logo.pdf");
    ASSERT_EQ(ExportPdf(book, 0, 0, file, kNoPrinterPage, TLayoutFormat{}), PdfExportResult::Written);
    ExpectValidPdf(file);
    const PdfFile pdf(ReadWholeFile(file));
    // The same image drawn on both pages, kept once per drawing.
    EXPECT_TRUE(Contains(pdf.PageContent(1), "/Im0 Do"));
    EXPECT_TRUE(Contains(pdf.PageContent(2), "/Im1 Do"));
    EXPECT_TRUE(Contains(pdf.Bytes(), "/Filter /DCTDecode"));
    const ToolResult images = RunTool("pdfimages -list " + Quote(file));
    EXPECT_EQ(images.exitCode, 0);
    EXPECT_GE(Lines(images.output).size(), 4u) << images.output;
}

TEST(PdfExport, PageSizeFromThePrinter)
{
    TempDir dir;
    TRechnungBook book;
    AddSampleInvoice(book, 3);
    const std::string file = dir.File("letter.pdf");
    // US Letter at 300 dpi, 0.25 inch unprintable on each side: 2400 × 3150 pixels.
    ASSERT_EQ(ExportPdf(book, 0, 0, file, TPrinterPage{2400, 3150, 300}, TLayoutFormat{}), PdfExportResult::Written);
    ExpectValidPdf(file);
    EXPECT_TRUE(Contains(ReadWholeFile(file), "/MediaBox [0 0 575 755]"));  // a 576 × 756 page
}

TEST(PdfExport, FailuresWriteNothing)
{
    TempDir dir;
    TRechnungBook book;
    AddSampleInvoice(book, 1);
    ScriptedMessenger messenger;
    const std::string missing = dir.File("no-such-folder/x.pdf");
    EXPECT_EQ(ExportPdf(book, 0, 0, missing, kNoPrinterPage, TLayoutFormat{}), PdfExportResult::NotCreated);
    ASSERT_EQ(messenger.Boxes().size(), 1u);
    EXPECT_EQ(messenger.Boxes()[0].kind, ScriptedMessenger::Kind::Information);
    EXPECT_EQ(messenger.Boxes()[0].text, u"Konnte PDF-Datei nicht erstellen!");
    EXPECT_FALSE(Exists(missing));

    messenger.Reset();
    const std::string file = dir.File("none.pdf");
    EXPECT_EQ(ExportPdf(book, 1, 0, file, kNoPrinterPage, TLayoutFormat{}), PdfExportResult::NoInvoice);
    EXPECT_EQ(ExportPdf(book, -1, 0, file, kNoPrinterPage, TLayoutFormat{}), PdfExportResult::NoInvoice);
    EXPECT_FALSE(Exists(file));
    EXPECT_TRUE(messenger.Boxes().empty());
}

TEST(PdfExport, ProposedFileNames)
{
    TRechnungBook book;
    TRechnungRec& r = book.AppendRechnung();
    r.datum = 46086.0 + (9 * 60 + 7) / 1440.0;
    NewTextBuf(&r.rechnr, u"17");
    EXPECT_EQ(ProposedPdfName(book.settings, r), u"17.pdf");
    book.settings.RegNrMode = TRegNrMode::rechnrdatecheck;
    EXPECT_EQ(ProposedPdfName(book.settings, r), u"202603050907.pdf");
    book.settings.RegNrMode = TRegNrMode::NoRegNr;
    EXPECT_EQ(ProposedPdfName(book.settings, r), std::nullopt);
    book.settings.RegNrMode = TRegNrMode::CountRegNr;
    SetTextBuf(&r.rechnr, u"RE/2026/17");
    EXPECT_EQ(ProposedPdfName(book.settings, r), u"RE-2026-17.pdf");
}
