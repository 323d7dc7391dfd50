#include "ui/settings/FontSettingConversion.h"

#include "ui/shared/QtText.h"

#include <QFontInfo>
#include <QStringList>
#include <cmath>

QFont ToQFont(const TFontSetting& setting)
{
    QFont font(ToQString(setting.name));
    font.setPointSize(setting.size > 0 ? setting.size : 1);
    font.setBold(setting.style & TFontSetting::Bold);
    font.setItalic(setting.style & TFontSetting::Italic);
    font.setUnderline(setting.style & TFontSetting::Underline);
    font.setStrikeOut(setting.style & TFontSetting::StrikeOut);
    font.setFixedPitch(setting.pitch == 2);
    font.setFamily(QFontInfo(font).family());
    return font;
}

void ApplyQFont(const QFont& font, int pixelsPerInch, TFontSetting& setting)
{
    setting.name = ToU16(font.family());
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / pixelsPerInch;
    setting.size = static_cast<int32_t>(std::lround(points));
    setting.pixelsPerInch = pixelsPerInch;
    uint8_t style = 0;
    if (font.bold())
        style |= TFontSetting::Bold;
    if (font.italic())
        style |= TFontSetting::Italic;
    if (font.underline())
        style |= TFontSetting::Underline;
    if (font.strikeOut())
        style |= TFontSetting::StrikeOut;
    setting.style = style;
    setting.pitch = font.fixedPitch() ? 2 : (setting.pitch == 2 ? 0 : setting.pitch);
}

namespace {

bool SameChoice(const QFont& a, const QFont& b)
{
    return a.family() == b.family() && a.pointSizeF() == b.pointSizeF() && a.pixelSize() == b.pixelSize() &&
           a.bold() == b.bold() && a.italic() == b.italic() && a.underline() == b.underline() &&
           a.strikeOut() == b.strikeOut();
}

}

void ApplyChosenFont(const QFont& shown, const QFont& chosen, int pixelsPerInch, TFontSetting& setting)
{
    if (SameChoice(shown, chosen))
        return;
    const std::u16string storedName = setting.name;
    ApplyQFont(chosen, pixelsPerInch, setting);
    if (chosen.family() == shown.family())
        setting.name = storedName;
}

QString DescribeFont(const TFontSetting& setting)
{
    QStringList parts{ToQString(setting.name), QStringLiteral("%1 pt").arg(setting.size)};
    if (setting.style & TFontSetting::Bold)
        parts << QStringLiteral("fett");
    if (setting.style & TFontSetting::Italic)
        parts << QStringLiteral("kursiv");
    if (setting.style & TFontSetting::Underline)
        parts << QStringLiteral("unterstrichen");
    if (setting.style & TFontSetting::StrikeOut)
        parts << QStringLiteral("durchgestrichen");
    return parts.join(QStringLiteral(", "));
}
