#include "foundation/DataFolder.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

void CreateFolderChain(const std::string& path)
{
    const std::string full = WithTrailingSlash(path);
    for (size_t slash = full.find('/', 1); slash != std::string::npos; slash = full.find('/', slash + 1)) {
        const std::string level = full.substr(0, slash);
        if (mkdir(level.c_str(), 0755) != 0 && errno != EEXIST)
            return;
    }
}

std::string ProgramFolder()
{
    std::vector<char> buffer(1024);
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0)
            return {};
        if (static_cast<size_t>(n) < buffer.size()) {
            const std::string program(buffer.data(), static_cast<size_t>(n));
            const size_t slash = program.find_last_of('/');
            return slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
        }
        buffer.resize(buffer.size() * 2);
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
