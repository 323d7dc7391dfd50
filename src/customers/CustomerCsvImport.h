#pragma once

#include "customers/CustomerProgress.h"

#include <cstdint>
#include <string>

class ByteSource;
class DbfTable;

// Adds the records of a CSV file to the customer table. The first line (the header) is
// skipped whatever it holds; every other line that yields at least one value becomes one
// new record, its i-th value going into the i-th column (values beyond the last column are
// dropped, columns without a value stay empty). Empty lines are skipped. Existing records
// are never changed, matched or compared. The file is read as Windows-1252.
class CustomerCsvImport {
public:
    struct Result {
        uint32_t added = 0;      // records stored
        uint32_t notStored = 0;  // lines whose record the table refused
        uint32_t tooLong = 0;    // lines passed over for their length
        std::string firstError;  // why the first refused record was refused
    };

    // The table must be open and not being edited (IoError otherwise). A record that cannot
    // be stored is dropped and counted, and the import goes on with the next line. Raises
    // IoError only when the source cannot be read; the records added until then stay.
    static Result Read(DbfTable& table, ByteSource& source, const CustomerProgress& progress = {});
};
