#include "output/GiroCodeMatrix.h"

#include <qrencode.h>

#include <memory>

std::optional<GiroCodeMatrix> GiroCodeMatrix::Encode(std::string_view data)
{
    if (data.empty() || data.size() > 7089)
        return std::nullopt;
    const auto bytes = reinterpret_cast<const unsigned char*>(data.data());
    const std::unique_ptr<QRcode, void (*)(QRcode*)> code(
        QRcode_encodeData(static_cast<int>(data.size()), bytes, 0, QR_ECLEVEL_M), QRcode_free);
    if (!code || code->width <= 0)
        return std::nullopt;
    const int32_t size = code->width;
    std::vector<bool> dark(size_t(size) * size_t(size));
    for (size_t i = 0; i < dark.size(); ++i)
        dark[i] = (code->data[i] & 1) != 0;  // bit 0: dark module
    return GiroCodeMatrix(size, std::move(dark));
}

std::vector<GiroCodeMatrix::Run> GiroCodeMatrix::DarkRuns() const
{
    std::vector<Run> runs;
    for (int32_t row = 0; row < size_; ++row) {
        int32_t column = 0;
        while (column < size_) {
            if (!Dark(column, row)) {
                ++column;
                continue;
            }
            const int32_t start = column;
            while (column < size_ && Dark(column, row))
                ++column;
            runs.push_back({row, start, column - start});
        }
    }
    return runs;
}
