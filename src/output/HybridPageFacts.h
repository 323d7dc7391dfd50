#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One line of the totals block: its label and its amount in cents.
struct HybridTotalsLine {
    std::u16string label;  // "MwSt 19 %"
    int64_t cents = 0;
};

// What the page of a hybrid e-invoice (PDF with the XML inside) shows beyond the ordinary
// page, already as texts and cents, so that the page says exactly what its XML says. Made from
// a built e-invoice (einvoice/HybridPageFactsBuilder.h); the page layout only draws it.
struct HybridPageFacts {
    int64_t netTotal = 0;                        // the total of the net line amounts
    std::vector<HybridTotalsLine> vatLines;      // one per rate, in the order of the VAT breakdown
    int64_t rounding = 0;                        // rounding amount; a line of its own only when not 0
    int64_t amountDue = 0;                       // the "Gesamtbetrag"
    std::u16string supplyLine;                   // "Leistungsdatum: 05.03.2026" or the service period
    std::u16string dueLine;                      // "Zahlbar bis zum 19.03.2026"
    std::u16string sellerVatId;                  // "USt-IdNr.: DE123456789"; empty: none
    std::u16string buyerVatId;                   // "Ihre USt-IdNr.: …"; empty: none
    std::vector<std::u16string> exemptionLines;  // why lines carry no VAT
};
