#include "einvoice/IdentifierChecks.h"

#include "einvoice/CountryCodes.h"
#include "invoices/TextRules.h"

#include <string>

namespace {

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool IsLetter(char16_t c)
{
    return c >= u'A' && c <= u'Z';
}

bool AllLettersOrDigits(std::u16string_view text)
{
    for (char16_t c : text) {
        if (!IsDigit(c) && !IsLetter(c))
            return false;
    }
    return true;
}

}

bool IbanValid(std::u16string_view text)
{
    const std::u16string iban = Compact(text);
    if (iban.size() < 15 || iban.size() > 34 || !AllLettersOrDigits(iban))
        return false;
    if (!IsLetter(iban[0]) || !IsLetter(iban[1]) || !IsDigit(iban[2]) || !IsDigit(iban[3]))
        return false;
    if (iban.compare(0, 2, u"DE") == 0 && iban.size() != 22)
        return false;
    // The remainder digit by digit, the first four characters last.
    unsigned remainder = 0;
    for (size_t k = 0; k < iban.size(); ++k) {
        const char16_t c = iban[(k + 4) % iban.size()];
        if (IsDigit(c))
            remainder = (remainder * 10 + unsigned(c - u'0')) % 97;
        else
            remainder = (remainder * 100 + unsigned(c - u'A' + 10)) % 97;
    }
    return remainder == 1;
}

bool BicValid(std::u16string_view text)
{
    const std::u16string bic = Compact(text);
    if ((bic.size() != 8 && bic.size() != 11) || !AllLettersOrDigits(bic))
        return false;
    for (size_t i = 0; i < 6; ++i) {
        if (!IsLetter(bic[i]))
            return false;
    }
    return true;
}

bool GermanVatIdShape(std::u16string_view text)
{
    const std::u16string id = Compact(text);
    if (id.size() != 11 || id.compare(0, 2, u"DE") != 0)
        return false;
    for (size_t i = 2; i < id.size(); ++i) {
        if (!IsDigit(id[i]))
            return false;
    }
    return true;
}

bool VatIdValid(std::u16string_view text)
{
    const std::u16string id = Compact(text);
    if (id.compare(0, 2, u"DE") == 0)
        return GermanVatIdShape(id);
    if (id.size() < 4 || id.size() > 14 || !AllLettersOrDigits(id))
        return false;
    // Greece writes EL in front of its numbers, the rest their ISO country code.
    const std::u16string_view prefix = std::u16string_view(id).substr(0, 2);
    return prefix == u"EL" || (IsCountryCode(prefix) && IsLetter(prefix[0]));
}
