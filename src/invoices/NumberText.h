#pragma once

#include <optional>
#include <string>
#include <string_view>

// Number texts of the lists and edit fields. The decimal separator is handed in (the
// locale's, decided by the windows; the C locale counts as German, a comma). No digit
// grouping anywhere. Rounding works on the value's 15 significant decimal digits, halves
// away from zero, so that 0.125 gives 0,13 and 1.005 gives 1,01.

// Fixed notation with the given number of decimals (0 to 15), e.g. 119,00. Zero after
// rounding carries no sign. Not a number gives NAN, infinities INF and -INF.
std::u16string FormatFixed(double value, int decimals, char16_t separator);

// Two decimals: the one rounding of money to cents, used wherever an amount is shown or
// handed on (page, preview, lists, the command line), so that every place shows the same
// cents for the same value.
inline std::u16string FormatFixed2(double value, char16_t separator)
{
    return FormatFixed(value, 2, separator);
}

// The shortest general notation with up to 15 significant digits: 10, 12,5, 0,1; very small
// or very large values in scientific notation such as 1E-7 or 1,5E20.
std::u16string FormatGeneral(double value, char16_t separator);

// The text without the blanks around it (number fields allow them on both sides).
std::u16string_view TrimBlanks(std::u16string_view text);

// Reads a real number: optional spaces, an optional sign, digits with at most one
// separator, an optional exponent (e or E, optional sign, digits), optional spaces. Nothing
// for any other text, for no digits at all, and for a value that does not fit a double.
std::optional<double> ParseNumber(std::u16string_view text, char16_t separator);

// The value as a two-decimal spin edit shows and hands it back.
double RoundTwo(double value);
