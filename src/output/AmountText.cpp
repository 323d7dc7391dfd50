#include "output/AmountText.h"

#include "invoices/NumberText.h"

std::u16string AmountText(double value, char16_t separator, std::u16string_view currency)
{
    std::u16string text = FormatFixed2(value, separator);
    text += u' ';
    text += currency;
    return text;
}

std::u16string GeneralText(double value, char16_t separator)
{
    return FormatGeneral(value, separator);
}
