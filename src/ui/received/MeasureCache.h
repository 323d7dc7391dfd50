#pragma once

#include "output/TOutputCanvas.h"

#include <string>
#include <unordered_map>

// A measuring canvas that remembers what it measured: the widths and heights of texts in each
// font are asked of the canvas underneath once. Laying out a long invoice on the screen
// measures the same words (units, rates, labels, amounts) over and over, and the screen's
// text shaping is far slower than a look-up. Drawing is passed on unchanged.
class MeasureCache final : public TOutputCanvas {
public:
    explicit MeasureCache(TOutputCanvas& canvas) : TOutputCanvas(canvas.Target()), canvas_(canvas) {}

    void SetFont(const TCanvasFont& font) override;
    void SetPen(int32_t width) override { canvas_.SetPen(width); }
    void TextOut(int32_t x, int32_t y, std::u16string_view text) override { canvas_.TextOut(x, y, text); }
    int32_t TextWidth(std::u16string_view text) override;
    int32_t TextHeight(std::u16string_view text) override;
    void MoveTo(int32_t x, int32_t y) override { canvas_.MoveTo(x, y); }
    void LineTo(int32_t x, int32_t y) override { canvas_.LineTo(x, y); }
    void FillModules(int32_t x, int32_t y, int32_t side, int32_t cells, const std::vector<ModuleRun>& runs) override
    {
        canvas_.FillModules(x, y, side, cells, runs);
    }
    void DrawLogo(const dib& logo, int32_t x, int32_t y, int32_t width, int32_t height) override
    {
        canvas_.DrawLogo(logo, x, y, width, height);
    }
    int32_t WordBreak(int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view text,
                      bool measureOnly) override
    {
        return canvas_.WordBreak(left, top, right, bottom, text, measureOnly);
    }
    void NewPage() override { canvas_.NewPage(); }

    // How many measurements the canvas underneath was asked for.
    size_t Misses() const { return misses_; }

    // The most texts remembered per font.
    static constexpr size_t kMaxTextsPerFont = 100'000;

private:
    // One font's measurements: widths by text, and its line height (−1 until measured).
    struct FontMeasures {
        std::unordered_map<std::u16string, int32_t> widths;
        int32_t height = -1;
    };

    TOutputCanvas& canvas_;
    // Fonts by their face, size and style (the colour does not change a text's size).
    std::unordered_map<std::u16string, FontMeasures> fonts_;
    FontMeasures* current_ = nullptr;
    size_t misses_ = 0;
};
