#include "customers/RecordPrintLayout.h"

#include <algorithm>

namespace {

// Where the piece after a tab starts: the next multiple of the stop after `width`.
int NextStop(int width, int tabStop)
{
    return (std::max(width, 0) / tabStop + 1) * tabStop;
}

// Appends the text as runs, split at its tabs.
void AppendRuns(const RecordPrintLayout::Measure& measure, std::u16string_view text, int page, int x, int y,
                int tabStop, std::vector<RecordPrintLayout::Run>& runs)
{
    if (tabStop <= 0) {
        runs.push_back({page, x, y, std::u16string(text)});
        return;
    }
    int offset = 0;
    size_t start = 0;
    while (true) {
        const size_t tab = text.find(u'\t', start);
        const std::u16string_view piece = text.substr(start, tab == std::u16string_view::npos ? tab : tab - start);
        if (!piece.empty())
            runs.push_back({page, x + offset, y, std::u16string(piece)});
        if (tab == std::u16string_view::npos)
            return;
        offset = NextStop(offset + measure.TextWidth(piece), tabStop);
        start = tab + 1;
    }
}

}  // namespace

RecordPrintLayout::Rect RecordPrintLayout::HalfInchMargins(int dpiX, int dpiY, int pageWidth, int pageHeight)
{
    Rect rect;
    rect.left = dpiX / 2;
    rect.top = dpiY / 2;
    rect.right = pageWidth - rect.left;
    rect.bottom = pageHeight - rect.top;
    return rect;
}

int RecordPrintLayout::TabStop(const Measure& measure, const std::vector<std::u16string>& lines)
{
    int widest = -1;
    for (const std::u16string& line : lines) {
        const size_t tab = line.find(u'\t');
        if (tab != std::u16string::npos)
            widest = std::max(widest, measure.TextWidth(std::u16string_view(line).substr(0, tab)));
    }
    if (widest < 0)
        return 0;
    return std::max(1, widest + measure.TextWidth(u" "));
}

int RecordPrintLayout::TabbedWidth(const Measure& measure, std::u16string_view text, int tabStop)
{
    if (tabStop <= 0)
        return measure.TextWidth(text);
    int width = 0;
    size_t start = 0;
    while (true) {
        const size_t tab = text.find(u'\t', start);
        const std::u16string_view piece = text.substr(start, tab == std::u16string_view::npos ? tab : tab - start);
        width += measure.TextWidth(piece);
        if (tab == std::u16string_view::npos)
            return width;
        width = NextStop(width, tabStop);
        start = tab + 1;
    }
}

int RecordPrintLayout::WrapLine(const Measure& measure, std::u16string_view line, int x, int y, int w, int page,
                                std::vector<Run>* runs, int tabStop)
{
    const int height = measure.LineHeight();
    std::u16string current;
    int used = 0;
    bool wrapped = false;
    bool output = false;
    const auto emit = [&](const std::u16string& text) {
        if (runs && !text.empty())
            AppendRuns(measure, text, page, x, y, tabStop, *runs);
        used += height;
        y += height;
        output = true;
    };
    std::u16string trial;
    for (const char16_t c : line) {
        trial.assign(current);
        trial.push_back(c);
        if (TabbedWidth(measure, trial, tabStop) > w) {
            const size_t blank = current.find_last_of(u' ');
            const size_t keep = blank == std::u16string::npos ? 0 : blank + 1;
            std::u16string carry = current.substr(keep);
            current.resize(keep);
            emit(current);
            current = std::move(carry);
            wrapped = true;
        }
        if (c == u' ' && current.empty() && wrapped)
            continue;
        current.push_back(c);
    }
    if (!current.empty())
        emit(current);
    if (!output)
        used = height;
    return used;
}

std::vector<RecordPrintLayout::Run> RecordPrintLayout::Layout(const Measure& measure,
                                                              const std::vector<std::u16string>& lines,
                                                              const Rect& rect, int* pages)
{
    std::vector<Run> runs;
    const int w = rect.right - rect.left + 1;
    const int tabStop = TabStop(measure, lines);
    int y = rect.top;
    int page = 0;
    for (const std::u16string& line : lines) {
        int h = WrapLine(measure, line, rect.left, y, w, page, nullptr, tabStop);
        if (y + h > rect.bottom && y > rect.top) {
            ++page;
            y = rect.top;
            h = WrapLine(measure, line, rect.left, y, w, page, nullptr, tabStop);
        }
        WrapLine(measure, line, rect.left, y, w, page, &runs, tabStop);
        y += h;
    }
    if (pages)
        *pages = page + 1;
    return runs;
}
