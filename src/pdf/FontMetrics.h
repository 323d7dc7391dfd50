#pragma once

#include "pdf/FontFace.h"
#include "pdf/FontSizeMetrics.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

struct FT_LibraryRec_;

// The font machinery of the PDF writer: for a face name and a style set it finds the face
// through fontconfig, reads it with FreeType and keeps it, with the metrics of every size
// asked for, for the rest of the run. Only bold (bit 0) and italic (bit 1) of the style
// choose the face; underline and strike-out do not change any metric.
class FontMetrics {
public:
    // The one instance of the run (user-interface thread only).
    static FontMetrics& Shared();

    FontMetrics();
    ~FontMetrics();
    FontMetrics(const FontMetrics&) = delete;
    FontMetrics& operator=(const FontMetrics&) = delete;

    // Metrics in whole points at a size in points; the reference stays valid for the run.
    const FontSizeMetrics& Size(const std::u16string& name, uint8_t style, int32_t size);
    // The font dictionary's metrics at 12 pixels per em.
    FontDictMetrics Dict(const std::u16string& name, uint8_t style);
    // The file the face was read from (empty for the stand-in when no font exists at all).
    std::string FacePath(const std::u16string& name, uint8_t style);
    // The face's index in that file, and the face itself (for its glyph coverage).
    int FaceIndex(const std::u16string& name, uint8_t style);
    const FontFace& Face(const std::u16string& name, uint8_t style);

    // A face read from a given file instead of through fontconfig (null when unreadable).
    std::unique_ptr<FontFace> LoadFile(const std::string& path, int index = 0);
    // Makes a name and style (bold and italic bits) use the given face from now on, in place
    // of what fontconfig would find; for faces fontconfig does not offer (bitmap faces).
    // False, and nothing changed, when the name and style have been measured already
    // (measurements handed out stay valid for the run).
    bool Register(const std::u16string& name, uint8_t style, std::unique_ptr<FontFace> face);

private:
    struct Entry {
        std::unique_ptr<FontFace> face;
        std::unordered_map<int32_t, FontSizeMetrics> sizes;
    };
    Entry& Find(const std::u16string& name, uint8_t style);

    FT_LibraryRec_* library_ = nullptr;
    std::map<std::pair<std::u16string, uint8_t>, Entry> entries_;
};
