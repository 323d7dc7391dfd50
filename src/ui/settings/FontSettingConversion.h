#pragma once

#include "invoices/TFontSetting.h"

#include <QFont>
#include <QString>

// Between a stored font setting and the font the font dialog shows. The family is the face
// the system actually uses for the stored name ("Arial" may be served by a metric-compatible
// substitute), so that the dialog can show it in its list.
QFont ToQFont(const TFontSetting& setting);
// Takes face, size and style from the font; colour and character set stay. The size is
// kept in points, taken at the given resolution.
void ApplyQFont(const QFont& font, int pixelsPerInch, TFontSetting& setting);
// What the user chose in the font dialog, which opened on `shown`: nothing changes unless the
// family, size or style differs; the stored face name stays unless another family was picked.
void ApplyChosenFont(const QFont& shown, const QFont& chosen, int pixelsPerInch, TFontSetting& setting);
// A short German description, e.g. "Arial, 11 pt, fett".
QString DescribeFont(const TFontSetting& setting);
