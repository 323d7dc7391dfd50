#pragma once

#include <cstddef>

// The bounds put on a received e-invoice, which comes from outside and is read before anyone
// has looked at it. A file beyond them is refused with a message, never read in part.
struct ReceivedLimits {
    // The whole file (XML or PDF).
    size_t maxFileBytes = size_t{100} << 20;
    // One embedded attachment after Base64 decoding. The XML parser takes at most 10 MB of text
    // in one element, which Base64 holds as 7.5 MB, so a larger limit could never be reached.
    size_t maxAttachmentBytes = size_t{7} << 20;
    // The nesting of elements (the parser's own bound is 256).
    int maxDepth = 64;
    // Invoice lines.
    size_t maxLines = 1'000'000;
};
