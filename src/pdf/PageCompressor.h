#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

// Compresses page contents into zlib streams (header and Adler-32 trailer, deflate at the
// library's default level, the whole page in one call with a finishing flush). The deflate
// state and the output block are kept from page to page, so that a long document does not
// set up and tear down the compressor for every page; the bytes are those of a fresh one.
class PageCompressor {
public:
    PageCompressor();
    ~PageCompressor();
    PageCompressor(const PageCompressor&) = delete;
    PageCompressor& operator=(const PageCompressor&) = delete;

    // The zlib stream of the n bytes at data, valid until the next call; false when zlib
    // fails (out of memory).
    bool Compress(const char* data, size_t n, std::string_view& result);
    // Gives back the output block (after a document).
    void ReleaseOutput();

private:
    struct State;
    std::unique_ptr<State> state_;
    std::vector<unsigned char> output_;
};
