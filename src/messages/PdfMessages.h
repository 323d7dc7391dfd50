#pragma once

#include <string_view>

// Texts of the PDF writer's archive (PDF/A-3) mode. Each font text is put around the font's
// name: first part, name, second part.
namespace PdfMessages {

inline constexpr std::u16string_view kFontBefore = u"Die Schrift „";
inline constexpr std::u16string_view kChooseOther = u" Bitte wählen Sie in den Einstellungen eine andere Schrift.";
// After the name: why the font cannot be embedded.
inline constexpr std::u16string_view kLicenceForbids = u"“ darf laut ihrer Lizenz nicht eingebettet werden.";
inline constexpr std::u16string_view kLicenceBitmapOnly =
    u"“ darf laut ihrer Lizenz nur als Bitmap eingebettet werden.";
inline constexpr std::u16string_view kBitmapFont = u"“ ist eine Bitmap-Schrift und kann nicht eingebettet werden.";
inline constexpr std::u16string_view kNoFontFile = u"“ wurde nicht gefunden und kann nicht eingebettet werden.";
inline constexpr std::u16string_view kNotTrueType = u"“ ist keine TrueType-Schrift und kann nicht eingebettet werden.";
inline constexpr std::u16string_view kSubsetFailed = u"“ konnte nicht eingebettet werden.";

}  // namespace PdfMessages
