#include "foundation/DataFolder.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

namespace {

void CreateFolderChain(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        const std::string level = path.substr(0, slash);
        if (mkdir(level.c_str(), 0755) != 0 && errno != EEXIST)
            return;
    }
}

}

std::string WithTrailingSlash(std::string path)
{
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path;
}

std::string GetProgramDir(bool create, const std::string& fallback)
{
    std::string base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (xdg && xdg[0] == '/')
        base = xdg;
    else if (home && home[0] == '/')
        base = WithTrailingSlash(home) + ".local/share";
    else
        return fallback;
    const std::string folder = WithTrailingSlash(base) + "Vestrik/Rekolon/";
    if (create)
        CreateFolderChain(folder);
    return folder;
}

std::string ChooseDataFolder(const DataFolderChoice& choice, const std::string& realprogpath)
{
    if (choice.ProgramFolderCheck)
        return realprogpath;
    if (choice.UserFolderCheck || choice.DirectoryEdit1.empty())
        return WithTrailingSlash(GetProgramDir(true, realprogpath));
    return WithTrailingSlash(choice.DirectoryEdit1);
}
