#pragma once

#include "output/TOutputCanvas.h"

#include <QColor>
#include <QFont>
#include <QPoint>

class QPainter;
class QPrinter;

// The screen preview and the printer as output targets: the layout's calls on a QPainter,
// in the device's own pixels. Fonts are given in points and converted with the device's
// resolution; text is drawn transparently with the top-left corner of its cell at (x, y).
// With a printer, NewPage starts the printer's next page.
class QtPainterCanvas final : public TOutputCanvas {
public:
    QtPainterCanvas(QPainter& painter, const TOutputTarget& target, QPrinter* printer = nullptr);

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
    QPainter& painter_;
    QPrinter* printer_;
    QPoint position_;
    QColor fontColor_ = Qt::black;
};
