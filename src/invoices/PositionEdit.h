#pragma once

#include <cstdint>
#include <optional>

class TRechnungBook;

// Positions of an invoice and the local article list: new, deleted, and made from each
// other. Indexes out of range do nothing; a refusal of memory leaves everything as it was,
// is reported and gives nothing.

// "&Neu" on the positions tab: a position with null texts, rate and price 0, quantity 1.
std::optional<uint32_t> NeuePosition(TRechnungBook& book, uint32_t rechnung);

// Releases the position's texts and removes it.
bool DeletePosition(TRechnungBook& book, uint32_t rechnung, uint32_t position);

// The pick dialog's choice: a position with quantity 1, the article's unit, number and
// description, and rate and price as read back from the list's two-decimal texts (so they
// are taken to two decimals).
std::optional<uint32_t> NeuePositionAusArtikel(TRechnungBook& book, uint32_t rechnung, uint32_t artikel,
                                               char16_t separator);

// "&Neu" on the article tab: an article with null texts, rate and price 0, quantity 1.
std::optional<uint32_t> NeuerArtikel(TRechnungBook& book);

// Releases the article's texts and removes it.
bool DeleteArtikel(TRechnungBook& book, uint32_t artikel);

// "&Speichern als Artikel": a new article with the position's unit, number, description,
// rate and price, texts of its own, and quantity 1.
std::optional<uint32_t> ArtikelAusPosition(TRechnungBook& book, uint32_t rechnung, uint32_t position);

// The question before deleting a position or an article (messages 272 and 273); true only
// for Yes.
bool AskDeleteArtikel();
