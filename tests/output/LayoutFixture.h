#pragma once

#include "RecordingCanvas.h"
#include "invoices/TRechnungBook.h"
#include "output/TLayoutFormat.h"
#include "output/TOutputTarget.h"

#include <memory>

struct HybridPageFacts;
#include <string>

// A book with one invoice and helpers to lay it out on a recording canvas.
//
// With the default settings on the PDF target (A4 from the no-printer page) the device
// lengths are rx = ry = 42, ay = 127, ax = 368, lw = 0 on a 595 × 841 page, and with the
// recording metrics the fonts give these line heights: addresses, company block, invoice
// text and grand total 13 (11 pt), header 18 (16 pt), sender line 10 (8 pt), title 16
// (14 pt), table and footer 11 (9 pt).
class LayoutFixture {
public:
    LayoutFixture();

    TRechnungBook book;
    TRechnungRec& rechnung() { return book.Rechnung(0); }
    TRechnungSettings& settings() { return book.settings; }

    void Set(char16_t* TRechnungRec::*field, std::u16string_view text);
    // The address "Muster GmbH, Max Mustermann, Hauptstr. 1, 12345 Berlin".
    void FillAddress();
    TPositionRec& AddPosition(double menge, double mwst, double preis, std::u16string_view bez = u"",
                              std::u16string_view artnr = u"", std::u16string_view einheit = u"");

    // With facts the page of a hybrid e-invoice.
    std::unique_ptr<RecordingCanvas> Run(int32_t kind = 0, const TOutputTarget& target = Pdf(),
                                         const HybridPageFacts* facts = nullptr);

    static TOutputTarget Pdf();
    static TOutputTarget Printer();  // 600 pixels per inch
    static TOutputTarget Preview();  // 96 pixels per inch, zoom 100
};
