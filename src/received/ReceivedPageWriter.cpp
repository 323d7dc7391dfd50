#include "received/ReceivedPageWriter.h"

#include "output/TOutputCanvas.h"

#include <algorithm>

namespace {

constexpr uint32_t kBlack = 0;
constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kDarkGreen = 0x006400;  // RGB with red in the lowest byte
constexpr uint32_t kDarkRed = 0x0000B4;

bool IsSpace(char16_t c)
{
    return c == u' ' || c == u'\t';
}

bool IsHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

}  // namespace

ReceivedPageWriter::ReceivedPageWriter(TOutputCanvas& canvas) : canvas_(canvas) {}

TCanvasFont ReceivedPageWriter::FontOf(Ink ink, int32_t scale) const
{
    struct Look {
        int32_t size;
        uint8_t style;
        uint32_t color;
    };
    static constexpr Look kLooks[size_t(Ink::Count)] = {
        {9, 0, kBlack},       // Body
        {9, 1, kBlack},       // Bold
        {8, 0, kBlack},       // Label
        {6, 0, kGrey},        // Tag
        {15, 1, kBlack},      // Title
        {10, 1, kBlack},      // Section
        {10, 1, kDarkGreen},  // Good
        {10, 1, kDarkRed},    // Bad
    };
    const Look& look = kLooks[size_t(ink)];
    TCanvasFont font;
    font.name = u"Arial";
    font.size = canvas_.Target().FontSize(look.size) * scale;
    font.style = look.style;
    font.color = look.color;
    return font;
}

// Texts are measured in a font kMeasureScale times as large and the width divided back,
// rounded up: a target that measures in whole units per character (the PDF's points) would
// otherwise come out short by up to a unit per character, and a long line would run past
// the place reserved for it.
constexpr int32_t kMeasureScale = 8;

void ReceivedPageWriter::UseFont(Ink ink, bool measuring)
{
    if (ink == current_ && measuring == measuring_)
        return;
    canvas_.SetFont(FontOf(ink, measuring ? kMeasureScale : 1));
    current_ = ink;
    measuring_ = measuring;
}

void ReceivedPageWriter::UseInk(Ink ink)
{
    UseFont(ink, false);
}

int32_t ReceivedPageWriter::LineHeight(Ink ink)
{
    int32_t& height = lineHeights_[size_t(ink)];
    if (height == 0) {
        UseInk(ink);
        height = std::max<int32_t>(1, canvas_.TextHeight(u"Äg"));
    }
    return height;
}

int32_t ReceivedPageWriter::Width(Ink ink, std::u16string_view text)
{
    UseFont(ink, true);
    const int64_t scaled = canvas_.TextWidth(text);
    return int32_t((scaled + kMeasureScale - 1) / kMeasureScale);
}

int32_t ReceivedPageWriter::Mm(double millimetres) const
{
    return canvas_.Target().Dev(millimetres);
}

