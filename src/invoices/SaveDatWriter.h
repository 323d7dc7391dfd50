#pragma once

class ByteSink;
class SaveDatOutput;
class TRechnungBook;

// Writes the invoice book in the store file format: sections 1 to 22, in order, always
// all of them, then section 23 (electronic invoices) when one of its values differs from its
// default. The cursors of the book's arrays are not moved.
class SaveDatWriter {
public:
    explicit SaveDatWriter(const TRechnungBook& book) : book_(book) {}

    // Raises IoError when the sink fails.
    void Write(ByteSink& sink) const;

private:
    void Invoices(SaveDatOutput& out) const;               // section 1
    void Articles(SaveDatOutput& out) const;               // section 2
    void CompanyAndPage(SaveDatOutput& out) const;         // section 3
    void ContactAndFonts(SaveDatOutput& out) const;        // section 4
    void NumbersAndDelivery(SaveDatOutput& out) const;     // sections 5 to 11
    void FlagsAndFonts(SaveDatOutput& out) const;          // sections 12 to 18
    void ReservedAndTextBlocks(SaveDatOutput& out) const;  // sections 19 to 22

    const TRechnungBook& book_;
};
