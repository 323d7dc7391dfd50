#include "invoices/TextBuf.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define REKOLON_TEXTBUF_PLAIN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define REKOLON_TEXTBUF_PLAIN 1
#endif
#endif

#if !defined(REKOLON_TEXTBUF_PLAIN)
#include <sys/mman.h>
#endif

namespace {

#if defined(REKOLON_TEXTBUF_PLAIN)

// Under AddressSanitizer every buffer is its own heap block, so that the sanitizer checks
// each buffer's lifetime and bounds.
char16_t* Obtain(size_t units)
{
    void* block = std::calloc(units, sizeof(char16_t));
    if (!block)
        throw std::bad_alloc();
    return static_cast<char16_t*>(block);
}

void Give(char16_t* buffer)
{
    std::free(buffer);
}

size_t PoolBytes()
{
    return 0;
}

#else

// Text buffers come from a pool: a book holds hundreds of thousands of short texts, and one
// heap block each would cost more in time and in bookkeeping than the texts themselves.
// Each buffer is preceded by a 4-byte header naming its size class; buffers of up to 256
// units come from slabs in classes of 4 units and go back to a free list of their class;
// longer ones are heap blocks of their own. Slabs come straight from the system and are kept
// for the rest of the run. When the last buffer has come back (a book was released whole),
// the free lists are dropped and the slabs are filled again from the first, so that a book
// read afterwards lies in memory in reading order, as at start. The pool is used by the user
// interface's thread only.
constexpr size_t kHeader = 4;
constexpr size_t kClassUnits = 4;
constexpr size_t kClasses = 64;
constexpr uint32_t kOwnBlock = 0xFFFFFFFF;
constexpr size_t kSlabBytes = 1 << 20;

// Each slab begins with the address of the next one; the rest holds buffers. The pool has
// no destructor, so that buffers may still be released while the program ends.
constexpr size_t kSlabLink = 16;

struct Pool {
    void* freeList[kClasses] = {};
    char* firstSlab = nullptr;
    char* slab = nullptr;  // the slab being filled
    char* bump = nullptr;
    size_t left = 0;
    size_t slabs = 0;
    size_t live = 0;  // buffers handed out and not given back
};

char* NextOf(char* slab)
{
    char* next;
    std::memcpy(&next, slab, sizeof next);
    return next;
}

constinit Pool thePool;

Pool& ThePool()
{
    return thePool;
}

void* Next(void* block)
{
    void* next;
    std::memcpy(&next, static_cast<char*>(block) + kHeader, sizeof next);
    return next;
}

// A text of its own heap block, for long texts.
[[gnu::noinline]] char16_t* ObtainOwnBlock(size_t units)
{
    if (units > (SIZE_MAX - kHeader) / sizeof(char16_t))
        throw std::bad_alloc();
    char* block = static_cast<char*>(std::calloc(1, kHeader + units * sizeof(char16_t)));
    if (!block)
        throw std::bad_alloc();
    std::memcpy(block, &kOwnBlock, kHeader);
    ++ThePool().live;
    return reinterpret_cast<char16_t*>(block + kHeader);
}

// Makes the next slab the one being filled: a kept one, or a new one from the system.
[[gnu::noinline]] void NextSlab()
{
    Pool& pool = ThePool();
    char* next = pool.slab ? NextOf(pool.slab) : pool.firstSlab;
    if (!next) {
        void* fresh = mmap(nullptr, kSlabBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (fresh == MAP_FAILED)
            throw std::bad_alloc();
        next = static_cast<char*>(fresh);  // zero-filled: no next slab yet
        if (pool.slab)
            std::memcpy(pool.slab, &next, sizeof next);
        else
            pool.firstSlab = next;
        ++pool.slabs;
    }
    pool.slab = next;
    pool.bump = next + kSlabLink;
    pool.left = kSlabBytes - kSlabLink;
}

char16_t* Obtain(size_t units)
{
    if (units > kClasses * kClassUnits)
        return ObtainOwnBlock(units);
    Pool& pool = ThePool();
    const uint32_t cls = static_cast<uint32_t>((units - 1) / kClassUnits);
    char* block = static_cast<char*>(pool.freeList[cls]);
    if (block) {
        pool.freeList[cls] = Next(block);
    } else {
        const size_t bytes = kHeader + (cls + 1) * kClassUnits * sizeof(char16_t);
        if (pool.left < bytes)
            NextSlab();
        block = pool.bump;
        pool.bump += bytes;
        pool.left -= bytes;
    }
    std::memcpy(block, &cls, kHeader);
    ++pool.live;
    return reinterpret_cast<char16_t*>(block + kHeader);
}

void Give(char16_t* buffer)
{
    Pool& pool = ThePool();
    char* block = reinterpret_cast<char*>(buffer) - kHeader;
    uint32_t cls;
    std::memcpy(&cls, block, kHeader);
    if (cls == kOwnBlock) {
        std::free(block);
    } else {
        void* next = pool.freeList[cls];
        std::memcpy(block + kHeader, &next, sizeof next);
        pool.freeList[cls] = block;
    }
    if (--pool.live == 0 && pool.firstSlab) {
        for (void*& list : pool.freeList)
            list = nullptr;
        pool.slab = pool.firstSlab;
        pool.bump = pool.slab + kSlabLink;
        pool.left = kSlabBytes - kSlabLink;
    }
}

size_t PoolBytes()
{
    return ThePool().slabs * kSlabBytes;
}

#endif

}

char16_t* AllocTextBuf(size_t length)
{
    if (length >= SIZE_MAX / sizeof(char16_t) - 1)
        throw std::bad_alloc();
    char16_t* buffer = Obtain(length + 1);
    buffer[length] = u'\0';
    return buffer;
}

void NewTextBuf(char16_t** field, std::u16string_view text)
{
    char16_t* buffer = AllocTextBuf(text.size());
    if (!text.empty())
        std::memcpy(buffer, text.data(), text.size() * sizeof(char16_t));
    *field = buffer;
}

void ReleaseTextBuf(char16_t** field)
{
    if (*field)
        Give(*field);
    *field = nullptr;
}

void SetTextBuf(char16_t** field, std::u16string_view text)
{
    // The new block is made first, so that a refusal leaves the old text in place.
    char16_t* buffer = nullptr;
    NewTextBuf(&buffer, text);
    ReplaceTextBuf(field, buffer);
}

void ReplaceTextBuf(char16_t** field, char16_t* buffer)
{
    ReleaseTextBuf(field);
    *field = buffer;
}

size_t TextBufHeldBytes()
{
    return PoolBytes();
}
