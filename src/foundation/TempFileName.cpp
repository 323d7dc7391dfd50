#include "foundation/TempFileName.h"

#include <cstdlib>
#include <sys/stat.h>

std::string TempFolder()
{
    const char* env = std::getenv("TMPDIR");
    std::string folder = (env && *env) ? env : "/tmp";
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

std::string TempFileName(const std::string& prefix, const std::string& suffix)
{
    const std::string folder = TempFolder();
    for (unsigned long long i = 0;; ++i) {
        std::string candidate = folder + prefix + std::to_string(i) + suffix;
        struct stat st;
        if (lstat(candidate.c_str(), &st) != 0)
            return candidate;
    }
}
