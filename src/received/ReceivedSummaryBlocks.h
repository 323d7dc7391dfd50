#pragma once

#include "received/ReceivedBlockContext.h"

#include <vector>

// What follows the table of lines: document allowances and charges, the VAT breakdown, the
// totals, the payment instructions, the notes and the attachments.
std::vector<Block> ReceivedSummaryBlocks(ReceivedBlockContext& context);
