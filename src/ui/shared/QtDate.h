#pragma once

#include "invoices/DateTime.h"

#include <QDate>

// Between the book's date-time values (days since 30 December 1899) and the dates of the date
// fields: the date part only.
inline double DayValue(const QDate& date)
{
    double value = 0;
    TDateTimeParts parts;
    parts.year = date.year();
    parts.month = date.month();
    parts.day = date.day();
    return date.isValid() && EncodeDateTime(parts, value) ? value : 0.0;
}

// An invalid date for a value that is no date of the years 1 to 9999.
inline QDate DateOfValue(double value)
{
    TDateTimeParts parts;
    if (!DecodeDateTime(value, parts))
        return {};
    return QDate(parts.year, parts.month, parts.day);
}
