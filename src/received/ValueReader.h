#pragma once

#include "received/ReceivedInvoice.h"

#include <libxml/tree.h>

#include <optional>
#include <string>
#include <string_view>

// Reads the values of a received e-invoice out of its elements and keeps the first problem as
// a German message naming the element and its line. Readers go on after a problem (every
// later value is still read as far as it can be) and ask Failed() at the end; only the first
// message is kept, as the user can mend only one thing at a time anyway.
class ValueReader {
public:
    // The element's text as a decimal number (amount, price, quantity, rate): digits with an
    // optional sign and one full stop, at most 10^12 in magnitude; more than six decimals are
    // rounded. Nothing for a missing element; nothing and a problem for any other text,
    // empty text included.
    std::optional<Micros> Number(const xmlNode* node);
    // A CII date, udt:DateTimeString (or udt:DateString, qdt:DateTimeString) with format="102"
    // ("20260131") around it; the node given is the element that holds it.
    std::optional<ReceivedDate> CiiDate(const xmlNode* holder);
    // A UBL date: "2026-01-31".
    std::optional<ReceivedDate> IsoDate(const xmlNode* node);
    // The element's text decoded from Base64 (white space ignored), at most maxBytes bytes.
    std::string Base64(const xmlNode* node, size_t maxBytes);

    // Records a problem with the element unless one is already recorded.
    void Fail(const xmlNode* node, std::u16string_view problem);
    // Records a problem that belongs to no element.
    void Fail(std::u16string_view problem);

    bool Failed() const { return !error_.empty(); }
    const std::u16string& Error() const { return error_; }

    // Parses a decimal text as Number() does; nothing for text that is no number.
    static std::optional<Micros> ParseMicros(std::string_view text);
    // Parses "YYYYMMDD" or "YYYY-MM-DD" (separator given or none); nothing for an impossible
    // date (month 13, 30 February).
    static std::optional<ReceivedDate> ParseDate(std::string_view text, bool dashes);

private:
    std::u16string error_;
};
