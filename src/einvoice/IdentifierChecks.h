#pragma once

#include <string_view>

// Checks of identifiers that the settings window runs while the user types (a field is shown
// red until its text passes) and the e-invoice check runs before writing. Spaces anywhere
// and lower-case letters are allowed, as people type them.

// An IBAN: a country code, two check digits and 11 to 30 letters or digits (a German one
// exactly 22 characters in all), whose check digits are right (ISO 7064 mod 97: the number
// read with the first four characters moved to the end and letters as 10 to 35 leaves 1).
bool IbanValid(std::u16string_view text);

// A BIC: 8 or 11 letters and digits, the first six of them letters (four for the bank, two
// for its country).
bool BicValid(std::u16string_view text);

// The shape of a German VAT identification number: "DE" followed by nine digits.
bool GermanVatIdShape(std::u16string_view text);

// A VAT identification number: a German one of that shape, another one two capital letters
// of a country prefix followed by 2 to 12 letters or digits.
bool VatIdValid(std::u16string_view text);
