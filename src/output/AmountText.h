#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Number texts on the invoice page, in the separator of the user's number format and without
// digit grouping.

// An amount: exactly two decimals as FormatFixed2 writes them (the one rounding of money to
// cents: the decimal value, halves away from zero, so 1,005 gives 1,01), one space, the
// currency text.
std::u16string AmountText(double value, char16_t separator, std::u16string_view currency);

// An amount already in cents (an e-invoice's), written as AmountText writes it: 1234567 gives
// "12345,67 €", -5 gives "-0,05 €".
std::u16string CentsText(int64_t cents, char16_t separator, std::u16string_view currency);

// The amount in cents exactly as AmountText writes it (1,005 gives 101); nothing for a value
// that is not a number or does not fit.
std::optional<int64_t> AmountCents(double value);

// Quantities and rates: the shortest general form with up to 15 significant digits
// (19, 7, 2,5). A rate text is also the key of its group in the positions table.
std::u16string GeneralText(double value, char16_t separator);
