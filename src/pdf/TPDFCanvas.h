#pragma once

#include "pdf/PdfA3Settings.h"
#include "pdf/PdfFontTable.h"
#include "pdf/PdfImageStore.h"
#include "pdf/PdfObjectWriter.h"
#include "pdf/TMeasureCanvas.h"
#include "pdf/TPDFBrush.h"
#include "pdf/TPDFFont.h"
#include "pdf/TPDFGeometry.h"
#include "pdf/TPDFPageRec.h"
#include "pdf/TPDFPen.h"

#include "imaging/dib.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class PdfA3Document;
class TDynaArray;

// The program's own PDF writer: canvas-like drawing calls that write a PDF 1.3 file with one
// zlib-compressed content stream per page, non-embedded TrueType fonts in the WinAnsi
// encoding with measured widths, and a classic cross-reference table.
//
// Coordinates are whole points from the top-left corner of the page, y downwards. Every
// drawing call appends content operators to the current page, which is held in memory and
// written compressed when the page ends, so only one page's content is in memory at a time.
// The file is written front to back as the document goes and appears under its name only
// when EndDoc has written it completely; an I/O error on the way (raised as IoError) leaves
// no file behind and ends the document.
//
// The canvas keeps the drawing state and the document's structure (pages, page tree,
// catalogue); it hands the bytes, object numbers and cross-reference table to its object
// writer, the fonts to its font table and the images to its image store.
class TPDFCanvas {
public:
    TPDFCanvas();   // Create
    ~TPDFCanvas();  // Destroy: finishes an open document, releases everything

    TPDFCanvas(const TPDFCanvas&) = delete;
    TPDFCanvas& operator=(const TPDFCanvas&) = delete;

    // Opens a document. False when the file cannot be created (or a document is open).
    bool BeginDoc(const std::string& fname);
    // Ends the current page and begins the next one.
    void NewPage();
    // Ends the last page, writes the rest of the file and puts it in place. In the archive
    // mode a font that cannot be embedded ends the document without a file and raises
    // IoError with the lines of EmbeddingProblems.
    void EndDoc();
    // Ends the open document without leaving any file.
    void AbandonDoc();

    // The archive mode: documents begun from now on are PDF/A-3b files (PDF 1.7 with every
    // font embedded as a subset, XMP metadata, the sRGB output intent and the given embedded
    // files), until ClearPdfA3. Drawing and the page contents are those of the ordinary file.
    void SetPdfA3(PdfA3Settings settings);
    void ClearPdfA3();
    bool IsPdfA3() const { return pdfa3_ != nullptr; }
    // One German line per font used so far that cannot be embedded; empty when all can.
    std::vector<std::u16string> EmbeddingProblems();

    void MoveTo(int32_t xp, int32_t yp);
    void LineTo(int32_t xp, int32_t yp);
    void FillRect(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void FillRect(const TPDFRect& rre);
    void Rectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void Rectangle(const TPDFRect& rre);
    // Draws text with the top-left of its cell at (x, y).
    void TextOut(int32_t x, int32_t y, std::u16string_view text);
    // Measurements in whole points in `font`, with or without an open document.
    int32_t TextWidth(std::u16string_view text);
    int32_t TextHeight(std::u16string_view text);

    // Draws `di` into the rectangle with top-left (x1, y1), width x2w and height y2w, and keeps
    // a copy that EndDoc writes as a JPEG image object. The source rectangle only counts by
    // whether xx2w and yy2w are zero: the whole image is always drawn. Images of 4 and 8
    // bits per pixel are kept expanded to 24 bits; 1, 24 and 32 bits as they are; other
    // depths and zero sizes draw nothing. The caller keeps `di`.
    void DrawDIB(int32_t x1, int32_t y1, int32_t x2w, int32_t y2w, const dib& di, int32_t xx1, int32_t yy1,
                 int32_t xx2w, int32_t yy2w);
    // Draws the kept image number imageNR (0-based) once more, into another rectangle.
    void DrawDIBOfImageNr(int32_t x1, int32_t y1, int32_t x2w, int32_t y2w, int32_t imageNR, int32_t xx1, int32_t yy1,
                          int32_t xx2w, int32_t yy2w);
    // A 24-bit copy of a 4- or 8-bit image through its colour table; when the copy cannot be
    // made (no memory, another depth, no pixels) the image passed in, unchanged.
    static dib ExpandTo24Bit(const dib& di);
    // A copy with its own memory; without pixels when di has none or memory runs out (the
    // user is told then).
    static dib CopyDib(const dib& di);
    // Number of images kept (they stay until the object is destroyed).
    int32_t ImageCount() const;

    // The output channel: text as Windows-1252 bytes to the file, or to the page's content
    // while a page is open; writeln adds one line feed.
    void write(std::u16string_view s);
    void writeln(std::u16string_view s);

    // The body of a PDF literal string for text.
    static std::u16string EscapeText(std::u16string_view text);
    // A font's base name in the file: Arial in bold is "Arial,Bold".
    static std::string PdfFontName(std::u16string_view name, uint8_t style);

    // State, for callers that need to know.
    bool IsInCreation() const { return writer_.IsOpen(); }
    int32_t PageCount() const { return apages; }
    int32_t ContentBufferCapacity() const { return writer_.ContentCapacity(); }
    int32_t ContentLength() const { return writer_.ContentLength(); }

    bool ispdfa = false;
    bool usejbig2 = false;  // kept for callers; changes nothing in the output
    bool usejpeg2000 = false;
    bool usetempfileforimages = false;
    int32_t PageWidth = 595;
    int32_t PageHeight = 841;
    TPDFPen pen;
    TPDFBrush brush;
    TPDFFont font;
    TPDFPoint penpos;

private:
    // Drawing state.
    void UsePen();
    void UseBrush();
    void UseFont();
    static void AppendEscapedText(std::string& out, std::u16string_view text);
    static void AppendEscapedCodes(std::string& out, std::string_view codes);
    static std::string TextCodes(std::u16string_view text);
    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void AppendRect(std::string& line, int32_t x1, int32_t y1, int32_t x2, int32_t y2) const;
    void WriteImageLines(int32_t x1, int32_t y1, int32_t x2w, int32_t y2w, int32_t k);

    // Document structure.
    void BeginPageStream();
    void EndPageStream();
    void WriteMetadata();
    void WritePages(int32_t pageCount);
    void WriteCatalog();
    void ReleaseDocument();  // frees the page and font lists
    void Abandon();          // after an I/O error: no file, no open document
    [[noreturn]] void OutOfMemory(const char* what);

    PdfObjectWriter writer_;
    PdfFontTable fonts_;
    PdfImageStore images_;
    std::unique_ptr<PdfA3Settings> pdfa3_;    // the archive mode's settings, when set
    std::unique_ptr<PdfA3Document> archive_;  // the open document's archive parts
    std::unique_ptr<TDynaArray> PageProps;
    int32_t metaobjnr = 0;
    int32_t rootObjNr = 0;
    int32_t procobjsnr = 0;
    int32_t pageobjnr = 0;
    int32_t parentnr = 0;
    int32_t apages = 0;
    int32_t ofontnr = 0;
    int32_t ofontsize = 0;
    bool fontsetted = false;
    bool brushsetted = false;
    bool pensetted = false;
    bool nofill = false;
    bool noline = false;
    TMeasureCanvas mycanbit;
    TPDFPen open;
    TPDFBrush oBrush;
    std::string line_;  // scratch for the line being built
};
