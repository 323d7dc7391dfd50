#pragma once

#include "foundation/ByteSink.h"

#include <cstdio>
#include <string>

// Writes a file so that it is either complete or not changed at all: the bytes go to a new
// file beside the target, which replaces the target only in Commit(), after it has been
// flushed to disk. Without Commit() (an error, an exception) the new file is removed and
// the old one stays as it was.
//
// The replaced file keeps what the user set on it: its permission bits (and owner and group
// where the system allows), and a symbolic link stays a link: the file it finally names is
// the one written and replaced (a dangling link's target is created). A new file gets the
// permissions that the umask gives.
class AtomicFileSink final : public ByteSink {
public:
    // Raises IoError when the new file cannot be created (folder missing or read-only; the
    // error's text then says that the folder must take new files), or when the name is a
    // folder, a pipe or a device.
    explicit AtomicFileSink(const std::string& path);
    ~AtomicFileSink() override;

    void Write(const void* data, size_t n) override;
    // Flushes, syncs and renames over the target. Raises IoError on failure (the target
    // then stays as it was).
    void Commit();

    const std::string& TargetPath() const { return Name(); }
    // The file that is replaced: the path itself, or the end of its chain of links.
    const std::string& ReplacedPath() const { return replacedPath_; }

    // Suffix of the new file's name while it is written: target + suffix + six characters.
    static constexpr const char* kTempSuffix = ".neu-";

private:
    void Discard();

    std::FILE* file_ = nullptr;
    std::string replacedPath_;
    std::string tempPath_;
    bool committed_ = false;
};

// The reason given when a folder takes no new file, which a safe save needs.
inline constexpr const char* kFolderTakesNoNewFilesText =
    "Das Verzeichnis erlaubt keine neuen Dateien. Zum sicheren Speichern wird die neue Datei "
    "neben der alten angelegt und erst dann an ihre Stelle gesetzt; dafür muss das Verzeichnis "
    "beschreibbar sein.";
