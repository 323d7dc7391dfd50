#pragma once

#include "customers/CustomerSchema.h"
#include "dbase/DbfTable.h"

#include <string>
#include <vector>

// Builds customer tables for the tests: rows of values by column name.
inline void FillCustomers(const std::string& path, const std::vector<DbfField>& fields,
                          const std::vector<std::vector<std::pair<std::u16string, std::u16string>>>& rows)
{
    DbfTable::Create(path, fields);
    DbfTable table;
    table.Open(path);
    for (const auto& row : rows) {
        table.Append();
        for (const auto& [name, value] : row)
            table.SetValue(name, value);
        table.Post();
    }
}

inline std::vector<std::u16string> Column(DbfTable& table, std::u16string_view name)
{
    std::vector<std::u16string> values;
    for (table.First(); !table.Eof(); table.Next())
        values.push_back(table.Value(name));
    return values;
}

inline std::vector<std::u16string> Names(const std::vector<DbfField>& fields)
{
    std::vector<std::u16string> names;
    for (const DbfField& f : fields)
        names.push_back(f.name);
    return names;
}
