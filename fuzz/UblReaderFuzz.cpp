// Reads arbitrary bytes as a UBL invoice or credit note, with small bounds so that they are
// reached: the parse and the reader must give either an invoice within the bounds or a
// message, never a crash, a hang or both at once.
#include "ReceivedFuzzChecks.h"
#include "received/SafeXmlDocument.h"
#include "received/UblInvoiceReader.h"

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
    TrapUnlessSound(ReadUblInvoice(document.Root(), limits), limits);
    return 0;
}
