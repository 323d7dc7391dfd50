#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// ISO 3166-1 alpha-2 country codes as electronic invoices use them, with German names for the
// list the windows offer.
struct CountryCode {
    std::u16string_view code;  // e.g. "DE"
    std::u16string_view name;  // e.g. "Deutschland"
};

// Every code an e-invoice may carry, sorted by code.
const std::vector<CountryCode>& CountryCodes();

// Whether the text is one of those codes (upper case, as written).
bool IsCountryCode(std::u16string_view code);

// The country of an address's free "Land" text, where it is clear: empty, a code (any case),
// the German name, or a common short form ("D", "A", "CH", "Deutschland", "Österreich",
// "Schweiz", ...); spaces around and case do not matter. Nothing when the text names no
// country clearly.
std::optional<std::u16string> CountryFromLand(std::u16string_view land);
