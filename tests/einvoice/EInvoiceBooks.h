#pragma once

#include "einvoice/EInvoiceDocument.h"

#include <cstdint>
#include <string>
#include <vector>

class TRechnungBook;

// Test books for electronic invoices: a seller with everything XRechnung asks for, and
// invoices that each cover some of the cases an e-invoice must handle.

// Fills the seller settings completely (company, VAT number, bank, contact) and switches the
// default profile to XRechnung.
void FillSeller(TRechnungBook& book);

// Appends an invoice for a German company buyer with Leitweg-ID and e-mail, dated 5 March
// 2026, numbered; gives its index.
uint32_t AppendBuyerInvoice(TRechnungBook& book, const std::u16string& number);

// Appends a position.
void AddPosition(TRechnungBook& book, uint32_t invoice, const std::u16string& einheit, const std::u16string& bez,
                 double menge, double mwst, double preis, const std::u16string& artnr = u"");

// One case: a book holding one invoice (index 0) and how to write it.
struct EInvoiceCase {
    std::string name;  // becomes the file name
    int32_t kind = 0;
    EInvoiceProfile profile = EInvoiceProfile::XRechnung;
    void (*fill)(TRechnungBook& book) = nullptr;
};

// The cases whose e-invoices must pass the official rules: one rate; 7 % and 19 % mixed
// with a discount position, negative quantities, every unit of the default table, "&", "<",
// umlauts, "€" and line breaks in every text and a delivery address; each category of 0 %
// positions with its reason (a credit note and a service period among them, 500 positions
// with reverse charge); Kleinunternehmer; "Keine MwSt berechnen".
const std::vector<EInvoiceCase>& EInvoiceCases();
