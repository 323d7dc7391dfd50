#include "ui/shared/LocaleFormat.h"

#include "invoices/DateTime.h"

#include <QLocale>

void LocaleFormat::ApplyToWidgets() const
{
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

LocaleFormat LocaleFormat::FromSystem()
{
    return From(QLocale::system());
}

LocaleFormat LocaleFormat::From(const QLocale& locale)
{
    LocaleFormat format;
    if (locale.language() == QLocale::C)
        return format;
    const QString point = locale.decimalPoint();
    if (point.size() == 1)
        format.decimalSeparator = point.at(0).unicode();
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    if (!pattern.isEmpty())
        format.shortDate = WithFourDigitYear(pattern.toStdU16String());
    return format;
}
