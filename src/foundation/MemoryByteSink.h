#pragma once

#include "foundation/ByteSink.h"

#include <string>

// Collects the written bytes in memory.
class MemoryByteSink final : public ByteSink {
public:
    explicit MemoryByteSink(std::string name = "<Speicher>") : ByteSink(std::move(name)) {}

    void Write(const void* data, size_t n) override;
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};
