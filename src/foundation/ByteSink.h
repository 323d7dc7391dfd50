#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A destination for bytes. A failed write raises IoError.
class ByteSink {
public:
    explicit ByteSink(std::string name) : name_(std::move(name)) {}
    virtual ~ByteSink() = default;
    ByteSink(const ByteSink&) = delete;
    ByteSink& operator=(const ByteSink&) = delete;

    virtual void Write(const void* data, size_t n) = 0;

    void WriteU8(uint8_t value);
    void WriteU16(uint16_t value);  // little-endian
    void WriteI32(int32_t value);   // little-endian
    void WriteU32(uint32_t value);  // little-endian
    void WriteF64(double value);    // IEEE 754, little-endian
    void WriteBytes(const std::string& bytes) { Write(bytes.data(), bytes.size()); }

    // The file name used in error reports.
    const std::string& Name() const { return name_; }

private:
    std::string name_;
};
