#include "invoices/UnitCodes.h"

#include "invoices/TextRules.h"

std::vector<TEinheitCode> DefaultUnitMap()
{
    return {
        {u"Stück", u"H87"}, {u"Stk.", u"H87"},    {u"Std.", u"HUR"},   {u"Stunde", u"HUR"}, {u"Stunden", u"HUR"},
        {u"Tag", u"DAY"},   {u"Tage", u"DAY"},    {u"Monat", u"MON"},  {u"kg", u"KGM"},     {u"g", u"GRM"},
        {u"t", u"TNE"},     {u"m", u"MTR"},       {u"m²", u"MTK"},     {u"m³", u"MTQ"},     {u"l", u"LTR"},
        {u"km", u"KMT"},    {u"Pauschal", u"LS"}, {u"pausch.", u"LS"}, {u"psch.", u"LS"},   {u"Paket", u"XPK"},
    };
}

std::u16string UnitCodeFor(const std::vector<TEinheitCode>& table, std::u16string_view einheit)
{
    const std::u16string key = FoldCase(Trimmed(einheit));
    if (!key.empty()) {
        for (const TEinheitCode& row : table) {
            if (FoldCase(Trimmed(row.einheit)) == key)
                return std::u16string(Trimmed(row.code));
        }
    }
    return std::u16string(kUnitCodeOne);
}
