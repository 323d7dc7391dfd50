#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A file embedded in a PDF/A-3 document, such as the XML of a hybrid electronic invoice.
struct PdfA3Attachment {
    std::string fileName;                      // "factur-x.xml" or "xrechnung.xml"
    std::u16string description;                // /Desc, e.g. u"Factur-X/ZUGFeRD-Rechnung"
    std::string mimeType = "text/xml";         // written as /Subtype /text#2Fxml
    std::string data;                          // the file's bytes
    std::string relationship = "Alternative";  // /AFRelationship
};

// What a PDF/A-3b document says about itself: the document information, the XMP metadata
// (with the Factur-X extension schema for a hybrid invoice) and the embedded files.
struct PdfA3Settings {
    std::u16string title, author, subject, creator;  // /Info and XMP
    std::u16string producer = u"Rekolon";            // /Producer and pdf:Producer
    int64_t time = 0;                                // creation = modification, seconds since the epoch
    int32_t utcOffsetMinutes = 0;                    // the local offset written with the dates
    std::string language = "de-DE";                  // catalog /Lang
    // Factur-X extension schema in the XMP; an empty conformance level writes none.
    std::string fxConformanceLevel;  // "EN 16931" or "XRECHNUNG"
    std::string fxDocumentType = "INVOICE";
    std::string fxVersion = "1.0";
    std::vector<PdfA3Attachment> attachments;  // the first one's name is fx:DocumentFileName
};
