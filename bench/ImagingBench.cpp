// Loading a 1200 × 600 logo through OpenDib's decoders against the libraries' own plain
// decoding calls, the baselines: PNG against libpng's simplified API, JPEG against libjpeg's
// decompressor into memory; a Windows bitmap of 16 bits per pixel (5-6-5), widened to 24
// bits, against the same logo as a 24-bit bitmap, whose rows are only copied. And the row-by-row stretch of that logo to 2400 × 1200 pixels
// onto a device that only receives the rows (as the preview and printout draw it), against
// the baseline of a plain nearest-neighbour copy of the whole target in one buffer.
#include "foundation/MemoryByteSink.h"
#include "foundation/MemoryByteSource.h"
#include "imaging/BmpWriter.h"
#include "imaging/DibAccess.h"
#include "imaging/DibDecoder.h"
#include "imaging/DibDevice.h"
#include "imaging/DibMemory.h"
#include "imaging/DibPixels.h"
#include "imaging/DibStretch.h"
#include "imaging/JpegWriter.h"

#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

// Freed memory stays with the process, so that every decoder and its baseline get memory
// that was used before, whatever ran ahead of them: fresh pages are costly in some sandboxes,
// and which benchmark got them would otherwise decide the figures.
const bool kKeepFreedMemory = [] {
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    return true;
}();

constexpr int32_t kWidth = 1200;
constexpr int32_t kHeight = 600;

// A logo-like picture: soft gradients with hard-edged bars.
const dib& Logo()
{
    static const dib logo = [] {
        dib d;
        newdib(&d, kWidth, kHeight, 24, nullptr, 0);
        for (int32_t y = 0; y < kHeight; ++y)
            for (int32_t x = 0; x < kWidth; ++x) {
                const bool bar = (x / 40) % 5 == 0 && y > 100 && y < 500;
                const uint32_t c =
                    bar ? 0x2020C0 : uint32_t(x * 255 / kWidth) | uint32_t(y * 255 / kHeight) << 8 | 0x900000;
                setpixel(d, x, y, c);
            }
        return d;
    }();
    return logo;
}

const std::string& PngFile()
{
    static const std::string file = [] {
        const dib& d = Logo();
        png_image image;
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
        image.width = kWidth;
        image.height = kHeight;
        image.format = PNG_FORMAT_BGR;
        // Rows bottom first: a negative row stride, the buffer given from its start (the
        // bottom row).
        png_alloc_size_t size = 0;
        png_image_write_to_memory(&image, nullptr, &size, 0, d.bits, -d.stride, nullptr);
        std::string out(size, '\0');
        png_image_write_to_memory(&image, out.data(), &size, 0, d.bits, -d.stride, nullptr);
        out.resize(size);
        return out;
    }();
    return file;
}

const std::string& JpegFile()
{
    static const std::string file = [] {
        std::string out;
        JpegWriter::Encode(Logo(), out);
        return out;
    }();
    return file;
}

const std::string& Bmp24File()
{
    static const std::string file = [] {
        MemoryByteSink sink;
        BmpWriter::Write(Logo(), sink);
        return sink.Bytes();
    }();
    return file;
}

void PutU16(std::string& out, uint32_t v)
{
    out.push_back(char(v & 0xFF));
    out.push_back(char(v >> 8 & 0xFF));
}

