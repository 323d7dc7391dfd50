#pragma once

#include <cstddef>
#include <string_view>

// Text fields of the invoice book's records. A field is either null, which reads as the empty
// text, or a pointer to its own block of UTF-16 units that ends in a zero unit. The record
// owns the block: a field is released before it is given a new text and before its record
// goes. Buffers come from a pool for short texts (TextBuf.cpp); they are used by the user
// interface's thread only.

// A block for a text of the given length (length + 1 units) whose last unit is the
// terminating zero; the caller fills the first `length` units. Raises std::bad_alloc when
// memory is refused.
char16_t* AllocTextBuf(size_t length);

// Stores a new block holding the text in *field. The former block is NOT released: callers
// release it first. An empty text gets a block holding only the terminating zero.
void NewTextBuf(char16_t** field, std::u16string_view text);

// Releases the block (null is allowed) and sets the field to null.
void ReleaseTextBuf(char16_t** field);

// Writing a field: release the old block, then a new one with the text.
void SetTextBuf(char16_t** field, std::u16string_view text);

// Replaces the field's block by one made elsewhere (for example by a file reader).
void ReplaceTextBuf(char16_t** field, char16_t* buffer);

// The text of a field: empty for null, else up to the terminating zero.
inline std::u16string_view TextOf(const char16_t* buffer)
{
    return buffer ? std::u16string_view(buffer) : std::u16string_view();
}

// Bytes the pool of short text buffers holds from the system (its slabs, used or free);
// longer texts are heap blocks of their own and not counted here.
size_t TextBufHeldBytes();
