#include "invoices/RecordSort.h"

#include "foundation/TDynaArray.h"

#include <utility>

namespace {

class Sorter {
public:
    Sorter(TDynaArray& array, std::vector<std::u16string>& keys, bool descending)
        : array_(array),
          keys_(keys),
          descending_(descending)
    {
    }

    // Sorts first..last; recursion goes into the smaller part, the larger one is looped
    // over, so the depth stays logarithmic whatever the keys.
    void Sort(int64_t first, int64_t last)
    {
        while (first < last) {
            const std::u16string pivot = keys_[size_t((first + last) / 2)];
            int64_t i = first;
            int64_t j = last;
            do {
                while (Before(keys_[size_t(i)], pivot))
                    ++i;
                while (Before(pivot, keys_[size_t(j)]))
                    --j;
                if (i <= j) {
                    Swap(i, j);
                    ++i;
                    --j;
                }
            } while (i <= j);
            if (j - first < last - i) {
                Sort(first, j);
                first = i;
            } else {
                Sort(i, last);
                last = j;
            }
        }
    }

private:
    bool Before(const std::u16string& a, const std::u16string& b) const { return descending_ ? b < a : a < b; }

    void Swap(int64_t i, int64_t j)
    {
        if (i == j)
            return;
        array_.Change(static_cast<int32_t>(i), static_cast<int32_t>(j));
        std::swap(keys_[size_t(i)], keys_[size_t(j)]);
    }

    TDynaArray& array_;
    std::vector<std::u16string>& keys_;
    bool descending_;
};

}

std::u16string FoldAZ(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& c : out) {
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - (u'a' - u'A'));
    }
    return out;
}

void QuickSortByKeys(TDynaArray& array, std::vector<std::u16string>& keys, bool descending)
{
    if (array.Count() < 2 || keys.size() != array.Count())
        return;
    Sorter(array, keys, descending).Sort(0, int64_t(array.Count()) - 1);
}
