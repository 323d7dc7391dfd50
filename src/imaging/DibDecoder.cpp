#include "imaging/DibDecoder.h"

#include "foundation/ByteSource.h"
#include "foundation/IoError.h"
#include "imaging/BmpReader.h"
#include "imaging/JpegReader.h"
#include "imaging/PngReader.h"

#include <cstring>
#include <new>

bool DibDecoder::Decode(ByteSource& source, int32_t format, dib& out)
{
    std::memset(&out, 0, sizeof out);
    if (format != kDibFormatRecognise && format != kDibFormatBmp)
        return false;
    uint8_t magic[2];
    try {
        if (source.Remaining() < 2)
            return false;
        source.Read(magic, 2);
        if (magic[0] == 'B' && magic[1] == 'M')
            return BmpReader::Read(source, out);
        if (format != kDibFormatRecognise)
            return false;
        if (magic[0] == 0x89 && magic[1] == 'P')
            return PngReader::Read(source, out);
        if (magic[0] == 0xFF && magic[1] == 0xD8)
            return JpegReader::Read(source, out);
    } catch (const IoError&) {
    } catch (const std::bad_alloc&) {
    }
    return false;
}
