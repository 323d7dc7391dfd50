#pragma once

#include <array>
#include <optional>
#include <string>

class DbfTable;

// Which columns of a customer go into which address fields of an invoice. A column is found
// by its name (the message catalog's text); when the table has no column of that name, the
// column at the given position (from 1, in table order) is taken instead. "Handy",
// "Kundennr", "Kostenst" and the user's own columns are not taken.
class CustomerTransfer {
public:
    enum class Target { Firma, Name, Vorname, Anrede, Strasse, Plz, Ort, Land, Tel, Fax, Email, Mehr };
    static constexpr size_t kAddressCount = 11;  // every target but Mehr

    struct Row {
        int message;
        int position;
        Target target;
    };
    // The rows in the order in which they are taken, "Mehr" last.
    static const std::array<Row, kAddressCount + 1>& Map();

    struct Values {
        std::array<std::u16string, kAddressCount> address;  // by Target, Firma .. Email
        std::u16string mehr;
    };

    // The table's column for a row, -1 when neither the name nor the position exists.
    static int ColumnFor(const DbfTable& table, const Row& row);
    // The current record's values; "Mehr" only when withMehr is set. Nothing when the table
    // is not open or a column is found neither by name nor by position.
    static std::optional<Values> Read(const DbfTable& table, bool withMehr);
};
