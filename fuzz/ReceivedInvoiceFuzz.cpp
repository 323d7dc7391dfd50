// Reads arbitrary bytes as a received e-invoice of any kind (hybrid PDF, CII, UBL), with small
// bounds so that they are reached: either an invoice within the bounds or a message, never a
// crash, a hang or both at once.
#include "ReceivedFuzzChecks.h"
#include "received/ReceivedInvoiceReader.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ReceivedLimits limits = SmallReceivedLimits();
    TrapUnlessSound(ReadReceivedInvoice(std::string_view(reinterpret_cast<const char*>(data), size), limits), limits);
    return 0;
}
