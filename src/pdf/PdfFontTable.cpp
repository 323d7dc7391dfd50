#include "pdf/PdfFontTable.h"

#include "foundation/Cp1252.h"
#include "foundation/TDynaArray.h"
#include "pdf/FontMetrics.h"
#include "pdf/PdfNumbers.h"
#include "pdf/PdfObjectWriter.h"
#include "pdf/TPDFFont.h"

#include <cstdlib>
#include <cstring>
#include <new>

PdfFontTable::PdfFontTable() = default;

PdfFontTable::~PdfFontTable()
{
    Release();
}

void PdfFontTable::Begin()
{
    Release();
    list_ = std::make_unique<TDynaArray>(uint32_t(sizeof(TPDFFontRec)), nullptr);
}

void PdfFontTable::Release()
{
    if (list_) {
        const uint32_t count = list_->Count();
        for (uint32_t i = 0; i < count; ++i)
            std::free(static_cast<TPDFFontRec*>(list_->At(i))->name);
    }
    list_.reset();
    firstObject_ = 0;
    used_.clear();
    embedded_.clear();
    objectOf_.clear();
}

int32_t PdfFontTable::Count() const
{
    return list_ ? int32_t(list_->Count()) : 0;
}

const TPDFFontRec& PdfFontTable::At(int32_t index) const
{
    return *static_cast<const TPDFFontRec*>(list_->At(uint32_t(index)));
}

int32_t PdfFontTable::Number(std::u16string_view name, uint8_t style)
{
    if (!list_)
        return 0;
    // The stored names are zero-terminated; a name is compared up to its first zero unit.
    name = name.substr(0, name.find(u'\0'));
    const int32_t count = Count();
    for (int32_t i = 0; i < count; ++i) {
        const TPDFFontRec& rec = At(i);
        if (rec.style == style && name == std::u16string_view(rec.name))
            return i + 1;
    }
    auto* copy = static_cast<char16_t*>(std::calloc(name.size() + 1, sizeof(char16_t)));
    if (!copy)
        return 0;
    try {
        used_.resize(size_t(count) + 1);
    } catch (const std::bad_alloc&) {
        std::free(copy);
        return 0;
    }
    auto* rec = static_cast<TPDFFontRec*>(list_->Add());
    if (!rec) {
        std::free(copy);
        return 0;
    }
    std::memcpy(copy, name.data(), name.size() * sizeof(char16_t));
    rec->name = copy;
    rec->style = style;
    return Count();
}

void PdfFontTable::AppendResources(std::string& out) const
{
    const int32_t count = Count();
    for (int32_t j = 1; j <= count; ++j) {
        out += "/F";
        AppendInt(out, j);
        out += ' ';
        if (size_t(j) <= objectOf_.size())
            AppendInt(out, objectOf_[size_t(j) - 1]);
        else
            AppendInt(out, int64_t(firstObject_) + j - 1);
        out += " 0 R";
    }
}

