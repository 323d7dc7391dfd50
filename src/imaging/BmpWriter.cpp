#include "imaging/BmpWriter.h"

#include "foundation/ByteSink.h"
#include "imaging/DibAccess.h"
#include "imaging/DibMemory.h"

bool BmpWriter::Write(const dib& d, ByteSink& sink)
{
    const int32_t width = DibWidth(d);
    const int32_t height = DibHeight(d);
    const int32_t bits = DibBitCount(d);
    if (!d.bits || !DibSizeAllowed(width, height, bits) || d.stride != DibStrideFor(width, bits))
        return false;
    const uint32_t colors = bits <= 8 ? (1u << bits) : 0;
    const uint32_t offset = 14 + 40 + 4 * colors;
    const uint32_t rowBytes = uint32_t(d.stride) * uint32_t(height);
    sink.WriteU8('B');
    sink.WriteU8('M');
    sink.WriteU32(offset + rowBytes);
    sink.WriteU32(0);
    sink.WriteU32(offset);
    sink.WriteU32(40);
    sink.WriteI32(width);
    sink.WriteI32(height);
    sink.WriteU16(1);
    sink.WriteU16(uint16_t(bits));
    sink.WriteU32(0);
    sink.WriteU32(rowBytes);
    sink.WriteI32(2835);
    sink.WriteI32(2835);
    sink.WriteU32(0);  // colours used: the full table of the depth
    sink.WriteU32(0);
    for (uint32_t i = 0; i < colors; ++i) {
        const TRgbQuad& c = d.info->colors[i];
        const uint8_t entry[4] = {c.rgbBlue, c.rgbGreen, c.rgbRed, 0};
        sink.Write(entry, 4);
    }
    sink.Write(d.bits, rowBytes);
    return true;
}
