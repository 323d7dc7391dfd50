// The file structure written by TPDFCanvas: header, page streams, metadata, page tree, pages,
// catalogue and outlines; the fonts, the images and the cross-reference table are written by
// its font table, image store and object writer.
#include "pdf/TPDFCanvas.h"

#include "foundation/IoError.h"
#include "foundation/TDynaArray.h"
#include "foundation/Utf8.h"
#include "pdf/PdfA3Document.h"
#include "pdf/PdfNumbers.h"
#include "pdf/PdfRandom.h"

bool TPDFCanvas::BeginDoc(const std::string& fname)
{
    if (IsInCreation() || !writer_.OpenFile(fname))
        return false;
    metaobjnr = 0;
    PageProps = std::make_unique<TDynaArray>(uint32_t(sizeof(TPDFPageRec)), nullptr);
    fonts_.Begin();
    try {
        if (pdfa3_) {
            archive_ = std::make_unique<PdfA3Document>(*pdfa3_);
            // A comment of bytes above 127 right after the header marks the file as binary.
            writer_.PutLine("%PDF-1.7");
            writer_.PutLine("%\xE2\xE3\xCF\xD3");
        } else {
            writer_.PutLine(usejpeg2000 ? "%PDF-1.5" : "%PDF-1.3");
        }
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
        if (archive_) {
            // Every font is embedded, or there is no file.
            const std::vector<std::u16string> problems = fonts_.PrepareEmbedded();
            if (!problems.empty()) {
                std::u16string text;
                for (const std::u16string& line : problems)
                    text += (text.empty() ? u"" : u"\n") + line;
                throw IoError(writer_.FileName(), Utf16ToUtf8(text));
            }
            archive_->WriteObjects(writer_);
            fonts_.WriteEmbeddedFonts(writer_);
        } else {
            if (ispdfa)
                WriteMetadata();
            fonts_.WriteFonts(writer_);
        }
        WritePages(int32_t(PageProps->Count()));
        WriteCatalog();
        if (archive_) {
            // Always JPEG (DCT is allowed in PDF/A, JPEG 2000 only with restrictions), the data
            // ended by a line feed before "endstream".
            images_.WriteObjects(writer_, false, false, PdfObjectWriter::StreamEnd::kLineFeed);
        } else {
            images_.WriteObjects(writer_, ispdfa, usejpeg2000);
        }
        writer_.WriteTrailer(rootObjNr, archive_ ? archive_->InfoObject() : 0);
        writer_.Finish();
    } catch (const IoError&) {
        Abandon();
        throw;
    }
    ReleaseDocument();
}

void TPDFCanvas::AbandonDoc()
{
    if (IsInCreation())
        Abandon();
}

void TPDFCanvas::SetPdfA3(PdfA3Settings settings)
{
    pdfa3_ = std::make_unique<PdfA3Settings>(std::move(settings));
}

void TPDFCanvas::ClearPdfA3()
{
    pdfa3_.reset();
}

std::vector<std::u16string> TPDFCanvas::EmbeddingProblems()
{
    return fonts_.EmbeddingProblems();
}

void TPDFCanvas::ReleaseDocument()
{
    fonts_.Release();
    PageProps.reset();
    archive_.reset();
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
    packet += "\"?>\r"
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
    return PdfFontTable::PdfFontName(name, style);
}

// ---- Page tree and pages ----

void TPDFCanvas::WritePages(int32_t pageCount)
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
    images_.AppendResources(xobjects, P + pageCount + 3);
    xobjects += " >>\n";
    std::string fonts = "/Font << ";
    fonts_.AppendResources(fonts);
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
    if (archive_) {
        writer_.Put(archive_->CatalogEntries());
    } else if (ispdfa) {
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
