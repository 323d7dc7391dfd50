#include "foundation/ByteSink.h"

#include <cstring>

void ByteSink::WriteU8(uint8_t value)
{
    Write(&value, 1);
}

void ByteSink::WriteU16(uint16_t value)
{
    const uint8_t b[2] = {uint8_t(value), uint8_t(value >> 8)};
    Write(b, 2);
}

void ByteSink::WriteU32(uint32_t value)
{
    const uint8_t b[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
    Write(b, 4);
}

void ByteSink::WriteI32(int32_t value)
{
    WriteU32(static_cast<uint32_t>(value));
}

void ByteSink::WriteF64(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    uint8_t b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = uint8_t(bits >> (8 * i));
    Write(b, 8);
}
