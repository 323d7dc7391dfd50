#pragma once

#include "output/TLayoutFormat.h"

class QLocale;

// How numbers and dates are written for the user, taken from the system's locale: the
// format the page and the lists use, with the C/POSIX locale counting as German (decimal
// comma, dd.MM.yyyy). Dates always carry four-digit years: a locale whose short format has a
// two-digit year gets it widened (German dd.MM.yy becomes dd.MM.yyyy, US M/d/yy M/d/yyyy).
struct LocaleFormat : TLayoutFormat {
    static LocaleFormat FromSystem();
    static LocaleFormat From(const QLocale& locale);
    // Makes the number fields write numbers as this format does (the C locale as German).
    void ApplyToWidgets() const;
};
