#pragma once

// Test helpers for the store file: a builder that writes the primitives by hand, and a walker
// that finds where each of the 22 sections ends. Both follow the file layout on their own,
// independent of the reader and writer under test.

#include <cstdint>
#include <string>
#include <vector>

class FileBytes {
public:
    FileBytes& U8(uint8_t v);
    FileBytes& I32(int32_t v);
    FileBytes& F64(double v);
    FileBytes& S8(const std::string& windows1252);
    FileBytes& S16(const std::u16string& text);
    FileBytes& Raw(const std::string& bytes);
    // A font record: charset, colour, name, pitch, ppi, size, style.
    FileBytes& Font(uint8_t charset, int32_t colour, const std::string& name, uint8_t pitch, int32_t ppi, int32_t size,
                    uint8_t style);
    const std::string& Str() const { return bytes_; }
    size_t Size() const { return bytes_.size(); }

private:
    std::string bytes_;
};

// The offset at which each section ends (index 0 = section 1) for a well-formed file;
// fewer entries when the file ends earlier at a section boundary.
std::vector<size_t> SectionEnds(const std::string& file);

// The default settings' sections 3 to 22 for a book without invoices, as bytes.
std::string DefaultSettingsSections();
