#pragma once

#include <string>
#include <string_view>

// How a value of the customer table is written into and read from a CSV line.
//
// Writing: a backslash becomes two backslashes, a CR "\r", an LF "\n", a double quote two
// double quotes; nothing else changes. The caller puts the result between double quotes.
//
// Reading (every value of a line, quoted or plain): "\r" gives a CR, "\n" an LF and two
// backslashes one backslash; a backslash before any other character stays with that
// character, and a backslash at the end of the value stays. So a value survives a round
// trip unchanged, backslashes included, and files of other programs (which do not double
// their backslashes) read as before unless they hold two backslashes in a row.
class CsvValueCodec {
public:
    static std::u16string Escape(std::u16string_view value);
    // The same on Windows-1252 bytes (all the characters concerned are ASCII), appended.
    static void AppendEscaped(std::string& out, std::string_view bytes);
    static std::u16string Decode(std::u16string_view value);
};
