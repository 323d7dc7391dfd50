#include "imaging/PngReader.h"

#include "foundation/ByteSource.h"
#include "foundation/IoError.h"
#include "imaging/DibAccess.h"
#include "imaging/DibMemory.h"
#include "imaging/DibPixels.h"

#include <png.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr uint64_t kMaxDeflateRatio = 1032;

// Everything the decoding steps touch lives here, reached through a pointer, so that nothing
// the steps change is lost when libpng jumps back out of them after an error.
struct PngJob {
    ByteSource* source = nullptr;
    png_structp png = nullptr;
    png_infop info = nullptr;
    uint8_t* rows = nullptr;  // decoded rows: all of them for interlaced files, else one
    dib* out = nullptr;
};

uint8_t Over(uint32_t value, uint32_t alpha)
{
    return uint8_t((value * alpha + 255 * (255 - alpha) + 127) / 255);
}

void ReadData(png_structp png, png_bytep data, size_t length)
{
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    bool ok = job->source->Remaining() >= length;
    if (ok) {
        try {
            job->source->Read(data, length);
        } catch (const IoError&) {
            ok = false;
        }
    }
    if (!ok)
        png_error(png, "cut short");
}

void OnError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Writes decoded row y (top row first) into the image.
void StoreRow(PngJob* job, uint32_t y, const uint8_t* row, int channels, bool toGrey)
{
    dib& d = *job->out;
    const int64_t width = DibWidth(d);
    uint8_t* target = d.bits + int64_t(DibHeight(d) - 1 - int64_t(y)) * d.stride;
    if (channels == 1 || channels == 3) {
        std::memcpy(target, row, size_t(width * channels));
        return;
    }
    if (toGrey) {  // grey and alpha
        for (int64_t x = 0; x < width; ++x)
            target[x] = Over(row[2 * x], row[2 * x + 1]);
        return;
    }
    for (int64_t x = 0; x < width; ++x) {  // blue, green, red, alpha
        const uint8_t* p = row + 4 * x;
        target[3 * x] = Over(p[0], p[3]);
        target[3 * x + 1] = Over(p[1], p[3]);
        target[3 * x + 2] = Over(p[2], p[3]);
    }
}

bool Decode(PngJob* job)
{
    png_structp png = job->png;
    png_infop info = job->info;
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_read_fn(png, job, ReadData);
    png_set_sig_bytes(png, 8);
    png_set_user_limits(png, uint32_t(kDibMaxSide), uint32_t(kDibMaxSide));
    // Only the header, palette, transparency and image data are used. Every other chunk
    // (texts, compressed texts, colour profiles, unknown chunks) is skipped unread, so that
    // its length or its expansion never makes libpng allocate anything; a chunk that claims
    // more bytes than the file holds ends the reading when skipping runs past the end.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_read_info(png, info);

    const uint32_t width = png_get_image_width(png, info);
    const uint32_t height = png_get_image_height(png, info);
    const int depth = png_get_bit_depth(png, info);
    const int colorType = png_get_color_type(png, info);
    const bool palette = colorType == PNG_COLOR_TYPE_PALETTE;
    const bool grey = (colorType & PNG_COLOR_MASK_COLOR) == 0;
    if (!DibSizeAllowed(width, height, palette || grey ? 8 : 24))
        return false;
    // Deflate expands at most 1032-fold: a file too short to hold all rows is refused before
    // memory is allocated for them.
    const uint64_t rawRowBytes = (uint64_t(width) * uint64_t(png_get_channels(png, info)) * uint64_t(depth) + 7) / 8;
    if ((rawRowBytes + 1) * height > kMaxDeflateRatio * (job->source->Remaining() + 64))
        return false;
    if (depth == 16)
        png_set_scale_16(png);
    if (palette) {
        png_set_packing(png);
    } else {
        if (grey && depth < 8)
            png_set_expand_gray_1_2_4_to_8(png);
        if (png_get_valid(png, info, PNG_INFO_tRNS))
            png_set_tRNS_to_alpha(png);
        if (!grey)
            png_set_bgr(png);
    }
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const int channels = png_get_channels(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    if (rowBytes != size_t(width) * size_t(channels))
        return false;

    newdib(job->out, int32_t(width), int32_t(height), palette || grey ? 8 : 24, nullptr, 0);
    dib& d = *job->out;
    if (!d.bits)
        return false;
    if (palette) {
        png_colorp colors = nullptr;
        int count = 0;
        png_get_PLTE(png, info, &colors, &count);
        png_bytep alphas = nullptr;
        int alphaCount = 0;
        png_get_tRNS(png, info, &alphas, &alphaCount, nullptr);
        for (int i = 0; i < count && i < 256; ++i) {
            const uint32_t a = (alphas && i < alphaCount) ? alphas[i] : 255;
            DibSetColor(d, i, Over(colors[i].red, a), Over(colors[i].green, a), Over(colors[i].blue, a));
        }
    } else if (grey) {
        for (int i = 0; i < 256; ++i)
            DibSetColor(d, i, uint8_t(i), uint8_t(i), uint8_t(i));
    }

    const bool interlaced = passes > 1;
    job->rows = static_cast<uint8_t*>(std::malloc(rowBytes * (interlaced ? height : 1)));
    if (!job->rows)
        return false;
    for (int pass = 0; pass < passes; ++pass) {
        for (uint32_t y = 0; y < height; ++y) {
            uint8_t* row = job->rows + (interlaced ? size_t(y) * rowBytes : 0);
            png_read_row(png, row, nullptr);
            if (!interlaced)
                StoreRow(job, y, row, channels, grey);
        }
    }
    if (interlaced) {
        for (uint32_t y = 0; y < height; ++y)
            StoreRow(job, y, job->rows + size_t(y) * rowBytes, channels, grey);
    }
    // Palette indices beyond the table would read black entries: harmless.
    return true;
}

}

bool PngReader::Read(ByteSource& source, dib& out)
{
    std::memset(&out, 0, sizeof out);
    static const uint8_t kRest[6] = {'N', 'G', '\r', '\n', 0x1A, '\n'};
    uint8_t rest[6];
    try {
        if (source.Remaining() < sizeof rest)
            return false;
        source.Read(rest, sizeof rest);
    } catch (const IoError&) {
        return false;
    }
    if (std::memcmp(rest, kRest, sizeof rest) != 0)
        return false;

    PngJob job;
    job.source = &source;
    job.out = &out;
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!job.png)
        return false;
    job.info = png_create_info_struct(job.png);
    const bool ok = job.info && Decode(&job);
    png_destroy_read_struct(&job.png, job.info ? &job.info : nullptr, nullptr);
    std::free(job.rows);
    if (!ok) {
        FreeDib(out);
        std::memset(&out, 0, sizeof out);
    }
    return ok;
}
