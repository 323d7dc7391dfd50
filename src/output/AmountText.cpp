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

std::u16string GeneralText(double value, char16_t separator)
{
    return FormatGeneral(value, separator);
}
