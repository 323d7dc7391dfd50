#pragma once

#include "foundation/ByteSource.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

// The primitives of the store file, read from a byte source through a block of 64 KiB.
// Every count is checked against the bytes that are left (in the block and in the source)
// before anything is allocated; reading past the end, and any damage found, raise IoError
// with the source's name.
class SaveDatInput {
public:
    explicit SaveDatInput(ByteSource& source);

    uint64_t Remaining() const { return (end_ - pos_) + source_.Remaining(); }
    const std::string& SourceName() const { return source_.Name(); }
    bool AtEnd() const { return pos_ == end_ && source_.AtEnd(); }

    uint8_t U8() { return *Take(1); }
    int32_t I32()
    {
        const uint8_t* b = Take(4);
        return static_cast<int32_t>(uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) |
                                    (uint32_t(b[3]) << 24));
    }
    double F64()
    {
        const uint8_t* b = Take(8);
        uint64_t bits;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&bits, b, sizeof bits);
        } else {
            bits = 0;
            for (int i = 7; i >= 0; --i)
                bits = (bits << 8) | b[i];
        }
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    void Bytes(void* destination, size_t n);

    // A count of items that each take at least minBytesEach bytes: raises IoError when it is
    // negative or when the items cannot all be there.
    uint32_t Count(uint32_t minBytesEach);

    // An 8-bit string record decoded from Windows-1252 straight into a new text buffer;
    // null for the empty text.
    char16_t* Str8Buf();
    std::u16string Str8();
    std::u16string Str16();
    void SkipStr16();

    // Raises IoError for the source: the file ends too early / the contents are damaged.
    [[noreturn]] void FailPastEnd() const;
    [[noreturn]] void FailDamaged() const;
    // Raises IoError for the source: data follows where the file should end (the bytes left,
    // or as many as given).
    [[noreturn]] void FailDataAfterEnd() const;
    [[noreturn]] void FailDataAfterEnd(uint64_t surplus) const;

    static constexpr size_t kBlockSize = 1 << 16;

private:
    // Address of the next n contiguous bytes (n <= kBlockSize), consumed.
    const uint8_t* Take(size_t n)
    {
        if (end_ - pos_ < n)
            Refill(n);
        const uint8_t* at = block_.get() + pos_;
        pos_ += n;
        return at;
    }
    // Makes at least n bytes available in the block or raises IoError.
    void Refill(size_t n);
    // A text record's count, checked against what is left.
    size_t TextCount(size_t unitSize);
    // A count of items of at least bytesEach bytes each, checked against what is left.
    size_t CheckedCount(uint64_t bytesEach);
    void DecodeInto(char16_t* destination, size_t n);

    ByteSource& source_;
    std::unique_ptr<uint8_t[]> block_;
    size_t pos_ = 0;
    size_t end_ = 0;
};

// System text of the error for a file whose contents contradict themselves.
inline constexpr const char* kDamagedFileText = "Datei ist beschädigt";
