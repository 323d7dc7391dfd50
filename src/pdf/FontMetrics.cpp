#include "pdf/FontMetrics.h"

#include "pdf/FontResolver.h"

#include <ft2build.h>
#include FT_FREETYPE_H

FontMetrics& FontMetrics::Shared()
{
    static FontMetrics instance;
    return instance;
}

FontMetrics::FontMetrics()
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0)
        library_ = library;
}

FontMetrics::~FontMetrics()
{
    entries_.clear();  // faces go before their library
    if (library_)
        FT_Done_FreeType(library_);
}

std::unique_ptr<FontFace> FontMetrics::LoadFile(const std::string& path, int index)
{
    return FontFace::Load(library_, path, index);
}

bool FontMetrics::Register(const std::u16string& name, uint8_t style, std::unique_ptr<FontFace> face)
{
    if (!face)
        return false;
    const auto key = std::make_pair(name, uint8_t(style & 3));
    if (entries_.count(key) != 0)
        return false;
    Entry entry;
    entry.face = std::move(face);
    entries_.emplace(key, std::move(entry));
    return true;
}

FontMetrics::Entry& FontMetrics::Find(const std::u16string& name, uint8_t style)
{
    const uint8_t faceStyle = style & 3;
    const auto key = std::make_pair(name, faceStyle);
    auto it = entries_.find(key);
    if (it != entries_.end())
        return it->second;

    const bool bold = (faceStyle & 1) != 0;
    const bool italic = (faceStyle & 2) != 0;
    Entry entry;
    const FontResolver::FontFile file = FontResolver::Resolve(name, bold, italic);
    if (!file.path.empty())
        entry.face = LoadFile(file.path, file.index);
    if (!entry.face) {
        const FontResolver::FontFile sans = FontResolver::ResolveSans(bold, italic);
        if (!sans.path.empty())
            entry.face = LoadFile(sans.path, sans.index);
    }
    if (!entry.face)
        entry.face = FontFace::Placeholder();
    return entries_.emplace(key, std::move(entry)).first->second;
}

const FontSizeMetrics& FontMetrics::Size(const std::u16string& name, uint8_t style, int32_t size)
{
    Entry& entry = Find(name, style);
    auto it = entry.sizes.find(size);
    if (it == entry.sizes.end())
        it = entry.sizes.emplace(size, entry.face->SizeMetrics(size)).first;
    return it->second;
}

FontDictMetrics FontMetrics::Dict(const std::u16string& name, uint8_t style)
{
    return Find(name, style).face->DictMetrics();
}

std::string FontMetrics::FacePath(const std::u16string& name, uint8_t style)
{
    return Find(name, style).face->Path();
}

int FontMetrics::FaceIndex(const std::u16string& name, uint8_t style)
{
    return Find(name, style).face->Index();
}

const FontFace& FontMetrics::Face(const std::u16string& name, uint8_t style)
{
    return *Find(name, style).face;
}
