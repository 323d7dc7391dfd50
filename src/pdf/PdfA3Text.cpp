#include "pdf/PdfA3Text.h"

#include "foundation/Utf8.h"
#include "pdf/PdfNumbers.h"

namespace {

const char kHex[] = "0123456789ABCDEF";

struct CivilTime {
    int64_t year;
    int month, day, hour, minute, second;
};

// The calendar date and time of a count of seconds since 1970-01-01 00:00 (proleptic
// Gregorian calendar, days counted from 0000-03-01 in eras of 400 years).
CivilTime ToCivil(int64_t seconds)
{
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    CivilTime t;
    t.day = int(dayOfYear - (153 * mp + 2) / 5 + 1);
    t.month = int(mp < 10 ? mp + 3 : mp - 9);
    t.year = yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0);
    t.hour = int(rest / 3600);
    t.minute = int(rest / 60 % 60);
    t.second = int(rest % 60);
    return t;
}

void AppendTwo(std::string& out, int64_t value)
{
    out += char('0' + value / 10 % 10);
    out += char('0' + value % 10);
}

void AppendYear(std::string& out, int64_t year)
{
    // Dates outside 0..9999 cannot be written in four digits; they are held at the ends.
    if (year < 0)
        year = 0;
    if (year > 9999)
        year = 9999;
    AppendTwo(out, year / 100);
    AppendTwo(out, year % 100);
}

CivilTime LocalTime(int64_t time, int32_t offset)
{
    return ToCivil(time + int64_t(offset) * 60);
}

}

std::string PdfDateText(int64_t time, int32_t utcOffsetMinutes)
{
    const CivilTime t = LocalTime(time, utcOffsetMinutes);
    std::string out = "D:";
    AppendYear(out, t.year);
    AppendTwo(out, t.month);
    AppendTwo(out, t.day);
    AppendTwo(out, t.hour);
    AppendTwo(out, t.minute);
    AppendTwo(out, t.second);
    const int64_t offset = utcOffsetMinutes < 0 ? -int64_t(utcOffsetMinutes) : utcOffsetMinutes;
    out += utcOffsetMinutes < 0 ? '-' : '+';
    AppendTwo(out, offset / 60 % 100);
    out += '\'';
    AppendTwo(out, offset % 60);
    out += '\'';
    return out;
}

std::string XmpDateText(int64_t time, int32_t utcOffsetMinutes)
{
    const CivilTime t = LocalTime(time, utcOffsetMinutes);
    std::string out;
    AppendYear(out, t.year);
    out += '-';
    AppendTwo(out, t.month);
    out += '-';
    AppendTwo(out, t.day);
    out += 'T';
    AppendTwo(out, t.hour);
    out += ':';
    AppendTwo(out, t.minute);
    out += ':';
    AppendTwo(out, t.second);
    const int64_t offset = utcOffsetMinutes < 0 ? -int64_t(utcOffsetMinutes) : utcOffsetMinutes;
    out += utcOffsetMinutes < 0 ? '-' : '+';
    AppendTwo(out, offset / 60 % 100);
    out += ':';
    AppendTwo(out, offset % 60);
    return out;
}

std::string PdfByteString(std::string_view bytes)
{
    std::string out = "(";
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b == '\\' || b == '(' || b == ')') {
            out += '\\';
            out += char(b);
        } else if (b < 32 || b > 126) {
            out += '\\';
            out += char('0' + (b >> 6));
            out += char('0' + ((b >> 3) & 7));
            out += char('0' + (b & 7));
        } else {
            out += char(b);
        }
    }
    out += ')';
    return out;
}

std::string PdfTextString(std::u16string_view text)
{
    bool ascii = true;
    for (const char16_t c : text)
        ascii = ascii && c >= 32 && c <= 126;
    if (ascii) {
        std::string bytes(text.begin(), text.end());
        return PdfByteString(bytes);
    }
    std::string out = "<FEFF";
    for (const char16_t c : text) {
        out += kHex[(c >> 12) & 15];
        out += kHex[(c >> 8) & 15];
        out += kHex[(c >> 4) & 15];
        out += kHex[c & 15];
    }
    out += '>';
    return out;
}

std::string PdfName(std::string_view name)
{
    static const std::string_view kDelimiters = "#%()/<>[]{}";
    std::string out = "/";
    for (const char ch : name) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 33 || b > 126 || kDelimiters.find(char(b)) != std::string_view::npos) {
            out += '#';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        } else {
            out += char(b);
        }
    }
    return out;
}

std::string XmlEscaped(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (const char ch : utf8) {
        switch (ch) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            // Control characters other than tab, line feed and carriage return are not
            // allowed in XML 1.0 at all; they are left out.
            if (static_cast<unsigned char>(ch) >= 32 || ch == '\t' || ch == '\n' || ch == '\r')
                out += ch;
        }
    }
    return out;
}

std::string XmlEscaped(std::u16string_view text)
{
    return XmlEscaped(std::string_view(Utf16ToUtf8(text)));
}
