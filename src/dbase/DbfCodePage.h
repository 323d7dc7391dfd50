#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The 8-bit code page that a dBase table's text (values, memos, column names) is stored in,
// named by the language driver byte of the table's header (byte 29). DOS tables use the
// code pages 437 and 850 (Western Europe) or 852 (Central Europe), Windows tables 1252 or
// 1250. A table whose byte names no code page (0) or one that this module does not know is
// read and written as Windows-1252, the default of dBase on Windows. Every byte decodes to
// one character; a character that the code page cannot represent is written as "?".
class DbfCodePage {
public:
    // The byte that new tables carry: Windows-1252.
    static constexpr uint8_t kDriverWindows1252 = 0x03;

    static DbfCodePage ForLanguageDriver(uint8_t driver);
    static DbfCodePage Windows1252() { return DbfCodePage(1252, nullptr); }
    // The byte this module writes for a code page (1252, 1250, 437, 850, 852); 0 for others.
    static uint8_t LanguageDriverFor(int number);
    // Whether the module knows the code page of a language driver byte (0 counts as known).
    static bool Knows(uint8_t driver);

    int Number() const { return number_; }
    bool IsWindows1252() const { return high_ == nullptr; }

    std::u16string Decode(std::string_view bytes) const;
    std::string Encode(std::u16string_view text) const;
    char16_t DecodeChar(unsigned char byte) const;
    // '?' when the character cannot be represented.
    char EncodeChar(char16_t unit) const;
    bool Represents(char16_t unit) const;
    // Characters of text that Encode() turns into "?" (a surrogate pair is one character).
    size_t CountUnrepresentable(std::u16string_view text) const;

    bool operator==(const DbfCodePage& other) const { return number_ == other.number_; }

private:
    DbfCodePage(int number, const char16_t* high) : number_(number), high_(high) {}

    int number_;
    const char16_t* high_;  // the characters of the bytes 0x80 to 0xFF; null for Windows-1252
};
