#pragma once

#include "pdf/FontDictMetrics.h"
#include "pdf/FontSizeMetrics.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

struct FT_FaceRec_;
struct FT_LibraryRec_;

// One font face read with FreeType, measured the way a Windows text canvas measures: every
// advance in whole pixels at the requested pixels per em, the cell from the face's Windows
// ascent and descent. Text reaches the PDF as Windows-1252 bytes, so everything is indexed
// by Windows-1252 code; a code the face has no glyph for measures as the face's missing glyph.
class FontFace {
public:
    // Null when FreeType cannot read the file.
    static std::unique_ptr<FontFace> Load(FT_LibraryRec_* library, const std::string& path, int index);
    // A stand-in used only when no font file at all can be found: every code half an em
    // wide, the cell four fifths of an em above the baseline and one fifth below.
    static std::unique_ptr<FontFace> Placeholder();

    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    bool HasOutlines() const { return outline_; }
    const std::string& Path() const { return path_; }
    // The face's index in its file (a font collection holds several).
    int Index() const { return index_; }
    // The glyph the face draws for a Windows-1252 code; 0 when it has none.
    uint32_t Glyph(unsigned char code) const { return glyphs_[code]; }

    // Metrics at a size in pixels per em (= points at 72 pixels per inch); the size is taken
    // as its absolute value, 0 gives all zero.
    FontSizeMetrics SizeMetrics(int32_t pixelsPerEm) const;
    // Metrics for the font dictionary, at 12 pixels per em.
    FontDictMetrics DictMetrics() const;

private:
    FontFace() = default;
    void ReadDesignMetrics();
    FontSizeMetrics BitmapSizeMetrics(int32_t pixelsPerEm) const;

    FT_FaceRec_* face_ = nullptr;
    std::string path_;
    int index_ = 0;
    bool outline_ = false;
    bool placeholder_ = false;
    // Outline faces, in design units.
    int32_t unitsPerEm_ = 0;
    int32_t winAscent_ = 0, winDescent_ = 0;
    int32_t typoAscent_ = 0, typoDescent_ = 0;
    int32_t bboxLeft_ = 0, bboxBottom_ = 0, bboxRight_ = 0, bboxTop_ = 0;
    int32_t italicAngle_ = 0;
    std::array<int32_t, 256> advances_{};
    // Glyph present for each code (any face).
    std::array<uint32_t, 256> glyphs_{};
};
