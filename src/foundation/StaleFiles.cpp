#include "foundation/StaleFiles.h"

#include "foundation/AtomicFileSink.h"
#include "foundation/DataFolder.h"
#include "foundation/InstanceLock.h"
#include "foundation/IoError.h"
#include "foundation/LinkTarget.h"
#include "foundation/TempFileName.h"

#include <algorithm>
#include <array>
#include <dirent.h>
#include <map>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The files of the data folder that are replaced through a new file beside them.
constexpr std::array<const char*, 5> kSafelySavedNames = {"save.dat", "customers.dbf", "customers.dbt", "temp.dbf",
                                                          "temp.dbt"};
constexpr size_t kUniqueLength = 6;  // mkstemp's "XXXXXX"

bool IsLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// ".neu-" followed by exactly six letters or digits, and nothing else.
bool IsTempSuffix(std::string_view rest)
{
    const std::string_view suffix = AtomicFileSink::kTempSuffix;
    if (rest.size() != suffix.size() + kUniqueLength || rest.substr(0, suffix.size()) != suffix)
        return false;
    for (char c : rest.substr(suffix.size())) {
        if (!IsLetterOrDigit(c))
            return false;
    }
    return true;
}

bool StartsWith(std::string_view text, std::string_view start)
{
    return text.substr(0, start.size()) == start;
}

// prefix, one or more digits, then one of the extensions; rest is what follows.
bool MatchNumbered(std::string_view name, std::string_view prefix, std::initializer_list<std::string_view> extensions,
                   std::string_view& rest)
{
    if (!StartsWith(name, prefix))
        return false;
    size_t i = prefix.size();
    const size_t digits = i;
    while (i < name.size() && name[i] >= '0' && name[i] <= '9')
        ++i;
    if (i == digits)
        return false;
    for (std::string_view extension : extensions) {
        if (StartsWith(name.substr(i), extension)) {
            rest = name.substr(i + extension.size());
            return true;
        }
    }
    return false;
}

bool IsPdfImageTempName(std::string_view name)
{
    std::string_view rest;
    if (!MatchNumbered(name, "temppdfimg", {".bmp"}, rest) && !MatchNumbered(name, "tempim", {".jpg", ".jp2"}, rest))
        return false;
    return rest.empty() || IsTempSuffix(rest);
}

// Removes every regular file in folder whose name passes the test (and, with ownerOnly, that
// belongs to this user).
template <class Test> size_t RemoveMatching(const std::string& folder, Test test, bool ownerOnly)
{
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return 0;
    std::vector<std::string> victims;
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (test(name))
            victims.emplace_back(name);
    }
    closedir(dir);
    size_t removed = 0;
    for (const std::string& name : victims) {
        const std::string path = folder + name;
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (ownerOnly && st.st_uid != geteuid())
            continue;
        if (unlink(path.c_str()) == 0)
            ++removed;
    }
    return removed;
}

}  // namespace

std::string StaleFiles::DataFolderLockPath(const std::string& dataFolder)
{
    return WithTrailingSlash(dataFolder) + ".rekolon.lock";
}

std::string StaleFiles::TempFolderLockPath(const std::string& tempFolder)
{
    // The temporary folder is shared by all users: one lock file each.
    return WithTrailingSlash(tempFolder) + "rekolon-" + std::to_string(geteuid()) + ".lock";
}

size_t StaleFiles::RemoveFromDataFolder(const std::string& dataFolder)
{
    // The new file is written beside the file that is finally replaced, which for a link is
    // its target, perhaps in another folder; beside the name in the data folder itself lie
    // the leftovers from before it became a link.
    std::map<std::string, std::vector<std::string>> basesByFolder;
    const auto add = [&basesByFolder](const std::string& path) {
        const size_t slash = path.find_last_of('/');
        const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
        std::vector<std::string>& bases = basesByFolder[folder];
        const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
        if (std::find(bases.begin(), bases.end(), base) == bases.end())
            bases.push_back(base);
    };
    for (const char* name : kSafelySavedNames) {
        const std::string path = WithTrailingSlash(dataFolder) + name;
        add(path);
        try {
            add(LinkTarget(path));
        } catch (const IoError&) {
        }
    }
    size_t removed = 0;
    for (const auto& entry : basesByFolder) {
        const std::vector<std::string>& bases = entry.second;  // clang 14 captures no structured binding
        removed += RemoveMatching(
            entry.first,
            [&bases](std::string_view name) {
                for (const std::string& base : bases) {
                    if (StartsWith(name, base) && IsTempSuffix(name.substr(base.size())))
                        return true;
                }
                return false;
            },
            false);
    }
    return removed;
}

size_t StaleFiles::RemoveFromTempFolder(const std::string& tempFolder)
{
    return RemoveMatching(WithTrailingSlash(tempFolder), IsPdfImageTempName, true);
}

void StaleFiles::ClaimFolders(const std::string& dataFolder)
{
    InstanceLock::WhileAlone(DataFolderLockPath(dataFolder), [&dataFolder] { RemoveFromDataFolder(dataFolder); });
    const std::string tempFolder = TempFolder();
    InstanceLock::WhileAlone(TempFolderLockPath(tempFolder), [&tempFolder] { RemoveFromTempFolder(tempFolder); });
}
