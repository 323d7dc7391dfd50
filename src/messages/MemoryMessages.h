#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What the user is told when memory runs out: one text for every operation that gives up
// for want of memory, and the numbered texts of the dynamic arrays.
namespace MemoryMessages {

// "Fehler: nicht genug Speicher für diese Operation!"
inline constexpr std::u16string_view kOutOfMemory = u"Fehler: nicht genug Speicher für diese Operation!";

// "Error N while trying to allocate B bytes of RAM. Not enough memory." for a dynamic array:
// N 1 for a first block, 2 for growing one (followed by the system's error number), 3 for
// shrinking one.
std::u16string AllocationRefused(int errorNumber, uint64_t bytes, int systemError);

}  // namespace MemoryMessages
