#include "CommaLocale.h"

#include "PdfTestSupport.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <locale>
#include <unistd.h>

namespace {

class CommaPunct : public std::numpunct<char> {
protected:
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

std::locale& SavedGlobal()
{
    static std::locale saved;
    return saved;
}

// A folder holding de_DE.UTF-8 built with localedef, made once per run and removed at its
// end; empty if impossible.
class BuiltLocale {
public:
    BuiltLocale()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/rekolon-locale-XXXXXX";
        if (!mkdtemp(pattern.data()))
            return;
        created_ = pattern;
        const ToolResult r = RunTool("localedef -i de_DE -f UTF-8 " + Quote(pattern + "/de_DE.UTF-8"));
        if (r.exitCode == 0 || r.exitCode == 1)  // 1: warnings only
            folder_ = pattern;
    }
    ~BuiltLocale()
    {
        std::error_code ignored;
        if (!created_.empty())
            std::filesystem::remove_all(created_, ignored);
    }
    const std::string& Folder() const { return folder_; }

private:
    std::string created_;
    std::string folder_;
};

const std::string& BuiltLocaleFolder()
{
    static const BuiltLocale built;
    return built.Folder();
}

bool CFormatsWithComma()
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
    return std::string(buffer) == "1,5";
}

}

CommaLocale::CommaLocale()
{
    SavedGlobal() = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
    oldCLocale_ = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") && CFormatsWithComma()) {
        cHasComma_ = true;
        return;
    }
    const std::string& folder = BuiltLocaleFolder();
    if (folder.empty()) {
        why_ = "no de_DE.UTF-8 locale and localedef could not build one";
        return;
    }
    setenv("LOCPATH", folder.c_str(), 1);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") && CFormatsWithComma())
        cHasComma_ = true;
    else
        why_ = "the locale built with localedef could not be set";
}

CommaLocale::~CommaLocale()
{
    std::setlocale(LC_ALL, oldCLocale_.c_str());
    unsetenv("LOCPATH");
    std::locale::global(SavedGlobal());
}
