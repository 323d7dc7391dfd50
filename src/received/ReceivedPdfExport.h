#pragma once

#include "output/TPrinterPage.h"
#include "received/ReceivedInvoice.h"
#include "received/ReceivedInvoiceCheck.h"

#include <string>

// Writes the readable pages of a received invoice as a PDF file on the given paper, every page
// with its number. The file is complete or not there; an I/O error raises IoError.
void ExportReceivedPdf(const ReceivedInvoice& invoice, const ReceivedCheck& check, const std::string& fileName,
                       const TPrinterPage& paper);
