#include "ui/LocaleFormat.h"

#include <QLocale>

LocaleFormat LocaleFormat::FromSystem()
{
    const QLocale locale = QLocale::system();
    LocaleFormat format;
    if (locale.language() == QLocale::C)
        return format;
    const QString point = locale.decimalPoint();
    if (point.size() == 1)
        format.decimalSeparator = point.at(0).unicode();
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    if (!pattern.isEmpty())
        format.shortDate = pattern.toStdU16String();
    return format;
}
