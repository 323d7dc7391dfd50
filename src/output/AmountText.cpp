#include "output/AmountText.h"

#include "invoices/NumberText.h"

std::u16string AmountText(double value, char16_t separator, std::u16string_view currency)
{
    std::u16string text = FormatFixed2(value, separator);
    text += u' ';
    text += currency;
    return text;
}

std::u16string CentsText(int64_t cents, char16_t separator, std::u16string_view currency)
{
    // The magnitude as unsigned, so that the most negative value has one too.
    const uint64_t magnitude = cents < 0 ? 0 - uint64_t(cents) : uint64_t(cents);
    const std::string whole = std::to_string(magnitude / 100);
    const unsigned fraction = unsigned(magnitude % 100);
    std::u16string text;
    if (cents < 0)
        text += u'-';
    text.append(whole.begin(), whole.end());
    text += separator;
    text += char16_t(u'0' + fraction / 10);
    text += char16_t(u'0' + fraction % 10);
    text += u' ';
    text += currency;
    return text;
}

std::optional<int64_t> AmountCents(double value)
{
    const std::u16string text = FormatFixed2(value, u'.');
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == u'-';
    if (negative)
        ++i;
    const size_t point = text.find(u'.');
    // At most 16 digits before the point keep every value inside int64_t.
    if (point == std::u16string::npos || point == i || point - i > 16 || text.size() != point + 3)
        return std::nullopt;
    int64_t cents = 0;
    for (size_t k = i; k < text.size(); ++k) {
        if (k == point)
            continue;
        if (text[k] < u'0' || text[k] > u'9')
            return std::nullopt;
        cents = cents * 10 + (text[k] - u'0');
    }
    return negative ? -cents : cents;
}

std::u16string GeneralText(double value, char16_t separator)
{
    return FormatGeneral(value, separator);
}
