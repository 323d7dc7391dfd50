#pragma once

#include "RecordingCanvas.h"

#include <cstdint>
#include <string>
#include <vector>

struct TRechnungSettings;

// The rectangles a recorded page run covers, with the recording canvas's metrics, page by page.
struct TextBox {
    int page = 0;  // 0 for the first page
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::u16string text;
};
struct RuleLine {
    int page = 0;
    int32_t x1 = 0, x2 = 0, y = 0;
};

// Every text that is not empty, with its box in the font in force when it was drawn.
std::vector<TextBox> TextBoxes(const RecordingCanvas& canvas);
std::vector<RuleLine> RuleLines(const RecordingCanvas& canvas);

// The page run keeps its texts apart and inside the page: no two texts of a page overlap,
// no rule runs through a text, every text lies between the side margins (rx from the left and
// right edges), and on targets with page numbers every text but the footer ends above the
// page number of its page. GoogleTest failures name the texts. The overlaps of a text in
// `ordinary` are not checked: the ordinary page draws it so whatever it meets (the sender line
// of a long company name runs under the company block).
void ExpectClearPages(const RecordingCanvas& canvas, const TRechnungSettings& settings,
                      const std::vector<std::u16string>& ordinary = {});

// The box of the first text drawn exactly so; fails the test when there is none.
TextBox BoxOf(const RecordingCanvas& canvas, std::u16string_view text);
