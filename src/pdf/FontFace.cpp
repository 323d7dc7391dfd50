#include "pdf/FontFace.h"

#include "foundation/Cp1252.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_TYPE1_TABLES_H
#include FT_ADVANCES_H

#include <algorithm>
#include <cstdlib>

namespace {

// value * num / den rounded half up, den > 0; exact for any font's design units.
int32_t ScaleRound(int64_t value, int64_t num, int64_t den)
{
    const int64_t twice = 2 * value * num + den;
    const int64_t denominator = 2 * den;
    int64_t q = twice / denominator;
    if (twice % denominator != 0 && twice < 0)
        --q;  // floor for negative values
    return int32_t(q);
}

// A 26.6 fixed-point pixel value rounded to whole pixels.
int32_t Round26Dot6(int64_t value)
{
    return int32_t((value + 32) >> 6);
}

}

std::unique_ptr<FontFace> FontFace::Load(FT_LibraryRec_* library, const std::string& path, int index)
{
    FT_Face face = nullptr;
    if (!library || FT_New_Face(library, path.c_str(), index, &face) != 0)
        return nullptr;
    std::unique_ptr<FontFace> result(new FontFace());
    result->face_ = face;
    result->path_ = path;
    result->index_ = index;
    result->outline_ = FT_IS_SCALABLE(face);
    if (result->outline_ && face->units_per_EM == 0)
        return nullptr;
    if (!result->outline_ && face->num_fixed_sizes <= 0)
        return nullptr;
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0)
        FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL);
    result->ReadDesignMetrics();
    return result;
}

std::unique_ptr<FontFace> FontFace::Placeholder()
{
    std::unique_ptr<FontFace> result(new FontFace());
    result->placeholder_ = true;
    result->path_ = "";
    return result;
}

FontFace::~FontFace()
{
    if (face_)
        FT_Done_Face(face_);
}

void FontFace::ReadDesignMetrics()
{
    const bool symbol = face_->charmap && face_->charmap->encoding == FT_ENCODING_MS_SYMBOL;
    for (unsigned code = 0; code < 256; ++code) {
        FT_UInt glyph = 0;
        if (face_->charmap) {
            if (symbol) {
                // Symbol fonts map the byte values into the private use area.
                glyph = FT_Get_Char_Index(face_, 0xF000 + code);
                if (glyph == 0)
                    glyph = FT_Get_Char_Index(face_, code);
            } else {
                glyph = FT_Get_Char_Index(face_, DecodeCp1252Char(static_cast<unsigned char>(code)));
            }
        }
        glyphs_[code] = glyph;
    }
    if (!outline_)
        return;

    unitsPerEm_ = face_->units_per_EM;
    for (unsigned code = 0; code < 256; ++code) {
        FT_Fixed advance = 0;
        if (FT_Get_Advance(face_, glyphs_[code], FT_LOAD_NO_SCALE, &advance) == 0)
            advances_[code] = int32_t(advance);
    }
    bboxLeft_ = int32_t(face_->bbox.xMin);
    bboxBottom_ = int32_t(face_->bbox.yMin);
    bboxRight_ = int32_t(face_->bbox.xMax);
    bboxTop_ = int32_t(face_->bbox.yMax);

    // The cell comes from the Windows ascent and descent where the face has them, as on the
    // platform the layout was made for; the typographic values describe the design.
    winAscent_ = face_->ascender;
    winDescent_ = -face_->descender;
    typoAscent_ = face_->ascender;
    typoDescent_ = face_->descender;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF) {
        if (os2->usWinAscent + os2->usWinDescent > 0) {
            winAscent_ = os2->usWinAscent;
            winDescent_ = os2->usWinDescent;
        }
        if (os2->sTypoAscender - os2->sTypoDescender > 0) {
            typoAscent_ = os2->sTypoAscender;
            typoDescent_ = os2->sTypoDescender;
        }
    }

    const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face_, FT_SFNT_POST));
    if (post) {
        italicAngle_ = int32_t(post->italicAngle / 65536);  // 16.16, truncated toward zero
    } else {
        PS_FontInfoRec info;
        if (FT_Get_PS_Font_Info(face_, &info) == 0)
            italicAngle_ = int32_t(info.italic_angle);
    }
}

