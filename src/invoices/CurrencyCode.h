#pragma once

#include <string>
#include <string_view>

// The currency text of the settings ("€", "Euro", "sFr.", "USD", ...) as an ISO 4217 code:
// the euro sign and the usual words for the euro, the Swiss franc, "$" and "£"; otherwise
// the text itself without blanks.
std::u16string CurrencyCode(std::u16string_view waehrung);
