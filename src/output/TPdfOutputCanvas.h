#pragma once

#include "output/TOutputCanvas.h"

class TPDFCanvas;

// The PDF as an output target: the layout's calls on the program's PDF writer, in points
// (1/72 inch) on a page whose size comes from the current printer. The caller begins and
// ends the document and sets the writer's page size to the target's.
class TPdfOutputCanvas final : public TOutputCanvas {
public:
    TPdfOutputCanvas(TPDFCanvas& pdf, const TPrinterPage& printer);

    void SetFont(const TCanvasFont& font) override;
    void SetPen(int32_t width) override;
    void TextOut(int32_t x, int32_t y, std::u16string_view text) override;
    int32_t TextWidth(std::u16string_view text) override;
    int32_t TextHeight(std::u16string_view text) override;
    void MoveTo(int32_t x, int32_t y) override;
    void LineTo(int32_t x, int32_t y) override;
    void FillModules(int32_t x, int32_t y, int32_t side, int32_t cells, const std::vector<ModuleRun>& runs) override;
    void DrawLogo(const dib& logo, int32_t x, int32_t y, int32_t width, int32_t height) override;
    int32_t WordBreak(int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view text,
                      bool measureOnly) override;
    void NewPage() override;

private:
    TPDFCanvas& pdf_;
};
