#pragma once

#include "imaging/DibDevice.h"

class QPainter;

// The image layer's device over a QPainter: the screen preview takes pixel rows directly; a
// printer is a raster printer that receives whole images stretched.
class QtDibDevice final : public DibDevice {
public:
    QtDibDevice(QPainter& painter, bool rasterPrinter) : painter_(painter), rasterPrinter_(rasterPrinter) {}

    bool IsRasterPrinter() const override { return rasterPrinter_; }
    bool AcceptsDibRows() const override { return true; }
    bool PutRows(int32_t x, int32_t y, const dib& rows) override;
    bool StretchImage(int32_t dx, int32_t dy, int32_t dw, int32_t dh, const dib& image, int32_t sx, int32_t sy,
                      int32_t sw, int32_t sh, uint32_t rop) override;

private:
    QPainter& painter_;
    bool rasterPrinter_;
};
