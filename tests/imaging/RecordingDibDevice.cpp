#include "RecordingDibDevice.h"

#include "imaging/DibAccess.h"

bool RecordingDibDevice::PutRows(int32_t x, int32_t y, const dib& image)
{
    Rows r{x, y, DibWidth(image), DibHeight(image), DibBitCount(image), TopDown(image), image.bits, {}};
    if (DibBitCount(image) <= 8) {
        const auto* table = reinterpret_cast<const uint8_t*>(image.info->colors);
        r.table.assign(table, table + (4u << DibBitCount(image)));
    }
    rows.push_back(std::move(r));
    return !putFails;
}

bool RecordingDibDevice::StretchImage(int32_t dx, int32_t dy, int32_t dw, int32_t dh, const dib& image, int32_t sx,
                                      int32_t sy, int32_t sw, int32_t sh, uint32_t rop)
{
    stretches.push_back(
        {dx, dy, dw, dh, sx, sy, sw, sh, rop, DibWidth(image), DibHeight(image), DibBitCount(image), TopDown(image)});
    return !stretchFails && DibBitCount(image) != stretchFailsForBits;
}
