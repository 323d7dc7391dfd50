#include "RecordingCanvas.h"

#include "foundation/Utf8.h"
#include "imaging/DibAccess.h"
#include "output/WordBreakLines.h"

#include <gtest/gtest.h>

std::string U8(std::u16string_view text)
{
    return Utf16ToUtf8(text);
}

void RecordingCanvas::SetFont(const TCanvasFont& font)
{
    font_ = font;
    Call call("Font");
    call.a = font.size;
    call.b = font.style;
    call.c = int32_t(font.color);
    call.text = font.name;
    calls_.push_back(call);
}

void RecordingCanvas::SetPen(int32_t width)
{
    Call call("Pen");
    call.a = width;
    calls_.push_back(call);
}

void RecordingCanvas::TextOut(int32_t x, int32_t y, std::u16string_view text)
{
    Call call("Text", x, y);
    call.text = text;
    calls_.push_back(call);
}

void RecordingCanvas::MoveTo(int32_t x, int32_t y)
{
    calls_.push_back(Call("MoveTo", x, y));
}

void RecordingCanvas::LineTo(int32_t x, int32_t y)
{
    calls_.push_back(Call("LineTo", x, y));
}

void RecordingCanvas::FillModules(int32_t x, int32_t y, int32_t side, int32_t cells, const std::vector<ModuleRun>& runs)
{
    calls_.push_back(Call("Modules", x, y, side, cells));
    runs_.push_back(runs);
}

std::vector<RecordingCanvas::Fill> RecordingCanvas::Fills() const
{
    std::vector<Fill> fills;
    int page = 0;
    size_t grid = 0;
    for (const Call& call : calls_) {
        if (call.op == "NewPage")
            ++page;
        else if (call.op == "Modules")
            fills.push_back({page, call.x, call.y, call.a, call.b, runs_.at(grid++)});
    }
    return fills;
}

void RecordingCanvas::DrawLogo(const dib& logo, int32_t x, int32_t y, int32_t width, int32_t height)
{
    calls_.push_back(Call("Logo", x, y, width, height, DibWidth(logo), DibHeight(logo)));
}

int32_t RecordingCanvas::WordBreak(int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view text,
                                   bool measureOnly)
{
    Call call("WordBreak", left, top, right, bottom, measureOnly ? 1 : 0);
    call.text = text;
    calls_.push_back(call);
    const auto lines = WordBreakLines(text, right - left, [this](std::u16string_view t) { return TextWidth(t); });
    return top + int32_t(lines.size()) * TextHeight(u" ");
}

void RecordingCanvas::NewPage()
{
    calls_.push_back(Call("NewPage"));
}

std::vector<std::u16string> RecordingCanvas::Texts() const
{
    std::vector<std::u16string> texts;
    for (const Call& call : calls_) {
        if (call.op == "Text")
            texts.push_back(call.text);
    }
    return texts;
}

const RecordingCanvas::Call& RecordingCanvas::TextCall(std::u16string_view text) const
{
    for (const Call& call : calls_) {
        if (call.op == "Text" && call.text == text)
            return call;
    }
    ADD_FAILURE() << "no text \"" << U8(text) << "\" drawn";
    static const Call none("none", -99999, -99999);
    return none;
}

bool RecordingCanvas::HasText(std::u16string_view text) const
{
    return IndexOfText(text) >= 0;
}

int RecordingCanvas::CountText(std::u16string_view text) const
{
    int n = 0;
    for (const Call& call : calls_)
        n += call.op == "Text" && call.text == text;
    return n;
}

std::vector<RecordingCanvas::Rule> RecordingCanvas::Rules() const
{
    std::vector<Rule> rules;
    for (size_t i = 0; i + 1 < calls_.size(); ++i) {
        if (calls_[i].op == "MoveTo" && calls_[i + 1].op == "LineTo") {
            EXPECT_EQ(calls_[i].y, calls_[i + 1].y) << "a rule that is not horizontal";
            rules.push_back({calls_[i].x, calls_[i + 1].x, calls_[i].y});
        }
    }
    return rules;
}

int RecordingCanvas::IndexOfText(std::u16string_view text) const
{
    for (size_t i = 0; i < calls_.size(); ++i) {
        if (calls_[i].op == "Text" && calls_[i].text == text)
            return int(i);
    }
    return -1;
}

int32_t RecordingCanvas::FontSizeAt(size_t index) const
{
    int32_t size = 0;
    for (size_t i = 0; i <= index && i < calls_.size(); ++i) {
        if (calls_[i].op == "Font")
            size = calls_[i].a;
    }
    return size;
}

int RecordingCanvas::NewPages() const
{
    int n = 0;
    for (const Call& call : calls_)
        n += call.op == "NewPage";
    return n;
}
