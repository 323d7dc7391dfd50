#include "pdf/PdfEmbeddedFont.h"

#include "foundation/Cp1252.h"
#include "messages/PdfMessages.h"
#include "pdf/PdfA3Text.h"
#include "pdf/PdfNumbers.h"
#include "pdf/PdfObjectWriter.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

#include <hb-subset.h>
#include <hb.h>

#include <memory>

namespace {

// fsType: the low four bits 2 forbid embedding, bit 8 forbids subsetting, bit 9 allows
// nothing but bitmaps.
constexpr uint16_t kRestricted = 0x0002;
constexpr uint16_t kNoSubsetting = 0x0100;
constexpr uint16_t kBitmapOnly = 0x0200;

// Design units in thousandths of an em, rounded half away from zero.
int32_t Thousandths(int64_t units, int64_t unitsPerEm)
{
    const int64_t scaled = units * 2000;
    const int64_t q = (scaled + (scaled < 0 ? -unitsPerEm : unitsPerEm)) / (2 * unitsPerEm);
    return int32_t(q);
}

struct FtLibrary {
    FT_Library lib = nullptr;
    FtLibrary() { FT_Init_FreeType(&lib); }
    ~FtLibrary()
    {
        if (lib)
            FT_Done_FreeType(lib);
    }
};

struct FtFace {
    FT_Face face = nullptr;
    ~FtFace()
    {
        if (face)
            FT_Done_Face(face);
    }
};

struct HbDeleter {
    void operator()(hb_blob_t* b) const { hb_blob_destroy(b); }
    void operator()(hb_face_t* f) const { hb_face_destroy(f); }
    void operator()(hb_font_t* f) const { hb_font_destroy(f); }
    void operator()(hb_subset_input_t* i) const { hb_subset_input_destroy(i); }
};
template <class T> using HbPtr = std::unique_ptr<T, HbDeleter>;

PdfEmbeddedFont::Problem Inspect(FT_Face face)
{
    if (!FT_IS_SCALABLE(face))
        return PdfEmbeddedFont::Problem::kBitmapFace;
    const FT_UShort fsType = FT_Get_FSType_Flags(face);
    if ((fsType & 0x000F) == kRestricted)
        return PdfEmbeddedFont::Problem::kLicence;
    if (fsType & kBitmapOnly)
        return PdfEmbeddedFont::Problem::kBitmapLicence;
    FT_ULong length = 0;
    if (!FT_IS_SFNT(face) || FT_Load_Sfnt_Table(face, TTAG_glyf, 0, nullptr, &length) != 0 || length == 0)
        return PdfEmbeddedFont::Problem::kNotTrueType;
    return PdfEmbeddedFont::Problem::kNone;
}

}

PdfEmbeddedFont::Problem PdfEmbeddedFont::Check(const std::string& path, int index)
{
    if (path.empty())
        return Problem::kNoFile;
    FtLibrary library;
    FtFace face;
    if (!library.lib || FT_New_Face(library.lib, path.c_str(), index, &face.face) != 0)
        return Problem::kNoFile;
    return Inspect(face.face);
}

std::u16string PdfEmbeddedFont::ProblemText(Problem problem, std::u16string_view name)
{
    std::u16string_view reason;
    switch (problem) {
    case Problem::kNone:
        return {};
    case Problem::kLicence:
        reason = PdfMessages::kLicenceForbids;
        break;
    case Problem::kBitmapLicence:
        reason = PdfMessages::kLicenceBitmapOnly;
        break;
    case Problem::kBitmapFace:
        reason = PdfMessages::kBitmapFont;
        break;
    case Problem::kNoFile:
        reason = PdfMessages::kNoFontFile;
        break;
    case Problem::kNotTrueType:
        reason = PdfMessages::kNotTrueType;
        break;
    case Problem::kSubsetFailed:
        reason = PdfMessages::kSubsetFailed;
        break;
    }
    std::u16string text(PdfMessages::kFontBefore);
    text += name;
    text += reason;
    text += PdfMessages::kChooseOther;
    return text;
}

