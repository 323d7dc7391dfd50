#include "dbase/DbfValueCodec.h"

#include "foundation/IoError.h"
#include "foundation/Utf8.h"

#include <algorithm>
#include <string>

namespace {

bool IsPad(char c)
{
    return c == ' ' || c == '\0';
}

std::string_view TrimRight(std::string_view bytes)
{
    while (!bytes.empty() && IsPad(bytes.back()))
        bytes.remove_suffix(1);
    return bytes;
}

std::string_view TrimBoth(std::string_view bytes)
{
    bytes = TrimRight(bytes);
    while (!bytes.empty() && IsPad(bytes.front()))
        bytes.remove_prefix(1);
    return bytes;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A number with an optional sign and a decimal point or comma, written with exactly
// decimals places (never rounded: more places than that give ""), or "" when it is none.
std::string Number(std::string_view text, int decimals)
{
    std::string sign;
    if (text.front() == '-' || text.front() == '+') {
        if (text.front() == '-')
            sign = "-";
        text.remove_prefix(1);
    }
    const size_t point = text.find_first_of(".,");
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || !std::all_of(whole.begin(), whole.end(), IsDigit) ||
        !std::all_of(fraction.begin(), fraction.end(), IsDigit))
        return {};
    while (!fraction.empty() && fraction.back() == '0' && fraction.size() > size_t(decimals))
        fraction.remove_suffix(1);
    if (fraction.size() > size_t(decimals))
        return {};
    while (whole.size() > 1 && whole.front() == '0')
        whole.remove_prefix(1);
    std::string out = sign + (whole.empty() ? std::string("0") : std::string(whole));
    if (decimals > 0)
        out += "." + std::string(fraction) + std::string(size_t(decimals) - fraction.size(), '0');
    return out == "-0" || out.find_first_not_of("-0.") == std::string::npos ? out.substr(sign.size()) : out;
}

bool IsDate(std::string_view text)
{
    if (text.size() != 8 || !std::all_of(text.begin(), text.end(), IsDigit))
        return false;
    const int year = std::stoi(std::string(text.substr(0, 4)));
    const int month = std::stoi(std::string(text.substr(4, 2)));
    const int day = std::stoi(std::string(text.substr(6, 2)));
    static constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > kDays[month - 1])
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month != 2 || day <= 28 || leap;
}

std::string Logical(char c)
{
    switch (c) {
    case 'T':
    case 't':
    case 'Y':
    case 'y':
    case 'J':
    case 'j':
        return "T";
    case 'F':
    case 'f':
    case 'N':
    case 'n':
        return "F";
    case '?':
        return "?";
    default:
        return {};
    }
}

std::string TypeText(const DbfField& field)
{
    switch (field.type) {
    case 'D':
        return "ein Datum JJJJMMTT";
    case 'L':
        return "T oder F";
    default:
        return "eine Zahl mit höchstens " + std::to_string(field.length) + " Zeichen und " +
               std::to_string(field.decimals) + " Nachkommastellen";
    }
}

}  // namespace

std::u16string DbfValueCodec::Decode(const DbfField& field, std::string_view bytes, const DbfCodePage& codePage)
{
    if (field.type == 'C')
        return codePage.Decode(TrimRight(bytes));
    return codePage.Decode(TrimBoth(bytes));
}

std::string DbfValueCodec::Encode(const DbfField& field, std::u16string_view text, const DbfCodePage& codePage,
                                  const std::string& fileName)
{
    const size_t length = static_cast<size_t>(field.length);
    std::string bytes = codePage.Encode(text);
    if (field.type == 'C' || field.type == 'M') {
        if (bytes.size() > length)
            bytes.resize(length);
        bytes.resize(length, ' ');
        return bytes;
    }
    const std::string_view trimmed = TrimBoth(bytes);
    if (trimmed.empty())
        return std::string(length, ' ');
    std::string stored;
    if (field.type == 'N' || field.type == 'F')
        stored = Number(trimmed, field.decimals);
    else if (field.type == 'D')
        stored = IsDate(trimmed) ? std::string(trimmed) : std::string();
    else if (field.type == 'L' && trimmed.size() == 1)
        stored = Logical(trimmed[0]);
    if (stored.empty() || stored.size() > length) {
        throw IoError(fileName, "Der Wert \"" + std::string(trimmed) + "\" passt nicht in das Feld \"" +
                                    Utf16ToUtf8(field.name) + "\" (" + TypeText(field) + ")");
    }
    return std::string(length - stored.size(), ' ') + stored;
}

std::optional<uint32_t> DbfValueCodec::ParseMemoBlock(std::string_view bytes)
{
    const std::string_view digits = TrimBoth(bytes);
    uint64_t block = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        block = block * 10 + uint64_t(c - '0');
        if (block > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return static_cast<uint32_t>(block);
}

uint32_t DbfValueCodec::MemoBlock(std::string_view bytes, const std::string& fileName)
{
    const std::optional<uint32_t> block = ParseMemoBlock(bytes);
    if (!block)
        throw IoError(fileName, "Beschädigte dBase-Tabelle: ungültiger Memoverweis");
    return *block;
}

std::string DbfValueCodec::MemoPointer(uint32_t block)
{
    if (block == 0)
        return std::string(10, ' ');
    const std::string digits = std::to_string(block);
    return std::string(10 - digits.size(), ' ') + digits;
}
