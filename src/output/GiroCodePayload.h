#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The content of a GiroCode (the EPC QR code for a SEPA credit transfer), version 002 in
// UTF-8: the lines "BCD", "002", "1", "SCT", BIC, account holder, IBAN, amount ("EUR12.34",
// empty for no amount), purpose (empty), structured reference (empty) and the unstructured
// remittance text, separated by LF, with no LF after the last line; empty lines at the end
// are left out.
struct GiroCodeFields {
    std::u16string holder;      // the account holder; at most 70 characters are taken
    std::u16string iban;        // spaces are dropped, letters made upper case
    std::u16string bic;         // may be empty; spaces dropped, upper case
    int64_t cents = 0;          // the amount in euro cents; 0 or less leaves it out
    std::u16string remittance;  // e.g. "Rechnung RE-17"; at most 140 characters are taken
};

inline constexpr size_t kGiroCodeMaxBytes = 331;
inline constexpr size_t kGiroCodeMaxHolder = 70;
inline constexpr size_t kGiroCodeMaxRemittance = 140;
// The largest amount a GiroCode can carry: 999999999,99 €.
inline constexpr int64_t kGiroCodeMaxCents = 99'999'999'999;

// The payload as UTF-8 bytes. Line breaks and other control characters in the texts become
// spaces and the texts are trimmed; holder and remittance text are cut to their number of
// characters (never inside a character). When the whole is longer than 331 bytes (texts of
// many multi-byte characters), the remittance text is cut further by characters, and after
// it the holder, until it fits.
std::string GiroCodePayload(const GiroCodeFields& fields);
