#pragma once

class ByteSource;
class SaveDatInput;
class TRechnungBook;

// Reads the store file format into a book. Sections 1 to 3 must be there; each later section
// is read only when the file has not ended before it, so older files that lack the later
// sections load and the missing values keep what the book holds. A file that ends inside a
// section, holds a count that cannot be true (negative, more items than bytes left), whose
// per-invoice counts do not match the invoices, or that goes on after the last section (23,
// the electronic invoice data)
// raises IoError; what was read so far stays in the book. Nothing is allocated before its count has been checked against the
// bytes that are left.
class SaveDatReader {
public:
    SaveDatReader(TRechnungBook& book, ByteSource& source) : book_(book), source_(source) {}

    // Expects the book's invoices to have been cleared; replaces the article list.
    void Read();

private:
    void Invoices(SaveDatInput& in);          // 1
    void Articles(SaveDatInput& in);          // 2
    void CompanyAndPage(SaveDatInput& in);    // 3
    void ContactAndFonts(SaveDatInput& in);   // 4
    void Logo(SaveDatInput& in);              // 5
    void Numbers(SaveDatInput& in);           // 6
    void SpaceLine(SaveDatInput& in);         // 7
    void Underline(SaveDatInput& in);         // 8
    void Currency(SaveDatInput& in);          // 9
    void Delivery(SaveDatInput& in);          // 10
    void OrderReferences(SaveDatInput& in);   // 11
    void NoAddressRight(SaveDatInput& in);    // 12
    void CompanyFont(SaveDatInput& in);       // 13
    void NoDeliveryPrices(SaveDatInput& in);  // 14
    void Hyphen(SaveDatInput& in);            // 15
    void CompanyRight(SaveDatInput& in);      // 16
    void CompanyExtra(SaveDatInput& in);      // 17
    void NoVat(SaveDatInput& in);             // 18
    void ReservedLists(SaveDatInput& in);     // 19
    void ReservedFlags(SaveDatInput& in);     // 20
    void TextBlocks(SaveDatInput& in);        // 21
    void TotalFont(SaveDatInput& in);         // 22
    // Section 23 (electronic invoices) when the file holds it, then the end of the file:
    // bytes after it are damage.
    void AfterLastSection(SaveDatInput& in);

    // Reads a per-invoice count and checks that it matches the invoices.
    void InvoiceCount(SaveDatInput& in, unsigned minBytesEach);

    TRechnungBook& book_;
    ByteSource& source_;
};
