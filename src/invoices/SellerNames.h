#pragma once

#include <string>
#include <string_view>

struct TRechnungSettings;

// The seller's names as the e-invoice and the GiroCode of the page carry them, so that both
// follow one rule.

// A company field of the settings as it is handed on: trimmed, and empty while it still holds
// the text the field was delivered with ("FirmaED", "OrtED", "SteuerED", ...).
std::u16string CompanyField(const std::u16string& value, std::u16string_view placeholder);
// The company name ("Firma:").
std::u16string CompanyName(const TRechnungSettings& settings);
// The holder of the account payments go to: "Kontoinhaber", else the company name.
std::u16string AccountHolder(const TRechnungSettings& settings);
