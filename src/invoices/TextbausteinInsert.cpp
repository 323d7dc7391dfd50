#include "invoices/TextbausteinInsert.h"

#include <vector>

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

// The lines of a memo: a final line break does not start another, empty line.
std::vector<std::u16string_view> Lines(std::u16string_view text)
{
    std::vector<std::u16string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find(kLineBreak, start);
        if (end == std::u16string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + kLineBreak.size();
    }
    return lines;
}

}

TextbausteinInsertResult InsertTextbaustein(std::u16string_view text, size_t caret, std::u16string_view block)
{
    const std::vector<std::u16string_view> lines = Lines(text);
    size_t s = 0;
    size_t found = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        const size_t e = s + lines[i].size() + kLineBreak.size();
        if (e > caret) {
            found = i;
            break;
        }
        s = e;
    }

    TextbausteinInsertResult result;
    if (found == lines.size()) {
        // No lines, or the caret behind the final line break: a new last line.
        result.text = std::u16string(text);
        if (!result.text.empty() && !result.text.ends_with(kLineBreak))
            result.text += kLineBreak;
        result.text += block;
        result.caret = result.text.size();
        return result;
    }

    // Position of the caret inside the found line; a caret on a line's break counts as its end.
    const size_t inLine = caret - s < lines[found].size() ? caret - s : lines[found].size();
    const size_t lineStart = static_cast<size_t>(lines[found].data() - text.data());
    result.text.reserve(text.size() + block.size());
    result.text.append(text.substr(0, lineStart + inLine));
    result.text.append(block);
    result.text.append(text.substr(lineStart + inLine));
    result.caret = caret + block.size();
    return result;
}
