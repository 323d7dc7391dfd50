// The file structure written by TPDFCanvas: header, page streams, metadata, page tree, pages,
// fonts, catalogue and outlines; the cross-reference table is written by its object writer.
#include "pdf/TPDFCanvas.h"

#include "foundation/Cp1252.h"
#include "foundation/IoError.h"
#include "foundation/TDynaArray.h"
#include "pdf/FontMetrics.h"
#include "pdf/PdfNumbers.h"
#include "pdf/PdfRandom.h"

#include <cstdlib>

bool TPDFCanvas::BeginDoc(const std::string& fname)
{
    if (IsInCreation() || !writer_.OpenFile(fname))
        return false;
    metaobjnr = 0;
    PageProps = std::make_unique<TDynaArray>(uint32_t(sizeof(TPDFPageRec)), nullptr);
    FontList = std::make_unique<TDynaArray>(uint32_t(sizeof(TPDFFontRec)), nullptr);
    try {
        writer_.PutLine(usejpeg2000 ? "%PDF-1.5" : "%PDF-1.3");
        procobjsnr = writer_.BeginObject();
        writer_.PutLine("[/PDF /Text /ImageB /ImageC /ImageI]");
        writer_.EndObject();
        apages = 0;
        BeginPageStream();
        pageobjnr = 2;
    } catch (const IoError&) {
        Abandon();
        return false;
    }
    return true;
}

void TPDFCanvas::NewPage()
{
    if (!IsInCreation())
        return;
    try {
        EndPageStream();
        BeginPageStream();
    } catch (const IoError&) {
        Abandon();
        throw;
    }
}

void TPDFCanvas::EndDoc()
{
    if (!IsInCreation())
        return;
    try {
        EndPageStream();
        if (ispdfa)
            WriteMetadata();
        fontobjnr = writer_.NextObjectNumber();
        const uint32_t fontCount = FontList->Count();
        for (uint32_t j = 0; j < fontCount; ++j)
            WriteFont(*static_cast<const TPDFFontRec*>(FontList->At(j)));
        WritePages(int32_t(PageProps->Count()), int32_t(fontCount));
        WriteCatalog();
        WriteImages();
        writer_.WriteTrailer(rootObjNr);
        writer_.Finish();
    } catch (const IoError&) {
        Abandon();
        throw;
    }
    ReleaseDocument();
}

void TPDFCanvas::ReleaseDocument()
{
    if (FontList) {
        const uint32_t count = FontList->Count();
        for (uint32_t i = 0; i < count; ++i)
            std::free(static_cast<TPDFFontRec*>(FontList->At(i))->name);
    }
    FontList.reset();
    PageProps.reset();
}

void TPDFCanvas::Abandon()
{
    writer_.Abandon();  // removes the unfinished file
    ReleaseDocument();
}

// ---- Page streams ----

void TPDFCanvas::BeginPageStream()
{
    ++apages;
    const int32_t n = writer_.BeginObject();
    line_.assign("<< /Length ");
    AppendInt(line_, int64_t(n) + 1);
    line_ += " 0 R /Filter /FlateDecode >>";
    writer_.PutLine(line_);
    writer_.PutLine("stream");
    fontsetted = false;
    brushsetted = false;
    pensetted = false;
    writer_.BeginContent();
}

void TPDFCanvas::EndPageStream()
{
    const std::string_view compressed = writer_.EndContent();
    writer_.Put(compressed);
    writer_.Put("\n", 1);
    writer_.PutLine("endstream");
    writer_.PutLine("endobj");

    writer_.BeginObject();
    line_.clear();
    AppendInt(line_, int64_t(compressed.size()));
    writer_.PutLine(line_);
    writer_.EndObject();

    auto* page = static_cast<TPDFPageRec*>(PageProps->Add());
    if (!page)
        OutOfMemory("Nicht genug Arbeitsspeicher für die Seitenliste");
    page->w = PageWidth;
    page->h = PageHeight;
}

// ---- Metadata (PDF/A identification) ----

