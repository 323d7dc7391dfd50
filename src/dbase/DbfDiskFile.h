#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A file read and written at given offsets, as a table needs it: records are read on demand
// and written in place. Every failure (a short read included) raises IoError naming the file.
class DbfDiskFile {
public:
    DbfDiskFile() = default;
    ~DbfDiskFile();
    DbfDiskFile(const DbfDiskFile&) = delete;
    DbfDiskFile& operator=(const DbfDiskFile&) = delete;

    // Opens for reading and writing; a file that may only be read is opened read-only, and
    // writing to it then raises IoError.
    void Open(const std::string& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }
    bool ReadOnly() const { return readOnly_; }
    const std::string& Path() const { return path_; }

    // The size as last seen (kept up to date by WriteAt).
    uint64_t Size() const { return size_; }

    // Reads exactly n bytes at offset; a read past the end raises IoError.
    void ReadAt(uint64_t offset, void* destination, size_t n) const;
    // Reads up to n bytes at offset, fewer only at the end of the file; returns the count.
    size_t ReadSomeAt(uint64_t offset, void* destination, size_t n) const;
    void WriteAt(uint64_t offset, const void* data, size_t n);
    // Forces written data to the disk.
    void Sync();
    // Whether path names (through links) the file that is open here.
    bool IsFileAt(const std::string& path) const;

private:
    int fd_ = -1;
    bool readOnly_ = false;
    uint64_t size_ = 0;
    std::string path_;
};
