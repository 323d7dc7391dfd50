#include "pdf/PageCompressor.h"

#include <zlib.h>

#include <limits>
#include <new>

struct PageCompressor::State {
    z_stream stream{};
    bool initialised = false;
    bool used = false;
};

PageCompressor::PageCompressor() : state_(std::make_unique<State>()) {}

PageCompressor::~PageCompressor()
{
    if (state_->initialised)
        deflateEnd(&state_->stream);
}

bool PageCompressor::Compress(const char* data, size_t n, std::string_view& result)
{
    if (n > std::numeric_limits<uInt>::max() / 2)
        return false;
    z_stream& z = state_->stream;
    if (!state_->initialised) {
        if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK)
            return false;
        state_->initialised = true;
    } else if (state_->used && deflateReset(&z) != Z_OK) {
        return false;
    }
    state_->used = true;
    const size_t bound = deflateBound(&z, uLong(n));
    try {
        if (output_.size() < bound)
            output_.resize(bound);
    } catch (const std::bad_alloc&) {
        return false;
    }
    static const Bytef kEmpty = 0;
    z.next_in = n > 0 ? reinterpret_cast<Bytef*>(const_cast<char*>(data)) : const_cast<Bytef*>(&kEmpty);
    z.avail_in = uInt(n);
    z.next_out = output_.data();
    z.avail_out = uInt(output_.size());
    if (deflate(&z, Z_FINISH) != Z_STREAM_END)
        return false;
    result = std::string_view(reinterpret_cast<const char*>(output_.data()), size_t(z.total_out));
    return true;
}

void PageCompressor::ReleaseOutput()
{
    std::vector<unsigned char>().swap(output_);
}
