#pragma once

#include <string>

// The per-user data folder: $XDG_DATA_HOME/Vestrik/Rekolon/, or
// ~/.local/share/Vestrik/Rekolon/ when XDG_DATA_HOME is unset or not absolute. When neither
// that nor a home folder is known, the fallback is returned unchanged. With create, every
// missing level of the folder chain is created (a failure is not reported here: the first
// write into the folder reports it). Paths are UTF-8 and end in "/".
std::string GetProgramDir(bool create, const std::string& fallback);

// Creates every missing level of the folder chain of path (as the file system spells it); a
// failure is not reported here.
void CreateFolderChain(const std::string& path);

// The folder of the running program file, ending in "/", as the file system spells it; empty
// when the system does not tell.
std::string ProgramFolder();

// Appends "/" unless the path is empty or already ends in one.
std::string WithTrailingSlash(std::string path);

// The stored choice of the data folder dialog.
struct DataFolderChoice {
    bool ProgramFolderCheck = false;
    bool UserFolderCheck = true;
    bool UseSpecialFolderCheck = false;
    std::string DirectoryEdit1;
};

// The data folder for this run from the stored choice: the program folder, the per-user
// folder (created), or the user's own folder. An own folder left empty falls back to the
// per-user folder, so the program always has a usable place for its files.
std::string ChooseDataFolder(const DataFolderChoice& choice, const std::string& realprogpath);
