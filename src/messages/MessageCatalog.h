#pragma once

#include <cstdint>
#include <string>

// The program's numbered catalog of German message texts, printed labels and customer
// column names, slots 1 to 273. Returns the text exactly as stored; the empty text for a
// number outside 1..273 or for a slot the program never uses.
std::u16string MessageText(int32_t n);
