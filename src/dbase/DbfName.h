#pragma once

#include <string_view>

// Field and index names of a dBase table compare without regard to the case of A to Z.
inline bool SameDbfName(std::u16string_view a, std::u16string_view b)
{
    const auto fold = [](char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c; };
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}
