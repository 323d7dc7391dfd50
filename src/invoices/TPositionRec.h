#pragma once

#include <type_traits>

// One line of an invoice. Plain record: the record array moves it byte by byte. The three
// texts are text buffers (invoices/TextBuf.h) owned by the record. The price is the gross
// unit price, VAT included; the net price is never stored.
struct TPositionRec {
    char16_t* einheit;  // unit, e.g. pieces or hours
    char16_t* artnr;    // article number
    char16_t* bez;      // description, may hold several lines
    double menge;       // quantity; 1 for a new position
    double mwst;        // VAT rate in percent (19 means 19 %)
    double preis;       // gross unit price
};

static_assert(std::is_trivially_copyable_v<TPositionRec>);

// Releases the three text buffers of a position (the record itself stays).
void ReleasePosition(TPositionRec& position);
