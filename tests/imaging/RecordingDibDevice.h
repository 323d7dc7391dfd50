#pragma once

#include "DibTestSupport.h"
#include "imaging/DibDevice.h"

#include <vector>

// A device that records what is drawn onto it. Its answers are set by the test: whether it is
// a raster printer, takes rows, and for which depths StretchImage and PutRows succeed.
class RecordingDibDevice final : public DibDevice {
public:
    struct Rows {
        int32_t x, y;
        int32_t width, height, bits;
        Picture picture;             // top row first
        const uint8_t* pixels;       // where the rows lay in memory
        std::vector<uint8_t> table;  // the colour table as blue, green, red, spare
    };
    struct Stretch {
        int32_t dx, dy, dw, dh;
        int32_t sx, sy, sw, sh;
        uint32_t rop;
        int32_t width, height, bits;
        Picture picture;
    };

    bool printer = false;
    bool takesRows = true;
    bool stretchFails = false;        // every StretchImage fails
    int32_t stretchFailsForBits = 0;  // StretchImage fails for images of this depth
    bool putFails = false;

    std::vector<Rows> rows;
    std::vector<Stretch> stretches;

    bool IsRasterPrinter() const override { return printer; }
    bool AcceptsDibRows() const override { return takesRows; }
    bool PutRows(int32_t x, int32_t y, const dib& image) override;
    bool StretchImage(int32_t dx, int32_t dy, int32_t dw, int32_t dh, const dib& image, int32_t sx, int32_t sy,
                      int32_t sw, int32_t sh, uint32_t rop) override;
};
