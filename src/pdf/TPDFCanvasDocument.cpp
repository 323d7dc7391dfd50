// The file structure written by TPDFCanvas: header, page streams, fonts, page tree, pages,
// catalogue, outlines, cross-reference table and trailer.
#include "pdf/TPDFCanvas.h"

#include "foundation/AtomicFileSink.h"
#include "foundation/Cp1252.h"
#include "foundation/IoError.h"
#include "foundation/TDynaArray.h"
#include "pdf/FontMetrics.h"
#include "pdf/PageCompressor.h"
#include "pdf/PdfNumbers.h"
#include "pdf/PdfRandom.h"

#include <cstdlib>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

bool TPDFCanvas::BeginDoc(const std::string& fname)
{
    if (isincreation)
        return false;
    // The file must be one we may replace: not a folder, not a write-protected file.
    struct stat st;
    if (stat(fname.c_str(), &st) == 0 && (!S_ISREG(st.st_mode) || access(fname.c_str(), W_OK) != 0))
        return false;
    std::unique_ptr<AtomicFileSink> sink;
    try {
        sink = std::make_unique<AtomicFileSink>(fname);
    } catch (const IoError&) {
        return false;
    }
    f = std::move(sink);
    fname_ = fname;
    fpos = 0;
    metaobjnr = 0;
    objs = std::make_unique<TDynaArray>(uint32_t(sizeof(TPDFObjRec)), &aobj);
    PageProps = std::make_unique<TDynaArray>(uint32_t(sizeof(TPDFPageRec)), nullptr);
    FontList = std::make_unique<TDynaArray>(uint32_t(sizeof(TPDFFontRec)), nullptr);
    try {
        PutLine(usejpeg2000 ? "%PDF-1.5" : "%PDF-1.3");
        auto* head = static_cast<TPDFObjRec*>(objs->Add());
        if (!head)
            OutOfMemory("Nicht genug Arbeitsspeicher für die Objektliste");
        head->pos = 0;
        head->gen = 65535;
        head->free = true;
        procobjsnr = BeginObject();
        PutLine("[/PDF /Text /ImageB /ImageC /ImageI]");
        EndObject();
        apages = 0;
        BeginPageStream();
        pageobjnr = 2;
    } catch (const IoError&) {
        Abandon();
        return false;
    }
    isincreation = true;
    return true;
}

void TPDFCanvas::NewPage()
{
    if (!isincreation)
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
    if (!isincreation)
        return;
    try {
        EndPageStream();
        if (ispdfa)
            WriteMetadata();
        fontobjnr = int32_t(objs->Count());
        const uint32_t fontCount = FontList->Count();
        for (uint32_t j = 0; j < fontCount; ++j)
            WriteFont(*static_cast<const TPDFFontRec*>(FontList->At(j)));
        WritePages(int32_t(PageProps->Count()), int32_t(fontCount));

        rootObjNr = BeginDictObject();
        PutLine("/Type /Catalog");
        line_.assign("/Pages ");
        AppendInt(line_, parentnr);
        line_ += " 0 R";
        PutLine(line_);
        line_.assign("/Outlines ");
        AppendInt(line_, int64_t(rootObjNr) + 1);
        line_ += " 0 R";
        PutLine(line_);
        if (ispdfa) {
            line_.assign("/Metadata ");
            AppendInt(line_, metaobjnr);
            line_ += " 0 R";
            PutLine(line_);
        }
        EndDictObject();

        BeginDictObject();
        PutLine("/Type /Outlines");
        PutLine("/Count 0");
        EndDictObject();

        WriteImages();
        WriteTrailer();
        f->Commit();
    } catch (const IoError&) {
        Abandon();
        throw;
    }
    f.reset();
    ReleaseDocument();
    isincreation = false;
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
    objs.reset();
    aobj = nullptr;
    std::free(streambuf);
    streambuf = nullptr;
    streamcap = 0;
    sblen = 0;
    instream = false;
    if (compressor_)
        compressor_->ReleaseOutput();
}

void TPDFCanvas::Abandon()
{
    f.reset();  // removes the unfinished file
    ReleaseDocument();
    isincreation = false;
}

// ---- Objects ----

int32_t TPDFCanvas::BeginObject()
{
    if (fpos > std::numeric_limits<int32_t>::max())
        throw IoError(fname_, "PDF-Datei zu groß");
    auto* rec = static_cast<TPDFObjRec*>(objs->Add());
    if (!rec)
        OutOfMemory("Nicht genug Arbeitsspeicher für die Objektliste");
    rec->pos = int32_t(fpos);
    rec->gen = 0;
    rec->free = false;
    const int32_t number = int32_t(objs->Count()) - 1;
    line_.clear();
    AppendInt(line_, number);
    line_ += " 0 obj";
    PutLine(line_);
    return number;
}

int32_t TPDFCanvas::BeginDictObject()
{
    const int32_t number = BeginObject();
    PutLine("<<");
    return number;
}

void TPDFCanvas::EndObject()
{
    PutLine("endobj");
}

void TPDFCanvas::EndDictObject()
{
    PutLine(">>");
    PutLine("endobj");
}

// ---- Page streams ----

void TPDFCanvas::BeginPageStream()
{
    ++apages;
    const int32_t n = BeginObject();
    line_.assign("<< /Length ");
    AppendInt(line_, int64_t(n) + 1);
    line_ += " 0 R /Filter /FlateDecode >>";
    PutLine(line_);
    PutLine("stream");
    startstream = int32_t(fpos);
    fontsetted = false;
    brushsetted = false;
    pensetted = false;
    sblen = 0;
    instream = true;
}

