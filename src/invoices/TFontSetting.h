#pragma once

#include <cstdint>
#include <string>

// One font setting of the layout, as the font dialogs hold it and the store file keeps it.
struct TFontSetting {
    enum Style : uint8_t { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    uint8_t charset = 1;  // character set number; 1 = default
    int32_t color = 0;    // 0x00BBGGRR, or a system colour with the high byte 0xFF
    std::u16string name = u"Arial";
    uint8_t pitch = 0;           // 0 default, 1 variable, 2 fixed
    int32_t pixelsPerInch = 96;  // the resolution at which the size was taken
    int32_t size = 11;           // points
    uint8_t style = 0;           // Style bits

    bool operator==(const TFontSetting&) const = default;
};
