#include "received/HybridPdfAttachment.h"

#include "foundation/Utf8.h"

// qpdf without its old smart pointer (no warning about the transition).
#define POINTERHOLDER_TRANSITION 4

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>
#include <qpdf/QPDFObjectHandle.hh>

#include <algorithm>
#include <array>
#include <cctype>
#include <exception>
#include <memory>
#include <string>

namespace {

// The names under which ZUGFeRD, Factur-X and XRechnung put their XML into the PDF.
constexpr std::array<const char*, 4> kInvoiceNames = {"factur-x.xml", "zugferd-invoice.xml", "xrechnung.xml",
                                                      "zugferd_invoice.xml"};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool EndsWith(const std::string& text, const char* end)
{
    const size_t length = std::char_traits<char>::length(end);
    return text.size() >= length && text.compare(text.size() - length, length, end) == 0;
}

std::u16string Megabytes(size_t bytes)
{
    return Utf8ToUtf16(std::to_string(bytes >> 20));
}

// Collects a decoded stream and stops the decoding as soon as it grows beyond the limit, so that
// a small compressed stream cannot unfold into gigabytes.
class BoundedPipeline : public Pipeline {
public:
    struct TooLarge : std::exception {};

    BoundedPipeline(std::string& out, size_t limit) : Pipeline("bounded", nullptr), out_(out), limit_(limit) {}

    void write(unsigned char const* data, size_t length) override
    {
        if (length > limit_ - out_.size()) {
            exceeded_ = true;  // qpdf may catch the exception and report a failed decoding only
            throw TooLarge();
        }
        out_.append(reinterpret_cast<const char*>(data), length);
    }
    void finish() override {}
    bool Exceeded() const { return exceeded_; }

private:
    bool exceeded_ = false;
    std::string& out_;
    size_t limit_;
};

bool IsXmlSubtype(QPDFObjectHandle stream)
{
    QPDFObjectHandle subtype = stream.getDict().getKey("/Subtype");
    if (!subtype.isName())
        return false;
    // A name spells "/" as #2F; qpdf gives it back decoded: "/text/xml", "/application/xml".
    const std::string name = Lower(subtype.getName());
    return EndsWith(name, "/xml") || EndsWith(name, "+xml");
}

bool IsXmlName(const std::string& fileName)
{
    return EndsWith(Lower(fileName), ".xml");
}

// The embedded file that a Filespec dictionary names, or a null object.
QPDFObjectHandle FileStream(QPDFObjectHandle fileSpec)
{
    if (!fileSpec.isDictionary())
        return QPDFObjectHandle::newNull();
    QPDFObjectHandle stream = QPDFFileSpecObjectHelper(fileSpec).getEmbeddedFileStream();
    return stream.isStream() ? stream : QPDFObjectHandle::newNull();
}

struct Found {
    QPDFObjectHandle stream;
    std::string name;
};

// The invoice among the embedded files: first by its well-known name, then the XML that the
// catalog's /AF array marks as the alternative form, the data or the source of the document.
Found FindInvoiceFile(QPDF& pdf)
{
    QPDFEmbeddedFileDocumentHelper embedded(pdf);
    if (embedded.hasEmbeddedFiles()) {
        for (const auto& [key, fileSpec] : embedded.getEmbeddedFiles()) {
            const std::string fileName = fileSpec->getFilename();
            for (const char* wanted : kInvoiceNames) {
                if (Lower(key) == wanted || Lower(fileName) == wanted) {
                    QPDFObjectHandle stream = FileStream(fileSpec->getObjectHandle());
                    if (stream.isStream())
                        return {stream, fileName.empty() ? key : fileName};
                }
            }
        }
    }
    QPDFObjectHandle associated = pdf.getRoot().getKey("/AF");
    if (!associated.isArray())
        return {};
    for (QPDFObjectHandle fileSpec : associated.aitems()) {
        if (!fileSpec.isDictionary())
            continue;
        QPDFObjectHandle relationship = fileSpec.getKey("/AFRelationship");
        if (!relationship.isNameAndEquals("/Alternative") && !relationship.isNameAndEquals("/Data") &&
            !relationship.isNameAndEquals("/Source"))
            continue;
        QPDFObjectHandle stream = FileStream(fileSpec);
        const std::string fileName = QPDFFileSpecObjectHelper(fileSpec).getFilename();
        if (stream.isStream() && (IsXmlSubtype(stream) || IsXmlName(fileName)))
            return {stream, fileName};
    }
    return {};
}

HybridPdfXml Failure(std::u16string message)
{
    HybridPdfXml result;
    result.error = std::move(message);
    return result;
}

}  // namespace

HybridPdfXml ExtractHybridXml(std::string_view pdfBytes, const ReceivedLimits& limits)
{
    if (pdfBytes.size() > limits.maxFileBytes) {
        return Failure(u"Die PDF-Datei ist mit " + Megabytes(pdfBytes.size()) +
                       u" MB zu groß für eine E-Rechnung (höchstens " + Megabytes(limits.maxFileBytes) + u" MB).");
    }
    HybridPdfXml result;
    try {
        QPDF pdf;
        pdf.setSuppressWarnings(true);
        // qpdf reads the caller's buffer, which outlives `pdf`, without copying it.
        pdf.processMemoryFile("received.pdf", pdfBytes.data(), pdfBytes.size());
        Found found = FindInvoiceFile(pdf);
        if (!found.stream.isStream())
            return Failure(u"Die PDF-Datei enthält keine E-Rechnung (kein eingebettetes XML).");
        result.fileName = Utf8ToUtf16(found.name);
        BoundedPipeline sink(result.xml, limits.maxFileBytes);
        bool filtered = false;
        bool complete = false;
        try {
            complete = found.stream.pipeStreamData(&sink, &filtered, 0, qpdf_dl_all, true, false) && filtered;
        } catch (const BoundedPipeline::TooLarge&) {
        }
        if (sink.Exceeded()) {
            return Failure(u"Die eingebettete E-Rechnung „" + result.fileName + u"“ ist größer als " +
                           Megabytes(limits.maxFileBytes) + u" MB und wird nicht gelesen.");
        }
        if (!complete) {
            return Failure(u"Die eingebettete E-Rechnung „" + result.fileName +
                           u"“ ist beschädigt und kann nicht entpackt werden.");
        }
    } catch (const QPDFExc& e) {
        if (e.getErrorCode() == qpdf_e_password)
            return Failure(
                u"Die PDF-Datei ist mit einem Kennwort geschützt; ihre E-Rechnung kann nicht gelesen werden.");
        return Failure(u"Die PDF-Datei ist beschädigt und kann nicht gelesen werden.");
    } catch (const std::exception&) {
        return Failure(u"Die PDF-Datei ist beschädigt und kann nicht gelesen werden.");
    }
    return result;
}