FontSizeMetrics FontFace::SizeMetrics(int32_t pixelsPerEm) const
{
    FontSizeMetrics m;
    const int64_t ppem = std::abs(int64_t(pixelsPerEm));
    if (ppem == 0)
        return m;
    if (placeholder_) {
        for (unsigned code = 0; code < 256; ++code)
            m.widths[code] = ScaleRound(ppem, 1, 2);
        m.descent = ScaleRound(ppem, 1, 5);
        m.ascent = int32_t(ppem) - m.descent;
        return m;
    }
    if (!outline_)
        return BitmapSizeMetrics(int32_t(ppem));
    for (unsigned code = 0; code < 256; ++code)
        m.widths[code] = ScaleRound(advances_[code], ppem, unitsPerEm_);
    m.ascent = ScaleRound(winAscent_, ppem, unitsPerEm_);
    m.descent = ScaleRound(winDescent_, ppem, unitsPerEm_);
    return m;
}

FontSizeMetrics FontFace::BitmapSizeMetrics(int32_t pixelsPerEm) const
{
    // A bitmap face is measured at its strike nearest in height; it is not scaled.
    FontSizeMetrics m;
    int best = 0;
    for (int i = 1; i < face_->num_fixed_sizes; ++i) {
        if (std::abs(face_->available_sizes[i].height - pixelsPerEm) <
            std::abs(face_->available_sizes[best].height - pixelsPerEm))
            best = i;
    }
    if (FT_Select_Size(face_, best) != 0)
        return m;
    for (unsigned code = 0; code < 256; ++code) {
        if (FT_Load_Glyph(face_, glyphs_[code], FT_LOAD_DEFAULT) == 0)
            m.widths[code] = Round26Dot6(face_->glyph->advance.x);
    }
    m.ascent = Round26Dot6(face_->size->metrics.ascender);
    m.descent = Round26Dot6(-face_->size->metrics.descender);
    if (m.ascent + m.descent <= 0) {
        m.ascent = face_->available_sizes[best].height;
        m.descent = 0;
    }
    return m;
}

FontDictMetrics FontFace::DictMetrics() const
{
    constexpr int32_t kEm = 12;
    FontDictMetrics d;
    const FontSizeMetrics size = SizeMetrics(kEm);
    d.outline = outline_ && !placeholder_;
    d.widths = size.widths;

    // The codes covered: from the lowest to the highest code the face has a glyph for.
    int32_t first = -1, last = -1;
    for (int32_t code = 0; code < 256; ++code) {
        if (glyphs_[code] != 0) {
            if (first < 0)
                first = code;
            last = code;
        }
    }
    if (first >= 0) {
        d.firstChar = first;
        d.lastChar = last;
    }

    if (d.outline) {
        d.bboxLeft = ScaleRound(bboxLeft_, kEm, unitsPerEm_);
        d.bboxBottom = ScaleRound(bboxBottom_, kEm, unitsPerEm_);
        d.bboxRight = ScaleRound(bboxRight_, kEm, unitsPerEm_);
        d.bboxTop = ScaleRound(bboxTop_, kEm, unitsPerEm_);
        d.ascent = ScaleRound(typoAscent_, kEm, unitsPerEm_);
        d.descent = ScaleRound(typoDescent_, kEm, unitsPerEm_);
        d.italicAngle = italicAngle_;
    } else {
        d.ascent = size.ascent;
        d.descent = size.descent;
        for (int32_t code = d.firstChar; code <= d.lastChar; ++code)
            d.widest = std::max(d.widest, size.widths[code]);
    }
    d.cellHeight = size.CellHeight();
    return d;
}
