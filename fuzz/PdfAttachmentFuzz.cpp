// Reads arbitrary bytes as a hybrid PDF and takes its embedded e-invoice. Nothing may crash or
// hang: the answer is either the XML with the name it had in the PDF, or a German message, and
// the XML keeps to the limit. What is found is then read as a CII invoice, which must answer
// the same way.
#include "received/CiiInvoiceReader.h"
#include "received/HybridPdfAttachment.h"
#include "received/SafeXmlDocument.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ReceivedLimits limits;
    limits.maxFileBytes = size_t{1} << 20;
    limits.maxLines = 50;
    const HybridPdfXml found = ExtractHybridXml(std::string_view(reinterpret_cast<const char*>(data), size), limits);
    if (!found.error.empty()) {
        if (!found.xml.empty())
            __builtin_trap();
        return 0;
    }
    if (found.xml.size() > limits.maxFileBytes)
        __builtin_trap();
    const SafeXmlDocument document(found.xml, limits);
    if (document.Root() == nullptr)
        return document.Error().empty() ? (__builtin_trap(), 0) : 0;
    const ReceivedReadResult result = ReadCiiInvoice(document.Root(), limits);
    if (result.invoice.has_value() == !result.error.empty())
        __builtin_trap();
    return 0;
}
