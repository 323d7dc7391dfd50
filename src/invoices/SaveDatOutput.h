#pragma once

#include "foundation/ByteSink.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The primitives of the store file, collected in a block of 64 KiB that goes to the sink
// whenever it is full and at Flush(). Texts are encoded straight into the block, so writing
// a book costs one sink write per block instead of one per field. Without Flush() the bytes
// still in the block are dropped (a failed save leaves nothing half-written behind).
class SaveDatOutput {
public:
    explicit SaveDatOutput(ByteSink& sink);

    void U8(uint8_t value);
    void I32(int32_t value);
    void F64(double value);
    void Bytes(const void* data, size_t n);
    // 8-bit string record in Windows-1252 (as WriteStr8).
    void Str8(std::u16string_view text);
    // 16-bit string record (as WriteStr16).
    void Str16(std::u16string_view text);

    void Flush();

    const std::string& SinkName() const { return sink_.Name(); }

    static constexpr size_t kBlockSize = 1 << 16;

private:
    // Makes room for n more bytes (n <= kBlockSize).
    void Room(size_t n)
    {
        if (kBlockSize - used_ < n)
            Flush();
    }

    ByteSink& sink_;
    std::unique_ptr<uint8_t[]> block_;
    size_t used_ = 0;
};
