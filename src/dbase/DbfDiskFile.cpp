#include "dbase/DbfDiskFile.h"

#include "foundation/IoError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

DbfDiskFile::~DbfDiskFile()
{
    Close();
}

void DbfDiskFile::Open(const std::string& path)
{
    Close();
    // Opened without waiting, so that a named pipe in the table's place does not block
    // until someone writes to it; it is refused below.
    int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    bool readOnly = false;
    if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        readOnly = true;
    }
    if (fd < 0)
        throw IoError::FromErrno(path);
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        const IoError error = IoError::FromErrno(path);
        ::close(fd);
        throw error;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        throw IoError(path, kNotRegularFileText);
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    fd_ = fd;
    readOnly_ = readOnly;
    size_ = static_cast<uint64_t>(st.st_size);
    path_ = path;
}

void DbfDiskFile::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    size_ = 0;
}

size_t DbfDiskFile::ReadSomeAt(uint64_t offset, void* destination, size_t n) const
{
    if (fd_ < 0)
        throw IoError(path_, "Datei ist nicht geöffnet");
    auto* out = static_cast<char*>(destination);
    size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(fd_, out + done, n - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw IoError::FromErrno(path_);
        }
        if (got == 0)
            break;
        done += static_cast<size_t>(got);
    }
    return done;
}

void DbfDiskFile::ReadAt(uint64_t offset, void* destination, size_t n) const
{
    if (ReadSomeAt(offset, destination, n) != n)
        throw IoError(path_, kReadPastEndText);
}

void DbfDiskFile::WriteAt(uint64_t offset, const void* data, size_t n)
{
    if (fd_ < 0)
        throw IoError(path_, "Datei ist nicht geöffnet");
    if (readOnly_)
        throw IoError(path_, "Die Datei ist schreibgeschützt");
    const auto* in = static_cast<const char*>(data);
    size_t done = 0;
    while (done < n) {
        const ssize_t put = ::pwrite(fd_, in + done, n - done, static_cast<off_t>(offset + done));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            throw IoError::FromErrno(path_);
        }
        done += static_cast<size_t>(put);
    }
    if (offset + n > size_)
        size_ = offset + n;
}

void DbfDiskFile::Sync()
{
    if (fd_ >= 0 && !readOnly_ && fsync(fd_) != 0)
        throw IoError::FromErrno(path_);
}

bool DbfDiskFile::IsFileAt(const std::string& path) const
{
    struct stat open {};
    struct stat named {};
    return fd_ >= 0 && fstat(fd_, &open) == 0 && ::stat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}
