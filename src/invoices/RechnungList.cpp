#include "invoices/RechnungList.h"

#include "invoices/DateTime.h"
#include "invoices/RecordSort.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"

#include <vector>

namespace {

// Text field of each column; null for the two date columns.
constexpr TRechnungText kColumnFields[kRechnungColumns] = {
    nullptr,
    &TRechnungRec::anrede,
    &TRechnungRec::firma,
    &TRechnungRec::name,
    &TRechnungRec::vorname,
    &TRechnungRec::zusatz,
    &TRechnungRec::strasse,
    &TRechnungRec::land,
    &TRechnungRec::plz,
    &TRechnungRec::ort,
    nullptr,
    &TRechnungRec::rechnr,
    &TRechnungRec::rechtext,
    &TRechnungRec::tel,
    &TRechnungRec::fax,
    &TRechnungRec::email,
    &TRechnungRec::lanrede,
    &TRechnungRec::lfirma,
    &TRechnungRec::lname,
    &TRechnungRec::lvorname,
    &TRechnungRec::lzusatz,
    &TRechnungRec::lstrasse,
    &TRechnungRec::lland,
    &TRechnungRec::lplz,
    &TRechnungRec::lort,
    &TRechnungRec::bestelldatum,
    &TRechnungRec::ihrebestellung,
};

// The text fields searched, in the order they are looked at.
constexpr TRechnungText kSearchedFields[] = {
    &TRechnungRec::anrede,   &TRechnungRec::firma,    &TRechnungRec::name,         &TRechnungRec::vorname,
    &TRechnungRec::zusatz,   &TRechnungRec::strasse,  &TRechnungRec::land,         &TRechnungRec::plz,
    &TRechnungRec::ort,      &TRechnungRec::rechtext, &TRechnungRec::tel,          &TRechnungRec::fax,
    &TRechnungRec::email,    &TRechnungRec::lanrede,  &TRechnungRec::lfirma,       &TRechnungRec::lname,
    &TRechnungRec::lvorname, &TRechnungRec::lzusatz,  &TRechnungRec::lstrasse,     &TRechnungRec::lland,
    &TRechnungRec::lplz,     &TRechnungRec::lort,     &TRechnungRec::bestelldatum, &TRechnungRec::ihrebestellung,
    &TRechnungRec::rechnr,
};

void AppendHex(std::u16string& out, int32_t value)
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    char16_t digits[8];
    int n = 0;
    uint32_t v = static_cast<uint32_t>(value);
    do {
        digits[n++] = kDigits[v % 16];
        v /= 16;
    } while (v > 0);
    if (n < 2)
        digits[n++] = u'0';
    while (n > 0)
        out += digits[--n];
}

std::u16string DateKey(double value)
{
    TDateTimeParts parts;
    if (!DecodeDateTime(value, parts))
        return {};
    std::u16string key;
    AppendHex(key, parts.year);
    AppendHex(key, parts.month);
    AppendHex(key, parts.day);
    return key;
}

bool Contains(std::u16string_view haystack, std::u16string_view needle)
{
    return haystack.find(needle) != std::u16string_view::npos;
}

}

std::u16string RechnungColumnText(const TRechnungRec& rechnung, int32_t column, std::u16string_view dateFormat)
{
    if (column < 0 || column >= kRechnungColumns)
        return {};
    if (column == 0)
        return ShortDateText(rechnung.datum, dateFormat);
    if (column == 10)
        return rechnung.bezahlt == 0 ? std::u16string() : ShortDateText(rechnung.bezahlt, dateFormat);
    return std::u16string(TextOf(rechnung.*kColumnFields[column]));
}

std::u16string RechnungSortKey(const TRechnungRec& rechnung, int32_t column)
{
    if (column == 0)
        return DateKey(rechnung.datum);
    if (column == 10)
        return DateKey(rechnung.bezahlt);
    if (column < 0 || column >= kRechnungColumns)
        return {};
    return FoldAZ(TextOf(rechnung.*kColumnFields[column]));
}

bool SortRechnungen(TRechnungBook& book, int32_t column)
{
    if (column < 0 || column >= kRechnungColumns)
        return false;
    if (column == book.sort1) {
        book.sricht = book.sricht == 0 ? 1 : 0;
    } else {
        book.sort1 = column;
        book.sricht = 0;
    }
    std::vector<std::u16string> keys;
    keys.reserve(book.RechnungCount());
    for (uint32_t i = 0; i < book.RechnungCount(); ++i)
        keys.push_back(RechnungSortKey(book.Rechnung(i), column));
    QuickSortByKeys(book.rechs, keys, book.sricht == 1);
    return true;
}

bool RechnungMatches(const TRechnungRec& rechnung, std::u16string_view text, std::u16string_view dateFormat)
{
    if (Contains(ShortDateText(rechnung.datum, dateFormat), text))
        return true;
    for (TRechnungText field : kSearchedFields) {
        if (Contains(TextOf(rechnung.*field), text))
            return true;
    }
    return Contains(ShortDateText(rechnung.bezahlt, dateFormat), text);
}

void SearchRechnungen(TRechnungBook& book, std::u16string_view text, std::u16string_view dateFormat)
{
    if (text.empty())
        return;
    std::vector<std::u16string> keys;
    keys.reserve(book.RechnungCount());
    for (uint32_t i = 0; i < book.RechnungCount(); ++i)
        keys.push_back(RechnungMatches(book.Rechnung(i), text, dateFormat) ? u"0" : u"1");
    QuickSortByKeys(book.rechs, keys, false);
}
