#include "dbase/DbfCollation.h"

#include <array>

namespace {

// Base letter of each Windows-1252 byte from 0xC0 on (0 where the byte is no letter).
constexpr std::string_view kLatin1Base =
    "aaaaaaaceeeeiiii"    // C0-CF
    "dnooooo\0ouuuuyts"   // D0-DF (D7 is the multiplication sign, DE thorn, DF sharp s)
    "aaaaaaaceeeeiiii"    // E0-EF
    "dnooooo\0ouuuuyty";  // F0-FF

void Append(std::string& key, unsigned char c)
{
    if (c >= 'A' && c <= 'Z') {
        key += char(c - 'A' + 'a');
        return;
    }
    if (c == 0x8A || c == 0x9A) {
        key += 's';
        return;
    }  // Š š
    if (c == 0x8E || c == 0x9E) {
        key += 'z';
        return;
    }  // Ž ž
    if (c == 0x9F) {
        key += 'y';
        return;
    }  // Ÿ
    if (c == 0x8C || c == 0x9C) {
        key += "oe";
        return;
    }  // Œ œ
    if (c >= 0xC0) {
        if (c == 0xDF) {
            key += "ss";
            return;
        }
        const char base = kLatin1Base[c - 0xC0];
        if (base != '\0') {
            key += base;
            return;
        }
    }
    key += char(c);
}

std::string_view TrimRight(std::string_view bytes)
{
    while (!bytes.empty() && (bytes.back() == ' ' || bytes.back() == '\0'))
        bytes.remove_suffix(1);
    return bytes;
}

}  // namespace

std::string DbfCollation::Key(std::string_view bytes)
{
    bytes = TrimRight(bytes);
    std::string key;
    key.reserve(bytes.size());
    for (char c : bytes)
        Append(key, static_cast<unsigned char>(c));
    return key;
}

int DbfCollation::Compare(std::string_view a, std::string_view b)
{
    const int primary = Key(a).compare(Key(b));
    if (primary != 0)
        return primary;
    return TrimRight(a).compare(TrimRight(b));
}
