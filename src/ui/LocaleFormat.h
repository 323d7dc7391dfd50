#pragma once

#include <string>

// How numbers and dates are written for the user: taken from the system's locale, except
// that the C/POSIX locale counts as German (decimal comma, dd.MM.yyyy).
struct LocaleFormat {
    char16_t decimalSeparator = u',';
    std::u16string shortDate = u"dd.MM.yyyy";

    static LocaleFormat FromSystem();
    // Makes the number fields write numbers as this format does (the C locale as German).
    void ApplyToWidgets() const;
};
