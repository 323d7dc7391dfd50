#pragma once

#include "dbase/DbfField.h"

#include <array>
#include <string>
#include <vector>

// Which table column each of the edit panel's 24 combo boxes and its memo show: the k-th
// character column goes to the k-th combo box, the memo to the last memo column. Labels
// are the column names in label form ("StrasseNr" -> "Strassenr:").
struct CustomerEditBinding {
    static constexpr int kComboCount = 24;

    int memoField = -1;
    std::array<int, kComboCount> comboFields;  // table column, -1 when the box is unbound
    std::array<std::u16string, kComboCount> labels;

    static CustomerEditBinding For(const std::vector<DbfField>& fields);
    // A-Z to lower case, then a first a-z to upper case, then ":".
    static std::u16string LabelForm(std::u16string_view name);
};
