// Reads arbitrary bytes as a received CII invoice: parsed as untrusted XML, then read into the
// model. Nothing may crash, hang or read out of bounds, and the answer is always either an
// invoice or a German message, never both or neither; what is read keeps to the limits.
#include "ReceivedFuzzChecks.h"
#include "received/CiiInvoiceReader.h"
#include "received/SafeXmlDocument.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ReceivedLimits limits = SmallReceivedLimits();
    const SafeXmlDocument document(std::string_view(reinterpret_cast<const char*>(data), size), limits);
    if (document.Root() == nullptr) {
        if (document.Error().empty())
            __builtin_trap();
        return 0;
    }
    TrapUnlessSound(ReadCiiInvoice(document.Root(), limits), limits);
    return 0;
}
