#include "foundation/FileByteSource.h"

#include "foundation/IoError.h"

#include <sys/stat.h>

FileByteSource::FileByteSource(const std::string& path) : ByteSource(path)
{
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_)
        throw IoError::FromErrno(path);
    struct stat st {};
    if (fstat(fileno(file_), &st) != 0) {
        const IoError error = IoError::FromErrno(path);
        std::fclose(file_);
        throw error;
    }
    if (!S_ISREG(st.st_mode)) {
        std::fclose(file_);
        throw IoError(path, "Keine gewöhnliche Datei");
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
