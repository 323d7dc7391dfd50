#pragma once

#include "received/ReceivedInvoice.h"

#include <string>
#include <string_view>

// German words for the codes of a received e-invoice, and its values written as a German
// reader expects them. A code without a word here is shown as it stands.

// The document type (BT-3, UNTDID 1001): 380 "Rechnung", 381 "Gutschrift", ...
std::u16string InvoiceTypeName(std::u16string_view code);
// Whether the type is one this program knows a word for.
bool IsKnownInvoiceType(std::u16string_view code);
// A unit of measure (BT-130, UN/ECE Recommendation 20/21): HUR "Stunde", C62 "Stück", ...
std::u16string UnitName(std::u16string_view code);
// A VAT category (BT-118, BT-151, UNTDID 5305): S "Umsatzsteuerpflichtig", AE, K, ...
std::u16string VatCategoryName(std::u16string_view code);
// A payment means (BT-81, UNTDID 4461): 58 "SEPA-Überweisung", 59 "SEPA-Lastschrift", ...
std::u16string PaymentMeansName(std::u16string_view code);

// "31.01.2026".
std::u16string GermanDate(const ReceivedDate& date);
// An amount rounded to cents (halves away from zero) with a full stop between thousands and
// a comma before the cents: "1.234,56", "-0,05".
std::u16string GermanAmount(Micros value);
// A decimal with at least minDecimals and at most six decimals, trailing zeros dropped
// beyond minDecimals, digits grouped as in GermanAmount: quantity 1500 gives "1.500", a
// price of 0.125 with two decimals at least gives "0,125".
std::u16string GermanDecimal(Micros value, int minDecimals);
// An amount with its currency: "1.234,56 €" for EUR, "1.234,56 USD" for any other code,
// the bare amount without a code.
std::u16string MoneyText(Micros value, std::u16string_view currency);
// A VAT rate or percentage: "19 %", "2,5 %".
std::u16string PercentText(Micros value);
// An IBAN in groups of four characters: "DE02 1203 0000 0000 2020 51". White space in the
// code is dropped first.
std::u16string IbanText(std::u16string_view iban);
// An amount rounded to whole cents (halves away from zero), in millionths.
Micros RoundToCents(Micros value);
