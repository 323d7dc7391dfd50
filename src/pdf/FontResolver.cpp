#include "pdf/FontResolver.h"

#include "foundation/Utf8.h"

#include <fontconfig/fontconfig.h>

namespace {

// The writer's own fontconfig configuration, loaded once and destroyed at the end of the run
// (the library's default configuration would stay allocated until FcFini, which is not ours
// to call while other parts of the program use fontconfig).
class Configuration {
public:
    Configuration() : config_(FcInitLoadConfigAndFonts()) {}
    ~Configuration()
    {
        if (config_)
            FcConfigDestroy(config_);
    }
    Configuration(const Configuration&) = delete;
    Configuration& operator=(const Configuration&) = delete;
    FcConfig* Get() const { return config_; }

private:
    FcConfig* config_;
};

FontResolver::FontFile Match(const std::string& family, bool bold, bool italic)
{
    FontResolver::FontFile result;
    static const Configuration configuration;
    FcConfig* config = configuration.Get();
    if (!config)
        return result;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return result;
    if (!family.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult outcome = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &outcome);
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
