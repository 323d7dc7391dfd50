#include "PageBoxes.h"

#include "invoices/TRechnungSettings.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

bool IsPageNumber(std::u16string_view text)
{
    return text.size() >= 5 && text.substr(0, 2) == u"- " && text.substr(text.size() - 2) == u" -";
}

}

std::vector<TextBox> TextBoxes(const RecordingCanvas& canvas)
{
    std::vector<TextBox> boxes;
    int page = 0;
    int32_t size = 0;
    for (const RecordingCanvas::Call& call : canvas.Calls()) {
        if (call.op == "NewPage")
            ++page;
        else if (call.op == "Font")
            size = call.a;
        else if (call.op == "Text" && !call.text.empty())
            boxes.push_back({page, call.x, call.y, call.x + RecordingCanvas::Width(call.text, size),
                             call.y + RecordingCanvas::Height(call.text, size), call.text});
    }
    return boxes;
}

std::vector<RuleLine> RuleLines(const RecordingCanvas& canvas)
{
    std::vector<RuleLine> rules;
    int page = 0;
    const auto& calls = canvas.Calls();
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].op == "NewPage")
            ++page;
        else if (calls[i].op == "MoveTo" && i + 1 < calls.size() && calls[i + 1].op == "LineTo")
            rules.push_back(
                {page, std::min(calls[i].x, calls[i + 1].x), std::max(calls[i].x, calls[i + 1].x), calls[i].y});
    }
    return rules;
}

void ExpectClearPages(const RecordingCanvas& canvas, const TRechnungSettings& s,
                      const std::vector<std::u16string>& ordinary)
{
    const auto exempt = [&](const TextBox& b) {
        return std::find(ordinary.begin(), ordinary.end(), b.text) != ordinary.end();
    };
    const TOutputTarget& target = canvas.Target();
    const int32_t rx = target.Dev(s.RandXED);
    const std::vector<TextBox> boxes = TextBoxes(canvas);
    const std::vector<RuleLine> rules = RuleLines(canvas);
    const auto footer = [&](const TextBox& b) {
        return IsPageNumber(b.text) || b.text == s.FussEd || b.text == s.FussEd2 || b.text == s.FussEd3;
    };
    for (size_t i = 0; i < boxes.size(); ++i) {
        const TextBox& a = boxes[i];
        EXPECT_GE(a.x1, rx) << "left of the margin: " << U8(a.text);
        EXPECT_LE(a.x2, target.pw - rx) << "past the right margin: " << U8(a.text);
        if (exempt(a))
            continue;
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            const TextBox& b = boxes[j];
            if (exempt(b))
                continue;
            const bool overlap = a.page == b.page && a.x1 < b.x2 && b.x1 < a.x2 && a.y1 < b.y2 && b.y1 < a.y2;
            EXPECT_FALSE(overlap) << "page " << a.page + 1 << ": \"" << U8(a.text) << "\" at (" << a.x1 << ", " << a.y1
                                  << ") overlaps \"" << U8(b.text) << "\" at (" << b.x1 << ", " << b.y1 << ")";
        }
        for (const RuleLine& r : rules) {
            // A rule as wide as an exempt text (the sender line's) goes with it.
            const bool underExempt = std::any_of(boxes.begin(), boxes.end(), [&](const TextBox& b) {
                return exempt(b) && b.page == r.page && b.x1 == r.x1 && b.x2 == r.x2;
            });
            if (underExempt)
                continue;
            const bool through = r.page == a.page && a.y1 < r.y && r.y < a.y2 && r.x1 < a.x2 && a.x1 < r.x2;
            EXPECT_FALSE(through) << "a rule at " << r.y << " runs through \"" << U8(a.text) << "\"";
        }
    }
    if (!target.pageBreaks)
        return;
    for (const TextBox& number : boxes) {
        if (!IsPageNumber(number.text))
            continue;
        for (const TextBox& b : boxes) {
            if (b.page == number.page && !footer(b)) {
                EXPECT_LE(b.y2, number.y1)
                    << "page " << b.page + 1 << ": \"" << U8(b.text) << "\" reaches into the footer";
            }
        }
    }
}

TextBox BoxOf(const RecordingCanvas& canvas, std::u16string_view text)
{
    for (const TextBox& box : TextBoxes(canvas)) {
        if (box.text == text)
            return box;
    }
    ADD_FAILURE() << "no text \"" << U8(text) << "\" drawn";
    return {-1, -99999, -99999, -99999, -99999, std::u16string(text)};
}