size_t ReceivedPageWriter::FitPrefix(Ink ink, std::u16string_view word, int32_t width)
{
    // The longest start of the word that fits, found by halving; at least one character so
    // that every line takes something.
    size_t low = 1;
    size_t high = word.size();
    while (low < high) {
        const size_t mid = (low + high + 1) / 2;
        if (Width(ink, word.substr(0, mid)) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    if (low < word.size() && low > 1 && IsHighSurrogate(word[low - 1]))
        --low;
    return low;
}

std::vector<std::u16string> ReceivedPageWriter::Wrap(Ink ink, std::u16string_view text, int32_t width)
{
    std::vector<std::u16string> lines;
    if (text.empty())
        return lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of(u"\r\n", start);
        if (end == std::u16string_view::npos)
            end = text.size();
        const std::u16string_view paragraph = text.substr(start, end - start);
        std::u16string line;
        size_t i = 0;
        bool any = false;
        while (i < paragraph.size()) {
            while (i < paragraph.size() && IsSpace(paragraph[i]))
                ++i;
            size_t j = i;
            while (j < paragraph.size() && !IsSpace(paragraph[j]))
                ++j;
            if (j == i)
                break;
            std::u16string_view word = paragraph.substr(i, j - i);
            i = j;
            any = true;
            if (!line.empty()) {
                std::u16string candidate = line + u' ';
                candidate += word;
                if (Width(ink, candidate) <= width) {
                    line = std::move(candidate);
                    continue;
                }
                lines.push_back(std::move(line));
                line.clear();
            }
            while (word.size() > 1 && Width(ink, word) > width) {
                const size_t n = FitPrefix(ink, word, width);
                lines.emplace_back(word.substr(0, n));
                word.remove_prefix(n);
            }
            line = std::u16string(word);
        }
        if (any)
            lines.push_back(std::move(line));
        else
            lines.emplace_back();
        if (end >= text.size())
            break;
        // CR LF is one line break.
        start = end + ((text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ? 2 : 1);
        if (start == text.size())
            break;
    }
    return lines;
}

int32_t ReceivedPageWriter::AddText(Block& block, int32_t x, int32_t dy, int32_t width, Ink ink,
                                    std::u16string_view text, Align align)
{
    const int32_t height = LineHeight(ink);
    for (std::u16string& line : Wrap(ink, text, width)) {
        const int32_t lineX = align == Align::Right ? x + width - Width(ink, line) : x;
        block.pieces.push_back({lineX, dy, ink, std::move(line)});
        dy += height;
    }
    block.height = std::max(block.height, dy);
    return dy;
}

int32_t ReceivedPageWriter::AddValue(Block& block, int32_t x, int32_t dy, int32_t width, Ink ink,
                                     std::u16string_view text, std::u16string_view tag)
{
    if (text.empty())
        return dy;
    const int32_t gap = Mm(2);
    const int32_t tagWidth = tag.empty() ? 0 : Width(Ink::Tag, tag) + gap;
    if (tagWidth > width / 2) {
        // A long list of numbers in a narrow place goes under the value.
        const int32_t below = AddText(block, x, dy, width, ink, text);
        return AddText(block, x, below, width, Ink::Tag, tag);
    }
    const size_t first = block.pieces.size();
    const int32_t bottom = AddText(block, x, dy, width - tagWidth, ink, text);
    if (!tag.empty() && block.pieces.size() > first) {
        const Piece& last = block.pieces.back();
        // The number sits on the last line, its foot level with the value's.
        const int32_t tagX = last.x + Width(last.ink, last.text) + gap;
        const int32_t tagY = last.dy + LineHeight(last.ink) - LineHeight(Ink::Tag);
        block.pieces.push_back({tagX, tagY, Ink::Tag, std::u16string(tag)});
    }
    return bottom;
}

int32_t ReceivedPageWriter::AddField(Block& block, int32_t x, int32_t dy, int32_t labelWidth, int32_t width,
                                     std::u16string_view label, std::u16string_view value, std::u16string_view tag)
{
    if (value.empty())
        return dy;
    // The label's foot level with the value's first line.
    const int32_t labelDy = dy + LineHeight(Ink::Body) - LineHeight(Ink::Label);
    const int32_t labelBottom = AddText(block, x, labelDy, labelWidth - Mm(1), Ink::Label, label);
    const int32_t valueBottom = AddValue(block, x + labelWidth, dy, width - labelWidth, Ink::Body, value, tag);
    return std::max(labelBottom, valueBottom);
}

void ReceivedPageWriter::Draw(const Block& block, int32_t y, int32_t from, int32_t to, int32_t left, int32_t right)
{
    for (const Piece& piece : block.pieces) {
        if (piece.dy < from || piece.dy >= to)
            continue;
        UseInk(piece.ink);
        canvas_.TextOut(piece.x, y + piece.dy - from, piece.text);
    }
    canvas_.SetPen(0);
    for (const BlockRule& rule : block.rules) {
        if (rule.dy < from || rule.dy > to || (rule.dy == to && to != block.height))
            continue;
        canvas_.MoveTo(rule.x1, y + rule.dy - from);
        canvas_.LineTo(rule.x2, y + rule.dy - from);
    }
    if (block.boxed) {
        const int32_t frameEnd = block.frameBottom > 0 ? std::min(to, block.frameBottom) : to;
        const int32_t bottom = y + frameEnd - from;
        canvas_.MoveTo(left, y);
        canvas_.LineTo(right, y);
        canvas_.LineTo(right, bottom);
        canvas_.LineTo(left, bottom);
        canvas_.LineTo(left, y);
    }
}

int32_t ReceivedPageWriter::CutAt(const Block& block, int32_t from, int32_t limit)
{
    if (block.height <= limit)
        return block.height;
    std::vector<std::pair<int32_t, int32_t>> spans;  // top and bottom of each line
    spans.reserve(block.pieces.size());
    for (const Piece& piece : block.pieces)
        spans.emplace_back(piece.dy, piece.dy + LineHeight(piece.ink));
    std::sort(spans.begin(), spans.end());
    int32_t best = from;
    int32_t reach = 0;  // the lowest bottom of the lines above the candidate
    for (const auto& [top, bottom] : spans) {
        if (top > limit)
            break;
        if (top > from && reach <= top)
            best = top;
        reach = std::max(reach, bottom);
    }
    return best;
}
