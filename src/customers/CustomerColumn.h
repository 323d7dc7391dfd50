#pragma once

#include "dbase/DbfField.h"

#include <vector>

// A column of the customer table as the customer windows see it (name, type, length,
// decimals): the windows name the table's columns through the customer module only.
using CustomerColumn = DbfField;
using CustomerColumns = std::vector<CustomerColumn>;
