#pragma once

#include <string>

// One column of a dBase table: its name (at most 10 characters), its type letter, its
// length in bytes and, for numbers, its decimals. The program itself adds character columns
// ('C', 1 to 254 characters) and memo columns ('M', always 10: the block number in the memo
// file). Tables written by other programs may also hold numbers ('N', 'F', 1 to 20), dates
// ('D', 8) and logical values ('L', 1); they are read and written as text in dBase's forms
// (see DbfValueCodec) and keep type, length and decimals through every rebuild.
struct DbfField {
    std::u16string name;
    char type = 'C';
    int length = 0;
    int decimals = 0;

    static DbfField Character(std::u16string name, int length) { return {std::move(name), 'C', length, 0}; }
    static DbfField Memo(std::u16string name) { return {std::move(name), 'M', 10, 0}; }

    bool IsCharacter() const { return type == 'C'; }
    bool IsMemo() const { return type == 'M'; }
    bool operator==(const DbfField&) const = default;
};
