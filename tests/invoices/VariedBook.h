#pragma once

class TRechnungBook;

// Fills a book with invoices, positions and articles that use umlauts, the euro sign,
// multi-line texts, delivery addresses and order references, text blocks with characters
// outside Windows-1252, every setting changed from its default and some reserved flags set.
// Texts in 8-bit fields stay inside Windows-1252, so they read back unchanged.
void FillVariedBook(TRechnungBook& book);
