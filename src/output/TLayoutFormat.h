#pragma once

#include <string>

// How the page writes numbers and dates: the user's decimal separator and short date
// pattern (see invoices/DateTime.h), handed in by the caller. The C locale counts as German.
struct TLayoutFormat {
    char16_t decimalSeparator = u',';
    std::u16string shortDate = u"dd.MM.yyyy";
};
