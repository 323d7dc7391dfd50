#include "received/ValueReader.h"

#include "foundation/Utf8.h"
#include "received/CiiFields.h"
#include "received/XmlNodes.h"

#include <cstdint>

namespace {

constexpr int64_t kLargest = 1'000'000'000'000;  // 10^12

std::u16string Quoted(const std::string& text)
{
    std::string shown = text.size() > 40 ? text.substr(0, 40) + "…" : text;
    return u"„" + Utf8ToUtf16(shown) + u"“";
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0))
        return 29;
    return days[month - 1];
}

int Base64Value(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

// A limit as a reader says it: "7 MB", "512 KB", "16 Bytes" (whole units, rounded down).
std::u16string SizeText(size_t bytes)
{
    if (bytes >= size_t{1} << 20)
        return Utf8ToUtf16(std::to_string(bytes >> 20)) + u" MB";
    if (bytes >= 1024)
        return Utf8ToUtf16(std::to_string(bytes >> 10)) + u" KB";
    return Utf8ToUtf16(std::to_string(bytes)) + u" Bytes";
}

}  // namespace

std::optional<Micros> ValueReader::ParseMicros(std::string_view text)
{
    size_t i = 0;
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        i = 1;
    }
    int64_t whole = 0;
    int64_t fraction = 0;  // the first six decimals
    int decimals = 0;
    bool roundUp = false;
    bool point = false;
    bool digits = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        digits = true;
        if (!point) {
            whole = whole * 10 + (c - '0');
            if (whole > kLargest)
                return std::nullopt;
        } else if (decimals < 6) {
            fraction = fraction * 10 + (c - '0');
            ++decimals;
        } else if (decimals == 6) {
            roundUp = c >= '5';  // half away from zero, decided by the seventh decimal
            ++decimals;
        }
    }
    if (!digits)
        return std::nullopt;
    for (int k = decimals; k < 6; ++k)
        fraction *= 10;
    Micros value = whole * 1'000'000 + fraction + (roundUp ? 1 : 0);
    return negative ? -value : value;
}

std::optional<ReceivedDate> ValueReader::ParseDate(std::string_view text, bool dashes)
{
    const size_t length = dashes ? 10 : 8;
    if (text.size() != length)
        return std::nullopt;
    std::string digits;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool separator = dashes && (i == 4 || i == 7);
        if (separator) {
            if (text[i] != '-')
                return std::nullopt;
        } else if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        } else {
            digits += text[i];
        }
    }
    ReceivedDate date;
    date.year = std::stoi(digits.substr(0, 4));
    date.month = std::stoi(digits.substr(4, 2));
    date.day = std::stoi(digits.substr(6, 2));
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > DaysInMonth(date.year, date.month))
        return std::nullopt;
    return date;
}

std::optional<Micros> ValueReader::Number(const xmlNode* node)
{
    if (node == nullptr)
        return std::nullopt;
    const std::string text = ElementTextUtf8(node);
    std::optional<Micros> value = ParseMicros(text);
    if (!value)
        Fail(node, Quoted(text) + u" ist keine Zahl, wie sie hier stehen muss (etwa „1234.56“).");
    return value;
}

std::optional<ReceivedDate> ValueReader::CiiDate(const xmlNode* holder)
{
    if (holder == nullptr)
        return std::nullopt;
    // udt:DateTimeString is the common form; udt:DateString and qdt:DateTimeString stand in
    // some places of the syntax and are read alike.
    const xmlNode* node = ChildElement(holder, cii::kUdt, "DateTimeString");
    if (node == nullptr)
        node = ChildElement(holder, cii::kUdt, "DateString");
    if (node == nullptr)
        node = ChildElement(holder, cii::kQdt, "DateTimeString");
    if (node == nullptr) {
        Fail(holder, u"Das Datum fehlt (udt:DateTimeString).");
        return std::nullopt;
    }
    const std::u16string format = AttributeText(node, "format");
    if (!format.empty() && format != u"102") {
        Fail(node, u"Das Datumsformat „" + format + u"“ wird nicht unterstützt (erwartet: 102, JJJJMMTT).");
        return std::nullopt;
    }
    const std::string text = ElementTextUtf8(node);
    std::optional<ReceivedDate> date = ParseDate(text, false);
    if (!date)
        Fail(node, Quoted(text) + u" ist kein Datum der Form JJJJMMTT.");
    return date;
}

std::optional<ReceivedDate> ValueReader::IsoDate(const xmlNode* node)
{
    if (node == nullptr)
        return std::nullopt;
    const std::string text = ElementTextUtf8(node);
    std::optional<ReceivedDate> date = ParseDate(text, true);
    if (!date)
        Fail(node, Quoted(text) + u" ist kein Datum der Form JJJJ-MM-TT.");
    return date;
}

std::string ValueReader::Base64(const xmlNode* node, size_t maxBytes)
{
    std::string out;
    if (node == nullptr)
        return out;
    uint32_t bits = 0;
    int count = 0;
    bool padding = false;
    for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
        if ((child->type != XML_TEXT_NODE && child->type != XML_CDATA_SECTION_NODE) || child->content == nullptr)
            continue;
        for (const xmlChar* p = child->content; *p != 0; ++p) {
            const char c = static_cast<char>(*p);
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
                continue;
            if (c == '=') {
                padding = true;
                continue;
            }
            const int value = Base64Value(c);
            if (value < 0 || padding) {
                Fail(node, u"Der Inhalt ist kein gültiges Base64.");
                return {};
            }
            bits = (bits << 6) | static_cast<uint32_t>(value);
            if (++count == 4) {
                if (out.size() + 3 > maxBytes) {
                    Fail(node, u"Der Anhang ist größer als " + SizeText(maxBytes) + u" und wird nicht gelesen.");
                    return {};
                }
                out += static_cast<char>((bits >> 16) & 0xFF);
                out += static_cast<char>((bits >> 8) & 0xFF);
                out += static_cast<char>(bits & 0xFF);
                bits = 0;
                count = 0;
            }
        }
    }
    if (count == 1) {
        Fail(node, u"Der Inhalt ist kein gültiges Base64.");
        return {};
    }
    if (count == 2)
        out += static_cast<char>((bits >> 4) & 0xFF);
    else if (count == 3) {
        out += static_cast<char>((bits >> 10) & 0xFF);
        out += static_cast<char>((bits >> 2) & 0xFF);
    }
    if (out.size() > maxBytes) {
        Fail(node, u"Der Anhang ist größer als " + SizeText(maxBytes) + u" und wird nicht gelesen.");
        return {};
    }
    return out;
}

void ValueReader::Fail(const xmlNode* node, std::u16string_view problem)
{
    if (Failed())
        return;
    if (node == nullptr) {
        Fail(problem);
        return;
    }
    error_ = u"Im Element „" + ElementName(node) + u"“ (Zeile " + Utf8ToUtf16(std::to_string(xmlGetLineNo(node))) +
             u"): " + std::u16string(problem);
}

void ValueReader::Fail(std::u16string_view problem)
{
    if (!Failed())
        error_ = std::u16string(problem);
}
