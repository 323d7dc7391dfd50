#pragma once

#include "received/ReceivedInvoice.h"
#include "received/ValueReader.h"

#include <libxml/tree.h>

#include <string>

// Reads the parties of a UBL invoice: seller and buyer (cac:Party inside the accounting
// parties), payee and tax representative (cac:PayeeParty, cac:TaxRepresentativeParty) and
// postal addresses.
namespace UblPartyReader {

// A cac:Party or an element of the same content. The PartyIdentification with the scheme
// "SEPA" is the bank-assigned creditor identifier (BT-90), not a party identifier: it goes to
// creditorId when that is given and not yet filled.
ReceivedParty Party(const xmlNode* party, std::u16string* creditorId);

// A cac:PostalAddress or cac:Address.
ReceivedAddress Address(const xmlNode* address);

}  // namespace UblPartyReader
