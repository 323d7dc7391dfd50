#pragma once

#include "pdf/PdfEmbeddedFont.h"
#include "pdf/TPDFFontRec.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

    // Archive (PDF/A) documents embed their fonts. Fonts of the same face and weight and
    // slant (differing in underline or strike-out only) share one embedded font.
    //
    // Notes the Windows-1252 codes drawn in font `number`; a code the face has no glyph for
    // is replaced first: by "?", or by a space when the face has no "?" either, or left out.
    void UseCodes(int32_t number, std::string& codes);
    // One line per font used so far that cannot be embedded (without subsetting anything).
    std::vector<std::u16string> EmbeddingProblems() const;
    // Builds the embedded fonts; one line per font that fails, nothing written yet.
    std::vector<std::u16string> PrepareEmbedded();
    // Writes the prepared fonts; AppendResources then names them.
    void WriteEmbeddedFonts(PdfObjectWriter& out);

private:
    struct FaceGroup {
        std::u16string name;
        uint8_t style = 0;  // bold and italic bits
        PdfEmbeddedFont::Codes used;
        PdfEmbeddedFont font;
        int32_t object = 0;
    };
    std::vector<FaceGroup> Groups() const;
    static std::u16string DisplayName(const std::u16string& name, uint8_t style);

    const TPDFFontRec& At(int32_t index) const;
    void WriteFont(PdfObjectWriter& out, const TPDFFontRec& rec);

    std::unique_ptr<TDynaArray> list_;
    int32_t firstObject_ = 0;                   // object number of the first font dictionary
    std::vector<PdfEmbeddedFont::Codes> used_;  // codes drawn, per font (archive documents)
    std::vector<FaceGroup> embedded_;           // the embedded fonts, once prepared
    std::vector<int32_t> objectOf_;             // each font's dictionary once embedded
    std::string line_;                          // scratch for the line being built
};
