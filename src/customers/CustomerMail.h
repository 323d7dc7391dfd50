#pragma once

#include <optional>
#include <string>
#include <string_view>

class DbfTable;

// The e-mail to a customer that a click on the e-mail label starts: the recipient's name
// ("Anrede Vorname Name" without blanks for empty parts), the letter's opening as the body
// ("Sehr geehrter Herr Name," or "Sehr geehrte Frau Name," for the exact salutations "Herr"
// and "Frau", otherwise nothing) and the address.
struct CustomerMail {
    std::u16string recipientName;
    std::u16string body;
    std::u16string address;

    static CustomerMail Compose(std::u16string_view anrede, std::u16string_view vorname, std::u16string_view name,
                                std::u16string_view email);
    // From the current record's columns "Anrede", "Vorname", "Name" and "Email" (names from
    // the message catalog); nothing when one of them is missing.
    static std::optional<CustomerMail> FromRecord(const DbfTable& table);
};
