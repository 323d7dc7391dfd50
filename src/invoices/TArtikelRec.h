#pragma once

#include "invoices/TPositionRec.h"

#include <cstddef>
#include <type_traits>

// One entry of the local article list: the fields of a position in the same order, so that
// a position is made from an article (and back) by copying the whole record and then giving
// the copy text buffers of its own. Its quantity is 1 and is not shown.
struct TArtikelRec {
    char16_t* einheit;
    char16_t* artnr;
    char16_t* bez;
    double menge;
    double mwst;
    double preis;
};

static_assert(std::is_trivially_copyable_v<TArtikelRec>);
static_assert(sizeof(TArtikelRec) == sizeof(TPositionRec));
static_assert(offsetof(TArtikelRec, bez) == offsetof(TPositionRec, bez));
static_assert(offsetof(TArtikelRec, menge) == offsetof(TPositionRec, menge));
static_assert(offsetof(TArtikelRec, mwst) == offsetof(TPositionRec, mwst));
static_assert(offsetof(TArtikelRec, preis) == offsetof(TPositionRec, preis));

// Releases the three text buffers of an article (the record itself stays).
void ReleaseArtikel(TArtikelRec& artikel);
