#pragma once

#include <cstdint>
#include <string>

// The font of the PDF canvas: face name, style set, size in points and colour.
struct TPDFFont {
    enum StyleBits : uint8_t {
        fsBold = 1,
        fsItalic = 2,
        fsUnderline = 4,
        fsStrikeOut = 8,
    };

    std::u16string name = u"Microsoft Sans Serif";
    uint8_t style = 0;
    int32_t size = 8;
    uint32_t color = 0;  // RGB, red in the lowest byte

    bool operator==(const TPDFFont&) const = default;
};
