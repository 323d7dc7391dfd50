#pragma once

#include "received/ReceivedLimits.h"

#include <libxml/tree.h>

#include <memory>
#include <string>
#include <string_view>

// An XML document parsed from untrusted bytes: no network, no DTD (a document that declares
// one, internal or external, is refused before its declarations are read, which also shuts out
// entity expansion), no external entities, libxml2's own bounds on names and texts, and the
// limits' bounds on size and nesting.
class SafeXmlDocument {
public:
    // Parses the bytes. On failure Root() is null and Error() says why in German (with the line
    // where the parser stopped).
    SafeXmlDocument(std::string_view bytes, const ReceivedLimits& limits);

    const xmlNode* Root() const { return root_; }
    const std::u16string& Error() const { return error_; }

private:
    struct Free {
        void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
    };
    std::unique_ptr<xmlDoc, Free> doc_;
    const xmlNode* root_ = nullptr;
    std::u16string error_;
};
