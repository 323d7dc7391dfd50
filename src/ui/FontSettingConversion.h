#pragma once

#include "invoices/TFontSetting.h"

#include <QFont>
#include <QString>

// Between a stored font setting and the font the font dialog shows.
QFont ToQFont(const TFontSetting& setting);
// Takes face, size and style from the font; colour and character set stay. The size is
// kept in points, taken at the given resolution.
void ApplyQFont(const QFont& font, int pixelsPerInch, TFontSetting& setting);
// A short German description, e.g. "Arial, 11 pt, fett".
QString DescribeFont(const TFontSetting& setting);
