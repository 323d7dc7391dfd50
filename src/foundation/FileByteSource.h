#pragma once

#include "foundation/ByteSource.h"

#include <cstdio>
#include <string>

// Reads a file from the start; the bytes left are known from the file's size at opening.
// Opening a file that does not exist or cannot be read raises IoError.
class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(const std::string& path);
    ~FileByteSource() override;

    uint64_t Remaining() const override { return size_ - pos_; }
    uint64_t Position() const { return pos_; }
    uint64_t Size() const { return size_; }

protected:
    void ReadRaw(void* destination, size_t n) override;
    void SkipRaw(uint64_t n) override;

private:
    std::FILE* file_ = nullptr;
    uint64_t size_ = 0;
    uint64_t pos_ = 0;
};
