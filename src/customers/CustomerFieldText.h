#pragma once

#include "dbase/DbfField.h"

#include <string>
#include <string_view>

// How the customer window shows and takes the values of number, date and logical columns:
// as text in dBase's forms, a date (stored YYYYMMDD) shown and typed as a German date.
class CustomerFieldText {
public:
    // The text to show for a column's stored text (DbfTable::Value): a whole date as
    // DD.MM.YYYY, everything else as it is.
    static std::u16string Shown(const DbfField& field, std::u16string_view stored);
    // The text to store for what was typed: a German date (D.M.YYYY, with one or two digits
    // for day and month, or DD.MM.YY for 20YY) becomes YYYYMMDD; everything else is passed
    // on as it is, for the table to store or refuse.
    static std::u16string ToStore(const DbfField& field, std::u16string_view typed);
    // Numbers stand right-aligned, as dBase stores them.
    static bool RightAligned(const DbfField& field) { return field.type == 'N' || field.type == 'F'; }
};
