#pragma once

#include "dbase/DbfField.h"

#include <optional>
#include <string>
#include <vector>

// What a rebuild of the customer table makes: the new column list and, for each new column,
// the old column whose text it receives (-1: none, the column starts empty).
struct RebuildPlan {
    std::vector<DbfField> fields;
    std::vector<int> copyFrom;
};

// The column lists of the four operations of the "Felder" menu.
class CustomerRestructure {
public:
    // The old columns followed by a character column; every old column keeps its place.
    static RebuildPlan AddField(const std::vector<DbfField>& fields, const std::u16string& name, int length);
    // Without the last column, or without the one before it when the last is a memo (the
    // memo moves up with its text). Nothing when there are 15 columns or fewer.
    static std::optional<RebuildPlan> DeleteLastField(const std::vector<DbfField>& fields);
    // New lengths from the lengths grid's texts, one per column; a text that is not a whole
    // number (or a memo, date or logical column's row) keeps the old length. A number column
    // keeps its decimals.
    static RebuildPlan ChangeLengths(const std::vector<DbfField>& fields, const std::vector<std::u16string>& lengths);
    // New column i is old column order[i], unchanged.
    static RebuildPlan Reorder(const std::vector<DbfField>& fields, const std::vector<int>& order);
    // The whole decimal number a text holds (an optional sign, digits, surrounding blanks).
    static std::optional<int> WholeNumber(std::u16string_view text);
};
