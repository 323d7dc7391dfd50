#include "received/ReceivedSaveNames.h"

#include "foundation/Utf8.h"

#include <cmath>
#include <iterator>
#include <string>

namespace {

constexpr size_t kMaxNameLength = 200;
constexpr size_t kMaxExtensionLength = 16;

bool Special(char16_t c)
{
    return c < 0x20 || c == 0x7F || c == u':' || c == u'*' || c == u'?' || c == u'"' || c == u'<' || c == u'>' ||
           c == u'|';
}

bool IsSpace(char16_t c)
{
    return c == u' ' || c == 0xA0 || c == u'\t';
}

// The first `count` units of the text, one fewer when that would split a surrogate pair.
std::u16string Head(const std::u16string& text, size_t count)
{
    if (count >= text.size())
        return text;
    if (count > 0 && text[count - 1] >= 0xD800 && text[count - 1] <= 0xDBFF)
        --count;
    return text.substr(0, count);
}

std::u16string Trimmed(std::u16string text)
{
    while (!text.empty() && IsSpace(text.back()))
        text.pop_back();
    size_t first = 0;
    while (first < text.size() && (IsSpace(text[first]) || text[first] == u'.'))
        ++first;
    return text.substr(first);
}

}  // namespace

std::u16string SafeFileName(std::u16string_view name)
{
    const size_t slash = name.find_last_of(u"/\\");
    if (slash != std::u16string_view::npos)
        name.remove_prefix(slash + 1);
    std::u16string safe(name);
    for (char16_t& c : safe) {
        if (Special(c))
            c = u'_';
    }
    safe = Trimmed(std::move(safe));
    if (safe.size() <= kMaxNameLength)
        return safe;
    const size_t dot = safe.find_last_of(u'.');
    const std::u16string extension =
        dot != std::u16string::npos && safe.size() - dot <= kMaxExtensionLength ? safe.substr(dot) : std::u16string();
    std::u16string stem = Head(safe.substr(0, safe.size() - extension.size()), kMaxNameLength - extension.size());
    while (!stem.empty() && IsSpace(stem.back()))
        stem.pop_back();
    return stem + extension;
}

std::u16string ProposedReceivedPdfName(const ReceivedInvoice& invoice)
{
    // An invoice number like "RE/2026/17" keeps its parts: the slashes become dashes.
    std::u16string number = invoice.number;
    for (char16_t& c : number) {
        if (c == u'/' || c == u'\\')
            c = u'-';
    }
    const std::u16string safe = SafeFileName(number);
    return (safe.empty() ? std::u16string(u"E-Rechnung") : safe) + u".pdf";
}

std::u16string ProposedAttachmentName(const ReceivedAttachment& attachment, size_t index)
{
    std::u16string name = SafeFileName(attachment.fileName);
    if (name.empty())
        name = SafeFileName(attachment.id);
    if (name.empty())
        name = u"Anhang " + Utf8ToUtf16(std::to_string(index + 1));
    return name;
}

std::u16string ByteSizeText(uint64_t bytes)
{
    if (bytes == 1)
        return u"1 Byte";
    if (bytes < 1024)
        return Utf8ToUtf16(std::to_string(bytes)) + u" Bytes";
    const char16_t* units[] = {u" KB", u" MB", u" GB", u" TB"};
    double value = double(bytes) / 1024;
    size_t unit = 0;
    // 1023.7 KB would be shown as "1024 KB": from there on the next unit.
    while (unit + 1 < std::size(units) && value >= 1023.5) {
        value /= 1024;
        ++unit;
    }
    if (value >= 99.95)
        return Utf8ToUtf16(std::to_string(std::llround(value))) + units[unit];
    const long long tenths = std::llround(value * 10);
    return Utf8ToUtf16(std::to_string(tenths / 10)) + u"," + Utf8ToUtf16(std::to_string(tenths % 10)) + units[unit];
}
