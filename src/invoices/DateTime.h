#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Date-time values of the invoice book: 64-bit floats counting days since 30 December 1899
// (day 0), the fraction being the time of day. For days before that the whole part counts
// back and the fraction still adds the time of day (−1.25 is 29 December 1899, 06:00).
// Years 1 to 9999 of the Gregorian calendar are representable.

struct TDateTimeParts {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    int32_t msec = 0;
};

// False (and nothing else) for a date outside 1.1.0001 … 31.12.9999 or a time outside a day.
bool EncodeDateTime(const TDateTimeParts& parts, double& value);

// False for a value that is not a number or lies outside the representable years; the
// time is taken to the millisecond.
bool DecodeDateTime(double value, TDateTimeParts& parts);

// The current local date and time.
double CurrentDateTime();

// The date part of a value as text in a short date format given as a pattern: d, dd
// (day), M, MM (month), yy, yyyy (year), text in single quotes literally, '' a quote,
// every other character as it stands. Longer runs of d or M give the two-digit number,
// other runs of y the full year. Empty for a value that is not a date.
std::u16string ShortDateText(double value, std::u16string_view format);

// A date pattern (as for ShortDateText) whose year is written with four digits: every run of
// one to three y outside quoted text becomes yyyy; longer runs and quoted text stay as they
// are. Invoices carry four-digit years whatever the locale's short format says.
std::u16string WithFourDigitYear(std::u16string_view pattern);

// The short date format of the C locale, which counts as German.
inline constexpr std::u16string_view kGermanShortDate = u"dd.MM.yyyy";
