// Reads arbitrary bytes as a save.dat. Damage must surface as IoError, never as a crash, an
// overlong read or an allocation beyond what the input holds. Whatever is read completely
// must write out in a form that reads back and writes out again byte for byte.
//
//   scripts/fuzz SaveDatFuzz 60      (libFuzzer with clang, seeded from tests/data/)
#include "foundation/IoError.h"
#include "foundation/MemoryByteSink.h"
#include "foundation/MemoryByteSource.h"
#include "invoices/SaveDatReader.h"
#include "invoices/SaveDatWriter.h"
#include "invoices/TRechnungBook.h"

#include <cstdint>
#include <string>

namespace {

std::string Written(const TRechnungBook& book)
{
    MemoryByteSink sink;
    SaveDatWriter(book).Write(sink);
    return sink.Bytes();
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryByteSource source(std::string(reinterpret_cast<const char*>(data), size), "save.dat");
    TRechnungBook book;
    try {
        SaveDatReader(book, source).Read();
    } catch (const IoError&) {
        return 0;
    }
    const std::string first = Written(book);
    TRechnungBook again;
    MemoryByteSource firstSource(first, "save.dat");
    try {
        SaveDatReader(again, firstSource).Read();
    } catch (const IoError&) {
        __builtin_trap();  // what the writer wrote must read back
    }
    if (Written(again) != first)
        __builtin_trap();
    return 0;
}
