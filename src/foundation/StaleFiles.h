#pragma once

#include <cstddef>
#include <string>

// Leftovers of a run that was killed while it wrote: the new file of an unfinished safe save
// beside save.dat or a customer table file (name + ".neu-" + six letters or digits), and the
// image files of an unfinished PDF export in the temporary folder ("temppdfimg" or "tempim",
// a number, ".bmp", ".jpg" or ".jp2", possibly with such a suffix). Only regular files of
// exactly these names are removed; in the temporary folder, which other users share, only
// those of this user.
class StaleFiles {
public:
    // The lock files that running instances hold shared (see InstanceLock).
    static std::string DataFolderLockPath(const std::string& dataFolder);
    static std::string TempFolderLockPath(const std::string& tempFolder);

    // Remove the leftovers; the caller makes sure no other instance is at work. Beside a data
    // file that is a link, the leftovers are looked for beside the link's target. Return how
    // many files were removed.
    static size_t RemoveFromDataFolder(const std::string& dataFolder);
    static size_t RemoveFromTempFolder(const std::string& tempFolder);

    // At start, once the data folder is known: the leftovers of both folders are removed
    // where no other instance holds the folder's lock; from then on this process holds both
    // locks shared, so that an instance started later leaves this one's files alone.
    static void ClaimFolders(const std::string& dataFolder);
};
