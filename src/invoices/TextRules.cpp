#include "invoices/TextRules.h"

namespace {

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0xA0;
}

}

std::u16string_view Trimmed(std::u16string_view text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::u16string FoldCase(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& c : out) {
        if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
            c = static_cast<char16_t>(c + 0x20);
    }
    return out;
}

std::u16string Compact(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (IsBlank(c))
            continue;
        out += c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
    }
    return out;
}

std::u16string XmlText(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r') {
            out += u'\n';
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (c < 0x20 && c != u'\t' && c != u'\n') {
            out += u' ';
        } else if (c == 0xFFFE || c == 0xFFFF) {
            out += u' ';
        } else {
            out += c;
        }
    }
    return out;
}

FirstLineAndRest SplitFirstLine(std::u16string_view text)
{
    const std::u16string normal = XmlText(Trimmed(text));
    FirstLineAndRest parts;
    const size_t end = normal.find(u'\n');
    parts.first = std::u16string(Trimmed(std::u16string_view(normal).substr(0, end)));
    if (end != std::u16string::npos)
        parts.rest = std::u16string(Trimmed(std::u16string_view(normal).substr(end + 1)));
    return parts;
}
