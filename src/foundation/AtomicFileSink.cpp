#include "foundation/AtomicFileSink.h"

#include "foundation/IoError.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

AtomicFileSink::AtomicFileSink(const std::string& path) : ByteSink(path)
{
    std::vector<char> pattern(path.begin(), path.end());
    const std::string suffix = ".neu-XXXXXX";
    pattern.insert(pattern.end(), suffix.begin(), suffix.end());
    pattern.push_back('\0');
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        throw IoError::FromErrno(path);
    tempPath_ = pattern.data();
    // mkstemp creates with 0600; give the file the usual permissions of a data file.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
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
    if (closed != 0 || std::rename(tempPath_.c_str(), Name().c_str()) != 0) {
        const IoError error = IoError::FromErrno(Name());
        Discard();
        throw error;
    }
    committed_ = true;
    tempPath_.clear();
}
