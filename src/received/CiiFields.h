#pragma once

#include "received/ReceivedInvoice.h"
#include "received/ValueReader.h"

#include <libxml/tree.h>

#include <optional>
#include <string>

// The namespaces of a Cross Industry Invoice and the small readings every part of it shares.
namespace cii {

inline constexpr const char* kRsm = "urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100";
inline constexpr const char* kRam =
    "urn:un:unece:uncefact:data:standard:ReusableAggregateBusinessInformationEntity:100";
inline constexpr const char* kUdt = "urn:un:unece:uncefact:data:standard:UnqualifiedDataType:100";
inline constexpr const char* kQdt = "urn:un:unece:uncefact:data:standard:QualifiedDataType:100";

// The first ram: child of that name.
const xmlNode* Ram(const xmlNode* node, const char* local);
// The text of the first ram: child of that name (empty without one).
std::u16string RamText(const xmlNode* node, const char* local);
// The text of a ram: child and its schemeID.
ReceivedId RamId(const xmlNode* node, const char* local);
// A date held by the element: udt:DateTimeString, udt:DateString or qdt:DateTimeString, each
// in format 102 ("20260131"). Nothing for a missing holder.
std::optional<ReceivedDate> Date(ValueReader& values, const xmlNode* holder);
// An allowance or charge (ram:SpecifiedTradeAllowanceCharge); the VAT category and rate are
// read where the document level carries them (ram:CategoryTradeTax).
ReceivedAllowanceCharge AllowanceCharge(ValueReader& values, const xmlNode* node);

}  // namespace cii