bool PdfEmbeddedFont::ReadFace(const std::string& path, int index)
{
    FtLibrary library;
    FtFace holder;
    if (!library.lib || FT_New_Face(library.lib, path.c_str(), index, &holder.face) != 0)
        return false;
    FT_Face face = holder.face;
    const int64_t em = face->units_per_EM;
    if (em <= 0)
        return false;
    fsType_ = FT_Get_FSType_Flags(face);
    const char* ps = FT_Get_Postscript_Name(face);
    postScriptName_ = ps ? ps : "";
    if (postScriptName_.empty())
        postScriptName_ = "Font";

    bbox_[0] = Thousandths(face->bbox.xMin, em);
    bbox_[1] = Thousandths(face->bbox.yMin, em);
    bbox_[2] = Thousandths(face->bbox.xMax, em);
    bbox_[3] = Thousandths(face->bbox.yMax, em);
    int64_t ascender = face->ascender, descender = face->descender;
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    if (hhea) {
        ascender = hhea->Ascender;
        descender = hhea->Descender;
    }
    ascent_ = Thousandths(ascender, em);
    descent_ = Thousandths(descender, em);

    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    int64_t capHeight = 0;
    int weight = 400;
    bool serif = false;
    if (os2 && os2->version != 0xFFFF) {
        if (os2->version >= 2)
            capHeight = os2->sCapHeight;
        weight = os2->usWeightClass;
        // A family class of 1 to 7 (bar 6) is a serif class; without one the PANOSE serif
        // style tells (2 to 10 are serifs, 11 and above sans serif).
        const int family = os2->sFamilyClass >> 8;
        serif = (family >= 1 && family <= 5) || family == 7 ||
                (family == 0 && os2->panose[0] == 2 && os2->panose[1] >= 2 && os2->panose[1] <= 10);
    }
    if (capHeight <= 0) {
        // Estimated from the height of the capital H, or as seven tenths of the em.
        const FT_UInt h = FT_Get_Char_Index(face, 'H');
        if (h != 0 && FT_Load_Glyph(face, h, FT_LOAD_NO_SCALE) == 0)
            capHeight = face->glyph->metrics.horiBearingY;
        else
            capHeight = em * 7 / 10;
    }
    capHeight_ = Thousandths(capHeight, em);
    // The stem width is not stored in a TrueType font; a common estimate from the weight.
    stemV_ = 50 + (weight / 65) * (weight / 65);

    const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
    italicAngleHundredths_ = 0;
    bool fixed = false;
    if (post) {
        const int64_t angle = post->italicAngle;  // 16.16 fixed point
        italicAngleHundredths_ = int32_t((angle * 100 + (angle < 0 ? -32768 : 32768)) / 65536);
        fixed = post->isFixedPitch != 0;
    }
    flags_ = 32;
    if (fixed)
        flags_ |= 1;
    if (serif)
        flags_ |= 2;
    if (italicAngleHundredths_ != 0 || (face->style_flags & FT_STYLE_FLAG_ITALIC))
        flags_ |= 64;
    return true;
}

