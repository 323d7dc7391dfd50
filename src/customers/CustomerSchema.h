#pragma once

#include "dbase/DbfField.h"

#include <vector>

// The columns of a new customer table, in order, named by the message catalog: twelve
// character columns of 45 characters ("PLZ" 10), the memo "Mehr", then "Kundennr" and
// "Kostenst".
class CustomerSchema {
public:
    static constexpr int kStandardColumnCount = 15;
    static constexpr int kKostenstMessage = 229;
    static constexpr int kKostenstLength = 45;

    static std::vector<DbfField> StandardFields();
};
