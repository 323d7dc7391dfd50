#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// An electronic invoice as it arrived (EN 16931 semantic model), read from either syntax (CII or
// UBL) into one shape. Every field carries the number of its business term (BT-n, BG-n) so that
// a reader of the code can find it in the standard. Nothing here is checked: the reader stores
// what the file says, the check (ReceivedInvoiceCheck) judges it.
//
// Numbers are decimals held as whole millionths (`Micros`): 12.5 is 12'500'000. Values with more
// than six decimals are rounded half away from zero. Texts are UTF-16 as the rest of the core.
// A field the file does not carry is empty (texts, vectors) or has no value (optionals).

using Micros = int64_t;

// A calendar date as the file gives it (CII format 102 "YYYYMMDD" or UBL "YYYY-MM-DD").
struct ReceivedDate {
    int year = 0;
    int month = 0;
    int day = 0;

    bool operator==(const ReceivedDate&) const = default;
};

// An identifier with its optional scheme (ISO 6523 ICD, EAS, ...).
struct ReceivedId {
    std::u16string value;
    std::u16string scheme;

    bool operator==(const ReceivedId&) const = default;
};

// A postal address (BG-5, BG-8, BG-12, BG-15).
struct ReceivedAddress {
    std::u16string line1;        // BT-35, BT-50, BT-64, BT-75
    std::u16string line2;        // BT-36, BT-51, BT-65, BT-76
    std::u16string line3;        // BT-162, BT-163, BT-164, BT-165
    std::u16string city;         // BT-37, BT-52, BT-66, BT-77
    std::u16string postcode;     // BT-38, BT-53, BT-67, BT-78
    std::u16string subdivision;  // BT-39, BT-54, BT-68, BT-79
    std::u16string country;      // BT-40, BT-55, BT-69, BT-80 (ISO 3166-1 alpha-2)

    bool operator==(const ReceivedAddress&) const = default;
};

// A contact (BG-6 of the seller, BG-9 of the buyer).
struct ReceivedContact {
    std::u16string name;       // BT-41, BT-56
    std::u16string telephone;  // BT-42, BT-57
    std::u16string email;      // BT-43, BT-58

    bool operator==(const ReceivedContact&) const = default;
};

// A party: seller (BG-4), buyer (BG-7), payee (BG-10) or the seller's tax representative (BG-11).
// Not every party has every field; the comments name the terms where the party has one.
struct ReceivedParty {
    std::u16string name;           // BT-27, BT-44, BT-59, BT-62
    std::u16string tradingName;    // BT-28, BT-45
    std::vector<ReceivedId> ids;   // BT-29, BT-46, BT-60
    ReceivedId legalId;            // BT-30, BT-47, BT-61
    std::u16string vatId;          // BT-31, BT-48, BT-63
    std::u16string taxNumber;      // BT-32 (the seller's local tax number)
    std::u16string legalInfo;      // BT-33
    ReceivedId electronicAddress;  // BT-34, BT-49
    ReceivedAddress address;       // BG-5, BG-8, BG-12
    ReceivedContact contact;       // BG-6, BG-9

    bool operator==(const ReceivedParty&) const = default;
};

// A note of the invoice (BG-1).
struct ReceivedNote {
    std::u16string subjectCode;  // BT-21
    std::u16string text;         // BT-22

    bool operator==(const ReceivedNote&) const = default;
};

// A preceding invoice this one refers to (BG-3).
struct ReceivedPrecedingInvoice {
    std::u16string number;             // BT-25
    std::optional<ReceivedDate> date;  // BT-26

    bool operator==(const ReceivedPrecedingInvoice&) const = default;
};

