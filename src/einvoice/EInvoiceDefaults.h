#pragma once

#include "invoices/SellerNames.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct TRechnungRec;
struct TRechnungSettings;

// The defaults and proposals of the electronic invoice fields. An empty text or a zero date
// in the settings or the invoice stands for its default; the windows show these in the empty
// fields, and the e-invoice uses them.

// Tax category of the 0 % positions of an invoice (the invoice's nullkategorie).
enum class ZeroRateCategory : uint8_t {
    Z = 0,   // zero rated
    E = 1,   // exempt
    AE = 2,  // reverse charge
    K = 3,   // intra-community supply
    G = 4,   // export outside the EU
    O = 5,   // not subject to VAT
};
inline constexpr uint8_t kZeroRateCategoryCount = 6;

// The category's code ("Z", "E", "AE", "K", "G", "O") and German name for the list of the
// window; empty for a value this version does not know.
std::u16string_view ZeroRateCategoryCode(uint8_t category);
std::u16string_view ZeroRateCategoryName(uint8_t category);

// The exemption reason proposed for a category (none for Z, which may carry none).
std::u16string_view DefaultExemptionReason(uint8_t category);

// The reason every line carries for a seller under § 19 UStG.
inline constexpr std::u16string_view kKleinunternehmerReason =
    u"Kein Ausweis von Umsatzsteuer, da Kleinunternehmer gemäß § 19 UStG";

// The company fields as the e-invoice takes them (CompanyField, CompanyName and the account
// holder are in invoices/SellerNames.h, which the page's GiroCode shares).
std::u16string CompanyStreet(const TRechnungSettings& settings);
std::u16string CompanyPostcode(const TRechnungSettings& settings);
std::u16string CompanyCity(const TRechnungSettings& settings);
std::u16string CompanyTaxNumber(const TRechnungSettings& settings);  // "Steuernummer:"
std::u16string CompanyEmail(const TRechnungSettings& settings);
std::u16string CompanyTelephone(const TRechnungSettings& settings);

// Seller settings with their defaults: the country "DE"; the electronic address and the contact e-mail the company e-mail; the contact
// telephone the company telephone; the payment terms text from the payment target.
std::u16string SellerCountry(const TRechnungSettings& settings);
std::u16string SellerElectronicAddress(const TRechnungSettings& settings);
std::u16string ContactTelephone(const TRechnungSettings& settings);
std::u16string ContactEmail(const TRechnungSettings& settings);
std::u16string PaymentTermsProposal(int32_t days);  // "Zahlbar innerhalb von 14 Tagen ohne Abzug."
std::u16string PaymentTerms(const TRechnungSettings& settings);

// The invoice's date without its time of day.
double InvoiceDay(const TRechnungRec& rechnung);
// Date of supply or start of the service period: its own, else the invoice date.
double SupplyDate(const TRechnungRec& rechnung);
// Due date: its own, else the invoice date plus the payment target.
double DueDate(const TRechnungRec& rechnung, const TRechnungSettings& settings);
// The buyer's electronic address: its own, else the invoice's e-mail.
std::u16string BuyerElectronicAddress(const TRechnungRec& rechnung);
// The buyer's country code: its own, else derived from the billing address's "Land" (see
// CountryFromLand); nothing when that is not clear.
std::optional<std::u16string> BuyerCountry(const TRechnungRec& rechnung);
// The buyer reference proposed for an empty field: the invoice's "Ihre Bestellung".
std::u16string ProposedBuyerReference(const TRechnungRec& rechnung);
// The exemption reason of the invoice's 0 % positions: its own, else the category's.
std::u16string ExemptionReason(const TRechnungRec& rechnung);
