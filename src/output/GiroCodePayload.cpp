#include "output/GiroCodePayload.h"

#include "foundation/Utf8.h"
#include "invoices/TextRules.h"

#include <string_view>

namespace {

// The text as characters (code points): control characters become spaces, blanks at either
// end go, an unpaired surrogate becomes U+FFFD.
std::u32string Characters(std::u16string_view text)
{
    std::u32string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            out += char32_t(0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            out += U'\uFFFD';
        } else if (c < 0x20 || c == 0x7F) {
            out += U' ';
        } else {
            out += char32_t(c);
        }
    }
    const size_t first = out.find_first_not_of(U' ');
    if (first == std::u32string::npos)
        return {};
    return out.substr(first, out.find_last_not_of(U' ') - first + 1);
}

std::string Utf8(const std::u32string& text)
{
    std::string out;
    for (const char32_t c : text)
        AppendUtf8(out, c);
    return out;
}

std::string Amount(int64_t cents)
{
    if (cents <= 0)
        return {};
    std::string fraction = std::to_string(cents % 100);
    if (fraction.size() < 2)
        fraction.insert(0, 1, '0');
    return "EUR" + std::to_string(cents / 100) + "." + fraction;
}

}

std::string GiroCodePayload(const GiroCodeFields& f)
{
    std::u32string holder = Characters(f.holder);
    std::u32string remittance = Characters(f.remittance);
    if (holder.size() > kGiroCodeMaxHolder)
        holder.resize(kGiroCodeMaxHolder);
    if (remittance.size() > kGiroCodeMaxRemittance)
        remittance.resize(kGiroCodeMaxRemittance);

    // IBAN and BIC are letters and digits; anything else in the field is the user's typing
    // and goes through as UTF-8 so that the bank's check rejects it rather than we guess.
    const std::string head = "BCD\n002\n1\nSCT\n" + Utf16ToUtf8(Compact(f.bic)) + "\n";
    const std::string middle = "\n" + Utf16ToUtf8(Compact(f.iban)) + "\n" + Amount(f.cents) + "\n\n\n";
    // Empty lines at the end are left out with their line feeds: the last line is the last
    // one that says something.
    const auto build = [&] {
        std::string text = head + Utf8(holder) + middle + Utf8(remittance);
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        return text;
    };
    std::string payload = build();
    while (payload.size() > kGiroCodeMaxBytes && !remittance.empty()) {
        remittance.pop_back();
        payload = build();
    }
    while (payload.size() > kGiroCodeMaxBytes && !holder.empty()) {
        holder.pop_back();
        payload = build();
    }
    return payload;
}