void PutU32(std::string& out, uint32_t v)
{
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

// The logo as a 5-6-5 bitmap: file header, 40-byte header with bit fields, the three masks,
// rows of 2 bytes per pixel bottom row first.
const std::string& Bmp16File()
{
    static const std::string file = [] {
        const dib& d = Logo();
        const uint32_t stride = (kWidth * 2 + 3) / 4 * 4;
        const uint32_t offset = 14 + 40 + 12;
        std::string out = "BM";
        PutU32(out, offset + stride * kHeight);
        PutU32(out, 0);
        PutU32(out, offset);
        for (const uint32_t v : {40u, uint32_t(kWidth), uint32_t(kHeight)})
            PutU32(out, v);
        PutU16(out, 1);
        PutU16(out, 16);
        for (const uint32_t v : {3u, stride * kHeight, 2835u, 2835u, 0u, 0u, 0xF800u, 0x07E0u, 0x001Fu})
            PutU32(out, v);
        for (int32_t y = 0; y < kHeight; ++y) {
            for (int32_t x = 0; x < kWidth; ++x) {
                const uint32_t c = getpixel(d, x, y);
                PutU16(out, (c & 0xF8) << 8 | (c >> 8 & 0xFC) << 3 | (c >> 19 & 0x1F));
            }
            out.append(stride - kWidth * 2, '\0');
        }
        return out;
    }();
    return file;
}

void LoadBenchmark(benchmark::State& state, const std::string& file)
{
    for (auto _ : state) {
        MemoryByteSource source(file);
        dib d;
        if (!DibDecoder::Decode(source, 0, d) || DibBitCount(d) != 24)
            state.SkipWithError("not loaded as 24 bits");
        benchmark::DoNotOptimize(d.bits);
        FreeDib(d);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 3);
}

void BM_OpenDibBmp16(benchmark::State& state)
{
    LoadBenchmark(state, Bmp16File());
}
BENCHMARK(BM_OpenDibBmp16)->Unit(benchmark::kMillisecond);

void BM_Baseline_OpenDibBmp24(benchmark::State& state)
{
    LoadBenchmark(state, Bmp24File());
}
BENCHMARK(BM_Baseline_OpenDibBmp24)->Unit(benchmark::kMillisecond);

void BM_OpenDibPng(benchmark::State& state)
{
    for (auto _ : state) {
        MemoryByteSource source(PngFile());
        dib d;
        if (!DibDecoder::Decode(source, 0, d))
            state.SkipWithError("not loaded");
        benchmark::DoNotOptimize(d.bits);
        FreeDib(d);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 3);
}
BENCHMARK(BM_OpenDibPng)->Unit(benchmark::kMillisecond);

void BM_Baseline_LibpngSimplifiedRead(benchmark::State& state)
{
    for (auto _ : state) {
        png_image image;
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
        png_image_begin_read_from_memory(&image, PngFile().data(), PngFile().size());
        image.format = PNG_FORMAT_BGR;
        std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
        if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
            state.SkipWithError("not loaded");
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 3);
}
BENCHMARK(BM_Baseline_LibpngSimplifiedRead)->Unit(benchmark::kMillisecond);

void BM_OpenDibJpeg(benchmark::State& state)
{
    for (auto _ : state) {
        MemoryByteSource source(JpegFile());
        dib d;
        if (!DibDecoder::Decode(source, 0, d))
            state.SkipWithError("not loaded");
        benchmark::DoNotOptimize(d.bits);
        FreeDib(d);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 3);
}
BENCHMARK(BM_OpenDibJpeg)->Unit(benchmark::kMillisecond);

void BM_Baseline_LibjpegDecodeToMemory(benchmark::State& state)
{
    for (auto _ : state) {
        jpeg_decompress_struct cinfo;
        jpeg_error_mgr errors;
        cinfo.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(JpegFile().data()), JpegFile().size());
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_EXT_BGR;
        jpeg_start_decompress(&cinfo);
        std::vector<uint8_t> pixels(size_t(cinfo.output_width) * cinfo.output_height * 3);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = pixels.data() + size_t(cinfo.output_scanline) * cinfo.output_width * 3;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 3);
}
BENCHMARK(BM_Baseline_LibjpegDecodeToMemory)->Unit(benchmark::kMillisecond);

// A device that takes the rows and does nothing with them.
class RowSink final : public DibDevice {
public:
    bool IsRasterPrinter() const override { return false; }
    bool AcceptsDibRows() const override { return true; }
    bool PutRows(int32_t, int32_t, const dib& rows) override
    {
        benchmark::DoNotOptimize(rows.bits);
        return true;
    }
    bool StretchImage(int32_t, int32_t, int32_t, int32_t, const dib&, int32_t, int32_t, int32_t, int32_t,
                      uint32_t) override
    {
        return false;
    }
};

void BM_StretchDib24ToDevice(benchmark::State& state)
{
    RowSink device;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            StretchDib24ToDevice(device, 0, 0, 2 * kWidth, 2 * kHeight, Logo(), 0, 0, kWidth, kHeight));
    state.SetItemsProcessed(int64_t(state.iterations()) * 4 * kWidth * kHeight);
}
BENCHMARK(BM_StretchDib24ToDevice)->Unit(benchmark::kMillisecond);

void BM_Baseline_NearestNeighbourCopy(benchmark::State& state)
{
    const dib& d = Logo();
    const int32_t w = 2 * kWidth, h = 2 * kHeight;
    std::vector<uint8_t> target(size_t(w) * h * 3);
    std::vector<int32_t> columns(static_cast<size_t>(w));
    for (int32_t i = 0; i < w; ++i)
        columns[size_t(i)] = int32_t(int64_t(kWidth) * i / w) * 3;
    for (auto _ : state) {
        for (int32_t r = 0; r < h; ++r) {
            const uint8_t* source = d.bits + int64_t(kHeight - 1 - int64_t(kHeight) * r / h) * d.stride;
            uint8_t* out = target.data() + size_t(r) * w * 3;
            for (int32_t i = 0; i < w; ++i)
                std::memcpy(out + 3 * i, source + columns[size_t(i)], 3);
        }
        benchmark::DoNotOptimize(target.data());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 4 * kWidth * kHeight);
}
BENCHMARK(BM_Baseline_NearestNeighbourCopy)->Unit(benchmark::kMillisecond);

}
