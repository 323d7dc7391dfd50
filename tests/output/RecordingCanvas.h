#pragma once

#include "output/TOutputCanvas.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// An output target that records every drawing call with its arguments and measures text
// with simple, known metrics: a text is (length × size / 2) wide and (size + 2) high in the
// current font (0 and 0 for the empty text), so tests can work out every coordinate.
class RecordingCanvas final : public TOutputCanvas {
public:
    struct Call {
        std::string op;  // Font, Pen, Text, MoveTo, LineTo, Modules, Logo, WordBreak, NewPage
        int32_t x = 0;
        int32_t y = 0;
        int32_t a = 0;        // Font: size; Pen: width; Modules: side; Logo: width; WordBreak: right
        int32_t b = 0;        // Font: style; Modules: cells; Logo: height; WordBreak: bottom
        int32_t c = 0;        // Logo: image width; WordBreak: 1 when measuring
        int32_t d = 0;        // Logo: image height
        std::u16string text;  // Text, WordBreak; Font: the face name

        explicit Call(std::string name, int32_t x0 = 0, int32_t y0 = 0, int32_t a0 = 0, int32_t b0 = 0, int32_t c0 = 0,
                      int32_t d0 = 0)
            : op(std::move(name)),
              x(x0),
              y(y0),
              a(a0),
              b(b0),
              c(c0),
              d(d0)
        {
        }
    };

    explicit RecordingCanvas(const TOutputTarget& target) : TOutputCanvas(target) {}

    static int32_t Width(std::u16string_view text, int32_t size) { return int32_t(text.size()) * size / 2; }
    static int32_t Height(std::u16string_view text, int32_t size) { return text.empty() ? 0 : size + 2; }

    void SetFont(const TCanvasFont& font) override;
    void SetPen(int32_t width) override;
    void TextOut(int32_t x, int32_t y, std::u16string_view text) override;
    int32_t TextWidth(std::u16string_view text) override { return Width(text, font_.size); }
    int32_t TextHeight(std::u16string_view text) override { return Height(text, font_.size); }
    void MoveTo(int32_t x, int32_t y) override;
    void LineTo(int32_t x, int32_t y) override;
    void FillModules(int32_t x, int32_t y, int32_t side, int32_t cells, const std::vector<ModuleRun>& runs) override;
    void DrawLogo(const dib& logo, int32_t x, int32_t y, int32_t width, int32_t height) override;
    int32_t WordBreak(int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view text,
                      bool measureOnly) override;
    void NewPage() override;

    const std::vector<Call>& Calls() const { return calls_; }
    const TCanvasFont& Font() const { return font_; }

    // Texts drawn, in order (empty texts included).
    std::vector<std::u16string> Texts() const;
    // The first Text call with exactly this text; fails the test when there is none.
    const Call& TextCall(std::u16string_view text) const;
    bool HasText(std::u16string_view text) const;
    // How many Text calls drew exactly this text.
    int CountText(std::u16string_view text) const;
    // The rules drawn (a MoveTo followed by a LineTo): x1, x2 and y of each.
    struct Rule {
        int32_t x1, x2, y;
        bool operator==(const Rule&) const = default;
    };
    std::vector<Rule> Rules() const;
    // Index of the call in Calls(), for order checks; -1 when not there.
    int IndexOfText(std::u16string_view text) const;
    // The size of the font in force when call i was made.
    int32_t FontSizeAt(size_t index) const;
    int NewPages() const;
    // The filled module grids, with the page each lies on (0 for the first).
    struct Fill {
        int page;
        int32_t x, y, side, cells;
        std::vector<ModuleRun> runs;
    };
    std::vector<Fill> Fills() const;

private:
    std::vector<Call> calls_;
    std::vector<std::vector<ModuleRun>> runs_;  // of each "Modules" call, in order
    TCanvasFont font_;
};

// "text" as UTF-8 for test messages.
std::string U8(std::u16string_view text);
