#pragma once

#include <string>
#include <string_view>

// Number texts on the invoice page, in the separator of the user's number format and without
// digit grouping.

// Exactly two decimals, rounded half away from zero from the stored 64-bit value itself (a
// value stored just below a half cent goes down: 1.005 is stored as 1.00499… and gives 1,00);
// a minus sign for negative values, none for a result of zero.
std::u16string FixedTwoText(double value, char16_t separator);

// An amount: FixedTwoText, one space, the currency text.
std::u16string AmountText(double value, char16_t separator, std::u16string_view currency);

// Quantities and rates: the shortest general form with up to 15 significant digits
// (19, 7, 2,5). A rate text is also the key of its group in the positions table.
std::u16string GeneralText(double value, char16_t separator);
