#pragma once

#include "output/TCanvasFont.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TOutputCanvas;

// The kinds of print on the readable page of a received invoice.
enum class Ink : uint8_t {
    Body,     // values
    Bold,     // names, headings of columns
    Label,    // the words before values
    Tag,      // the small grey business-term numbers
    Title,    // the document's type and number
    Section,  // the heading of a section
    Good,     // the check's heading when everything agrees
    Bad,      // the check's heading when something does not
    Count
};

// One line of text at (x, dy) from the top of its block.
struct Piece {
    int32_t x = 0;
    int32_t dy = 0;
    Ink ink = Ink::Body;
    std::u16string text;
};

// A horizontal rule at dy from the top of its block.
struct BlockRule {
    int32_t x1 = 0;
    int32_t x2 = 0;
    int32_t dy = 0;
};

// A strip of the page laid out as a whole: its lines and rules relative to its top. A block
// taller than the room on a page is cut between its lines.
struct Block {
    int32_t height = 0;
    std::vector<Piece> pieces;
    std::vector<BlockRule> rules;
    bool boxed = false;       // a frame around the block (or around each part of it)
    int32_t frameBottom = 0;  // the frame's bottom when the block ends in space below it
};

// Lays text out into blocks and draws blocks on a canvas, in the canvas's units. Every text is
// fitted into the width it is given: lines break at spaces, and a word wider than the width
// breaks between its characters, so nothing runs past the edge.
class ReceivedPageWriter {
public:
    explicit ReceivedPageWriter(TOutputCanvas& canvas);

    TOutputCanvas& Canvas() { return canvas_; }
    int32_t LineHeight(Ink ink);
    int32_t Width(Ink ink, std::u16string_view text);
    // A length in millimetres on this canvas's target.
    int32_t Mm(double millimetres) const;

    // The lines of text at most `width` wide: breaks at line breaks and spaces, and between
    // characters inside a word that does not fit on a line of its own. Empty text gives no
    // line.
    std::vector<std::u16string> Wrap(Ink ink, std::u16string_view text, int32_t width);

    enum class Align : uint8_t { Left, Right };
    // Adds the wrapped text at x (or right-aligned to x + width) from dy; returns the dy
    // below its last line (dy itself for empty text).
    int32_t AddText(Block& block, int32_t x, int32_t dy, int32_t width, Ink ink, std::u16string_view text,
                    Align align = Align::Left);
    // A value with its business-term number in small grey print after its last line: the value
    // wraps in the width less the number's. Returns the dy below it.
    int32_t AddValue(Block& block, int32_t x, int32_t dy, int32_t width, Ink ink, std::u16string_view text,
                     std::u16string_view tag);
    // A label in a column of labelWidth and the value with its number beside it.
    int32_t AddField(Block& block, int32_t x, int32_t dy, int32_t labelWidth, int32_t width, std::u16string_view label,
                     std::u16string_view value, std::u16string_view tag);

    // Draws the part of the block between from and to (dy values) with its top at y.
    void Draw(const Block& block, int32_t y, int32_t from, int32_t to, int32_t left, int32_t right);
    // Where the block may be cut at or below limit: the largest dy ≤ limit that no line
    // crosses and that is above the block's bottom; `from` when there is none past it.
    int32_t CutAt(const Block& block, int32_t from, int32_t limit);

    void UseInk(Ink ink);

private:
    TCanvasFont FontOf(Ink ink, int32_t scale) const;
    void UseFont(Ink ink, bool measuring);
    size_t FitPrefix(Ink ink, std::u16string_view word, int32_t width);

    TOutputCanvas& canvas_;
    std::array<int32_t, size_t(Ink::Count)> lineHeights_{};
    Ink current_ = Ink::Count;
    bool measuring_ = false;
};
