#pragma once

#include "pdf/TPDFFontRec.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class PdfObjectWriter;
class TDynaArray;

// The fonts a PDF document uses, in order of first use: a font is a face name and a style set,
// its 1-based position n gives its resource name /Fn. At the end of the document each font
// becomes one font dictionary: a TrueType font in the WinAnsi encoding, not embedded, with a
// direct font descriptor and the advance widths of its 256 codes, as measured by FontMetrics.
//
// The table lives from Begin (a new document) until Release. How a font is written is decided
// here alone: a font program embedded in the file would be written beside its dictionary,
// under a number the object writer reserves while the dictionary refers to it.
class PdfFontTable {
public:
    PdfFontTable();
    ~PdfFontTable();

    PdfFontTable(const PdfFontTable&) = delete;
    PdfFontTable& operator=(const PdfFontTable&) = delete;

    // An empty table for a new document.
    void Begin();
    // Frees the table and its names.
    void Release();

    // The number of the font with this name (up to its first zero unit) and style, appended
    // when it is new; 0 when memory runs out.
    int32_t Number(std::u16string_view name, uint8_t style);
    int32_t Count() const;

    // Writes the font dictionaries one after the other, the first under the next object
    // number.
    void WriteFonts(PdfObjectWriter& out);
    // The fonts of a page's resources, "/F1 4 0 R/F2 5 0 R", after WriteFonts.
    void AppendResources(std::string& out) const;

    // A font's base name in the file: Arial in bold is "Arial,Bold".
    static std::string PdfFontName(std::u16string_view name, uint8_t style);

private:
    const TPDFFontRec& At(int32_t index) const;
    void WriteFont(PdfObjectWriter& out, const TPDFFontRec& rec);

    std::unique_ptr<TDynaArray> list_;
    int32_t firstObject_ = 0;  // object number of the first font dictionary
    std::string line_;         // scratch for the line being built
};
