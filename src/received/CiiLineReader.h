#pragma once

#include "received/ReceivedInvoice.h"
#include "received/ValueReader.h"

#include <libxml/tree.h>

// Reads one invoice line of a Cross Industry Invoice (ram:IncludedSupplyChainTradeLineItem):
// its document data, item, price, quantity, period, allowances and charges, VAT and amount.
ReceivedLine ReadCiiLine(ValueReader& values, const xmlNode* item);
