#pragma once

#include "pdf/PdfA3Settings.h"

#include <cstdint>
#include <string>
#include <vector>

class PdfObjectWriter;

// The parts an archive (PDF/A-3b) document has beyond an ordinary one: the XMP metadata, the
// sRGB output intent's ICC profile, the embedded files with their Filespec dictionaries and
// the document information dictionary. They are written as objects before the catalogue,
// which then names them through CatalogEntries.
class PdfA3Document {
public:
    explicit PdfA3Document(PdfA3Settings settings);

    // The XMP packet: RDF/XML describing the document as /Info does, with the PDF/A
    // identification and, for a hybrid invoice, the Factur-X extension schema and values.
    std::string Xmp() const;
    // The ICC profile of sRGB IEC61966-2.1 made by Little CMS, in version 2.1; empty when
    // Little CMS fails.
    static std::string SrgbProfile();

    // Writes the objects (metadata, profile, files, information).
    void WriteObjects(PdfObjectWriter& out);
    // The catalogue's lines naming them, each ended by a line feed.
    std::string CatalogEntries() const;
    int32_t InfoObject() const { return info_; }

private:
    void WriteAttachments(PdfObjectWriter& out);

    PdfA3Settings settings_;
    int32_t metadata_ = 0;
    int32_t profile_ = 0;
    int32_t info_ = 0;
    std::vector<std::pair<std::string, int32_t>> fileSpecs_;  // name and object, sorted by name
};
