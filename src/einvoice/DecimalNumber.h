#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Decimal numbers of electronic invoices, held as whole numbers of a unit of 10^-decimals:
// amounts in cents, prices, quantities and rates in millionths. The 64-bit floats of the book
// become such numbers by the rounding the page uses for amounts: the value's 15 significant
// decimal digits, rounded half away from zero.

// The largest magnitude taken: 10^12 (a trillion), which leaves room for every product the
// calculation forms.
inline constexpr double kLargestDecimal = 1e12;

// value × 10^decimals rounded as above (decimals 0 to 6); nothing for a value that is not a
// number, infinite, or larger in magnitude than kLargestDecimal.
std::optional<int64_t> ScaledDecimal(double value, int decimals);

// n / d rounded half away from zero (d > 0).
int64_t DivideRounded(__int128 n, int64_t d);

// The text of units × 10^-decimals with a full stop, at least minDecimals decimals and no
// trailing zeros beyond them, a minus sign for negative values ("119.00", "8.403361", "-2").
std::string DecimalText(int64_t units, int decimals, int minDecimals);

// Reads such a text back as units of 10^-decimals (at most that many decimals); nothing for
// any other text.
std::optional<int64_t> ParseDecimal(const std::string& text, int decimals);
