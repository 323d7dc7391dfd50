#include "foundation/MemoryByteSource.h"

#include <cstring>

MemoryByteSource::MemoryByteSource(std::string bytes, std::string name)
    : ByteSource(std::move(name)),
      bytes_(std::move(bytes))
{
}

void MemoryByteSource::ReadRaw(void* destination, size_t n)
{
    std::memcpy(destination, bytes_.data() + pos_, n);
    pos_ += n;
}
