#pragma once

#include "received/ReceivedLimits.h"
#include "received/ReceivedReadResult.h"

#include <string>
#include <string_view>

// Reads a received e-invoice from a file's bytes, whatever it is: a hybrid PDF (ZUGFeRD,
// Factur-X; its embedded XML is read), a CII invoice (rsm:CrossIndustryInvoice) or a UBL 2.1
// Invoice or CreditNote.
ReceivedReadResult ReadReceivedInvoice(std::string_view bytes, const ReceivedLimits& limits = {});

// Reads the file at the path (refusing it unread beyond limits.maxFileBytes), then as above.
ReceivedReadResult ReadReceivedInvoiceFile(const std::string& path, const ReceivedLimits& limits = {});
