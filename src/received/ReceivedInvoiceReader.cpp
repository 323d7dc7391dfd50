#include "received/ReceivedInvoiceReader.h"

#include "foundation/FileByteSource.h"
#include "foundation/IoError.h"
#include "foundation/Utf8.h"
#include "received/CiiFields.h"
#include "received/CiiInvoiceReader.h"
#include "received/HybridPdfAttachment.h"
#include "received/SafeXmlDocument.h"
#include "received/UblInvoiceReader.h"
#include "received/UblNames.h"

#include <cstring>
#include <new>

namespace {

constexpr std::u16string_view kNotAnEInvoice =
    u"Die Datei ist keine E-Rechnung (erwartet: XRechnung/ZUGFeRD als CII oder UBL).";

// A PDF may have a few bytes before its header; readers look for it in the first kilobyte.
constexpr size_t kPdfHeaderWindow = 1024;

std::u16string TooLarge(uint64_t size, const ReceivedLimits& limits)
{
    return u"Die Datei ist mit " + Utf8ToUtf16(std::to_string(size >> 20)) +
           u" MB zu groß für eine E-Rechnung (höchstens " + Utf8ToUtf16(std::to_string(limits.maxFileBytes >> 20)) +
           u" MB).";
}

// Whether the bytes begin as an XML document does: a byte order mark or white space, then
// "<" (or any UTF-16 text, whose second byte is zero).
bool StartsLikeXml(std::string_view bytes)
{
    if (bytes.size() >= 2 && ((bytes[0] == '\xFE' && bytes[1] == '\xFF') || (bytes[0] == '\xFF' && bytes[1] == '\xFE')))
        return true;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    const size_t first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && bytes[first] == '<';
}

bool IsPdf(std::string_view bytes)
{
    return !StartsLikeXml(bytes) && bytes.substr(0, kPdfHeaderWindow).find("%PDF-") != std::string_view::npos;
}

bool IsElement(const xmlNode* node, const char* ns, const char* local)
{
    return node->ns != nullptr && std::strcmp(reinterpret_cast<const char*>(node->ns->href), ns) == 0 &&
           std::strcmp(reinterpret_cast<const char*>(node->name), local) == 0;
}

ReceivedReadResult ReadXml(std::string_view bytes, const ReceivedLimits& limits)
{
    const SafeXmlDocument document(bytes, limits);
    const xmlNode* root = document.Root();
    if (root == nullptr) {
        // Bytes that are no XML at all (a text, an image) are simply not an e-invoice; a file
        // that starts as XML and breaks later is named with the parser's finding.
        return ReceivedReadResult::Failure(StartsLikeXml(bytes) ? document.Error() : std::u16string(kNotAnEInvoice));
    }
    ReceivedReadResult result;
    if (IsElement(root, cii::kRsm, "CrossIndustryInvoice")) {
        result = ReadCiiInvoice(root, limits);
        if (result.invoice)
            result.invoice->syntax = ReceivedInvoice::Syntax::Cii;
    } else if (IsElement(root, Ubl::kInvoice, "Invoice") || IsElement(root, Ubl::kCreditNote, "CreditNote")) {
        result = ReadUblInvoice(root, limits);
        if (result.invoice)
            result.invoice->syntax = ReceivedInvoice::Syntax::Ubl;
    } else {
        return ReceivedReadResult::Failure(std::u16string(kNotAnEInvoice));
    }
    if (!result.invoice && result.error.empty())
        result.error = kNotAnEInvoice;
    return result;
}

}  // namespace

ReceivedReadResult ReadReceivedInvoice(std::string_view bytes, const ReceivedLimits& limits)
{
    if (bytes.size() > limits.maxFileBytes)
        return ReceivedReadResult::Failure(TooLarge(bytes.size(), limits));
    try {
        if (!IsPdf(bytes))
            return ReadXml(bytes, limits);
        const HybridPdfXml embedded = ExtractHybridXml(bytes, limits);
        if (!embedded.error.empty())
            return ReceivedReadResult::Failure(embedded.error);
        ReceivedReadResult result = ReadXml(embedded.xml, limits);
        if (result.invoice)
            result.invoice->fromPdf = true;
        else
            result.error = u"In der eingebetteten Datei „" + embedded.fileName + u"“: " + result.error;
        return result;
    } catch (const std::bad_alloc&) {
        return ReceivedReadResult::Failure(u"Nicht genug Speicher, um die E-Rechnung zu lesen.");
    }
}

ReceivedReadResult ReadReceivedInvoiceFile(const std::string& path, const ReceivedLimits& limits)
{
    std::string bytes;
    try {
        FileByteSource source(path);
        // The size is known from opening: a file beyond the limit is refused unread.
        if (source.Size() > limits.maxFileBytes)
            return ReceivedReadResult::Failure(TooLarge(source.Size(), limits));
        bytes.resize(static_cast<size_t>(source.Size()));
        source.Read(bytes.data(), bytes.size());
    } catch (const IoError& error) {
        return ReceivedReadResult::Failure(u"Die Datei „" + Utf8ToUtf16(error.fileName()) +
                                           u"“ kann nicht gelesen werden: " + Utf8ToUtf16(error.systemText()) + u".");
    } catch (const std::bad_alloc&) {
        return ReceivedReadResult::Failure(u"Nicht genug Speicher, um die E-Rechnung zu lesen.");
    }
    return ReadReceivedInvoice(bytes, limits);
}
