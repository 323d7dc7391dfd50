#include "imaging/Jpeg2000Writer.h"

#include "imaging/DibAccess.h"
#include "imaging/DibPixels.h"

#include <openjpeg.h>

#include <cstring>
#include <new>
#include <vector>

namespace {

// Quality as the peak signal-to-noise ratio in decibels: a fixed ratio of sizes would leave a
// small logo nothing but its headers.
constexpr float kQualityDecibels = 46.0f;

// The encoded file in memory; OpenJPEG seeks back to fill in box lengths.
struct MemoryOutput {
    std::string bytes;
    size_t pos = 0;
};

OPJ_SIZE_T WriteOut(void* buffer, OPJ_SIZE_T n, void* user)
{
    auto* out = static_cast<MemoryOutput*>(user);
    try {
        if (out->pos + n > out->bytes.size())
            out->bytes.resize(out->pos + n);
        std::memcpy(out->bytes.data() + out->pos, buffer, n);
        out->pos += n;
        return n;
    } catch (const std::bad_alloc&) {
        return OPJ_SIZE_T(-1);
    }
}

OPJ_OFF_T SkipOut(OPJ_OFF_T n, void* user)
{
    auto* out = static_cast<MemoryOutput*>(user);
    if (n < 0 && size_t(-n) > out->pos)
        return -1;
    out->pos = size_t(OPJ_OFF_T(out->pos) + n);
    return n;
}

OPJ_BOOL SeekOut(OPJ_OFF_T n, void* user)
{
    if (n < 0)
        return OPJ_FALSE;
    static_cast<MemoryOutput*>(user)->pos = size_t(n);
    return OPJ_TRUE;
}

void Quiet(const char*, void*) {}

int Resolutions(int32_t width, int32_t height)
{
    // The smallest side must hold at least one sample at the coarsest resolution.
    int32_t side = width < height ? width : height;
    int levels = 1;
    while (levels < 6 && side >= 2) {
        side /= 2;
        ++levels;
    }
    return levels;
}

}

bool Jpeg2000Writer::Encode(const dib& d, std::string& out)
{
    const int32_t width = DibWidth(d);
    const int32_t height = DibHeight(d);
    const int32_t bits = DibBitCount(d);
    if (!d.bits || width < 1 || height < 1 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32))
        return false;

    opj_image_cmptparm_t parts[3];
    std::memset(parts, 0, sizeof parts);
    for (auto& p : parts) {
        p.dx = 1;
        p.dy = 1;
        p.w = OPJ_UINT32(width);
        p.h = OPJ_UINT32(height);
        p.prec = 8;
        p.sgnd = 0;
    }
    opj_image_t* image = opj_image_create(3, parts, OPJ_CLRSPC_SRGB);
    if (!image)
        return false;
    image->x0 = 0;
    image->y0 = 0;
    image->x1 = OPJ_UINT32(width);
    image->y1 = OPJ_UINT32(height);

    bool ok = true;
    try {
        std::vector<uint8_t> row(size_t(width) * 3);
        for (int32_t top = 0; top < height; ++top) {
            DibRowToBgr(d, height - 1 - top, row.data());
            const size_t base = size_t(top) * size_t(width);
            for (int32_t x = 0; x < width; ++x) {
                image->comps[0].data[base + size_t(x)] = row[3 * size_t(x) + 2];
                image->comps[1].data[base + size_t(x)] = row[3 * size_t(x) + 1];
                image->comps[2].data[base + size_t(x)] = row[3 * size_t(x)];
            }
        }
    } catch (const std::bad_alloc&) {
        ok = false;
    }

    opj_cparameters_t parameters;
    opj_set_default_encoder_parameters(&parameters);
    parameters.tcp_numlayers = 1;
    parameters.tcp_distoratio[0] = kQualityDecibels;
    parameters.cp_fixed_quality = 1;
    parameters.irreversible = 1;
    parameters.tcp_mct = 1;
    parameters.numresolution = Resolutions(width, height);

    MemoryOutput output;
    opj_codec_t* codec = ok ? opj_create_compress(OPJ_CODEC_JP2) : nullptr;
    opj_stream_t* stream = codec ? opj_stream_create(OPJ_J2K_STREAM_CHUNK_SIZE, OPJ_FALSE) : nullptr;
    if (stream) {
        opj_set_error_handler(codec, Quiet, nullptr);
        opj_set_warning_handler(codec, Quiet, nullptr);
        opj_set_info_handler(codec, Quiet, nullptr);
        opj_stream_set_user_data(stream, &output, nullptr);
        opj_stream_set_write_function(stream, WriteOut);
        opj_stream_set_skip_function(stream, SkipOut);
        opj_stream_set_seek_function(stream, SeekOut);
        ok = opj_setup_encoder(codec, &parameters, image) && opj_start_compress(codec, image, stream) &&
             opj_encode(codec, stream) && opj_end_compress(codec, stream);
    } else {
        ok = false;
    }
    if (stream)
        opj_stream_destroy(stream);
    if (codec)
        opj_destroy_codec(codec);
    opj_image_destroy(image);
    if (!ok)
        return false;
    out = std::move(output.bytes);
    return !out.empty();
}
