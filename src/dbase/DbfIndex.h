#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A named ordering of a table by one character column, ascending, duplicates allowed. It is
// kept in memory as the record numbers in key order; records marked deleted stay in it and
// are skipped by the walk like everywhere else.
struct DbfIndex {
    std::u16string name;
    int field = 0;
    std::vector<uint32_t> order;
};
