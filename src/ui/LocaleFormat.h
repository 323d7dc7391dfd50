#pragma once

#include <string>

class QLocale;

// How numbers and dates are written for the user: taken from the system's locale, except
// that the C/POSIX locale counts as German (decimal comma, dd.MM.yyyy). Dates always carry
// four-digit years: a locale whose short format has a two-digit year gets it widened
// (German dd.MM.yy becomes dd.MM.yyyy, US M/d/yy becomes M/d/yyyy).
struct LocaleFormat {
    char16_t decimalSeparator = u',';
    std::u16string shortDate = u"dd.MM.yyyy";

    static LocaleFormat FromSystem();
    static LocaleFormat From(const QLocale& locale);
    // Makes the number fields write numbers as this format does (the C locale as German).
    void ApplyToWidgets() const;
};