void TPDFCanvas::WriteMetadata()
{
    std::string packet = "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"";
    for (int i = 0; i < 25; ++i)
        packet += PdfRandomLowerLetter();
    packet +=
        "\"?>\r"
        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\" x:xmptk=\"3.1-702\">\r"
        "   <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\r"
        "      <rdf:Description rdf:about=\"\"\r"
        "            xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\">\r"
        "         <pdfaid:part>1</pdfaid:part>\r"
        "         <pdfaid:conformance>B</pdfaid:conformance>\r"
        "      </rdf:Description>\r"
        "   </rdf:RDF>\r"
        "</x:xmpmeta>\r"
        "<?xpacket end=\"w\"?>";
    std::string dictionary = "<</Type /Metadata\n/Subtype /XML /Length ";
    AppendInt(dictionary, int64_t(packet.size()));
    dictionary += ">>";
    metaobjnr = writer_.WriteStreamObject(dictionary, packet, PdfObjectWriter::StreamEnd::kLineFeed);
}

// ---- Fonts ----

std::string TPDFCanvas::PdfFontName(std::u16string_view name, uint8_t style)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char16_t unit : name) {
        if (unit == 0)
            continue;
        // A character beyond the 8-bit range is named by its Windows-1252 byte: a longer hex
        // code would be read back as two bytes.
        const unsigned code = unit > 0xFF ? static_cast<unsigned char>(EncodeCp1252Char(unit)) : unit;
        const bool plain = code >= 33 && code <= 126 && code != '#' && code != '%' && code != '(' &&
                           code != ')' && code != '/' && code != '<' && code != '>' && code != '[' &&
                           code != ']' && code != '{' && code != '}';
        if (plain) {
            out += char(code);
        } else {
            out += '#';
            out += kHex[(code >> 4) & 15];
            out += kHex[code & 15];
        }
    }
    const bool bold = (style & TPDFFont::fsBold) != 0;
    const bool italic = (style & TPDFFont::fsItalic) != 0;
    if (bold && italic)
        out += ",BoldItalic";
    else if (italic)
        out += ",Italic";
    else if (bold)
        out += ",Bold";
    return out;
}

void TPDFCanvas::WriteFont(const TPDFFontRec& rec)
{
    mycanbit.font.name = rec.name;
    mycanbit.font.style = rec.style;
    mycanbit.font.size = 12;
    mycanbit.font.color = 0;
    const FontDictMetrics m = FontMetrics::Shared().Dict(mycanbit.font.name, mycanbit.font.style);

    writer_.BeginDictObject();
    writer_.PutLine("/Type /Font");
    writer_.PutLine("/Subtype /TrueType");
    writer_.PutLine("/Encoding /WinAnsiEncoding");
    line_.assign("/BaseFont /");
    line_ += PdfFontName(mycanbit.font.name, mycanbit.font.style);
    writer_.PutLine(line_);
    writer_.PutLine("/FontDescriptor <</Type/FontDescriptor");
    line_.assign("/FontBBox[");
    if (m.outline) {
        AppendInt(line_, ScaleToThousandths(m.bboxLeft));
        line_ += ' ';
        AppendInt(line_, ScaleToThousandths(m.bboxBottom));
        line_ += ' ';
        AppendInt(line_, ScaleToThousandths(m.bboxRight));
        line_ += ' ';
        AppendInt(line_, ScaleToThousandths(m.bboxTop));
    } else {
        line_ += "0 ";
        AppendInt(line_, ScaleToThousandths(m.cellHeight));
        line_ += ' ';
        AppendInt(line_, ScaleToThousandths(m.widest));
        line_ += " 0";
    }
    line_ += ']';
    writer_.PutLine(line_);
    line_.assign("/Flags 4/Ascent ");
    AppendInt(line_, ScaleToThousandths(m.ascent));
    line_ += "/Descent ";
    AppendInt(line_, ScaleToThousandths(m.descent));
    if (m.outline) {
        line_ += "/ItalicAngle ";
        AppendInt(line_, m.italicAngle);
    }
    line_ += ">>";
    writer_.PutLine(line_);
    line_.assign("/FirstChar ");
    AppendInt(line_, m.firstChar);
    writer_.PutLine(line_);
    line_.assign("/LastChar ");
    AppendInt(line_, m.lastChar);
    writer_.PutLine(line_);
    line_.assign("/Widths [");
    for (int32_t code = m.firstChar; code <= m.lastChar; ++code) {
        AppendInt(line_, ScaleToThousandths(m.widths[size_t(code)]));
        line_ += ' ';
    }
    writer_.Put(line_.data(), line_.size());
    writer_.PutLine("]");
    writer_.EndDictObject();
}

