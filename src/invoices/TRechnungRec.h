#pragma once

#include <array>
#include <cstdint>
#include <type_traits>

class TDynaArray;

// One invoice (or other document; the kind is chosen at output time). Plain record: the
// record array moves it byte by byte. Its 25 texts are text buffers (invoices/TextBuf.h) and
// its positions array is created together with the record, so posis is never null for a
// live invoice. Date-time values count days since 30 December 1899, the fraction being the
// time of day.
struct TRechnungRec {
    char16_t* anrede;
    char16_t* firma;
    char16_t* name;
    char16_t* vorname;
    char16_t* zusatz;
    char16_t* strasse;
    char16_t* land;
    char16_t* plz;
    char16_t* ort;
    char16_t* tel;
    char16_t* fax;
    char16_t* email;
    char16_t* rechnr;  // invoice number as text
    double datum;      // invoice date and time
    double bezahlt;    // date paid; 0 means not paid
    double frei1;      // reserved, always 0
    double frei2;      // reserved, always 0
    char16_t* rechtext;
    TDynaArray* posis;  // TPositionRec elements
    char16_t* ihrebestellung;
    char16_t* bestelldatum;
    char16_t* lanrede;  // delivery address from here on
    char16_t* lfirma;
    char16_t* lname;
    char16_t* lvorname;
    char16_t* lzusatz;
    char16_t* lstrasse;
    char16_t* lland;
    char16_t* lplz;
    char16_t* lort;
    // Electronic invoice; all zero and null mean the defaults (einvoice/EInvoiceDefaults.h).
    double leistungvon;        // date of supply or start of the service period; 0 = datum
    double leistungbis;        // end of the service period; 0 = none
    double faellig;            // due date; 0 = datum + payment target
    char16_t* kaeuferref;      // buyer reference (Leitweg-ID)
    char16_t* kaeuferustid;    // buyer's VAT identification number
    char16_t* kaeuferadresse;  // buyer's electronic address; empty = email
    char16_t* kaeuferland;     // buyer's country code; empty = derived from land
    char16_t* befreiung;       // exemption reason for 0 % positions; empty = the category's text
    uint8_t nullkategorie;     // category of 0 % positions: 0 Z, 1 E, 2 AE, 3 K, 4 G, 5 O
};

static_assert(std::is_trivially_copyable_v<TRechnungRec>);

using TRechnungText = char16_t* TRechnungRec::*;

// The 25 text fields of the printed invoice, in declaration order.
extern const std::array<TRechnungText, 25> kRechnungTexte;
// The five text fields of the electronic invoice, in declaration order.
extern const std::array<TRechnungText, 5> kERechnungTexte;
// The billing address fields anrede … ort.
extern const std::array<TRechnungText, 9> kRechnungAdresse;
// The delivery address fields lanrede … lort.
extern const std::array<TRechnungText, 9> kLieferAdresse;

// Releases the 30 text buffers, the three buffers of every position and the positions
// array of an invoice (the record itself stays, with null fields).
void ReleaseRechnung(TRechnungRec& rechnung);
