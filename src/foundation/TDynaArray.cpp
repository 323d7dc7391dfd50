#include "foundation/TDynaArray.h"

#include "foundation/Messenger.h"
#include "messages/MemoryMessages.h"

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

void* StandardAllocate(size_t bytes)
{
    return std::calloc(1, bytes);
}

TDynaArray::BlockAllocator allocate = StandardAllocate;

}

void TDynaArray::SetBlockAllocator(BlockAllocator allocator)
{
    allocate = allocator ? allocator : StandardAllocate;
}

TDynaArray::~TDynaArray()
{
    std::free(poi);
}

void TDynaArray::SetCurrent(int32_t index)
{
    aobjnr = index;
    aobj = At(static_cast<uint32_t>(index));
    if (outeraobj)
        std::memcpy(outeraobj, &aobj, sizeof aobj);
}

void TDynaArray::ClearCurrent()
{
    aobjnr = -1;
    aobj = nullptr;
    if (outeraobj)
        std::memcpy(outeraobj, &aobj, sizeof aobj);
}

uint64_t TDynaArray::CapacityBytes(uint32_t elements) const
{
    if (elements == 0)
        return 0;
    return uint64_t(buffersize) * ((elements - 1) / buffersize + 1) * size;
}

void* TDynaArray::ObtainBlock(uint64_t bytes, int errorNumber)
{
    void* block = nullptr;
    errno = 0;
    if (bytes <= std::numeric_limits<uint32_t>::max())
        block = allocate(static_cast<size_t>(bytes));
    else
        errno = ENOMEM;
    if (block)
        return block;
    ReportRefusal(bytes, errorNumber, errno);
    return nullptr;
}

void TDynaArray::ReportRefusal(uint64_t bytes, int errorNumber, int lastError)
{
    CurrentMessenger().ShowError(MemoryMessages::AllocationRefused(errorNumber, bytes, lastError));
}

bool TDynaArray::Resize(uint32_t newCount, int errorNumber)
{
    const uint64_t needed = CapacityBytes(newCount);
    if (needed == amemsize)
        return true;
    if (needed == 0) {
        std::free(poi);
        poi = nullptr;
        amemsize = 0;
        return true;
    }
    if (poi && needed > amemsize && allocate == StandardAllocate && needed <= std::numeric_limits<uint32_t>::max()) {
        // Growing with the standard allocator: realloc keeps the elements and can often
        // extend the block where it is, so appending many elements does not copy them
        // again at every step.
        errno = 0;
        void* grown = std::realloc(poi, static_cast<size_t>(needed));
        if (!grown) {
            ReportRefusal(needed, errorNumber, errno);
            return false;
        }
        std::memset(static_cast<char*>(grown) + amemsize, 0, static_cast<size_t>(needed - amemsize));
        poi = grown;
        amemsize = static_cast<uint32_t>(needed);
        return true;
    }
    void* block = ObtainBlock(needed, errorNumber);
    if (!block)
        return false;
    if (poi) {
        std::memcpy(block, poi, needed < amemsize ? needed : amemsize);
        std::free(poi);
    }
    poi = block;
    amemsize = static_cast<uint32_t>(needed);
    return true;
}

void* TDynaArray::GetObject(uint32_t index)
{
    SetCurrent(static_cast<int32_t>(index));
    return aobj;
}

void* TDynaArray::Add()
{
    if (count == std::numeric_limits<int32_t>::max())
        return nullptr;
    // Within the block's capacity nothing needs to be resized (and no division is due).
    const bool fits = poi && uint64_t(count + 1) * size <= amemsize;
    if (!fits && !Resize(count + 1, (count == 0 || !poi) ? 1 : 2))
        return nullptr;
    ++count;
    // A slot in a block that was not replaced may hold a deleted element's bytes.
    std::memset(At(count - 1), 0, size);
    SetCurrent(static_cast<int32_t>(count - 1));
    return aobj;
}

void* TDynaArray::Insert(int32_t nr)
{
    if (nr < 0 || static_cast<uint32_t>(nr) > count)
        return nullptr;
    if (!Resize(count + 1, (count == 0 || !poi) ? 1 : 2))
        return nullptr;
    ++count;
    const size_t moved = size_t(count - static_cast<uint32_t>(nr) - 1) * size;
    if (moved > 0)
        std::memmove(At(static_cast<uint32_t>(nr) + 1), At(static_cast<uint32_t>(nr)), moved);
    std::memset(At(static_cast<uint32_t>(nr)), 0, size);
    SetCurrent(nr);
    return aobj;
}

void TDynaArray::Delete(int32_t nr)
{
    if (nr < 0 || static_cast<uint32_t>(nr) >= count)
        return;
    const uint32_t newCount = count - 1;
    const uint64_t needed = CapacityBytes(newCount);
    if (needed != amemsize && newCount > 0) {
        // The smaller block is obtained before anything moves, so a refusal leaves the
        // array exactly as it was.
        void* block = ObtainBlock(needed, 3);
        if (!block)
            return;
        const size_t before = size_t(nr) * size;
        const size_t after = size_t(newCount - static_cast<uint32_t>(nr)) * size;
        std::memcpy(block, poi, before);
        std::memcpy(static_cast<char*>(block) + before, At(static_cast<uint32_t>(nr) + 1), after);
        std::free(poi);
        poi = block;
        amemsize = static_cast<uint32_t>(needed);
    } else {
        for (uint32_t i = static_cast<uint32_t>(nr) + 1; i < count; ++i)
            std::memcpy(At(i - 1), At(i), size);
        if (newCount == 0) {
            std::free(poi);
            poi = nullptr;
            amemsize = 0;
        }
    }
    count = newCount;
    ClearCurrent();
}

void TDynaArray::Change(int32_t nr1, int32_t nr2)
{
    if (nr1 < 0 || nr2 < 0 || static_cast<uint32_t>(nr1) >= count || static_cast<uint32_t>(nr2) >= count)
        return;
    if (nr1 != nr2) {
        void* a = At(static_cast<uint32_t>(nr1));
        void* b = At(static_cast<uint32_t>(nr2));
        // Swap in chunks through a small buffer, so a swap never needs heap memory.
        unsigned char temp[256];
        for (size_t done = 0; done < size; done += sizeof temp) {
            const size_t n = size - done < sizeof temp ? size - done : sizeof temp;
            std::memcpy(temp, static_cast<char*>(a) + done, n);
            std::memcpy(static_cast<char*>(a) + done, static_cast<char*>(b) + done, n);
            std::memcpy(static_cast<char*>(b) + done, temp, n);
        }
    }
    SetCurrent(nr2);
}

void TDynaArray::Clear()
{
    std::free(poi);
    poi = nullptr;
    count = 0;
    amemsize = 0;
    ClearCurrent();
}

void TDynaArray::First()
{
    if (count > 0)
        SetCurrent(0);
}

bool TDynaArray::Next()
{
    if (aobjnr < -1 || aobjnr + 1 >= static_cast<int64_t>(count))
        return false;
    SetCurrent(aobjnr + 1);
    return true;
}

bool TDynaArray::WhileNext()
{
    if (aobjnr < 0 || static_cast<uint32_t>(aobjnr) >= count)
        return false;
    SetCurrent(aobjnr);
    ++aobjnr;
    return true;
}
