#pragma once

#include <optional>
#include <string>
#include <string_view>

// Price entry: the stored price is always the gross unit price, the rate a percentage.
//   net   = gross × 100 / (rate + 100)
//   gross = (rate + 100) × net / 100
//
// A rate of −100 would make the net price a division by zero. It is treated like a rate text
// that cannot be read: ReadRate gives nothing (so the rate is not stored and the derived
// price is left as it is), and NettoPreis gives nothing for a record that already holds it.

// The rate typed into a rate field, read in the locale's format (19 or 19,00).
std::optional<double> ReadRate(std::u16string_view text, char16_t separator);

// The net price of a gross price; nothing for a rate of −100 or a result that is not finite.
std::optional<double> NettoPreis(double brutto, double rate);

// The gross price of a net price (a rate of −100 gives 0).
double BruttoPreis(double netto, double rate);

// The discount rule: the gross price after a discount of `rabatt` percent.
double RabattPreis(double preis, double rabatt);

// The text appended to the description for a discount: " Rabatt " + the percentage in
// the shortest general notation + "%".
std::u16string RabattText(double rabatt, char16_t separator);
