#include "imaging/DibStretch.h"

#include "imaging/DibAccess.h"
#include "imaging/DibDevice.h"
#include "imaging/DibMemory.h"

#include <cstring>
#include <vector>

namespace {

// The row-by-row stretch for `bytes` bytes per pixel (3 or 1).
int32_t StretchRows(DibDevice& device, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const dib& d, int32_t sx,
                    int32_t sy, int32_t sw, int32_t sh, int bytes)
{
    if (!d.bits || DibBitCount(d) != bytes * 8 || dw <= 0 || dh <= 0)
        return 0;
    dib row;
    newdib(&row, dw, 1, bytes * 8, bytes == 1 ? d.info : nullptr, bytes == 1 ? 256 : 0);
    if (!row.bits)
        return 0;

    // Column table: the byte offset of each target column's source pixel within a row.
    const int64_t rowBytes = int64_t(DibWidth(d)) * bytes;
    std::vector<int64_t> off(static_cast<size_t>(dw));
    int64_t first = -1;
    int64_t last = -1;
    for (int64_t i = 0; i < dw; ++i) {
        off[size_t(i)] = (sx + int64_t(sw) * i / dw) * bytes;
        if (off[size_t(i)] >= 0 && off[size_t(i)] < rowBytes) {
            if (first < 0)
                first = i;
            last = i;
        }
    }

    const int64_t height = DibHeight(d);
    const int64_t lastRow = (height - 1) * d.stride;
    int64_t copied = -1;
    int32_t copies = 0;
    for (int64_t r = 0; r < dh; ++r) {
        const int64_t o = (height - sy - int64_t(sh) * r / dh - 1) * d.stride;
        if (o < 0 || o > lastRow) {
            std::memset(row.bits, 0, size_t(row.stride));
        } else if (o != copied) {
            if (first >= 0) {
                for (int64_t j = first; j <= last; ++j)
                    std::memcpy(row.bits + j * bytes, d.bits + o + off[size_t(j)], size_t(bytes));
            }
            copied = o;
            ++copies;
        }
        device.PutRows(dx, int32_t(dy + r), row);
    }
    deldib(row);
    return copies;
}

}

int32_t StretchDib24ToDevice(DibDevice& device, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const dib& d,
                             int32_t sx, int32_t sy, int32_t sw, int32_t sh)
{
    return StretchRows(device, dx, dy, dw, dh, d, sx, sy, sw, sh, 3);
}

int32_t StretchDib8ToDevice(DibDevice& device, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const dib& d, int32_t sx,
                            int32_t sy, int32_t sw, int32_t sh)
{
    return StretchRows(device, dx, dy, dw, dh, d, sx, sy, sw, sh, 1);
}
