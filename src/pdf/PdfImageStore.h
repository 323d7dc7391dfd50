#pragma once

#include "pdf/PdfObjectWriter.h"
#include "pdf/TPDFImageRec.h"

#include "imaging/dib.h"

#include <cstdint>
#include <memory>
#include <string>

class TDynaArray;

// The images drawn into PDF documents, kept in drawing order until the store is destroyed
// (not only until a document ends): image k is the resource /Imk of every page. An image is
// kept as a copy in memory, or in spool mode in a bitmap file of its own in the temporary
// folder that is read back only while its object is written. At the end of a document every
// kept image becomes one image XObject, JPEG (or JPEG 2000) encoded by the image layer.
class PdfImageStore {
public:
    // Results of Keep that are not an image number.
    static constexpr int32_t kNotKept = -1;   // a depth that is not drawn
    static constexpr int32_t kNoMemory = -2;  // the list cannot grow

    PdfImageStore();
    ~PdfImageStore();  // deletes the spool files and releases the copies

    PdfImageStore(const PdfImageStore&) = delete;
    PdfImageStore& operator=(const PdfImageStore&) = delete;

    // Keeps a copy of di and returns its 0-based number. Images of 4 and 8 bits per pixel
    // are kept expanded to 24 bits; 1, 24 and 32 bits as they are; other depths are not
    // kept. The caller keeps di.
    int32_t Keep(const dib& di, bool spool);
    int32_t Count() const;

    // The images of a page's resources, "/Im0 9 0 R/Im1 10 0 R", when image 0 is written as
    // object firstObject and the others follow it.
    void AppendResources(std::string& out, int64_t firstObject) const;
    // Writes one image object for every kept image, in order. calibrated chooses the
    // calibrated RGB colour space (PDF/A) over the device one, jpeg2000 the JPEG 2000
    // encoding over JPEG.
    // end says whether a line feed follows the data before "endstream" (archive files need
    // it) or not (the ordinary file).
    void WriteObjects(PdfObjectWriter& out, bool calibrated, bool jpeg2000,
                      PdfObjectWriter::StreamEnd end = PdfObjectWriter::StreamEnd::kDirect);

    // A 24-bit copy of a 4- or 8-bit image through its colour table; when the copy cannot be
    // made (no memory, another depth, no pixels) the image passed in, unchanged.
    static dib ExpandTo24Bit(const dib& di);
    // A copy with its own memory; without pixels when di has none or memory runs out (the
    // user is told then).
    static dib CopyDib(const dib& di);

    // Deletes the spool files and releases the copies; the store is empty afterwards.
    void Release();

private:
    void WriteObject(PdfObjectWriter& out, TPDFImageRec& rec, bool calibrated, bool jpeg2000,
                     PdfObjectWriter::StreamEnd end);

    std::unique_ptr<TDynaArray> images_;
    TPDFImageRec* aimag_ = nullptr;
};
