#include "output/TOutputCanvas.h"

#include "invoices/TFontSetting.h"

TCanvasFont TOutputCanvas::FontOf(const TFontSetting& setting, const TOutputTarget& target)
{
    TCanvasFont font;
    font.name = setting.name;
    font.size = target.FontSize(setting.size);
    font.style =
        setting.style & (TFontSetting::Bold | TFontSetting::Italic | TFontSetting::Underline | TFontSetting::StrikeOut);
    // 0x00BBGGRR as stored; a system colour has the high byte 0xFF, any other high byte is
    // not read.
    const uint32_t color = static_cast<uint32_t>(setting.color);
    font.color = (color >> 24) == 0xFF ? 0 : (color & 0xFFFFFF);
    return font;
}

void TOutputCanvas::SelectFont(const TFontSetting& setting)
{
    SetFont(FontOf(setting, target_));
}
