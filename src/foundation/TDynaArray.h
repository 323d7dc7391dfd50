#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// The program's one record container: a growable array of plain, bitwise-copyable records
// in one zero-filled block, capacity in steps of 100 elements, with a built-in cursor.
//
// The owner hands over the address of one of its own pointer variables (the typed pointer);
// every time the cursor moves the array writes the current element's address (or null) into
// it. Several arrays may share one typed pointer. The array never looks into its records:
// releasing what they own is the owner's duty before Delete, Clear or destruction.
//
// Iteration is First() followed by "while (WhileNext())"; inside the loop the current element
// is reached through the typed pointer and its index is aobjnr − 1.
//
// When memory runs out the array shows an error box through the current messenger and undoes
// the operation: it never goes on with a missing block. Add and Insert then return null.
class TDynaArray {
public:
    static constexpr uint32_t kBufferSize = 100;

    // Create(thesize, typpoi). Nothing is written to the typed pointer yet. The growth step
    // is 100 elements; an owner of many small arrays may give a smaller one.
    template <class T>
    TDynaArray(uint32_t thesize, T** typpoi, uint32_t growthStep = kBufferSize)
        : outeraobj(typpoi),
          buffersize(growthStep > 0 ? growthStep : kBufferSize),
          size(thesize)
    {
    }
    TDynaArray(uint32_t thesize, std::nullptr_t) : size(thesize) {}
    ~TDynaArray();  // Destroy: releases the block; element contents are not looked at.

    TDynaArray(const TDynaArray&) = delete;
    TDynaArray& operator=(const TDynaArray&) = delete;

    void* GetObject(uint32_t index);  // no bounds check: callers pass 0 <= index < count
    void* Add();
    void* Insert(int32_t nr);
    void Delete(int32_t nr);
    void Change(int32_t nr1, int32_t nr2);
    void Clear();
    void First();
    bool Next();
    bool WhileNext();

    uint32_t Count() const { return count; }
    int32_t AObjNr() const { return aobjnr; }
    uint32_t AMemSize() const { return amemsize; }
    uint32_t ElementSize() const { return size; }
    void* AObj() const { return aobj; }
    // Element i without moving the cursor (for reading alongside an iteration).
    void* At(uint32_t index) const { return static_cast<char*>(poi) + size_t(index) * size; }

    // Where blocks come from: a function returning a zero-filled block or null. Tests install
    // one that refuses; null restores the standard one. Blocks are always released with free().
    using BlockAllocator = void* (*)(size_t bytes);
    static void SetBlockAllocator(BlockAllocator allocator);

private:
    void SetCurrent(int32_t index);
    void ClearCurrent();
    uint64_t CapacityBytes(uint32_t elements) const;
    // Obtains a zero-filled block; on failure shows the error box with the given number.
    void* ObtainBlock(uint64_t bytes, int errorNumber);
    static void ReportRefusal(uint64_t bytes, int errorNumber, int lastError);
    // Gives the block the capacity for newCount elements, keeping the elements that fit;
    // false (and nothing changed) when memory is refused.
    bool Resize(uint32_t newCount, int errorNumber);

    void* outeraobj = nullptr;  // address of the owner's typed pointer, or null
    void* aobj = nullptr;
    void* poi = nullptr;
    uint32_t count = 0;
    int32_t aobjnr = -1;
    uint32_t amemsize = 0;
    uint32_t buffersize = kBufferSize;
    uint32_t size = 0;
};
