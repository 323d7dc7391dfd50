#pragma once

#include <cstdint>

class TRechnungBook;

// Fills the book's company settings and appends one invoice as a small German business
// would write it: umlauts everywhere, a delivery address, order references, `positions`
// positions at 19 % and 7 % (some with several description lines) and a closing text.
// Returns the invoice's index.
uint32_t AddSampleInvoice(TRechnungBook& book, int positions);
