#include "foundation/FileByteSource.h"

#include "foundation/IoError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileByteSource::FileByteSource(const std::string& path) : ByteSource(path)
{
    // Opened without waiting, so that a named pipe does not block until someone writes to
    // it: only a regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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
    file_ = fdopen(fd, "rb");
    if (!file_) {
        const IoError error = IoError::FromErrno(path);
        ::close(fd);
        throw error;
    }
    size_ = static_cast<uint64_t>(st.st_size);
}

FileByteSource::~FileByteSource()
{
    std::fclose(file_);
}

void FileByteSource::ReadRaw(void* destination, size_t n)
{
    if (std::fread(destination, 1, n, file_) != n) {
        if (std::ferror(file_))
            throw IoError::FromErrno(Name());
        FailPastEnd();  // the file shrank while it was read
    }
    pos_ += n;
}

void FileByteSource::SkipRaw(uint64_t n)
{
    if (fseeko(file_, static_cast<off_t>(pos_ + n), SEEK_SET) != 0)
        throw IoError::FromErrno(Name());
    pos_ += n;
}
