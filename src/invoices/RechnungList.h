#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class TRechnungBook;
struct TRechnungRec;

// The invoice list: its 27 columns, sorting by a column and searching.
//   0 "Datum", 1–9 billing address anrede … ort, 10 "Bezahlt", 11 "ReNr.", 12 "Text",
//   13 "Tel", 14 "FAX", 15 "eMail", 16–24 delivery address, 25 "Bestelldatum",
//   26 "Ihre Bestellung".
inline constexpr int32_t kRechnungColumns = 27;

// The text of a column, dates as short dates in the given format; "Bezahlt" is empty
// when the invoice is not paid.
std::u16string RechnungColumnText(const TRechnungRec& rechnung, int32_t column, std::u16string_view dateFormat);

// The sort key of a column: for the two date columns year, month and day each in upper-case
// hexadecimal with at least two digits (the time does not count); otherwise the column's
// text with a to z in capitals.
std::u16string RechnungSortKey(const TRechnungRec& rechnung, int32_t column);

// A click on a column heading: the column sorted last flips the direction, any other column
// sorts ascending. False (nothing changes) for a column that does not exist.
bool SortRechnungen(TRechnungBook& book, int32_t column);

// Whether the text occurs, with exact case, in the date (short date text), an address
// field, the invoice text, phone, fax, e-mail, the delivery address, the order fields, the
// paid date (short date text, also for 0) or the number.
bool RechnungMatches(const TRechnungRec& rechnung, std::u16string_view text, std::u16string_view dateFormat);

// Moves every invoice that matches before all that do not; nothing for an empty text.
void SearchRechnungen(TRechnungBook& book, std::u16string_view text, std::u16string_view dateFormat);
