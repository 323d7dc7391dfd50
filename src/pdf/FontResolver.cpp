#include "pdf/FontResolver.h"

#include "foundation/Utf8.h"

#include <fontconfig/fontconfig.h>

namespace {

FontResolver::FontFile Match(const std::string& family, bool bold, bool italic)
{
    FontResolver::FontFile result;
    static const bool initialised = FcInit() == FcTrue;
    if (!initialised)
        return result;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return result;
    if (!family.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult outcome = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &outcome);
    if (match) {
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file) {
            result.path = reinterpret_cast<const char*>(file);
            if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch)
                result.index = index;
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return result;
}

}

FontResolver::FontFile FontResolver::Resolve(const std::u16string& family, bool bold, bool italic)
{
    FontFile file = Match(Utf16ToUtf8(family), bold, italic);
    if (file.path.empty())
        file = ResolveSans(bold, italic);
    return file;
}

FontResolver::FontFile FontResolver::ResolveSans(bool bold, bool italic)
{
    return Match("sans-serif", bold, italic);
}
