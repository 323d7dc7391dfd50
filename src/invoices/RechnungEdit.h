#pragma once

#include <cstdint>
#include <optional>
#include <string>

class TRechnungBook;
struct TRechnungRec;

// Creating, copying and deleting invoices. A failure for want of memory leaves the book as
// it was, is reported as an error box and gives nothing.

// The electronic invoice data a copy of an invoice takes over: the buyer's data and the tax
// category of 0 % positions with its reason. The dates (supply or service period, due date)
// belong to the invoice they were set for; a copy starts at their defaults, which follow its
// own date.
struct TERechnungKopie {
    std::u16string kaeuferref, kaeuferustid, kaeuferadresse, kaeuferland, befreiung;
    uint8_t nullkategorie = 0;
};

// The texts the address tabs show: every text of an invoice except its number, and the
// electronic invoice data that a copy takes over.
struct TRechnungTexte {
    std::u16string anrede, firma, name, vorname, zusatz, strasse, land, plz, ort;
    std::u16string tel, fax, email, rechtext, ihrebestellung, bestelldatum;
    std::u16string lanrede, lfirma, lname, lvorname, lzusatz, lstrasse, lland, lplz, lort;
    TERechnungKopie erechnung;
};

TRechnungTexte TexteVon(const TRechnungRec& rechnung);

// "&Neu": appends an invoice with empty texts, the next number (Numbering.h), datum = now,
// bezahlt 0 and no positions. Gives its index.
std::optional<uint32_t> NeueRechnung(TRechnungBook& book);

// "Neu aus best. Rechnung": appends an invoice with the given texts and electronic invoice
// data, the next number,
// datum = now, bezahlt 0; with copyArtikels one position per article of the article list,
// in list order, each a copy of the article with texts of its own. The positions of the
// invoice the texts came from are not copied. Gives its index.
std::optional<uint32_t> NeueRechnungAus(TRechnungBook& book, const TRechnungTexte& texte, bool copyArtikels);

// Releases the invoice's texts and positions and removes it. False for no such invoice.
bool DeleteRechnung(TRechnungBook& book, uint32_t index);

// The question before deleting an invoice (messages 131 and 132); true only for Yes.
bool AskDeleteRechnung();
