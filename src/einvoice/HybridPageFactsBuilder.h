#pragma once

#include "output/HybridPageFacts.h"

#include <cstdint>
#include <string>

struct EInvoiceDocument;
struct TLayoutFormat;

// What the page of a hybrid e-invoice shows, taken from the built e-invoice so that the page
// and the XML inside it say the same: the totals of its amounts (net, the tax of each row of
// the VAT breakdown as "MwSt 19 %", the rounding amount, the amount due), the service date or
// period, the due date, both VAT numbers as the XML carries them, and the exemption reason
// that the XML gives every row other than standard and zero rated. Dates and decimals as the
// page writes them (format).
HybridPageFacts HybridPageFactsOf(const EInvoiceDocument& document, const TLayoutFormat& format);

// A rate in millionths of a percent as the page writes it: 19, 5,5, 7,25 (decimals only where
// the rate has them, with the separator given).
std::u16string RatePercentText(int64_t millionths, char16_t separator);
