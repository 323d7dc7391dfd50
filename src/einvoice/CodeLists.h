#pragma once

#include <string_view>

// Code lists an electronic invoice is checked against.

// A unit code of UN/ECE Recommendation 20 (with the Recommendation 21 extension), e.g. H87.
bool IsUnitCode(std::u16string_view code);

// An ISO 4217 alpha-3 currency code, e.g. EUR.
bool IsCurrencyCode(std::u16string_view code);