// ---- Page tree and pages ----

void TPDFCanvas::WritePages(int32_t pageCount, int32_t fontCount)
{
    const int64_t P = writer_.BeginDictObject();
    parentnr = int32_t(P);
    writer_.PutLine("/Type /Pages");
    line_.assign("/Count ");
    AppendInt(line_, pageCount);
    writer_.PutLine(line_);
    writer_.Put("/Kids [", 7);
    for (int32_t i = 1; i <= pageCount; ++i) {
        line_.clear();
        AppendInt(line_, P + i);
        if (i < pageCount) {
            line_ += " 0 R ";
            writer_.Put(line_.data(), line_.size());
        } else {
            line_ += " 0 R]";
            writer_.PutLine(line_);
        }
    }
    writer_.EndDictObject();

    // Every page names every image and every font of the document.
    std::string xobjects = "/XObject << ";
    const uint32_t imageCount = images->Count();
    for (uint32_t k = 1; k <= imageCount; ++k) {
        xobjects += "/Im";
        AppendInt(xobjects, int64_t(k) - 1);
        xobjects += ' ';
        AppendInt(xobjects, P + pageCount + 2 + k);
        xobjects += " 0 R";
    }
    xobjects += " >>\n";
    std::string fonts = "/Font << ";
    for (int32_t j = 1; j <= fontCount; ++j) {
        fonts += "/F";
        AppendInt(fonts, j);
        fonts += ' ';
        AppendInt(fonts, int64_t(fontobjnr) + j - 1);
        fonts += " 0 R";
    }
    fonts += ">> /ProcSet ";
    AppendInt(fonts, procobjsnr);
    fonts += " 0 R\n";

    for (int32_t i = 0; i < pageCount; ++i) {
        const auto* page = static_cast<const TPDFPageRec*>(PageProps->At(uint32_t(i)));
        writer_.BeginDictObject();
        writer_.PutLine("/Type /Page");
        line_.assign("/Parent ");
        AppendInt(line_, P);
        line_ += " 0 R";
        writer_.PutLine(line_);
        writer_.Put("/Resources <<", 13);
        writer_.Put(xobjects.data(), xobjects.size());
        writer_.Put(fonts.data(), fonts.size());
        writer_.PutLine(">>");
        line_.assign("/MediaBox [0 0 ");
        AppendInt(line_, int64_t(page->w) - 1);
        line_ += ' ';
        AppendInt(line_, int64_t(page->h) - 1);
        line_ += ']';
        writer_.PutLine(line_);
        line_.assign("/Contents ");
        AppendInt(line_, int64_t(pageobjnr) + 2 * int64_t(i));
        line_ += " 0 R";
        writer_.PutLine(line_);
        writer_.EndDictObject();
    }
}

// ---- Catalogue and outlines ----

void TPDFCanvas::WriteCatalog()
{
    rootObjNr = writer_.BeginDictObject();
    writer_.PutLine("/Type /Catalog");
    line_.assign("/Pages ");
    AppendInt(line_, parentnr);
    line_ += " 0 R";
    writer_.PutLine(line_);
    line_.assign("/Outlines ");
    AppendInt(line_, int64_t(rootObjNr) + 1);
    line_ += " 0 R";
    writer_.PutLine(line_);
    if (ispdfa) {
        line_.assign("/Metadata ");
        AppendInt(line_, metaobjnr);
        line_ += " 0 R";
        writer_.PutLine(line_);
    }
    writer_.EndDictObject();

    writer_.BeginDictObject();
    writer_.PutLine("/Type /Outlines");
    writer_.PutLine("/Count 0");
    writer_.EndDictObject();
}
