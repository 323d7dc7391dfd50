#pragma once

#include "imaging/dib.h"

#include <cstdint>

// A drawing surface that images are drawn onto (the preview, a printer page). The window
// layer implements it over QPainter; tests record the calls.
//
// Images arrive as `dib` records, rows bottom row first. The row stretch passes 24-bit
// rows (blue, green, red) and 8-bit rows with their colour table; the fallbacks may pass any
// depth the layer makes (1, 4, 8, 24, 32 bits), which DibRowToBgr (DibPixels.h) turns into
// blue, green, red rows. Coordinates on the device are its own units, y downwards.
class DibDevice {
public:
    // The raster operation of a plain copy.
    static constexpr uint32_t kSrcCopy = 0x00CC0020;

    virtual ~DibDevice() = default;

    // True for a printer that prints in pixels; images then go whole to StretchImage.
    virtual bool IsRasterPrinter() const = 0;
    // True when the device takes pixel rows directly through PutRows.
    virtual bool AcceptsDibRows() const = 0;

    // Puts the pixels of `rows`, unscaled, with their top-left pixel at (x, y): the top row of
    // the image at y, the next one at y + 1 and so on. False when the device cannot.
    virtual bool PutRows(int32_t x, int32_t y, const dib& rows) = 0;

    // Draws the source rectangle of `image` (left column sx, bottom-based row sy: 0 is the
    // bottom row; sw × sh pixels) stretched into the target rectangle (dx, dy, dw, dh),
    // dropping or repeating whole rows and columns (no blending), with the raster operation
    // `rop` (kSrcCopy). False when the device cannot.
    virtual bool StretchImage(int32_t dx, int32_t dy, int32_t dw, int32_t dh, const dib& image, int32_t sx, int32_t sy,
                              int32_t sw, int32_t sh, uint32_t rop) = 0;
};
