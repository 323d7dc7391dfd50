#pragma once

#include "received/ReceivedInvoice.h"
#include "received/ValueReader.h"

#include <libxml/tree.h>

// Reads the invoice lines of a UBL invoice (cac:InvoiceLine, cac:CreditNoteLine) and the
// allowances and charges, which lines and the document write alike.
namespace UblLineReader {

// A cac:InvoiceLine (quantity in cbc:InvoicedQuantity) or cac:CreditNoteLine (quantity in
// cbc:CreditedQuantity).
ReceivedLine Line(const xmlNode* line, bool creditNote, ValueReader& values);

// A cac:AllowanceCharge; its cac:TaxCategory (BT-95, BT-96 and their charge counterparts)
// only stands on the document level.
ReceivedAllowanceCharge AllowanceCharge(const xmlNode* node, ValueReader& values);

}  // namespace UblLineReader
