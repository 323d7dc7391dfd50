#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A source of bytes that knows how many are left. Format readers check every count they
// read against Remaining() before they allocate or read, so a damaged file can never make
// them read or allocate past its end. Reading more than is left raises IoError.
class ByteSource {
public:
    explicit ByteSource(std::string name) : name_(std::move(name)) {}
    virtual ~ByteSource() = default;
    ByteSource(const ByteSource&) = delete;
    ByteSource& operator=(const ByteSource&) = delete;

    virtual uint64_t Remaining() const = 0;
    bool AtEnd() const { return Remaining() == 0; }

    // Reads exactly n bytes or raises IoError (nothing is read then).
    void Read(void* destination, size_t n);
    void Skip(uint64_t n);

    uint8_t ReadU8();
    int32_t ReadI32();   // little-endian
    uint16_t ReadU16();  // little-endian
    uint32_t ReadU32();  // little-endian
    double ReadF64();    // IEEE 754, little-endian

    // The file name used in error reports.
    const std::string& Name() const { return name_; }

    // Raises the error that reading past the end gives.
    [[noreturn]] void FailPastEnd() const;

protected:
    // Reads n bytes, n <= Remaining().
    virtual void ReadRaw(void* destination, size_t n) = 0;
    virtual void SkipRaw(uint64_t n) = 0;

private:
    std::string name_;
};
