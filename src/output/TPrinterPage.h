#pragma once

#include <cstdint>

// The page of the current printer, which every output target takes its page size from:
// the printable width and height in printer pixels and the printer's horizontal resolution
// in pixels per inch.
struct TPrinterPage {
    int32_t PW = 4960;
    int32_t PH = 7015;
    int32_t PD = 600;

    bool operator==(const TPrinterPage&) const = default;
};

// The page used when no printer is installed: A4 at 600 pixels per inch (a PDF page of
// 595 × 841 points).
inline constexpr TPrinterPage kNoPrinterPage{4960, 7015, 600};
