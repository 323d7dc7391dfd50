#pragma once

#include <string>
#include <string_view>

// File names as the file system holds them (bytes, normally UTF-8) and as the program's text
// holds them (UTF-16), without loss in either direction: a byte that is not part of a valid
// UTF-8 sequence becomes the lone surrogate U+DC00 + byte (U+DC80 to U+DCFF), and such a
// surrogate becomes that byte again. A folder named in Latin-1 or with stray bytes is so
// opened, read and written under its own name, not under a look-alike.
std::u16string PathToText(std::string_view path);
std::string TextToPath(std::u16string_view text);