// An allowance or charge on the document (BG-20, BG-21) or on a line (BG-27, BG-28).
struct ReceivedAllowanceCharge {
    bool charge = false;               // false: allowance, true: charge
    std::optional<Micros> amount;      // BT-92, BT-99, BT-136, BT-141
    std::optional<Micros> baseAmount;  // BT-93, BT-100, BT-137, BT-142
    std::optional<Micros> percentage;  // BT-94, BT-101, BT-138, BT-143
    std::u16string vatCategory;        // BT-95, BT-102 (document level only)
    std::optional<Micros> vatRate;     // BT-96, BT-103 (document level only)
    std::u16string reason;             // BT-97, BT-104, BT-139, BT-144
    std::u16string reasonCode;         // BT-98, BT-105, BT-140, BT-145

    bool operator==(const ReceivedAllowanceCharge&) const = default;
};

// An item attribute (BG-32).
struct ReceivedItemAttribute {
    std::u16string name;   // BT-160
    std::u16string value;  // BT-161

    bool operator==(const ReceivedItemAttribute&) const = default;
};

// An invoice line (BG-25) with its period (BG-26), price (BG-29), VAT (BG-30) and item (BG-31).
struct ReceivedLine {
    std::u16string id;                                       // BT-126
    std::u16string note;                                     // BT-127
    ReceivedId objectId;                                     // BT-128
    std::optional<Micros> quantity;                          // BT-129
    std::u16string unitCode;                                 // BT-130
    std::optional<Micros> netAmount;                         // BT-131
    std::u16string orderLineReference;                       // BT-132
    std::u16string accountingReference;                      // BT-133
    std::optional<ReceivedDate> periodStart;                 // BT-134
    std::optional<ReceivedDate> periodEnd;                   // BT-135
    std::vector<ReceivedAllowanceCharge> allowancesCharges;  // BG-27, BG-28
    std::optional<Micros> netPrice;                          // BT-146
    std::optional<Micros> priceDiscount;                     // BT-147
    std::optional<Micros> grossPrice;                        // BT-148
    std::optional<Micros> baseQuantity;                      // BT-149
    std::u16string baseQuantityUnit;                         // BT-150
    std::u16string vatCategory;                              // BT-151
    std::optional<Micros> vatRate;                           // BT-152
    std::u16string itemName;                                 // BT-153
    std::u16string itemDescription;                          // BT-154
    std::u16string sellerItemId;                             // BT-155
    std::u16string buyerItemId;                              // BT-156
    ReceivedId standardItemId;                               // BT-157
    std::vector<ReceivedId> classifications;                 // BT-158 (scheme: the list id)
    std::u16string originCountry;                            // BT-159
    std::vector<ReceivedItemAttribute> attributes;           // BG-32

    bool operator==(const ReceivedLine&) const = default;
};

// One row of the VAT breakdown (BG-23).
struct ReceivedVatBreakdown {
    std::optional<Micros> taxableAmount;  // BT-116
    std::optional<Micros> taxAmount;      // BT-117
    std::u16string category;              // BT-118
    std::optional<Micros> rate;           // BT-119
    std::u16string exemptionReason;       // BT-120
    std::u16string exemptionCode;         // BT-121

    bool operator==(const ReceivedVatBreakdown&) const = default;
};

// The document totals (BG-22).
struct ReceivedTotals {
    std::optional<Micros> lineNetTotal;        // BT-106
    std::optional<Micros> allowanceTotal;      // BT-107
    std::optional<Micros> chargeTotal;         // BT-108
    std::optional<Micros> netTotal;            // BT-109 (total without VAT)
    std::optional<Micros> vatTotal;            // BT-110 (in the invoice currency)
    std::optional<Micros> vatTotalAccounting;  // BT-111 (in the VAT accounting currency BT-6)
    std::optional<Micros> grossTotal;          // BT-112 (total with VAT)
    std::optional<Micros> paidAmount;          // BT-113
    std::optional<Micros> roundingAmount;      // BT-114
    std::optional<Micros> amountDue;           // BT-115

    bool operator==(const ReceivedTotals&) const = default;
};

// A credit transfer account (BG-17).
struct ReceivedAccount {
    std::u16string iban;  // BT-84 (the account identifier)
    std::u16string name;  // BT-85
    std::u16string bic;   // BT-86

    bool operator==(const ReceivedAccount&) const = default;
};

