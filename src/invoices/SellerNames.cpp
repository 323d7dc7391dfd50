#include "invoices/SellerNames.h"

#include "invoices/TRechnungSettings.h"
#include "invoices/TextRules.h"

std::u16string CompanyField(const std::u16string& value, std::u16string_view placeholder)
{
    const std::u16string_view trimmed = Trimmed(value);
    return trimmed == placeholder ? std::u16string() : std::u16string(trimmed);
}

std::u16string CompanyName(const TRechnungSettings& s)
{
    return CompanyField(s.FirmaED2, u"FirmaED");
}

std::u16string AccountHolder(const TRechnungSettings& s)
{
    const std::u16string_view own = Trimmed(s.KontoinhaberEd);
    return own.empty() ? CompanyName(s) : std::u16string(own);
}
