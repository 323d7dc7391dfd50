#pragma once

class SaveDatInput;
class SaveDatOutput;
class TRechnungBook;

// Section 23 of the store file: the data of electronic invoices, after section 22.
//
//   "ER1"  3 bytes, the tag
//   L      i32, the bytes that follow in this section
//   then, inside those L bytes:
//   11 texts, S16: UStIdEd, LandCodeEd, IbanEd, BicEd, KontoinhaberEd, BankEd, EAdresseEd,
//                  KontaktNameEd, KontaktTelEd, KontaktMailEd, ZahlungsbedingungEd
//   ZahlungszielEd i32 (days)
//   flags u8: bit 0 Kleinunternehmer, bit 1 default profile XRechnung, bit 2 GiroCode
//   M i32, then M times the unit S16 and its code S16
//   N i32 (the invoices of section 1), then per invoice: leistungvon, leistungbis, faellig
//     f64; kaeuferref, kaeuferustid, kaeuferadresse, kaeuferland S16; nullkategorie u8;
//     befreiung S16
//   whatever a later version appends: kept and written back as it is.
//
// The section is written only when something in it differs from its default (texts empty,
// 14 days, no flags, the default unit table, per invoice all zero and empty, nothing of a
// later version), so that a book without electronic invoice data stays as it always was.
class ERechnungSection {
public:
    // Whether the book holds only the section's defaults.
    static bool IsDefault(const TRechnungBook& book);

    // Writes the section unless the book holds only its defaults.
    static void Write(const TRechnungBook& book, SaveDatOutput& out);

    // Reads the section at the input's position into the book, whose invoices are those of
    // section 1. A wrong tag, a length past the end, a count that does not match the invoices
    // or items that run past the section's length raise IoError; what was read stays.
    static void Read(TRechnungBook& book, SaveDatInput& in);
};
