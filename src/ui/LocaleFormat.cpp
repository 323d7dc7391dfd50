#include "ui/LocaleFormat.h"

#include <QLocale>

void LocaleFormat::ApplyToWidgets() const
{
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

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
