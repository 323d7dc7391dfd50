#include "received/SafeXmlDocument.h"

#include "foundation/Utf8.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <string>

namespace {

struct ParseState {
    bool doctype = false;
};

// Called when the parser meets <!DOCTYPE ...>, before any declaration inside it is read: an
// e-invoice never has one, and refusing it here keeps entity expansion out entirely.
void RefuseDoctype(void* context, const xmlChar*, const xmlChar*, const xmlChar*)
{
    auto* ctxt = static_cast<xmlParserCtxtPtr>(context);
    static_cast<ParseState*>(ctxt->_private)->doctype = true;
    xmlStopParser(ctxt);
}

// The parser's own messages are read from the context afterwards; none goes to stderr.
void Quiet(void*, xmlErrorPtr) {}
void QuietGeneric(void*, const char*, ...) {}

// Some of the parser's messages (a text that is not in its declared encoding) bypass the
// context's handlers and go to the generic handler, which writes to stderr; it is silenced
// for the parse and put back afterwards.
class GenericErrorsSilenced {
public:
    GenericErrorsSilenced() : handler_(xmlGenericError), context_(xmlGenericErrorContext)
    {
        xmlSetGenericErrorFunc(nullptr, QuietGeneric);
    }
    ~GenericErrorsSilenced() { xmlSetGenericErrorFunc(context_, handler_); }
    GenericErrorsSilenced(const GenericErrorsSilenced&) = delete;
    GenericErrorsSilenced& operator=(const GenericErrorsSilenced&) = delete;

private:
    xmlGenericErrorFunc handler_;
    void* context_;
};

int Depth(const xmlNode* node, int limit)
{
    // Iterative walk: a hostile nesting must not deepen our own stack.
    int depth = 0;
    int deepest = 0;
    const xmlNode* current = node;
    while (current != nullptr) {
        if (current->type == XML_ELEMENT_NODE && current->children != nullptr) {
            current = current->children;
            ++depth;
            if (depth > deepest)
                deepest = depth;
            if (deepest > limit)
                return deepest;
            continue;
        }
        while (current != nullptr && current->next == nullptr) {
            current = current->parent;
            --depth;
            if (current == node || depth < 0)
                return deepest;
        }
        if (current != nullptr)
            current = current->next;
    }
    return deepest;
}

}  // namespace

SafeXmlDocument::SafeXmlDocument(std::string_view bytes, const ReceivedLimits& limits)
{
    if (bytes.size() > limits.maxFileBytes) {
        error_ = u"Die Datei ist mit " + Utf8ToUtf16(std::to_string(bytes.size() >> 20)) +
                 u" MB zu groß für eine E-Rechnung (höchstens " +
                 Utf8ToUtf16(std::to_string(limits.maxFileBytes >> 20)) + u" MB).";
        return;
    }
    if (bytes.size() > static_cast<size_t>(INT32_MAX)) {
        error_ = u"Die Datei ist zu groß für eine E-Rechnung.";
        return;
    }
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (ctxt == nullptr) {
        error_ = u"Nicht genug Speicher, um die E-Rechnung zu lesen.";
        return;
    }
    ParseState state;
    ctxt->_private = &state;
    ctxt->sax->internalSubset = RefuseDoctype;
    ctxt->sax->externalSubset = nullptr;
    ctxt->sax->resolveEntity = nullptr;
    ctxt->sax->serror = Quiet;
    ctxt->sax->error = nullptr;
    ctxt->sax->warning = nullptr;
    ctxt->vctxt.error = nullptr;
    ctxt->vctxt.warning = nullptr;
    const int options = XML_PARSE_NONET | XML_PARSE_NOCDATA | XML_PARSE_NOWARNING | XML_PARSE_NOERROR;
    const GenericErrorsSilenced silenced;
    xmlDoc* doc =
        xmlCtxtReadMemory(ctxt, bytes.data(), static_cast<int>(bytes.size()), "einvoice.xml", nullptr, options);
    doc_.reset(doc);
    if (state.doctype) {
        error_ = u"Die Datei enthält eine Dokumenttypdefinition (<!DOCTYPE>). Eine E-Rechnung hat keine; "
                 u"sie wird aus Sicherheitsgründen nicht gelesen.";
        doc_.reset();
    } else if (doc == nullptr || !ctxt->wellFormed) {
        const xmlError* last = xmlCtxtGetLastError(ctxt);
        std::u16string detail;
        if (last != nullptr && last->message != nullptr) {
            std::string text = last->message;
            while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
                text.pop_back();
            detail = u" (Zeile " + Utf8ToUtf16(std::to_string(last->line)) + u": " + Utf8ToUtf16(text) + u")";
        }
        error_ = u"Die Datei ist kein wohlgeformtes XML" + detail + u".";
        doc_.reset();
    }
    xmlFreeParserCtxt(ctxt);
    if (!doc_)
        return;
    const xmlNode* root = xmlDocGetRootElement(doc_.get());
    if (root == nullptr) {
        error_ = u"Die Datei enthält kein XML-Element.";
        doc_.reset();
        return;
    }
    if (Depth(root, limits.maxDepth) > limits.maxDepth) {
        error_ = u"Die Elemente der Datei sind tiefer als " + Utf8ToUtf16(std::to_string(limits.maxDepth)) +
                 u" Ebenen verschachtelt; so ist keine E-Rechnung aufgebaut.";
        doc_.reset();
        return;
    }
    root_ = root;
}
