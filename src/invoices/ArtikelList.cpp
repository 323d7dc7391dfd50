#include "invoices/ArtikelList.h"

#include "invoices/NumberText.h"
#include "invoices/RecordSort.h"
#include "invoices/TRechnungBook.h"
#include "invoices/TextBuf.h"

#include <vector>

namespace {

constexpr size_t kPaddedKeyLength = 18;

std::u16string Padded(double value, char16_t separator)
{
    std::u16string text = FormatFixed2(value, separator);
    if (text.size() < kPaddedKeyLength)
        text.insert(0, kPaddedKeyLength - text.size(), u'0');
    return text;
}

bool Contains(std::u16string_view haystack, std::u16string_view needle)
{
    return haystack.find(needle) != std::u16string_view::npos;
}

}

std::u16string PositionColumnText(const TPositionRec& p, int32_t column, char16_t separator)
{
    switch (column) {
    case 0:
        return FormatFixed2(p.menge, separator);
    case 1:
        return std::u16string(TextOf(p.einheit));
    case 2:
        return std::u16string(TextOf(p.artnr));
    case 3:
        return FormatFixed2(p.mwst, separator);
    case 4:
        return std::u16string(TextOf(p.bez));
    case 5:
        return FormatFixed2(p.preis, separator);
    default:
        return {};
    }
}

std::u16string ArtikelColumnText(const TArtikelRec& a, int32_t column, char16_t separator)
{
    switch (column) {
    case 0:
        return std::u16string(TextOf(a.einheit));
    case 1:
        return std::u16string(TextOf(a.artnr));
    case 2:
        return FormatFixed2(a.mwst, separator);
    case 3:
        return std::u16string(TextOf(a.bez));
    case 4:
        return FormatFixed2(a.preis, separator);
    default:
        return {};
    }
}

std::u16string ArtikelSortKey(const TArtikelRec& a, int32_t column, char16_t separator)
{
    if (column == 2)
        return Padded(a.mwst, separator);
    if (column == 4)
        return Padded(a.preis, separator);
    return FoldAZ(ArtikelColumnText(a, column, separator));
}

bool SortArtikel(TRechnungBook& book, int32_t column, char16_t separator)
{
    if (column < 0 || column >= kArtikelColumns)
        return false;
    if (column == book.sort2) {
        book.sricht2 = book.sricht2 == 0 ? 1 : 0;
    } else {
        book.sort2 = column;
        book.sricht2 = 0;
    }
    std::vector<std::u16string> keys;
    keys.reserve(book.ArtikelCount());
    for (uint32_t i = 0; i < book.ArtikelCount(); ++i)
        keys.push_back(ArtikelSortKey(book.Artikel(i), column, separator));
    QuickSortByKeys(book.tpos, keys, book.sricht2 == 1);
    return true;
}

bool ArtikelMatches(const TArtikelRec& a, std::u16string_view text, char16_t separator)
{
    return Contains(TextOf(a.einheit), text) || Contains(TextOf(a.artnr), text) ||
           Contains(FormatFixed2(a.mwst, separator), text) || Contains(TextOf(a.bez), text) ||
           Contains(FormatFixed2(a.preis, separator), text);
}

void SearchArtikel(TRechnungBook& book, std::u16string_view text, char16_t separator)
{
    if (text.empty())
        return;
    std::vector<std::u16string> keys;
    keys.reserve(book.ArtikelCount());
    for (uint32_t i = 0; i < book.ArtikelCount(); ++i)
        keys.push_back(ArtikelMatches(book.Artikel(i), text, separator) ? u"0" : u"1");
    QuickSortByKeys(book.tpos, keys, false);
}

std::optional<uint32_t> FindPickArtikel(const TRechnungBook& book, std::u16string_view typed)
{
    const std::u16string wanted = FoldAZ(typed);
    for (uint32_t i = 0; i < book.ArtikelCount(); ++i) {
        const TArtikelRec& a = book.Artikel(i);
        if (FoldAZ(TextOf(a.artnr)) == wanted || FoldAZ(TextOf(a.bez)) == wanted ||
            wanted.empty())  // the barcode column is empty
            return i;
    }
    return std::nullopt;
}
