// Reads arbitrary bytes as an image file through OpenDib's decoders: recognised by content
// (Windows bitmap, PNG, JPEG) and as a Windows bitmap only. A damaged file must give no image,
// never a crash, a read outside the data or an allocation beyond the image limits; whatever
// loads must be whole. Under libFuzzer a single block larger than 320 MiB is a finding: the
// largest one an image within the limits needs is its rows (256 MiB at 32 bits per pixel).
//   scripts/fuzz DibFuzz 60
#include "foundation/MemoryByteSource.h"
#include "imaging/DibAccess.h"
#include "imaging/DibDecoder.h"
#include "imaging/DibMemory.h"
#include "imaging/DibPixels.h"

#include <cstdint>
#include <string>
#include <vector>

// libFuzzer's own limit (2 GiB) would let a 2 GiB block through; a flag put in front of the
// command line's own ones sets the tighter limit, which a later flag can still change.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static char limit[] = "-malloc_limit_mb=320";
    static std::vector<char*> args;
    args.assign(*argv, *argv + *argc);
    args.insert(args.begin() + (args.empty() ? 0 : 1), limit);
    args.push_back(nullptr);
    *argc = int(args.size()) - 1;
    *argv = args.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const int32_t format : {kDibFormatRecognise, kDibFormatBmp}) {
        MemoryByteSource source(bytes, "fuzz");
        dib d;
        if (!DibDecoder::Decode(source, format, d)) {
            if (d.bits || d.info)
                __builtin_trap();
            continue;
        }
        if (!DibSizeAllowed(DibWidth(d), DibHeight(d), DibBitCount(d)) ||
            d.stride != DibStrideFor(DibWidth(d), DibBitCount(d)))
            __builtin_trap();
        std::vector<uint8_t> row(size_t(DibWidth(d)) * 3);
        for (int32_t y = 0; y < DibHeight(d); ++y)
            if (!DibRowToBgr(d, y, row.data()))
                __builtin_trap();
        FreeDib(d);
    }
    return 0;
}
