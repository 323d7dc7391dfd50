#pragma once

#include <string>
#include <string_view>

class DbfTable;

// The customer window's search: a record is visible when one of its columns (memos too),
// with the letters a-z turned to upper case, contains the search text, which is folded the
// same way. Umlauts are not folded, so "müller" finds "Müller" but not "MÜLLER".
class CustomerFilter {
public:
    // Letters a-z to upper case; everything else unchanged.
    static std::u16string FoldAZ(std::u16string_view text);
    // Whether the table's current record matches the folded search text.
    static bool Matches(const DbfTable& table, std::u16string_view foldedText);
};
