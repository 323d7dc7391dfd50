#pragma once

#include "customers/CustomerProgress.h"

#include <cstdint>
#include <string>
#include <vector>

class ByteSink;
class DbfTable;

// The customer table as a CSV file: a header line of the column names, then one line per
// record that a walk of the table visits (the search and the active order apply), every
// column in table order, memos included. Each value is escaped (CsvValueCodec) and put in
// double quotes; values are separated by ";", lines end with CR LF; Windows-1252 whatever
// the table's code page, no byte order mark. A damaged memo is written as an empty value
// and its record is named in the result.
class CustomerCsvExport {
public:
    struct Result {
        enum class Status { Written, CannotCreate, WriteFailed };
        Status status = Status::Written;
        uint32_t records = 0;
        std::string error;                   // the system's description when not written
        std::vector<uint32_t> damagedMemos;  // records written with an empty memo
    };

    // Writes to the sink; returns the number of records. Raises IoError. The records whose
    // memo was damaged go to damagedMemos when given.
    static uint32_t Write(DbfTable& table, ByteSink& sink, const CustomerProgress& progress = {},
                          std::vector<uint32_t>* damagedMemos = nullptr);

    // Writes the file whole or not at all: an existing file of that name is replaced only
    // when the new one is complete.
    static Result WriteFile(DbfTable& table, const std::string& path, const CustomerProgress& progress = {});

    // The header line, without its line end.
    static std::string HeaderLine(const DbfTable& table);
};
