// Reads arbitrary bytes as a received e-invoice of any kind (hybrid PDF, CII, UBL), with small
// bounds so that they are reached: either an invoice within the bounds or a message, never a
// crash, a hang or both at once.
#include "received/ReceivedInvoiceReader.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReceivedLimits limits;
    limits.maxFileBytes = 1 << 20;
    limits.maxAttachmentBytes = 256;
    limits.maxDepth = 24;
    limits.maxLines = 8;
    const ReceivedReadResult result =
        ReadReceivedInvoice(std::string_view(reinterpret_cast<const char*>(data), size), limits);
    if (result.invoice.has_value() == !result.error.empty())
        __builtin_trap();
    if (result.invoice) {
        if (result.invoice->lines.size() > limits.maxLines)
            __builtin_trap();
        for (const ReceivedAttachment& attachment : result.invoice->attachments) {
            if (attachment.content.size() > limits.maxAttachmentBytes)
                __builtin_trap();
        }
    }
    return 0;
}
