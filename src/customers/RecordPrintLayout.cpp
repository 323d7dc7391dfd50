#include "customers/RecordPrintLayout.h"

RecordPrintLayout::Rect RecordPrintLayout::HalfInchMargins(int dpiX, int dpiY, int pageWidth, int pageHeight)
{
    Rect rect;
    rect.left = dpiX / 2;
    rect.top = dpiY / 2;
    rect.right = pageWidth - rect.left;
    rect.bottom = pageHeight - rect.top;
    return rect;
}

int RecordPrintLayout::WrapLine(const Measure& measure, std::u16string_view line, int x, int y, int w, int page,
                                std::vector<Run>* runs)
{
    const int height = measure.LineHeight();
    std::u16string current;
    int used = 0;
    bool wrapped = false;
    bool output = false;
    const auto emit = [&](const std::u16string& text) {
        if (runs && !text.empty())
            runs->push_back({page, x, y, text});
        used += height;
        y += height;
        output = true;
    };
    std::u16string trial;
    for (const char16_t c : line) {
        trial.assign(current);
        trial.push_back(c);
        if (measure.TextWidth(trial) > w) {
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
    int y = rect.top;
    int page = 0;
    for (const std::u16string& line : lines) {
        int h = WrapLine(measure, line, rect.left, y, w, page, nullptr);
        if (y + h > rect.bottom && y > rect.top) {
            ++page;
            y = rect.top;
            h = WrapLine(measure, line, rect.left, y, w, page, nullptr);
        }
        WrapLine(measure, line, rect.left, y, w, page, &runs);
        y += h;
    }
    if (pages)
        *pages = page + 1;
    return runs;
}
