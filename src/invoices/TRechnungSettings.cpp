#include "invoices/TRechnungSettings.h"

#include "invoices/UnitCodes.h"

namespace {

// A default font: Arial, black, the design height in pixels at 96 pixels per inch turned
// into the nearest whole point.
TFontSetting DesignFont(int32_t designHeight, bool bold, int32_t screenPixelsPerInch)
{
    TFontSetting font;
    font.size = (designHeight * 72 + 48) / 96;
    font.style = bold ? TFontSetting::Bold : 0;
    font.pixelsPerInch = screenPixelsPerInch;
    return font;
}

}

TRechnungSettings::TRechnungSettings(int32_t screenPixelsPerInch)
    : FontDialog1(DesignFont(15, false, screenPixelsPerInch)),
      FontDialog2(DesignFont(21, false, screenPixelsPerInch)),
      FontDialog3(DesignFont(11, false, screenPixelsPerInch)),
      FontDialog4(DesignFont(19, true, screenPixelsPerInch)),
      FontDialog5(DesignFont(12, false, screenPixelsPerInch)),
      FontDialog6(DesignFont(15, false, screenPixelsPerInch)),
      FontDialog7(DesignFont(12, false, screenPixelsPerInch)),
      FontDialog8(DesignFont(15, false, screenPixelsPerInch)),
      FontDialog9(DesignFont(15, true, screenPixelsPerInch)),
      EinheitenGrid(DefaultUnitMap())
{
}
