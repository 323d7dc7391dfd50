#include "foundation/MemoryByteSink.h"

void MemoryByteSink::Write(const void* data, size_t n)
{
    bytes_.append(static_cast<const char*>(data), n);
}
