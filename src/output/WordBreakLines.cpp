#include "output/WordBreakLines.h"

namespace {

void BreakParagraph(std::u16string_view paragraph, int32_t width,
                    const std::function<int32_t(std::u16string_view)>& measure, std::vector<std::u16string>& lines)
{
    std::u16string line;
    bool lineHasWord = false;
    size_t start = 0;
    for (;;) {
        const size_t space = paragraph.find(u' ', start);
        const std::u16string_view word =
            paragraph.substr(start, space == std::u16string_view::npos ? std::u16string_view::npos : space - start);
        if (!lineHasWord) {
            line.assign(word);
            lineHasWord = true;
        } else {
            std::u16string candidate = line;
            candidate += u' ';
            candidate += word;
            if (measure(candidate) <= width) {
                line = std::move(candidate);
            } else {
                lines.push_back(std::move(line));
                line.assign(word);
            }
        }
        if (space == std::u16string_view::npos)
            break;
        start = space + 1;
    }
    lines.push_back(std::move(line));
}

}

std::vector<std::u16string> WordBreakLines(std::u16string_view text, int32_t width,
                                           const std::function<int32_t(std::u16string_view)>& measure)
{
    std::vector<std::u16string> lines;
    if (text.empty())
        return lines;
    size_t start = 0;
    for (;;) {
        size_t end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        BreakParagraph(text.substr(start, end - start), width, measure, lines);
        if (end >= text.size())
            break;
        // CR LF counts as one line break.
        start = end + 1;
        if (text[end] == u'\r' && start < text.size() && text[start] == u'\n')
            ++start;
        if (start >= text.size())
            break;
    }
    return lines;
}
