#include "messages/MemoryMessages.h"

namespace MemoryMessages {

std::u16string AllocationRefused(int errorNumber, uint64_t bytes, int systemError)
{
    std::string text = "Error " + std::to_string(errorNumber) + " while trying to allocate " + std::to_string(bytes) +
                       " bytes of RAM. Not enough memory.";
    if (errorNumber == 2)
        text += std::to_string(systemError);
    return std::u16string(text.begin(), text.end());
}

}  // namespace MemoryMessages
