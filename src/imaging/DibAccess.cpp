#include "imaging/DibAccess.h"

#include "imaging/DibMemory.h"

namespace {

int32_t screenDepth = 24;

}

void FreeDib(dib& d)
{
    if (!d.bits)
        return;
    deldib(d);
    d.info = nullptr;
    d.block1 = nullptr;
    d.block2 = nullptr;
    d.bits = nullptr;
}

int32_t DibWidth(const dib& d)
{
    return d.info ? d.info->header.biWidth : 0;
}

int32_t DibHeight(const dib& d)
{
    return d.info ? d.info->header.biHeight : 0;
}

int32_t DibBitCount(const dib& d)
{
    return d.info ? d.info->header.biBitCount : 0;
}

int64_t DibColors(const dib& d)
{
    const int32_t bits = DibBitCount(d);
    return bits >= 62 ? INT64_MAX : int64_t(1) << bits;
}

int32_t ScreenColorDepth()
{
    return screenDepth;
}

void SetScreenColorDepth(int32_t bitsPerPixel)
{
    screenDepth = bitsPerPixel;
}
