#pragma once

#include "received/ReceivedLimits.h"
#include "received/ReceivedReadResult.h"

#include <libxml/tree.h>

// Reads a UN/CEFACT Cross Industry Invoice (D16B, the syntax of ZUGFeRD, Factur-X and XRechnung
// CII) from its root element rsm:CrossIndustryInvoice.
ReceivedReadResult ReadCiiInvoice(const xmlNode* root, const ReceivedLimits& limits);
