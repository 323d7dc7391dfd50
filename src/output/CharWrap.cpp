#include "output/CharWrap.h"

#include "output/TOutputCanvas.h"

#include <string>

int32_t CharWrap(TOutputCanvas& canvas, std::u16string_view text, int32_t x0, int32_t width, int32_t y,
                 const std::function<void(int32_t& y)>& beforeCharacter, bool advanceAfterLast)
{
    std::u16string line;
    size_t i = 0;
    for (;;) {
        if (i >= text.size()) {
            if (!line.empty())
                canvas.TextOut(x0, y, line);
            if (advanceAfterLast)
                y += canvas.TextHeight(u" ");
            return y;
        }
        if (beforeCharacter)
            beforeCharacter(y);
        const char16_t c = text[i];
        if (c != u'\r' && c != u'\n')
            line += c;
        if (c == u'\r' || canvas.TextWidth(line) > width) {
            const size_t firstSpace = line.find(u' ');
            if (c != u'\r' && c != u'\n' && firstSpace != std::u16string::npos && firstSpace > 0) {
                line.pop_back();
                --i;
                if (line.find(u' ') == std::u16string::npos) {
                    // The overflowing character was the line's only space: the word before it
                    // stays whole on this line and the space ends it.
                    ++i;
                } else {
                    // Back to the space before the overflowing word; the word starts the next line.
                    while (line.back() != u' ') {
                        line.pop_back();
                        --i;
                    }
                }
            }
            if (!line.empty())
                canvas.TextOut(x0, y, line);
            line.clear();
            y += canvas.TextHeight(u" ");
        }
        ++i;
    }
}
