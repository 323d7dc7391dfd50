#pragma once

#include "received/ReceivedBlockContext.h"

#include <vector>

// The top of the readable page: the check's result in a frame, the title with the document's
// type and number, its dates and references, and the parties (seller and buyer, then payee,
// tax representative and place of delivery where the invoice names them).
std::vector<Block> ReceivedHeaderBlocks(ReceivedBlockContext& context);

// The check's heading and at most this many of its lines; the rest are counted.
inline constexpr size_t kCheckLinesShown = 25;
