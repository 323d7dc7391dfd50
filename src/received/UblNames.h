#pragma once

#include "received/XmlNodes.h"

#include <libxml/tree.h>

#include <string>

// The namespaces of OASIS UBL 2.1 and short ways to reach its basic (cbc) and aggregate (cac)
// children, which make up nearly every step of reading an invoice.
namespace Ubl {

inline constexpr const char* kInvoice = "urn:oasis:names:specification:ubl:schema:xsd:Invoice-2";
inline constexpr const char* kCreditNote = "urn:oasis:names:specification:ubl:schema:xsd:CreditNote-2";
inline constexpr const char* kCac = "urn:oasis:names:specification:ubl:schema:xsd:CommonAggregateComponents-2";
inline constexpr const char* kCbc = "urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2";

inline const xmlNode* Cbc(const xmlNode* node, const char* local)
{
    return ChildElement(node, kCbc, local);
}

inline const xmlNode* Cac(const xmlNode* node, const char* local)
{
    return ChildElement(node, kCac, local);
}

inline std::vector<const xmlNode*> Cacs(const xmlNode* node, const char* local)
{
    return ChildElements(node, kCac, local);
}

// The text of a cbc child, empty when there is none.
inline std::u16string Text(const xmlNode* node, const char* local)
{
    return ElementText(Cbc(node, local));
}

}  // namespace Ubl
