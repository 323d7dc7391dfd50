#include "imaging/JpegWriter.h"

#include "imaging/DibAccess.h"
#include "imaging/DibPixels.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace {

constexpr int kQuality = 90;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

// Everything the encoding steps change lives here, so that it survives libjpeg jumping back
// out of them after an error.
struct EncodeJob {
    jpeg_compress_struct cinfo;
    ErrorManager errors;
    unsigned char* data = nullptr;  // the encoded file (libjpeg's memory destination)
    unsigned long size = 0;
    uint8_t* row = nullptr;
    const dib* image = nullptr;
};

[[noreturn]] void OnError(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void OnMessage(j_common_ptr, int) {}

bool RunEncoder(EncodeJob* job)
{
    jpeg_compress_struct* cinfo = &job->cinfo;
    if (setjmp(job->errors.jump))
        return false;
    jpeg_create_compress(cinfo);
    jpeg_mem_dest(cinfo, &job->data, &job->size);
    const dib& d = *job->image;
    cinfo->image_width = JDIMENSION(DibWidth(d));
    cinfo->image_height = JDIMENSION(DibHeight(d));
    cinfo->input_components = 3;
    cinfo->in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, kQuality, TRUE);
    for (int i = 0; i < cinfo->num_components; ++i) {
        cinfo->comp_info[i].h_samp_factor = 1;
        cinfo->comp_info[i].v_samp_factor = 1;
    }
    jpeg_start_compress(cinfo, TRUE);
    const bool direct = DibBitCount(d) == 24;
    while (cinfo->next_scanline < cinfo->image_height) {
        const int32_t y = DibHeight(d) - 1 - int32_t(cinfo->next_scanline);
        JSAMPROW row = direct ? d.bits + int64_t(y) * d.stride : job->row;
        if (!direct)
            DibRowToBgr(d, y, job->row);
        jpeg_write_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

}

bool JpegWriter::Encode(const dib& d, std::string& out)
{
    const int32_t bits = DibBitCount(d);
    if (!d.bits || DibWidth(d) < 1 || DibHeight(d) < 1 ||
        (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        return false;
    auto* job = static_cast<EncodeJob*>(std::calloc(1, sizeof(EncodeJob)));
    if (!job)
        return false;
    job->image = &d;
    job->cinfo.err = jpeg_std_error(&job->errors.pub);
    job->errors.pub.error_exit = OnError;
    job->errors.pub.emit_message = OnMessage;
    bool ok = true;
    if (bits != 24) {
        job->row = static_cast<uint8_t*>(std::malloc(size_t(DibWidth(d)) * 3));
        ok = job->row != nullptr;
    }
    ok = ok && RunEncoder(job);
    jpeg_destroy_compress(&job->cinfo);
    if (ok) {
        try {
            out.assign(reinterpret_cast<const char*>(job->data), job->size);
        } catch (...) {
            ok = false;
        }
    }
    std::free(job->data);
    std::free(job->row);
    std::free(job);
    return ok;
}
