#include "customers/CustomerFieldText.h"

#include <algorithm>
#include <vector>

namespace {

bool AllDigits(std::u16string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

std::u16string_view Trimmed(std::u16string_view text)
{
    while (!text.empty() && text.front() == u' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ')
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::u16string CustomerFieldText::Shown(const DbfField& field, std::u16string_view stored)
{
    if (field.type != 'D' || stored.size() != 8 || !AllDigits(stored))
        return std::u16string(stored);
    return std::u16string(stored.substr(6, 2)) + u"." + std::u16string(stored.substr(4, 2)) + u"." +
           std::u16string(stored.substr(0, 4));
}

std::u16string CustomerFieldText::ToStore(const DbfField& field, std::u16string_view typed)
{
    const std::u16string_view text = Trimmed(typed);
    if (field.type != 'D')
        return std::u16string(typed);
    std::vector<std::u16string_view> parts;
    size_t start = 0;
    for (size_t dot = text.find(u'.'); dot != std::u16string_view::npos; dot = text.find(u'.', start)) {
        parts.push_back(text.substr(start, dot - start));
        start = dot + 1;
    }
    parts.push_back(text.substr(start));
    if (parts.size() != 3 || !AllDigits(parts[0]) || !AllDigits(parts[1]) || !AllDigits(parts[2]) ||
        parts[0].size() > 2 || parts[1].size() > 2 || (parts[2].size() != 2 && parts[2].size() != 4))
        return std::u16string(text);
    const auto two = [](std::u16string_view digits) {
        return digits.size() == 1 ? u"0" + std::u16string(digits) : std::u16string(digits);
    };
    const std::u16string year = parts[2].size() == 2 ? u"20" + std::u16string(parts[2]) : std::u16string(parts[2]);
    return year + two(parts[1]) + two(parts[0]);
}