PdfEmbeddedFont::Problem PdfEmbeddedFont::Build(const std::string& path, int index, const Codes& used)
{
    const Problem problem = Check(path, index);
    if (problem != Problem::kNone)
        return problem;
    if (!ReadFace(path, index))
        return Problem::kNoFile;
    used_ = used;
    if (used_.none())
        used_.set(' ');  // a font chosen but never drawn with still needs a program
    const bool subset = (fsType_ & kNoSubsetting) == 0;

    HbPtr<hb_blob_t> blob(hb_blob_create_from_file_or_fail(path.c_str()));
    if (!blob)
        return Problem::kNoFile;
    HbPtr<hb_face_t> face(hb_face_create(blob.get(), unsigned(index)));
    HbPtr<hb_subset_input_t> input(hb_subset_input_create_or_fail());
    if (!face || !input)
        return Problem::kSubsetFailed;
    hb_set_t* unicodes = hb_subset_input_unicode_set(input.get());
    if (subset) {
        for (unsigned code = 0; code < 256; ++code) {
            if (used_.test(code))
                hb_set_add(unicodes, DecodeCp1252Char(static_cast<unsigned char>(code)));
        }
        // Hinting is of no use in a document that is mostly printed and zoomed; without it a
        // subset is a third of the size. Layout tables are not read for simple fonts.
        hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_NO_HINTING);
        hb_set_t* drop = hb_subset_input_set(input.get(), HB_SUBSET_SETS_DROP_TABLE_TAG);
        for (const char* tag : {"GSUB", "GPOS", "GDEF", "kern", "DSIG"})
            hb_set_add(drop, hb_tag_from_string(tag, 4));
    } else {
        // The licence allows embedding only the whole font: every glyph under its number.
        hb_face_collect_unicodes(face.get(), unicodes);
        hb_set_t* glyphs = hb_subset_input_glyph_set(input.get());
        const unsigned count = hb_face_get_glyph_count(face.get());
        if (count > 0)
            hb_set_add_range(glyphs, 0, count - 1);
        hb_subset_input_set_flags(input.get(), HB_SUBSET_FLAGS_RETAIN_GIDS);
    }
    HbPtr<hb_face_t> made(hb_subset_or_fail(face.get(), input.get()));
    if (!made)
        return Problem::kSubsetFailed;
    HbPtr<hb_blob_t> bytes(hb_face_reference_blob(made.get()));
    unsigned length = 0;
    const char* data = hb_blob_get_data(bytes.get(), &length);
    if (!data || length == 0)
        return Problem::kSubsetFailed;
    program_.assign(data, length);
    if (!ReadProgram())
        return Problem::kSubsetFailed;

    // The subset tag: six capitals from a hash of the codes and the face, the same for the
    // same subset of the same face.
    baseName_.clear();
    if (subset) {
        uint64_t hash = 1469598103934665603ull;
        auto mix = [&hash](unsigned char b) { hash = (hash ^ b) * 1099511628211ull; };
        for (unsigned code = 0; code < 256; ++code)
            mix(used_.test(code) ? 1 : 0);
        for (const char c : postScriptName_)
            mix(static_cast<unsigned char>(c));
        for (int i = 0; i < 6; ++i) {
            baseName_ += char('A' + hash % 26);
            hash /= 26;
        }
        baseName_ += '+';
    }
    baseName_ += postScriptName_;
    return Problem::kNone;
}

bool PdfEmbeddedFont::ReadProgram()
{
    // Widths and glyphs as the embedded program itself gives them.
    HbPtr<hb_blob_t> blob(
        hb_blob_create(program_.data(), unsigned(program_.size()), HB_MEMORY_MODE_READONLY, nullptr, nullptr));
    HbPtr<hb_face_t> face(hb_face_create(blob.get(), 0));
    HbPtr<hb_font_t> font(hb_font_create(face.get()));
    const int64_t em = hb_face_get_upem(face.get());
    if (em <= 0)
        return false;
    firstChar_ = -1;
    for (unsigned code = 0; code < 256; ++code) {
        if (!used_.test(code))
            continue;
        if (firstChar_ < 0)
            firstChar_ = int32_t(code);
        lastChar_ = int32_t(code);
    }
    for (int32_t code = firstChar_; code <= lastChar_; ++code) {
        hb_codepoint_t glyph = 0;
        const bool mapped =
            hb_font_get_nominal_glyph(font.get(), DecodeCp1252Char(static_cast<unsigned char>(code)), &glyph) &&
            glyph != 0;
        if (used_.test(size_t(code)) && !mapped)
            return false;  // a drawn code would show the missing glyph
        widths_[size_t(code)] = Thousandths(hb_font_get_glyph_h_advance(font.get(), mapped ? glyph : 0), em);
    }
    return true;
}

