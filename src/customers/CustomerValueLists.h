#pragma once

#include "customers/CustomerEditBinding.h"

#include <array>
#include <string>
#include <vector>

class DbfTable;

// The suggestions of the 24 combo boxes: every distinct text (case-sensitive, the empty text
// too) of each box's column over the visible records, in order of first appearance. The walk
// starts at the first record and leaves the last one current.
class CustomerValueLists {
public:
    using Lists = std::array<std::vector<std::u16string>, CustomerEditBinding::kComboCount>;

    static Lists Collect(DbfTable& table, const CustomerEditBinding& binding);
};
