#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

class PdfObjectWriter;

// One font of an archive (PDF/A) document as it is embedded: the TrueType program of its face
// cut down with HarfBuzz's subsetter to the Windows-1252 codes drawn in it (or whole when the
// licence forbids subsetting), with its font dictionary, font descriptor and ToUnicode map.
// The dictionary stays a simple TrueType font in the WinAnsi encoding, so the content streams
// are those of an ordinary document; its widths are read back from the embedded program.
class PdfEmbeddedFont {
public:
    enum class Problem { kNone, kLicence, kBitmapLicence, kBitmapFace, kNoFile, kNotTrueType, kSubsetFailed };
    using Codes = std::bitset<256>;

    // Whether the face in the file (at index) can be embedded at all.
    static Problem Check(const std::string& path, int index);
    // The German line telling the user that the font `name` cannot be embedded and why.
    static std::u16string ProblemText(Problem problem, std::u16string_view name);

    // Builds the font program for the codes used; kNone when it is ready to be written.
    Problem Build(const std::string& path, int index, const Codes& used);
    // Writes the font program, the ToUnicode map, the descriptor and the font dictionary;
    // gives the number of the dictionary.
    int32_t Write(PdfObjectWriter& out);

    const std::string& Program() const { return program_; }
    const std::string& BaseName() const { return baseName_; }

private:
    bool ReadFace(const std::string& path, int index);
    bool ReadProgram();

    Codes used_;
    int32_t firstChar_ = 32, lastChar_ = 32;
    std::array<int32_t, 256> widths_{};
    std::string program_;
    std::string baseName_;
    // Descriptor values in thousandths of an em.
    int32_t bbox_[4] = {0, 0, 0, 0};
    int32_t ascent_ = 0, descent_ = 0, capHeight_ = 0, stemV_ = 0;
    int32_t italicAngleHundredths_ = 0;
    int32_t flags_ = 32;
    uint16_t fsType_ = 0;
    std::string postScriptName_;
};
