#include "foundation/ByteSource.h"

#include "foundation/IoError.h"

#include <cstring>

void ByteSource::FailPastEnd() const
{
    throw IoError(name_, kReadPastEndText);
}

void ByteSource::Read(void* destination, size_t n)
{
    if (n > Remaining())
        FailPastEnd();
    if (n > 0)
        ReadRaw(destination, n);
}

void ByteSource::Skip(uint64_t n)
{
    if (n > Remaining())
        FailPastEnd();
    SkipRaw(n);
}

uint8_t ByteSource::ReadU8()
{
    uint8_t b;
    Read(&b, 1);
    return b;
}

uint16_t ByteSource::ReadU16()
{
    uint8_t b[2];
    Read(b, 2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

uint32_t ByteSource::ReadU32()
{
    uint8_t b[4];
    Read(b, 4);
    return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}

int32_t ByteSource::ReadI32()
{
    return static_cast<int32_t>(ReadU32());
}

double ByteSource::ReadF64()
{
    uint8_t b[8];
    Read(b, 8);
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | b[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
