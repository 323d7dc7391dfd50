#pragma once

#include "received/ReceivedBlockContext.h"

#include <array>
#include <cstdint>

// The table of invoice lines: its head (repeated on every page it continues on) and one block
// per line with the item's name, description and details wrapped in the widest column.
class ReceivedLineBlocks {
public:
    explicit ReceivedLineBlocks(ReceivedBlockContext& context);

    Block Head();
    Block Row(size_t line);

private:
    enum Column : size_t { Pos, Item, Quantity, Unit, Price, Rate, Amount, ColumnCount };
    int32_t AddDetails(Block& block, const ReceivedLine& line, int32_t dy);

    ReceivedBlockContext& context_;
    std::array<int32_t, ColumnCount> x_{};
    std::array<int32_t, ColumnCount> width_{};
    int32_t pad_ = 0;
};
