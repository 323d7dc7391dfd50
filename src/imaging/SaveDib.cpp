#include "imaging/SaveDib.h"

#include "foundation/AtomicFileSink.h"
#include "foundation/IoError.h"
#include "imaging/BmpWriter.h"
#include "imaging/DibDecoder.h"
#include "imaging/Jpeg2000Writer.h"
#include "imaging/JpegWriter.h"

#include <new>
#include <string>

int32_t SaveDib(dib d, const char* fname, int32_t format, int32_t)
{
    if (!fname || !*fname || !d.bits)
        return 0;
    try {
        std::string encoded;
        if (format == kDibFormatJpeg) {
            if (!JpegWriter::Encode(d, encoded))
                return 0;
        } else if (format == kDibFormatJpeg2000) {
            if (!Jpeg2000Writer::Encode(d, encoded))
                return 0;
        } else if (format != kDibFormatBmp) {
            return 0;
        }
        AtomicFileSink sink(fname);
        if (format == kDibFormatBmp) {
            if (!BmpWriter::Write(d, sink))
                return 0;
        } else {
            sink.Write(encoded.data(), encoded.size());
        }
        sink.Commit();
        return 1;
    } catch (const IoError&) {
    } catch (const std::bad_alloc&) {
    }
    return 0;
}
