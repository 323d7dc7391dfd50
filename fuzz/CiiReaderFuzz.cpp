// Reads arbitrary bytes as a received CII invoice: parsed as untrusted XML, then read into the
// model. Nothing may crash, hang or read out of bounds, and the answer is always either an
// invoice or a German message, never both or neither; what is read keeps to the limits.
#include "received/CiiInvoiceReader.h"
#include "received/SafeXmlDocument.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReceivedLimits limits;
    limits.maxLines = 50;  // small bounds, so that inputs can reach them
    limits.maxAttachmentBytes = 256;
    limits.maxDepth = 24;
    const SafeXmlDocument document(std::string_view(reinterpret_cast<const char*>(data), size), limits);
    if (document.Root() == nullptr) {
        if (document.Error().empty())
            __builtin_trap();
        return 0;
    }
    const ReceivedReadResult result = ReadCiiInvoice(document.Root(), limits);
    if (result.invoice.has_value() == !result.error.empty())
        __builtin_trap();
    if (!result.invoice)
        return 0;
    if (result.invoice->lines.size() > limits.maxLines)
        __builtin_trap();
    for (const ReceivedAttachment& attachment : result.invoice->attachments) {
        if (attachment.content.size() > limits.maxAttachmentBytes)
            __builtin_trap();
    }
    return 0;
}
