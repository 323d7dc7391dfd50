#pragma once

#include <string>
#include <string_view>

// Conversions between the core's UTF-16 text and UTF-8 (file paths, standard output).
// Unpaired surrogates and malformed UTF-8 sequences become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);
