#pragma once

// What every fuzz target of the received-invoice readers asks of an answer.
#include "received/ReceivedLimits.h"
#include "received/ReceivedReadResult.h"

// Small bounds, so that fuzzed inputs can reach them.
inline ReceivedLimits SmallReceivedLimits()
{
    ReceivedLimits limits;
    limits.maxFileBytes = 1 << 20;
    limits.maxAttachmentBytes = 256;
    limits.maxDepth = 24;
    limits.maxLines = 8;
    return limits;
}

// Either an invoice or a message, never both or neither, and what is read keeps to the bounds.
inline void TrapUnlessSound(const ReceivedReadResult& result, const ReceivedLimits& limits)
{
    if (result.invoice.has_value() == !result.error.empty())
        __builtin_trap();
    if (!result.invoice)
        return;
    if (result.invoice->lines.size() > limits.maxLines)
        __builtin_trap();
    for (const ReceivedAttachment& attachment : result.invoice->attachments) {
        if (attachment.content.size() > limits.maxAttachmentBytes)
            __builtin_trap();
    }
}
