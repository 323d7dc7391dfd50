#include "customers/CustomerTransfer.h"

#include "dbase/DbfTable.h"
#include "messages/MessageCatalog.h"

const std::array<CustomerTransfer::Row, CustomerTransfer::kAddressCount + 1>& CustomerTransfer::Map()
{
    static const std::array<Row, kAddressCount + 1> map = {{
        {203, 1, Target::Firma},
        {204, 2, Target::Name},
        {205, 3, Target::Vorname},
        {206, 4, Target::Anrede},
        {207, 5, Target::Strasse},
        {208, 6, Target::Plz},
        {209, 7, Target::Ort},
        {210, 8, Target::Land},
        {211, 9, Target::Tel},
        {212, 10, Target::Fax},
        {214, 12, Target::Email},
        {215, 13, Target::Mehr},
    }};
    return map;
}

int CustomerTransfer::ColumnFor(const DbfTable& table, const Row& row)
{
    if (!table.Active())
        return -1;
    const int byName = table.FieldIndex(MessageText(row.message));
    if (byName >= 0)
        return byName;
    return row.position <= table.FieldCount() ? row.position - 1 : -1;
}

std::optional<CustomerTransfer::Values> CustomerTransfer::Read(const DbfTable& table, bool withMehr)
{
    if (!table.Active())
        return std::nullopt;
    Values values;
    for (const Row& row : Map()) {
        if (row.target == Target::Mehr && !withMehr)
            continue;
        const int column = ColumnFor(table, row);
        if (column < 0)
            return std::nullopt;
        std::u16string text = table.Value(column);
        if (row.target == Target::Mehr)
            values.mehr = std::move(text);
        else
            values.address[static_cast<size_t>(row.target)] = std::move(text);
    }
    return values;
}
