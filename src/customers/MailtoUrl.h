#pragma once

#include <string>
#include <string_view>

// A "mailto:" address (RFC 6068) that hands a new e-mail to the desktop's mail program: the
// recipient as "Name <address>" (the name quoted where it holds special characters), then
// subject, body and cc as query fields; everything percent-encoded as UTF-8. The parts come
// as Windows-1252 bytes, as the mail call receives them; an empty part is left out. The
// result is plain ASCII.
class MailtoUrl {
public:
    static std::string Build(std::string_view subject, std::string_view body, std::string_view recipientName,
                             std::string_view recipientAddress, std::string_view ccAddress);

    // Percent-encodes UTF-8 text: everything but letters, digits and "-._~" (and "@" when
    // keepAt is set).
    static std::string PercentEncode(std::string_view utf8, bool keepAt);
};