std::string PdfFontTable::PdfFontName(std::u16string_view name, uint8_t style)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char16_t unit : name) {
        if (unit == 0)
            continue;
        // A character beyond the 8-bit range is named by its Windows-1252 byte: a longer hex
        // code would be read back as two bytes.
        const unsigned code = unit > 0xFF ? static_cast<unsigned char>(EncodeCp1252Char(unit)) : unit;
        const bool plain = code >= 33 && code <= 126 && code != '#' && code != '%' && code != '(' && code != ')' &&
                           code != '/' && code != '<' && code != '>' && code != '[' && code != ']' && code != '{' &&
                           code != '}';
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

void PdfFontTable::WriteFonts(PdfObjectWriter& out)
{
    firstObject_ = out.NextObjectNumber();
    const int32_t count = Count();
    for (int32_t j = 0; j < count; ++j)
        WriteFont(out, At(j));
}

void PdfFontTable::WriteFont(PdfObjectWriter& out, const TPDFFontRec& rec)
{
    const std::u16string name(rec.name);
    const FontDictMetrics m = FontMetrics::Shared().Dict(name, rec.style);

    out.BeginDictObject();
    out.PutLine("/Type /Font");
    out.PutLine("/Subtype /TrueType");
    out.PutLine("/Encoding /WinAnsiEncoding");
    line_.assign("/BaseFont /");
    line_ += PdfFontName(name, rec.style);
    out.PutLine(line_);
    out.PutLine("/FontDescriptor <</Type/FontDescriptor");
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
    out.PutLine(line_);
    line_.assign("/Flags 4/Ascent ");
    AppendInt(line_, ScaleToThousandths(m.ascent));
    line_ += "/Descent ";
    AppendInt(line_, ScaleToThousandths(m.descent));
    if (m.outline) {
        line_ += "/ItalicAngle ";
        AppendInt(line_, m.italicAngle);
    }
    line_ += ">>";
    out.PutLine(line_);
    line_.assign("/FirstChar ");
    AppendInt(line_, m.firstChar);
    out.PutLine(line_);
    line_.assign("/LastChar ");
    AppendInt(line_, m.lastChar);
    out.PutLine(line_);
    line_.assign("/Widths [");
    for (int32_t code = m.firstChar; code <= m.lastChar; ++code) {
        AppendInt(line_, ScaleToThousandths(m.widths[size_t(code)]));
        line_ += ' ';
    }
    out.Put(line_);
    out.PutLine("]");
    out.EndDictObject();
}

// ---- Embedded fonts (archive documents) ----

void PdfFontTable::UseCodes(int32_t number, std::string& codes)
{
    if (number < 1 || number > Count())
        return;
    const TPDFFontRec& rec = At(number - 1);
    const FontFace& face = FontMetrics::Shared().Face(std::u16string(rec.name), rec.style);
    const char replacement = face.Glyph('?') != 0 ? '?' : face.Glyph(' ') != 0 ? ' ' : '\0';
    PdfEmbeddedFont::Codes& used = used_[size_t(number) - 1];
    size_t kept = 0;
    for (const char c : codes) {
        char code = c;
        if (face.Glyph(static_cast<unsigned char>(code)) == 0)
            code = replacement;
        if (code == '\0')
            continue;
        used.set(static_cast<unsigned char>(code));
        codes[kept++] = code;
    }
    codes.resize(kept);
}

std::u16string PdfFontTable::DisplayName(const std::u16string& name, uint8_t style)
{
    const bool bold = (style & TPDFFont::fsBold) != 0;
    const bool italic = (style & TPDFFont::fsItalic) != 0;
    if (bold && italic)
        return name + u" fett kursiv";
    if (bold)
        return name + u" fett";
    if (italic)
        return name + u" kursiv";
    return name;
}

std::vector<PdfFontTable::FaceGroup> PdfFontTable::Groups() const
{
    std::vector<FaceGroup> groups;
    const int32_t count = Count();
    for (int32_t j = 0; j < count; ++j) {
        const TPDFFontRec& rec = At(j);
        const uint8_t style = rec.style & (TPDFFont::fsBold | TPDFFont::fsItalic);
        size_t g = 0;
        while (g < groups.size() && !(groups[g].style == style && groups[g].name == rec.name))
            ++g;
        if (g == groups.size()) {
            groups.emplace_back();
            groups.back().name = rec.name;
            groups.back().style = style;
        }
        groups[g].used |= used_[size_t(j)];
    }
    return groups;
}

std::vector<std::u16string> PdfFontTable::EmbeddingProblems() const
{
    std::vector<std::u16string> lines;
    FontMetrics& metrics = FontMetrics::Shared();
    for (const FaceGroup& g : Groups()) {
        const auto problem =
            PdfEmbeddedFont::Check(metrics.FacePath(g.name, g.style), metrics.FaceIndex(g.name, g.style));
        if (problem != PdfEmbeddedFont::Problem::kNone)
            lines.push_back(PdfEmbeddedFont::ProblemText(problem, DisplayName(g.name, g.style)));
    }
    return lines;
}

std::vector<std::u16string> PdfFontTable::PrepareEmbedded()
{
    std::vector<std::u16string> lines;
    FontMetrics& metrics = FontMetrics::Shared();
    embedded_ = Groups();
    for (FaceGroup& g : embedded_) {
        const auto problem =
            g.font.Build(metrics.FacePath(g.name, g.style), metrics.FaceIndex(g.name, g.style), g.used);
        if (problem != PdfEmbeddedFont::Problem::kNone)
            lines.push_back(PdfEmbeddedFont::ProblemText(problem, DisplayName(g.name, g.style)));
    }
    return lines;
}

void PdfFontTable::WriteEmbeddedFonts(PdfObjectWriter& out)
{
    for (FaceGroup& g : embedded_)
        g.object = g.font.Write(out);
    objectOf_.clear();
    const int32_t count = Count();
    for (int32_t j = 0; j < count; ++j) {
        const TPDFFontRec& rec = At(j);
        const uint8_t style = rec.style & (TPDFFont::fsBold | TPDFFont::fsItalic);
        for (const FaceGroup& g : embedded_) {
            if (g.style == style && g.name == rec.name)
                objectOf_.push_back(g.object);
        }
    }
}
