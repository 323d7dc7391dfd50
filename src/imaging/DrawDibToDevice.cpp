#include "imaging/DrawDibToDevice.h"

#include "foundation/Messenger.h"
#include "imaging/DibAccess.h"
#include "imaging/DibDevice.h"
#include "imaging/DibHalftone.h"
#include "imaging/DibMemory.h"
#include "imaging/DibPixels.h"
#include "imaging/DibStretch.h"
#include "messages/OutputMessages.h"

#include <cstdlib>

namespace {

// p / q rounded to the nearest integer, halves to even (q > 0).
int64_t RoundQuotient(int64_t p, int64_t q)
{
    int64_t quotient = p / q;
    int64_t remainder = p % q;
    if (remainder < 0) {
        remainder += q;
        --quotient;
    }
    const int64_t twice = 2 * remainder;
    if (twice > q || (twice == q && (quotient & 1)))
        ++quotient;
    return quotient;
}

int32_t Clamp32(int64_t v)
{
    if (v > INT32_MAX)
        return INT32_MAX;
    if (v < INT32_MIN)
        return INT32_MIN;
    return int32_t(v);
}

// The layer's own stretch of the whole source rectangle into a dw × dh image, put onto the
// device in one piece. A target one pixel wide (or high) takes the first source column (or
// row) of the rectangle, as the column step does for target column 0 at every other width.
// 32-bit pixels are copied like 24-bit ones, four bytes each.
bool StretchAndPut(DibDevice& device, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const dib& d, int32_t sx,
                   int32_t sy, int32_t sw, int32_t sh)
{
    const int32_t bits = DibBitCount(d);
    const int64_t colors = DibColors(d);
    dib target;
    newdib(&target, dw, dh, bits, colors <= 256 ? d.info : nullptr, colors <= 256 ? int32_t(colors) : 0);
    if (!target.bits)
        return false;
    for (int64_t r = 0; r < dh; ++r) {
        const int64_t y = sy + (dh > 1 ? (int64_t(sh) - 1) * r / (dh - 1) : 0);
        if (y < 0 || y >= DibHeight(d))
            continue;
        const uint8_t* source = d.bits + y * d.stride;
        uint8_t* out = target.bits + r * target.stride;
        for (int64_t c = 0; c < dw; ++c) {
            const int64_t x = sx + (dw > 1 ? (int64_t(sw) - 1) * c / (dw - 1) : 0);
            if (x < 0 || x >= DibWidth(d))
                continue;
            switch (bits) {
            case 1:
                setpixel(target, int32_t(c), int32_t(r), getpixel(d, int32_t(x), int32_t(y)));
                break;
            case 4: {
                const uint8_t nibble = (x & 1) ? source[x >> 1] & 0x0F : source[x >> 1] >> 4;
                out[c >> 1] |= (c & 1) ? nibble : uint8_t(nibble << 4);
                break;
            }
            case 8:
                out[c] = source[x];
                break;
            case 24:
                out[3 * c] = source[3 * x];
                out[3 * c + 1] = source[3 * x + 1];
                out[3 * c + 2] = source[3 * x + 2];
                break;
            case 32:
                for (int k = 0; k < 4; ++k)
                    out[4 * c + k] = source[4 * x + k];
                break;
            default:
                break;
            }
        }
    }
    const bool ok = device.PutRows(dx, dy, target);
    deldib(target);
    return ok;
}

// The last resort: the whole image as a 24-bit bitmap of the device's kind, then stretched.
void BitmapAndStretch(DibDevice& device, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const dib& d, int32_t sx,
                      int32_t sy, int32_t sw, int32_t sh, uint32_t rop)
{
    dib bitmap;
    newdib(&bitmap, DibWidth(d), DibHeight(d), 24, nullptr, 0);
    if (!bitmap.bits) {
        CurrentMessenger().ShowInformation(std::u16string(OutputMessages::kBitmapNotCreated));
        return;
    }
    for (int32_t y = 0; y < DibHeight(d); ++y) {
        if (!DibRowToBgr(d, y, bitmap.bits + int64_t(y) * bitmap.stride)) {
            deldib(bitmap);
            CurrentMessenger().ShowInformation(std::u16string(OutputMessages::kRowsNotTaken));
            return;
        }
    }
    if (!device.StretchImage(dx, dy, dw, dh, bitmap, sx, sy, sw, sh, rop))
        CurrentMessenger().ShowInformation(std::u16string(OutputMessages::kNotStretched));
    deldib(bitmap);
}

}

