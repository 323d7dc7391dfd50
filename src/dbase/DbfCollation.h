#pragma once

#include <string>
#include <string_view>

// The sort key of a character column's bytes (Windows-1252) for an ascending index: letters
// compare without regard to case, umlauts and accented letters sort with their base letter
// ("ä" as "a", "ß" as "ss"), trailing blanks do not count. Equal keys are ordered by the
// bytes themselves, so that the order is total and does not depend on the walk.
class DbfCollation {
public:
    static std::string Key(std::string_view bytes);
    // Negative, zero or positive, like strcmp, on two columns' bytes.
    static int Compare(std::string_view a, std::string_view b);
};