int32_t PdfEmbeddedFont::Write(PdfObjectWriter& out)
{
    std::string length1 = "/Length1 ";
    AppendInt(length1, int64_t(program_.size()));
    length1 += ' ';
    const int32_t programObj = out.WriteDeflatedStreamObject(length1, program_);

    // The ToUnicode map: every drawn code to its character, at most 100 to a block.
    static const char kHex[] = "0123456789ABCDEF";
    std::string cmap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                       "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                       "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                       "1 begincodespacerange\n<00> <FF>\nendcodespacerange\n";
    size_t left = used_.count();
    unsigned code = 0;
    while (left > 0) {
        const size_t block = left < 100 ? left : 100;
        AppendInt(cmap, int64_t(block));
        cmap += " beginbfchar\n";
        for (size_t n = 0; n < block; ++code) {
            if (!used_.test(code))
                continue;
            const char16_t u = DecodeCp1252Char(static_cast<unsigned char>(code));
            cmap += '<';
            cmap += kHex[code >> 4];
            cmap += kHex[code & 15];
            cmap += "> <";
            for (int shift = 12; shift >= 0; shift -= 4)
                cmap += kHex[(u >> shift) & 15];
            cmap += ">\n";
            ++n;
        }
        cmap += "endbfchar\n";
        left -= block;
    }
    cmap += "endcmap\nCMapName currentdict /CMapResource defineresource pop\nend\nend\n";
    const int32_t mapObj = out.WriteDeflatedStreamObject({}, cmap);

    const std::string name = PdfName(baseName_);
    const int32_t descriptor = out.BeginDictObject();
    std::string line = "/Type /FontDescriptor /FontName " + name + " /Flags ";
    AppendInt(line, flags_);
    out.PutLine(line);
    line = "/FontBBox [";
    for (int i = 0; i < 4; ++i) {
        AppendInt(line, bbox_[i]);
        line += i < 3 ? ' ' : ']';
    }
    line += " /ItalicAngle ";
    if (italicAngleHundredths_ < 0)
        line += '-';
    const int32_t angle = italicAngleHundredths_ < 0 ? -italicAngleHundredths_ : italicAngleHundredths_;
    AppendInt(line, angle / 100);
    if (angle % 100 != 0) {
        line += '.';
        line += char('0' + angle % 100 / 10);
        if (angle % 10 != 0)
            line += char('0' + angle % 10);
    }
    out.PutLine(line);
    line = "/Ascent ";
    AppendInt(line, ascent_);
    line += " /Descent ";
    AppendInt(line, descent_);
    line += " /CapHeight ";
    AppendInt(line, capHeight_);
    line += " /StemV ";
    AppendInt(line, stemV_);
    line += " /FontFile2 ";
    AppendInt(line, programObj);
    line += " 0 R";
    out.PutLine(line);
    out.EndDictObject();

    const int32_t font = out.BeginDictObject();
    out.PutLine("/Type /Font /Subtype /TrueType /BaseFont " + name + " /Encoding /WinAnsiEncoding");
    line = "/FirstChar ";
    AppendInt(line, firstChar_);
    line += " /LastChar ";
    AppendInt(line, lastChar_);
    line += " /FontDescriptor ";
    AppendInt(line, descriptor);
    line += " 0 R /ToUnicode ";
    AppendInt(line, mapObj);
    line += " 0 R";
    out.PutLine(line);
    line = "/Widths [";
    for (int32_t c = firstChar_; c <= lastChar_; ++c) {
        AppendInt(line, widths_[size_t(c)]);
        line += c < lastChar_ ? ' ' : ']';
    }
    out.PutLine(line);
    out.EndDictObject();
    return font;
}
