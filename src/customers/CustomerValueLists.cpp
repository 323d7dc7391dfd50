#include "customers/CustomerValueLists.h"

#include "dbase/DbfTable.h"

#include <unordered_set>

CustomerValueLists::Lists CustomerValueLists::Collect(DbfTable& table, const CustomerEditBinding& binding)
{
    Lists lists;
    std::array<std::unordered_set<std::u16string>, CustomerEditBinding::kComboCount> seen;
    for (table.First(); !table.Eof(); table.Next()) {
        for (size_t k = 0; k < lists.size(); ++k) {
            const int field = binding.comboFields[k];
            std::u16string value = field >= 0 ? table.Value(field) : std::u16string();
            if (seen[k].insert(value).second)
                lists[k].push_back(std::move(value));
        }
    }
    return lists;
}
