#include "invoices/CurrencyCode.h"

#include "invoices/TextRules.h"

std::u16string CurrencyCode(std::u16string_view waehrung)
{
    const std::u16string text(Trimmed(waehrung));
    const std::u16string folded = FoldCase(text);
    if (text == u"€" || folded == u"euro" || folded == u"eur")
        return u"EUR";
    if (folded == u"sfr." || folded == u"fr." || folded == u"chf")
        return u"CHF";
    if (text == u"$")
        return u"USD";
    if (text == u"£")
        return u"GBP";
    return Compact(text);
}
