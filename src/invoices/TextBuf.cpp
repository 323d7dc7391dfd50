#include "invoices/TextBuf.h"

#include <cstdlib>
#include <cstring>
#include <new>

char16_t* AllocTextBuf(size_t length)
{
    if (length >= (size_t(-1) / sizeof(char16_t)) - 1)
        throw std::bad_alloc();
    void* block = std::calloc(length + 1, sizeof(char16_t));
    if (!block)
        throw std::bad_alloc();
    return static_cast<char16_t*>(block);
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
    std::free(*field);
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
