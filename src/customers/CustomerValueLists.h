#pragma once

#include <cstdint>
#include <string>
#include <vector>

class DbfTable;

// The suggestions of a combo box of the customer window: every distinct text (case-sensitive,
// the empty text too) of its column over the given records, in order of first appearance.
// The records are those the grid shows, in its order, so that the search applies. The
// table's cursor does not move and an edit in progress stays as it is, so that a list can
// be made when it is first wanted, while the user works on a record.
class CustomerValueLists {
public:
    static std::vector<std::u16string> Collect(const DbfTable& table, const std::vector<uint32_t>& records, int field);
};
