#include "invoices/DateTime.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <sys/time.h>

namespace {

// Days from 1.1.0001 to 30.12.1899, so that day 0 of the program is 30.12.1899.
constexpr int64_t kDateDelta = 693594;
constexpr int64_t kMsPerDay = 86400000;
constexpr double kFirstDay = -693593.0;  // 1.1.0001
constexpr double kLastDay = 2958465.0;   // 31.12.9999

bool IsLeap(int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int64_t year, int month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

// Day number of a date, 1.1.0001 being day 1.
int64_t DayNumber(int64_t year, int month, int day)
{
    const int64_t y = year - 1;
    int64_t n = y * 365 + y / 4 - y / 100 + y / 400;
    for (int m = 1; m < month; ++m)
        n += DaysInMonth(year, m);
    return n + day;
}

void DateOfDayNumber(int64_t number, TDateTimeParts& parts)
{
    int64_t n = number - 1;  // days since 1.1.0001
    const int64_t cycles400 = n / 146097;
    n %= 146097;
    int64_t cycles100 = n / 36524;
    if (cycles100 == 4)
        cycles100 = 3;  // the last day of a 400-year cycle
    n -= cycles100 * 36524;
    const int64_t cycles4 = n / 1461;
    n %= 1461;
    int64_t years = n / 365;
    if (years == 4)
        years = 3;  // the last day of a leap year
    n -= years * 365;
    const int64_t year = cycles400 * 400 + cycles100 * 100 + cycles4 * 4 + years + 1;
    int month = 1;
    while (n >= DaysInMonth(year, month)) {
        n -= DaysInMonth(year, month);
        ++month;
    }
    parts.year = static_cast<int32_t>(year);
    parts.month = month;
    parts.day = static_cast<int32_t>(n + 1);
}

void AppendNumber(std::u16string& out, int64_t value, int minDigits)
{
    char digits[24];
    int n = 0;
    const bool negative = value < 0;
    uint64_t v = negative ? uint64_t(0) - uint64_t(value) : uint64_t(value);
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v > 0);
    while (n < minDigits)
        digits[n++] = '0';
    if (negative)
        out += u'-';
    while (n > 0)
        out += static_cast<char16_t>(digits[--n]);
}

}

bool EncodeDateTime(const TDateTimeParts& p, double& value)
{
    if (p.year < 1 || p.year > 9999 || p.month < 1 || p.month > 12 || p.day < 1 || p.day > DaysInMonth(p.year, p.month))
        return false;
    if (p.hour < 0 || p.hour > 23 || p.minute < 0 || p.minute > 59 || p.second < 0 || p.second > 59 || p.msec < 0 ||
        p.msec > 999)
        return false;
    const double date = static_cast<double>(DayNumber(p.year, p.month, p.day) - kDateDelta);
    const double time = static_cast<double>(((int64_t(p.hour) * 60 + p.minute) * 60 + p.second) * 1000 + p.msec) /
                        static_cast<double>(kMsPerDay);
    value = date < 0 ? date - time : date + time;
    return true;
}

bool DecodeDateTime(double value, TDateTimeParts& parts)
{
    if (!std::isfinite(value) || value <= kFirstDay - 1.0 || value >= kLastDay + 1.0)
        return false;
    int64_t date = static_cast<int64_t>(std::trunc(value));
    int64_t ms = std::llround(std::fabs(value - std::trunc(value)) * double(kMsPerDay));
    if (ms >= kMsPerDay) {
        // A fraction a hair below the next midnight rounds up to it.
        ms -= kMsPerDay;
        date += 1;
    }
    const int64_t number = date + kDateDelta;
    if (number < 1 || number > kDateDelta + int64_t(kLastDay))
        return false;
    DateOfDayNumber(number, parts);
    parts.hour = static_cast<int32_t>(ms / 3600000);
    parts.minute = static_cast<int32_t>(ms / 60000 % 60);
    parts.second = static_cast<int32_t>(ms / 1000 % 60);
    parts.msec = static_cast<int32_t>(ms % 1000);
    return true;
}

double CurrentDateTime()
{
    struct timeval tv {};
    gettimeofday(&tv, nullptr);
    const time_t seconds = tv.tv_sec;
    struct tm local {};
    localtime_r(&seconds, &local);
    TDateTimeParts parts;
    parts.year = local.tm_year + 1900;
    parts.month = local.tm_mon + 1;
    parts.day = local.tm_mday;
    parts.hour = local.tm_hour;
    parts.minute = local.tm_min;
    parts.second = local.tm_sec > 59 ? 59 : local.tm_sec;  // leap second
    parts.msec = static_cast<int32_t>(tv.tv_usec / 1000);
    double value = 0;
    EncodeDateTime(parts, value);
    return value;
}

std::u16string ShortDateText(double value, std::u16string_view format)
{
    TDateTimeParts parts;
    if (!DecodeDateTime(value, parts))
        return {};
    std::u16string out;
    size_t i = 0;
    while (i < format.size()) {
        const char16_t c = format[i];
        if (c == u'\'') {
            size_t j = i + 1;
            if (j < format.size() && format[j] == u'\'') {
                out += u'\'';
                i = j + 1;
                continue;
            }
            while (j < format.size()) {
                if (format[j] == u'\'') {
                    if (j + 1 < format.size() && format[j + 1] == u'\'') {
                        out += u'\'';
                        j += 2;
                        continue;
                    }
                    break;
                }
                out += format[j++];
            }
            i = j + 1;
            continue;
        }
        size_t run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        if (c == u'd')
            AppendNumber(out, parts.day, run >= 2 ? 2 : 1);
        else if (c == u'M')
            AppendNumber(out, parts.month, run >= 2 ? 2 : 1);
        else if (c == u'y' && run == 2)
            AppendNumber(out, parts.year % 100, 2);
        else if (c == u'y')
            AppendNumber(out, parts.year, 4);
        else
            out.append(run, c);
        i += run;
    }
    return out;
}

std::u16string WithFourDigitYear(std::u16string_view pattern)
{
    std::u16string out;
    size_t i = 0;
    while (i < pattern.size()) {
        const char16_t c = pattern[i];
        if (c == u'\'') {
            // A quoted text, or '' for a quote: copied as it stands. Inside quotes '' is a
            // quote too; an unclosed quote runs to the end.
            size_t j = i + 1;
            if (j < pattern.size() && pattern[j] == u'\'') {
                out.append(pattern.substr(i, 2));
                i = j + 1;
                continue;
            }
            while (j < pattern.size()) {
                if (pattern[j] == u'\'') {
                    if (j + 1 < pattern.size() && pattern[j + 1] == u'\'') {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const size_t end = std::min(j + 1, pattern.size());
            out.append(pattern.substr(i, end - i));
            i = end;
            continue;
        }
        size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        if (c == u'y' && run < 4)
            out += u"yyyy";
        else
            out.append(pattern.substr(i, run));
        i += run;
    }
    return out;
}
