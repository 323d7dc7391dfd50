#pragma once

#include <string>

class ByteSink;
struct EInvoiceDocument;

// The guideline identifiers (BT-24) and the business process (BT-23) of the two profiles.
inline constexpr const char* kEn16931Guideline = "urn:cen.eu:en16931:2017";
inline constexpr const char* kXRechnungGuideline =
    "urn:cen.eu:en16931:2017#compliant#urn:xeinkauf.de:kosit:xrechnung_3.0";
inline constexpr const char* kXRechnungProcess = "urn:fdc:peppol.eu:2017:poacc:billing:01.0";

// Writes an e-invoice as UN/CEFACT Cross Industry Invoice XML (D16B) with libxml2's text
// writer into the sink: UTF-8, amounts with a full stop, dates in format 102 (YYYYMMDD).
// Raises what the sink raises (IoError), std::bad_alloc when libxml2 runs out of memory.
void WriteCiiXml(const EInvoiceDocument& document, ByteSink& sink);

// The same, giving the bytes of the whole document.
std::string WriteCiiXml(const EInvoiceDocument& document);
