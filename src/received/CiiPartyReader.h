#pragma once

#include "received/ReceivedInvoice.h"

#include <libxml/tree.h>

// Reads a trade party of a Cross Industry Invoice (ram:SellerTradeParty, ram:BuyerTradeParty,
// ram:PayeeTradeParty, ram:SellerTaxRepresentativeTradeParty) with its identifiers, tax
// registrations, address and contact.
ReceivedParty ReadCiiParty(const xmlNode* party);

// Reads a ram:PostalTradeAddress.
ReceivedAddress ReadCiiAddress(const xmlNode* address);