// The payment instructions (BG-16) and terms.
struct ReceivedPayment {
    std::u16string meansCode;               // BT-81 (UNTDID 4461: 58 SEPA transfer, 59 direct debit, ...)
    std::u16string meansText;               // BT-82
    std::u16string remittanceInformation;   // BT-83
    std::vector<ReceivedAccount> accounts;  // BG-17
    std::u16string cardNumber;              // BT-87 (the last digits)
    std::u16string cardHolder;              // BT-88
    std::u16string mandateReference;        // BT-89
    std::u16string creditorId;              // BT-90
    std::u16string debitedAccount;          // BT-91

    bool operator==(const ReceivedPayment&) const = default;
};

// A supporting document (BG-24), with its content when it is embedded.
struct ReceivedAttachment {
    std::u16string id;           // BT-122
    std::u16string description;  // BT-123
    std::u16string uri;          // BT-124 (an external location; never fetched)
    std::u16string mimeCode;     // BT-125, the MIME code of the embedded content
    std::u16string fileName;     // BT-125, the file name of the embedded content
    std::string content;         // the decoded bytes of BT-125; empty without one

    bool operator==(const ReceivedAttachment&) const = default;
};

// The whole invoice.
struct ReceivedInvoice {
    enum class Syntax : uint8_t { Cii, Ubl };
    Syntax syntax = Syntax::Cii;
    bool fromPdf = false;                                     // read from a hybrid PDF's attachment
    std::u16string processId;                                 // BT-23
    std::u16string customizationId;                           // BT-24
    std::u16string number;                                    // BT-1
    std::optional<ReceivedDate> issueDate;                    // BT-2
    std::u16string typeCode;                                  // BT-3 (UNTDID 1001: 380, 381, 384, 389, 326, 875, ...)
    std::u16string currency;                                  // BT-5
    std::u16string vatCurrency;                               // BT-6
    std::optional<ReceivedDate> taxPointDate;                 // BT-7
    std::u16string taxPointDateCode;                          // BT-8
    std::optional<ReceivedDate> dueDate;                      // BT-9
    std::u16string buyerReference;                            // BT-10 (the Leitweg-ID for authorities)
    std::u16string projectReference;                          // BT-11
    std::u16string contractReference;                         // BT-12
    std::u16string orderReference;                            // BT-13
    std::u16string salesOrderReference;                       // BT-14
    std::u16string receivingAdviceReference;                  // BT-15
    std::u16string despatchAdviceReference;                   // BT-16
    std::u16string tenderReference;                           // BT-17
    ReceivedId invoicedObjectId;                              // BT-18
    std::u16string buyerAccountingReference;                  // BT-19
    std::u16string paymentTerms;                              // BT-20
    std::vector<ReceivedNote> notes;                          // BG-1
    std::vector<ReceivedPrecedingInvoice> precedingInvoices;  // BG-3

    ReceivedParty seller;                            // BG-4
    ReceivedParty buyer;                             // BG-7
    std::optional<ReceivedParty> payee;              // BG-10
    std::optional<ReceivedParty> taxRepresentative;  // BG-11

    std::u16string deliverToName;                     // BT-70
    ReceivedId deliverToLocationId;                   // BT-71
    std::optional<ReceivedDate> deliveryDate;         // BT-72
    std::optional<ReceivedDate> periodStart;          // BT-73
    std::optional<ReceivedDate> periodEnd;            // BT-74
    std::optional<ReceivedAddress> deliverToAddress;  // BG-15

    ReceivedPayment payment;                                 // BG-16 to BG-19
    std::vector<ReceivedAllowanceCharge> allowancesCharges;  // BG-20, BG-21
    std::vector<ReceivedVatBreakdown> vatBreakdown;          // BG-23
    ReceivedTotals totals;                                   // BG-22
    std::vector<ReceivedAttachment> attachments;             // BG-24
    std::vector<ReceivedLine> lines;                         // BG-25

    bool operator==(const ReceivedInvoice&) const = default;
};
