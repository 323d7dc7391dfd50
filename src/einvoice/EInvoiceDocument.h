#pragma once

#include "einvoice/EInvoiceAmounts.h"

#include <cstdint>
#include <string>
#include <vector>

// The two profiles an e-invoice can be written in.
enum class EInvoiceProfile : uint8_t {
    EN16931,    // the European standard itself
    XRechnung,  // the German rules on top, required by public authorities
};

// A postal address of an e-invoice (BG-5, BG-8, BG-15).
struct EInvoiceAddress {
    std::u16string line1;  // street
    std::u16string line2;  // additional line
    std::u16string postcode;
    std::u16string city;
    std::u16string country;  // ISO 3166-1 alpha-2
};

// What a line says about its item (BG-31) and unit.
struct EInvoiceItem {
    std::u16string sellerId;     // BT-155, the article number
    std::u16string name;         // BT-153, the description's first line
    std::u16string description;  // BT-154, the rest of the description
    std::u16string unitCode;     // BT-130
};

// Everything an e-invoice carries, with every default applied and every text as the book
// holds it (the XML writer makes it fit XML). Built by BuildEInvoice.
struct EInvoiceDocument {
    EInvoiceProfile profile = EInvoiceProfile::XRechnung;
    int typeCode = 380;             // BT-3: 380 invoice, 381 credit note
    std::u16string number;          // BT-1
    double issueDate = 0;           // BT-2
    std::u16string note;            // BT-22, the invoice text
    std::u16string buyerReference;  // BT-10 (Leitweg-ID)
    std::u16string orderReference;  // BT-13 ("Ihre Bestellung")
    std::u16string currency;        // BT-5

    std::u16string sellerName;       // BT-27
    std::u16string sellerId;         // BT-29, when the VAT identifier is not given
    std::u16string sellerVatId;      // BT-31
    std::u16string sellerTaxNumber;  // BT-32
    std::u16string sellerEAddress;   // BT-34 (e-mail)
    EInvoiceAddress sellerAddress;
    std::u16string contactName;       // BT-41
    std::u16string contactTelephone;  // BT-42
    std::u16string contactEmail;      // BT-43

    std::u16string buyerName;      // BT-44
    std::u16string buyerContact;   // BT-56, the person when a company is named
    std::u16string buyerVatId;     // BT-48
    std::u16string buyerEAddress;  // BT-49 (e-mail)
    EInvoiceAddress buyerAddress;

    bool hasDelivery = false;     // BG-13 with BG-15
    std::u16string deliveryName;  // BT-70
    EInvoiceAddress deliveryAddress;

    bool hasPeriod = false;  // BG-14 instead of BT-72
    double supplyDate = 0;   // BT-72, or BT-73 with a period
    double periodEnd = 0;    // BT-74

    double dueDate = 0;               // BT-9
    std::u16string paymentTerms;      // BT-20
    std::u16string iban;              // BT-84; payment means 58 with it, else 1
    std::u16string bic;               // BT-86
    std::u16string accountHolder;     // BT-85
    std::u16string paymentReference;  // BT-83, the invoice number

    std::u16string exemptionReason;  // BT-120 of every category but S and Z

    std::vector<EInvoiceItem> items;  // one per line of the amounts
    EInvoiceAmounts amounts;
};
