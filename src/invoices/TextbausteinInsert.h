#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Inserting a text block into the invoice text at the caret. The invoice text keeps its lines
// separated by CR LF, and caret positions count each line break as two characters.
//
// The line under the caret is split at the caret and the block goes in between, without an
// added space; the caret then stands behind the block. An empty text, or a caret behind the
// final line break, gets the block as a new last line.
struct TextbausteinInsertResult {
    std::u16string text;
    size_t caret = 0;
};

TextbausteinInsertResult InsertTextbaustein(std::u16string_view text, size_t caret, std::u16string_view block);
