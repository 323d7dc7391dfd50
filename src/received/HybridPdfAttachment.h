#pragma once

#include "received/ReceivedLimits.h"

#include <string>
#include <string_view>

// The XML of a hybrid PDF (ZUGFeRD, Factur-X, XRechnung inside a PDF): the embedded file named
// factur-x.xml, zugferd-invoice.xml or xrechnung.xml, or else the XML file that the catalog's
// /AF array marks as the document's alternative or data source.
struct HybridPdfXml {
    std::string xml;          // the decoded bytes of the embedded file
    std::u16string fileName;  // its name in the PDF
    std::u16string error;     // German, when there is no such file or the PDF cannot be read
};

HybridPdfXml ExtractHybridXml(std::string_view pdfBytes, const ReceivedLimits& limits);
