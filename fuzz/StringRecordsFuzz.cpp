// Reads 8-bit and 16-bit string records from arbitrary bytes until the input ends or is
// found damaged; every damage must surface as IoError, never as a crash or an overlong read.
#include "foundation/IoError.h"
#include "foundation/MemoryByteSource.h"
#include "foundation/StringRecords.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryByteSource source(std::string(reinterpret_cast<const char*>(data), size), "fuzz");
    try {
        bool wide = false;
        while (!source.AtEnd()) {
            const std::u16string text = wide ? ReadStr16(source) : ReadStr8(source);
            if (text.size() > size)
                __builtin_trap();
            wide = !wide;
        }
    } catch (const IoError&) {
    }
    return 0;
}
