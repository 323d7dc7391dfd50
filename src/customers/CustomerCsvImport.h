#pragma once

#include "customers/CsvEncoding.h"
#include "customers/CustomerProgress.h"

#include <cstdint>
#include <string>

class ByteSource;
class DbfTable;

// Adds the records of a CSV file to the customer table. The first line (the header) is
// skipped whatever it holds; every other line that yields at least one value becomes one
// new record, its i-th value going into the i-th column (values beyond the last column are
// dropped, columns without a value stay empty). Empty lines are skipped. Existing records
// are never changed, matched or compared. A quoted value may span several lines.
//
// The file is read as UTF-8 or as Windows-1252, as CsvEncoding found on a first reading;
// a character that the table's code page cannot store becomes "?" and is counted.
class CustomerCsvImport {
public:
    struct Result {
        uint32_t added = 0;      // records stored
        uint32_t notStored = 0;  // lines whose record the table refused
        uint32_t tooLong = 0;    // lines passed over for their length
        uint64_t replaced = 0;   // characters stored as "?"
        CsvEncoding::Kind encoding = CsvEncoding::Kind::Windows1252;
        std::string firstError;  // why the first refused record was refused
    };

    // The table must be open and not being edited (IoError otherwise). A record that cannot
    // be stored is dropped and counted, and the import goes on with the next line. Raises
    // IoError only when the source cannot be read; the records added until then stay.
    static Result Read(DbfTable& table, ByteSource& source, const CustomerProgress& progress = {},
                       CsvEncoding::Kind encoding = CsvEncoding::Kind::Windows1252);
};
