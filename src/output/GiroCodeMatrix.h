#pragma once

#include "output/ModuleRun.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

// The modules of a QR code in byte mode at error correction level M, in the smallest version
// that holds the data (libqrencode). Row 0 is the top, column 0 the left; the quiet zone is
// not part of the matrix.
class GiroCodeMatrix {
public:
    // Modules of white border every reader needs on each side.
    static constexpr int32_t kQuietZone = 4;

    // Nothing when the data does not fit any QR code or the encoder fails.
    static std::optional<GiroCodeMatrix> Encode(std::string_view data);

    // Modules per side (21 for version 1, 4 more per version).
    int32_t Size() const { return size_; }
    bool Dark(int32_t column, int32_t row) const { return dark_[size_t(row) * size_t(size_) + size_t(column)]; }

    // A horizontal run of dark modules: `length` modules from `column` in `row`.
    using Run = ModuleRun;
    // Every maximal run of dark modules, row by row from the top, left to right.
    std::vector<Run> DarkRuns() const;

private:
    GiroCodeMatrix(int32_t size, std::vector<bool> dark) : size_(size), dark_(std::move(dark)) {}

    int32_t size_ = 0;
    std::vector<bool> dark_;
};
