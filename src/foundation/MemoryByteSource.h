#pragma once

#include "foundation/ByteSource.h"

#include <string>
#include <string_view>

// Reads from bytes held in memory (a copy is kept).
class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::string bytes, std::string name = "<Speicher>");

    uint64_t Remaining() const override { return bytes_.size() - pos_; }
    size_t Position() const { return pos_; }

protected:
    void ReadRaw(void* destination, size_t n) override;
    void SkipRaw(uint64_t n) override { pos_ += static_cast<size_t>(n); }

private:
    std::string bytes_;
    size_t pos_ = 0;
};
