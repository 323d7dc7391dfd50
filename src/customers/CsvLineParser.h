#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The values of one line of a customer CSV file (without its line end).
//
// A line that starts with a double quote is a quoted line: only double quotes delimit the
// values, and whatever stands between a closing and the next opening quote (";", ",",
// blanks) is ignored. Inside a value two double quotes in a row stand for one. A value that
// is never closed yields nothing and ends the line. A value that opens with two double
// quotes followed by an ordinary character (not a double quote, "," or ";"), such as
// ""Hallo"", runs to the second double quote after it and keeps the first of them: it reads
// as "Hallo" with its double quotes.
//
// Any other line is a plain line: values separated by ";"; a ";" at the end of the line adds
// no empty value. A value that opens with a double quote is quoted as spreadsheet programs
// quote: it runs to the closing quote (two in a row stand for one) and may hold ";" and line
// breaks; one that is never closed is an ordinary value. Other quotes are ordinary
// characters.
//
// Every function keeps at most maxValues values; the rest of the line is not read.
class CsvLineParser {
public:
    // The values of a line, decoded (CsvValueCodec::Decode).
    static std::vector<std::u16string> Values(std::u16string_view line, size_t maxValues);

    // The raw values of a plain or a quoted line.
    static std::vector<std::u16string> PlainValues(std::u16string_view line, size_t maxValues);
    static std::vector<std::u16string> QuotedValues(std::u16string_view line, size_t maxValues);
};
