#include "customers/CustomerValueLists.h"

#include "dbase/DbfTable.h"

#include <unordered_set>

std::vector<std::u16string> CustomerValueLists::Collect(const DbfTable& table, const std::vector<uint32_t>& records,
                                                        int field)
{
    std::vector<std::u16string> list;
    if (field < 0 || field >= table.FieldCount())
        return list;
    std::unordered_set<std::u16string> seen;
    for (const uint32_t recNo : records) {
        std::u16string value = table.ValueAt(recNo, field);
        if (seen.insert(value).second)
            list.push_back(std::move(value));
    }
    return list;
}
