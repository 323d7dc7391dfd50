#pragma once

#include "customers/CustomerProgress.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class DbfTable;

// The lines that "Datensatz drucken" and the counting of filled columns show and print: one
// report line per column, the column name with ": " padded with blanks to at least 20
// characters, a tab, then the value. A value with line breaks (a memo) continues on lines of
// its own.
class CustomerReport {
public:
    static constexpr size_t kNameWidth = 20;

    // One report line (it may hold line breaks when the value does).
    static std::u16string Line(std::u16string_view name, std::u16string_view value);
    // Splits a text at CR LF, LF and lone CR; the empty text is one empty line.
    static std::vector<std::u16string> SplitLines(std::u16string_view text);

    // Every column of the table's current record, in table order.
    static std::vector<std::u16string> RecordLines(const DbfTable& table);

    // How many visible records (the search applies) have a non-empty text in each column.
    // The walk leaves the last visible record current. A damaged memo counts as empty; the
    // records that had one go to damagedMemos when given.
    static std::vector<uint32_t> FilledCounts(DbfTable& table, const CustomerProgress& progress = {},
                                              std::vector<uint32_t>* damagedMemos = nullptr);
    // The counts as report lines, one per column.
    static std::vector<std::u16string> CountLines(const DbfTable& table, const std::vector<uint32_t>& counts);
};
