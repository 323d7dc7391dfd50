#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The lines of a word-break drawing at most `width` wide: a line break (CR LF, CR or LF)
// starts a new line, lines break at spaces so that they fit, and a word wider than the width
// stays whole on a line of its own. measure gives the width of a text. The empty text has
// no lines; an empty paragraph is an empty line.
std::vector<std::u16string> WordBreakLines(std::u16string_view text, int32_t width,
                                           const std::function<int32_t(std::u16string_view)>& measure);