void DrawDibToDevice(DibDevice& device, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const dib& d, int32_t sx,
                     int32_t sy, int32_t sw, int32_t sh, bool halftone, uint32_t rop, int32_t, int32_t)
{
    if (!d.bits || !d.info)
        return;
    const bool printer = device.IsRasterPrinter();
    const int64_t W = DibWidth(d);
    const int64_t Hh = DibHeight(d);
    // The rounding divides by the source size: a source without area draws nothing.
    if (sw <= 0 || sh <= 0)
        return;
    int64_t x = dx, y = dy, w = dw, h = dh;
    int64_t srcX = sx, srcY = sy, srcW = sw, srcH = sh;
    if (srcX + srcW > W) {
        w = RoundQuotient(w * (W - srcX), srcW);
        srcW = W - srcX;
    }
    if (srcW > 0 && srcY < 0) {
        h = RoundQuotient(h * (srcH + srcY), srcH);
        srcH = srcH + srcY;
        srcY = 0;
    }
    if (srcW > 0 && srcH > 0 && srcY + srcH > Hh) {
        const int64_t t = Hh - srcY;
        const int64_t scaled = RoundQuotient(h * t, srcH);
        y = y + h - scaled;
        h = scaled;
        srcH = t;
    }
    if (srcW > 0 && srcH > 0 && srcX < 0) {
        const int64_t scaled = RoundQuotient(w * (srcX + srcW), srcW);
        x = x + w - scaled;
        w = scaled;
        srcW = srcW + srcX;
        srcX = 0;
    }
    if (srcW <= 0 || srcH <= 0 || w <= 0 || h <= 0)
        return;
    dx = Clamp32(x);
    dy = Clamp32(y);
    dw = Clamp32(w);
    dh = Clamp32(h);
    sx = int32_t(srcX);
    sy = int32_t(srcY);
    sw = int32_t(srcW);
    sh = int32_t(srcH);

    const int32_t bits = DibBitCount(d);
    if (halftone && bits == 24 && ScreenColorDepth() <= 8) {
        dib copy;
        if (sw > dw || sh > dh) {
            const int64_t copyWidth = RoundQuotient(W * dw, sw);
            const int64_t copyHeight = RoundQuotient(Hh * dh, sh);
            DIBHalftoneDIBXY(&copy, d, Clamp32(copyWidth), Clamp32(copyHeight));
            if (copy.bits)
                device.StretchImage(dx, dy, dw, dh, copy, int32_t(RoundQuotient(copyWidth * sx, W)),
                                    int32_t(RoundQuotient(copyHeight * sy, Hh)), dw, dh, rop);
        } else {
            DIBHalftoneDIB(&copy, d);
            if (copy.bits)
                device.StretchImage(dx, dy, dw, dh, copy, sx, sy, sw, sh, rop);
        }
        if (copy.bits)
            deldib(copy);
        return;
    }
    if (!printer && bits == 24) {
        StretchDib24ToDevice(device, dx, dy, dw, dh, d, sx, int32_t(Hh - sy - sh), sw, sh);
        return;
    }
    if (!printer && bits == 8) {
        StretchDib8ToDevice(device, dx, dy, dw, dh, d, sx, int32_t(Hh - sy - sh), sw, sh);
        return;
    }
    if (device.StretchImage(dx, dy, dw, dh, d, sx, sy, sw, sh, rop))
        return;
    if (device.AcceptsDibRows() && StretchAndPut(device, dx, dy, dw, dh, d, sx, sy, sw, sh))
        return;
    BitmapAndStretch(device, dx, dy, dw, dh, d, sx, sy, sw, sh, rop);
}
