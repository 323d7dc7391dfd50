#include "imaging/JpegReader.h"

#include "foundation/ByteSource.h"
#include "foundation/IoError.h"
#include "imaging/DibAccess.h"
#include "imaging/DibMemory.h"
#include "imaging/DibPixels.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
// after jpeglib.h, which it needs for the warning codes of the arithmetic decoder
#include <jerror.h>

namespace {

// libjpeg's working memory (coefficient buffers of progressive files) is bounded by this.
constexpr long kMaxWorkingMemory = 512L << 20;
constexpr size_t kBufferSize = 16384;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

struct SourceManager {
    jpeg_source_mgr pub;
    ByteSource* source;
    JOCTET buffer[kBufferSize];
};

// Everything the decoding steps change lives here, reached through a pointer, so that it
// survives libjpeg jumping back out of them.
struct JpegJob {
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    SourceManager input;
    uint8_t* row = nullptr;  // one row of CMYK samples
    dib* out = nullptr;
    uint64_t fileBytes = 0;
};

// Huffman coding spends at least one bit on every 8 × 8 block of every component (a
// sequential scan a code for the first value and one for the block's end, a progressive file
// at least the first-value scan of each block). A file shorter than one bit per block cannot
// hold the image it announces; believing it would let a few kilobytes claim the coefficient
// buffers and rows of the largest image allowed. Arithmetic coding can go below that bound
// only for large single-colour areas; such files are refused as well.
bool EnoughDataForBlocks(const jpeg_decompress_struct& cinfo, uint64_t fileBytes)
{
    uint64_t blocks = 0;
    for (int i = 0; i < cinfo.num_components; ++i)
        blocks += uint64_t(cinfo.comp_info[i].width_in_blocks) * cinfo.comp_info[i].height_in_blocks;
    return blocks <= fileBytes * 8;
}

[[noreturn]] void OnError(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings that mean the data is cut or damaged end the decoding like errors; the others
// (unknown revisions, stray bytes between markers) are tolerated.
void OnMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return;
    switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
        OnError(cinfo);
    default:
        break;
    }
}

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr cinfo)
{
    auto* in = reinterpret_cast<SourceManager*>(cinfo->src);
    const uint64_t left = in->source->Remaining();
    const size_t n = left < kBufferSize ? size_t(left) : kBufferSize;
    bool ok = true;
    if (n > 0) {
        try {
            in->source->Read(in->buffer, n);
        } catch (const IoError&) {
            ok = false;
        }
    }
    if (!ok)
        ERREXIT(cinfo, JERR_FILE_READ);
    if (n == 0) {
        WARNMS(cinfo, JWRN_JPEG_EOF);  // ends the decoding (OnMessage)
        in->buffer[0] = 0xFF;
        in->buffer[1] = JPEG_EOI;
        in->pub.next_input_byte = in->buffer;
        in->pub.bytes_in_buffer = 2;
        return TRUE;
    }
    in->pub.next_input_byte = in->buffer;
    in->pub.bytes_in_buffer = n;
    return TRUE;
}

void SkipInput(j_decompress_ptr cinfo, long count)
{
    auto* in = reinterpret_cast<SourceManager*>(cinfo->src);
    if (count <= 0)
        return;
    if (size_t(count) <= in->pub.bytes_in_buffer) {
        in->pub.next_input_byte += count;
        in->pub.bytes_in_buffer -= size_t(count);
        return;
    }
    uint64_t rest = uint64_t(count) - in->pub.bytes_in_buffer;
    in->pub.bytes_in_buffer = 0;
    const uint64_t left = in->source->Remaining();
    if (rest > left)
        rest = left;  // the next fill finds the end
    bool ok = true;
    try {
        in->source->Skip(rest);
    } catch (const IoError&) {
        ok = false;
    }
    if (!ok)
        ERREXIT(cinfo, JERR_FILE_READ);
}

bool Decode(JpegJob* job)
{
    jpeg_decompress_struct* cinfo = &job->cinfo;
    if (setjmp(job->errors.jump))
        return false;
    jpeg_create_decompress(cinfo);
    cinfo->mem->max_memory_to_use = kMaxWorkingMemory;
    cinfo->src = &job->input.pub;
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    if (!DibSizeAllowed(cinfo->image_width, cinfo->image_height, 24) || !EnoughDataForBlocks(*cinfo, job->fileBytes))
        return false;
    const J_COLOR_SPACE space = cinfo->jpeg_color_space;
    const bool grey = space == JCS_GRAYSCALE;
    const bool cmyk = space == JCS_CMYK || space == JCS_YCCK;
    cinfo->out_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_start_decompress(cinfo);
    if (cinfo->output_width != cinfo->image_width || cinfo->output_height != cinfo->image_height)
        return false;
    newdib(job->out, int32_t(cinfo->output_width), int32_t(cinfo->output_height), grey ? 8 : 24, nullptr, 0);
    dib& d = *job->out;
    if (!d.bits)
        return false;
    if (grey) {
        for (int i = 0; i < 256; ++i)
            DibSetColor(d, i, uint8_t(i), uint8_t(i), uint8_t(i));
    }
    const size_t width = cinfo->output_width;
    if (cmyk) {
        job->row = static_cast<uint8_t*>(std::malloc(width * 4));
        if (!job->row)
            return false;
    }
    // Adobe's CMYK files store the inks inverted.
    const bool inverted = cinfo->saw_Adobe_marker;
    while (cinfo->output_scanline < cinfo->output_height) {
        uint8_t* target = d.bits + int64_t(cinfo->output_height - 1 - cinfo->output_scanline) * d.stride;
        JSAMPROW row = cmyk ? job->row : target;
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1)
            return false;
        if (cmyk) {
            for (size_t x = 0; x < width; ++x) {
                const uint8_t* p = job->row + 4 * x;
                uint32_t c = p[0], m = p[1], y = p[2], k = p[3];
                if (!inverted) {
                    c = 255 - c;
                    m = 255 - m;
                    y = 255 - y;
                    k = 255 - k;
                }
                target[3 * x] = uint8_t((y * k + 127) / 255);
                target[3 * x + 1] = uint8_t((m * k + 127) / 255);
                target[3 * x + 2] = uint8_t((c * k + 127) / 255);
            }
        }
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

}

bool JpegReader::Read(ByteSource& source, dib& out)
{
    std::memset(&out, 0, sizeof out);
    auto* job = static_cast<JpegJob*>(std::calloc(1, sizeof(JpegJob)));
    if (!job)
        return false;
    job->out = &out;
    job->fileBytes = source.Remaining() + 2;  // with the start-of-image marker already taken
    job->cinfo.err = jpeg_std_error(&job->errors.pub);
    job->errors.pub.error_exit = OnError;
    job->errors.pub.emit_message = OnMessage;
    SourceManager& in = job->input;
    in.source = &source;
    in.pub.init_source = InitSource;
    in.pub.fill_input_buffer = FillInput;
    in.pub.skip_input_data = SkipInput;
    in.pub.resync_to_restart = jpeg_resync_to_restart;
    in.pub.term_source = TermSource;
    // The start-of-image marker was taken from the source to recognise the file.
    in.buffer[0] = 0xFF;
    in.buffer[1] = 0xD8;
    in.pub.next_input_byte = in.buffer;
    in.pub.bytes_in_buffer = 2;

    const bool ok = Decode(job);
    jpeg_destroy_decompress(&job->cinfo);
    std::free(job->row);
    std::free(job);
    if (!ok) {
        FreeDib(out);
        std::memset(&out, 0, sizeof out);
    }
    return ok;
}
