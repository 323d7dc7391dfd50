#include "customers/MailtoUrl.h"

#include "foundation/Cp1252.h"
#include "foundation/Utf8.h"

namespace {

std::string Utf8Of(std::string_view cp1252)
{
    return Utf16ToUtf8(DecodeCp1252(cp1252));
}

// A display name goes in as it is when it holds only atoms and blanks, otherwise as a
// quoted string (RFC 5322).
std::string DisplayName(const std::string& name)
{
    bool plain = true;
    for (const unsigned char c : name) {
        if (c < 0x20 || c == 0x7F || std::string_view("()<>[]:;@\\,.\"").find(char(c)) != std::string_view::npos) {
            plain = false;
            break;
        }
    }
    if (plain)
        return name;
    std::string quoted = "\"";
    for (const char c : name) {
        if (c == '"' || c == '\\')
            quoted.push_back('\\');
        if (c != '\r' && c != '\n')
            quoted.push_back(c);
    }
    return quoted + "\"";
}

}  // namespace

std::string MailtoUrl::PercentEncode(std::string_view utf8, bool keepAt)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(utf8.size() * 3);
    for (const unsigned char c : utf8) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '.' || c == '_' || c == '~' || (keepAt && c == '@');
        if (unreserved) {
            out.push_back(char(c));
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}

std::string MailtoUrl::Build(std::string_view subject, std::string_view body, std::string_view recipientName,
                             std::string_view recipientAddress, std::string_view ccAddress)
{
    std::string url = "mailto:";
    if (!recipientAddress.empty()) {
        const std::string address = Utf8Of(recipientAddress);
        if (recipientName.empty())
            url += PercentEncode(address, true);
        else
            url += PercentEncode(DisplayName(Utf8Of(recipientName)) + " <" + address + ">", true);
    }
    char separator = '?';
    const auto field = [&](const char* name, std::string_view value) {
        if (value.empty())
            return;
        url += separator;
        url += name;
        url += '=';
        url += PercentEncode(Utf8Of(value), name[0] == 'c');
        separator = '&';
    };
    field("subject", subject);
    field("body", body);
    field("cc", ccAddress);
    return url;
}
