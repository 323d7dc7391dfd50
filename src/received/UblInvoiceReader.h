#pragma once

#include "received/ReceivedLimits.h"
#include "received/ReceivedReadResult.h"

#include <libxml/tree.h>

// Reads an OASIS UBL 2.1 Invoice or CreditNote (the syntax of XRechnung UBL and Peppol BIS)
// from its root element.
ReceivedReadResult ReadUblInvoice(const xmlNode* root, const ReceivedLimits& limits);
