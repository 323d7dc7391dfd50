#include "customers/CustomerFilter.h"

#include "dbase/DbfTable.h"

std::u16string CustomerFilter::FoldAZ(std::u16string_view text)
{
    std::u16string folded(text);
    for (char16_t& c : folded) {
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - u'a' + u'A');
    }
    return folded;
}

bool CustomerFilter::Matches(const DbfTable& table, std::u16string_view foldedText)
{
    for (int i = 0; i < table.FieldCount(); ++i) {
        if (FoldAZ(table.Value(i)).find(foldedText) != std::u16string::npos)
            return true;
    }
    return false;
}
