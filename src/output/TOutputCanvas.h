#pragma once

#include "output/ModuleRun.h"
#include "output/TCanvasFont.h"
#include "output/TOutputTarget.h"

#include <cstdint>
#include <string_view>
#include <vector>

struct TFontSetting;
struct dib;

// The drawing operations the page layout needs from an output target (screen preview,
// printer, PDF), in the target's integer units with y growing downward. Text is drawn
// transparently, a text at (x, y) occupying the band from y to y + TextHeight(text).
class TOutputCanvas {
public:
    explicit TOutputCanvas(const TOutputTarget& target) : target_(target) {}
    virtual ~TOutputCanvas() = default;

    TOutputCanvas(const TOutputCanvas&) = delete;
    TOutputCanvas& operator=(const TOutputCanvas&) = delete;

    const TOutputTarget& Target() const { return target_; }

    // Takes face, size, style and colour of a font setting, the size after the target's
    // rule. A system colour (high byte 0xFF) draws black, the colour of window text.
    void SelectFont(const TFontSetting& setting);
    static TCanvasFont FontOf(const TFontSetting& setting, const TOutputTarget& target);

    // The font to draw and measure with.
    virtual void SetFont(const TCanvasFont& font) = 0;
    // The pen of rules: this width in units, black; 0 is the thinnest line the target has.
    virtual void SetPen(int32_t width) = 0;
    virtual void TextOut(int32_t x, int32_t y, std::u16string_view text) = 0;
    // Extent in the current font: the width of the text; the font's line height for any text
    // that is not empty; 0 and 0 for the empty text.
    virtual int32_t TextWidth(std::u16string_view text) = 0;
    virtual int32_t TextHeight(std::u16string_view text) = 0;
    virtual void MoveTo(int32_t x, int32_t y) = 0;
    // A straight line in the current pen from the last point to (x, y).
    virtual void LineTo(int32_t x, int32_t y) = 0;
    // Fills the dark modules of a square code in black, without outlines: the square's
    // top-left corner at (x, y), `side` device units long and `cells` modules each way, so a
    // module is side / cells units, a fraction where side is no multiple of cells (the PDF's
    // unit is a whole point, and the code keeps its size). Neighbouring modules meet without a
    // gap. Nothing when cells is not positive.
    virtual void FillModules(int32_t x, int32_t y, int32_t side, int32_t cells, const std::vector<ModuleRun>& runs) = 0;
    // The whole image stretched into the rectangle at (x, y) of the given width and height.
    virtual void DrawLogo(const dib& logo, int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    // Word-break drawing into the rectangle from left to right starting at top: lines break
    // at spaces and line breaks, a word wider than the rectangle stays whole on its own line.
    // Returns the bottom of the text; with measureOnly nothing is drawn. The text is drawn
    // literally.
    virtual int32_t WordBreak(int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view text,
                              bool measureOnly) = 0;
    // Finishes the current page and begins an empty one (targets with page breaks).
    virtual void NewPage() = 0;

private:
    TOutputTarget target_;
};
