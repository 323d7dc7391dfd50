#pragma once

#include <cstdint>
#include <optional>
#include <string>

class TRechnungBook;
struct TRechnungRec;

// Creating, copying and deleting invoices. A failure for want of memory leaves the book as
// it was, is reported as an error box and gives nothing.

// The texts the address tabs show: every text of an invoice except its number.
struct TRechnungTexte {
    std::u16string anrede, firma, name, vorname, zusatz, strasse, land, plz, ort;
    std::u16string tel, fax, email, rechtext, ihrebestellung, bestelldatum;
    std::u16string lanrede, lfirma, lname, lvorname, lzusatz, lstrasse, lland, lplz, lort;
};

TRechnungTexte TexteVon(const TRechnungRec& rechnung);

// "&Neu": appends an invoice with empty texts, the next number (Numbering.h), datum = now,
// bezahlt 0 and no positions. Gives its index.
std::optional<uint32_t> NeueRechnung(TRechnungBook& book);

// "Neu aus best. Rechnung": appends an invoice with the given texts, the next number,
// datum = now, bezahlt 0; with copyArtikels one position per article of the article list,
// in list order, each a copy of the article with texts of its own. The positions of the
// invoice the texts came from are not copied. Gives its index.
std::optional<uint32_t> NeueRechnungAus(TRechnungBook& book, const TRechnungTexte& texte,
                                        bool copyArtikels);

// Releases the invoice's texts and positions and removes it. False for no such invoice.
bool DeleteRechnung(TRechnungBook& book, uint32_t index);

// The question before deleting an invoice (messages 131 and 132); true only for Yes.
bool AskDeleteRechnung();
