#include "foundation/AtomicFileSink.h"

#include "foundation/IoError.h"
#include "foundation/LinkTarget.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Why the new file cannot be made, in the user's words for the usual causes.
std::string WhyNoNewFile(int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return kFolderTakesNoNewFilesText;
    case ENOENT:
    case ENOTDIR:
        return "Das Verzeichnis gibt es nicht.";
    case ENOSPC:
    case EDQUOT:
        return "Auf dem Datenträger ist kein Platz mehr frei.";
    default:
        return std::strerror(error);
    }
}

}  // namespace

AtomicFileSink::AtomicFileSink(const std::string& path) : ByteSink(path), replacedPath_(LinkTarget(path))
{
    struct stat old {};
    const bool hadOld = stat(replacedPath_.c_str(), &old) == 0;
    if (hadOld && !S_ISREG(old.st_mode))
        throw IoError(path, kNotRegularFileText);
    std::vector<char> pattern(replacedPath_.begin(), replacedPath_.end());
    const std::string suffix = std::string(kTempSuffix) + "XXXXXX";
    pattern.insert(pattern.end(), suffix.begin(), suffix.end());
    pattern.push_back('\0');
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        throw IoError(path, WhyNoNewFile(errno));
    tempPath_ = pattern.data();
    // mkstemp creates with 0600. The new file takes the place of the old one with its
    // rights; a file that is new gets what the umask gives.
    if (hadOld) {
        if (fchown(fd, old.st_uid, old.st_gid) != 0 && fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
            // Not allowed to give the file away: it stays the writer's, with the old bits.
        }
        fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
    }
    file_ = fdopen(fd, "wb");
    if (!file_) {
        const IoError error = IoError::FromErrno(path);
        close(fd);
        unlink(tempPath_.c_str());
        throw error;
    }
}

AtomicFileSink::~AtomicFileSink()
{
    if (!committed_)
        Discard();
}

void AtomicFileSink::Discard()
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!tempPath_.empty())
        unlink(tempPath_.c_str());
    tempPath_.clear();
}

void AtomicFileSink::Write(const void* data, size_t n)
{
    if (!file_)
        throw IoError(Name(), "Datei ist nicht geöffnet");
    if (n > 0 && std::fwrite(data, 1, n, file_) != n)
        throw IoError::FromErrno(Name());
}

void AtomicFileSink::Commit()
{
    if (!file_)
        throw IoError(Name(), "Datei ist nicht geöffnet");
    if (std::fflush(file_) != 0 || fsync(fileno(file_)) != 0) {
        const IoError error = IoError::FromErrno(Name());
        Discard();
        throw error;
    }
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (closed != 0 || std::rename(tempPath_.c_str(), replacedPath_.c_str()) != 0) {
        const IoError error = IoError::FromErrno(Name());
        Discard();
        throw error;
    }
    committed_ = true;
    tempPath_.clear();
}
