#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TRechnungBook;
struct TArtikelRec;
struct TPositionRec;

// The positions list and the article list: their columns, sorting and searching the
// articles, and finding an article in the pick dialog. Numbers appear in fixed notation
// with two decimals and the given decimal separator.

// Positions list: 0 "Menge", 1 "Einheit", 2 "ArtNr", 3 "MWST", 4 "Bezeichnung", 5 "Preis".
inline constexpr int32_t kPositionColumns = 6;
std::u16string PositionColumnText(const TPositionRec& position, int32_t column, char16_t separator);

// Article list: 0 "Einheit", 1 "ArtNr", 2 "MWST", 3 "Bezeichnung", 4 "Preis".
inline constexpr int32_t kArtikelColumns = 5;
std::u16string ArtikelColumnText(const TArtikelRec& artikel, int32_t column, char16_t separator);

// The sort key of an article column: the text with a to z in capitals; for rate and price
// the two-decimal text widened on the left with "0" to 18 characters, so that non-negative
// amounts sort by value.
std::u16string ArtikelSortKey(const TArtikelRec& artikel, int32_t column, char16_t separator);

// A click on a heading of the article list (direction and column in sricht2 and sort2, as
// for the invoices). False for a column that does not exist.
bool SortArtikel(TRechnungBook& book, int32_t column, char16_t separator);

// Whether the text occurs, with exact case, in the unit, the article number, the rate's
// two-decimal text, the description or the price's two-decimal text.
bool ArtikelMatches(const TArtikelRec& artikel, std::u16string_view text, char16_t separator);

// Moves the matching articles before all others; nothing for an empty text.
void SearchArtikel(TRechnungBook& book, std::u16string_view text, char16_t separator);

// Enter in the pick dialog's number field: the first article whose number, description or
// (always empty) barcode equals the typed text, comparing with a to z in capitals.
std::optional<uint32_t> FindPickArtikel(const TRechnungBook& book, std::u16string_view typed);