void TPDFCanvas::EndPageStream()
{
    // The whole page in one call at zlib's default level with a finishing flush.
    if (!compressor_)
        compressor_ = std::make_unique<PageCompressor>();
    std::string_view compressed;
    if (!compressor_->Compress(streambuf, size_t(sblen), compressed))
        OutOfMemory("Seiteninhalt konnte nicht komprimiert werden");
    instream = false;
    std::free(streambuf);
    streambuf = nullptr;
    streamcap = 0;
    sblen = 0;
    Put(compressed.data(), compressed.size());
    Put("\n", 1);
    endstream = int32_t(fpos);
    PutLine("endstream");
    PutLine("endobj");

    BeginObject();
    line_.clear();
    AppendInt(line_, int64_t(compressed.size()));
    PutLine(line_);
    EndObject();

    auto* page = static_cast<TPDFPageRec*>(PageProps->Add());
    if (!page)
        OutOfMemory("Nicht genug Arbeitsspeicher für die Seitenliste");
    page->w = PageWidth;
    page->h = PageHeight;
}

// ---- Metadata (PDF/A identification) ----

void TPDFCanvas::WriteMetadata()
{
    metaobjnr = BeginObject();
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
    PutLine("<</Type /Metadata");
    line_.assign("/Subtype /XML /Length ");
    AppendInt(line_, int64_t(packet.size()));
    line_ += ">>";
    PutLine(line_);
    PutLine("stream");
    PutLine(packet);
    PutLine("endstream");
    EndObject();
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

    BeginDictObject();
    PutLine("/Type /Font");
    PutLine("/Subtype /TrueType");
    PutLine("/Encoding /WinAnsiEncoding");
    line_.assign("/BaseFont /");
    line_ += PdfFontName(mycanbit.font.name, mycanbit.font.style);
    PutLine(line_);
    PutLine("/FontDescriptor <</Type/FontDescriptor");
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
    PutLine(line_);
    line_.assign("/Flags 4/Ascent ");
    AppendInt(line_, ScaleToThousandths(m.ascent));
    line_ += "/Descent ";
    AppendInt(line_, ScaleToThousandths(m.descent));
    if (m.outline) {
        line_ += "/ItalicAngle ";
        AppendInt(line_, m.italicAngle);
    }
    line_ += ">>";
    PutLine(line_);
    line_.assign("/FirstChar ");
    AppendInt(line_, m.firstChar);
    PutLine(line_);
    line_.assign("/LastChar ");
    AppendInt(line_, m.lastChar);
    PutLine(line_);
    line_.assign("/Widths [");
    for (int32_t code = m.firstChar; code <= m.lastChar; ++code) {
        AppendInt(line_, ScaleToThousandths(m.widths[size_t(code)]));
        line_ += ' ';
    }
    Put(line_.data(), line_.size());
    PutLine("]");
    EndDictObject();
}

// ---- Page tree and pages ----

void TPDFCanvas::WritePages(int32_t pageCount, int32_t fontCount)
{
    const int64_t P = BeginDictObject();
    parentnr = int32_t(P);
    PutLine("/Type /Pages");
    line_.assign("/Count ");
    AppendInt(line_, pageCount);
    PutLine(line_);
    Put("/Kids [", 7);
    for (int32_t i = 1; i <= pageCount; ++i) {
        line_.clear();
        AppendInt(line_, P + i);
        if (i < pageCount) {
            line_ += " 0 R ";
            Put(line_.data(), line_.size());
        } else {
            line_ += " 0 R]";
            PutLine(line_);
        }
    }
    EndDictObject();

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
        BeginDictObject();
        PutLine("/Type /Page");
        line_.assign("/Parent ");
        AppendInt(line_, P);
        line_ += " 0 R";
        PutLine(line_);
        Put("/Resources <<", 13);
        Put(xobjects.data(), xobjects.size());
        Put(fonts.data(), fonts.size());
        PutLine(">>");
        line_.assign("/MediaBox [0 0 ");
        AppendInt(line_, int64_t(page->w) - 1);
        line_ += ' ';
        AppendInt(line_, int64_t(page->h) - 1);
        line_ += ']';
        PutLine(line_);
        line_.assign("/Contents ");
        AppendInt(line_, int64_t(pageobjnr) + 2 * int64_t(i));
        line_ += " 0 R";
        PutLine(line_);
        EndDictObject();
    }
}

// ---- Cross-reference table and trailer ----

void TPDFCanvas::WriteTrailer()
{
    startxref = int32_t(fpos);
    PutLine("xref");
    const uint32_t count = objs->Count();
    line_.assign("0 ");
    AppendInt(line_, count);
    PutLine(line_);
    for (uint32_t i = 0; i < count; ++i) {
        const auto* rec = static_cast<const TPDFObjRec*>(objs->At(i));
        line_.clear();
        AppendPadded(line_, uint32_t(rec->pos), 10);
        line_ += ' ';
        AppendPadded(line_, uint32_t(rec->gen), 5);
        line_ += rec->free ? " f \n" : " n \n";
        Put(line_.data(), line_.size());
    }
    PutLine("trailer");
    PutLine("<<");
    line_.assign("/Size ");
    AppendInt(line_, count);
    PutLine(line_);
    line_.assign("/Root ");
    AppendInt(line_, rootObjNr);
    line_ += " 0 R";
    PutLine(line_);
    static const char kHex[] = "0123456789ABCDEF";
    std::string id;
    for (int i = 0; i < 17; ++i) {
        const uint8_t b = PdfRandomByte();
        id += kHex[b >> 4];
        id += kHex[b & 15];
    }
    line_ = "/ID [ <" + id + "><" + id + "> ]";
    PutLine(line_);
    PutLine(">>");
    PutLine("startxref");
    line_.clear();
    AppendInt(line_, startxref);
    PutLine(line_);
    Put("%%EOF", 5);
}
