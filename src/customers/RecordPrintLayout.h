#pragma once

#include <string>
#include <string_view>
#include <vector>

// How the print dialog puts its lines on paper: each line wrapped into the width of the page
// rectangle at its last blank before the edge, lines going down the page and onto a new page
// when the next one would cross the bottom. Lengths are in printer pixels; measuring is left
// to the caller's font.
class RecordPrintLayout {
public:
    class Measure {
    public:
        virtual ~Measure() = default;
        virtual int TextWidth(std::u16string_view text) const = 0;
        // The height of one printed line of the font.
        virtual int LineHeight() const = 0;
    };

    struct Rect {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        bool operator==(const Rect&) const = default;
    };

    // One piece of text to draw, without tabs: on page `page` (from 0), its left edge at x,
    // its top at y.
    struct Run {
        int page = 0;
        int x = 0;
        int y = 0;
        std::u16string text;
        bool operator==(const Run&) const = default;
    };

    // The page rectangle with half an inch of margin on every side, for a printable area of
    // pageWidth x pageHeight pixels at the given resolution.
    static Rect HalfInchMargins(int dpiX, int dpiY, int pageWidth, int pageHeight);

    // The column, measured from the left edge, where the values of report lines start: the
    // widest text before a line's first tab plus one blank, so that every value starts in
    // the same column whatever its label. 0 when no line has a tab.
    static int TabStop(const Measure& measure, const std::vector<std::u16string>& lines);

    // The width of a text in which each tab moves on to the next multiple of tabStop after
    // the text before it (with tabStop 0 a tab is measured as a character).
    static int TabbedWidth(const Measure& measure, std::u16string_view text, int tabStop);

    // Wraps one line into the width w at (x, y) and returns the height it takes. The line
    // breaks where the next character would make the text wider than w, after the last blank
    // of the text so far (a text without a blank moves down whole); a blank that would start
    // a continuation line is dropped. A word wider than w is not split: each character that
    // does not fit gives one empty line and the word overflows the edge. An empty line takes
    // one line height. With `runs`, the pieces are appended for drawing on page `page`; a
    // piece with tabs is split there, each part at the x of its tab stop.
    static int WrapLine(const Measure& measure, std::u16string_view line, int x, int y, int w, int page,
                        std::vector<Run>* runs, int tabStop = 0);

    // All lines from the top of the rectangle downwards, their tabs at TabStop(lines); a line
    // that would end below the bottom starts a new page (unless it is the first on its page).
    // `pages` receives the number of pages.
    static std::vector<Run> Layout(const Measure& measure, const std::vector<std::u16string>& lines, const Rect& rect,
                                   int* pages = nullptr);
};
