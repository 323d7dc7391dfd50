#pragma once

#include <string>
#include <string_view>
#include <vector>

class TDynaArray;

// Sorting of the invoice and article arrays in place, so that list rows and array indexes
// stay equal.

// The letters a to z turned into capitals; every other unit (umlauts too) stays.
std::u16string FoldAZ(std::u16string_view text);

// Quicksort with Hoare partitioning over the whole array: the pivot is the key of the middle
// element, elements are swapped with the array's Change, and keys[i] (one per element) is
// swapped along. Keys compare code unit by code unit. Equal keys end in no particular order.
void QuickSortByKeys(TDynaArray& array, std::vector<std::u16string>& keys, bool descending);
