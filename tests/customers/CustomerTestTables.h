#pragma once

#include "customers/CustomerSchema.h"
#include "dbase/DbfTable.h"

#include <cstdio>
#include <stdexcept>
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

// Points the memo of a record (from 1) past the end of the memo file, as a damaged table
// does: the ten bytes of the memo column are overwritten in the file.
inline void DamageMemoPointer(const std::string& path, uint32_t recNo)
{
    DbfTable table;
    table.Open(path);
    size_t offset = 1;
    size_t recordLength = 1;
    int memo = -1;
    for (int i = 0; i < table.FieldCount(); ++i) {
        if (table.Field(i).IsMemo() && memo < 0) {
            memo = i;
            offset = recordLength;
        }
        recordLength += size_t(table.Field(i).length);
    }
    const size_t headerLength = 32 + 32 * size_t(table.FieldCount()) + 1;
    table.Close();
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    if (!file || memo < 0)
        throw std::runtime_error("cannot damage " + path);
    std::fseek(file, long(headerLength + (recNo - 1) * recordLength + offset), SEEK_SET);
    std::fwrite("   9999999", 1, 10, file);
    std::fclose(file);
}
