#pragma once

#include <libxml/tree.h>

#include <initializer_list>
#include <string>
#include <vector>

// Reading a parsed XML tree by namespace URI and local name (prefixes are the writer's choice
// and mean nothing). A null node is allowed everywhere and gives nothing.

// The first child element with this namespace and local name.
const xmlNode* ChildElement(const xmlNode* node, const char* ns, const char* local);
// Every child element with this namespace and local name, in document order.
std::vector<const xmlNode*> ChildElements(const xmlNode* node, const char* ns, const char* local);
// Follows a path of child elements in one namespace, e.g. {"ExchangedDocument", "ID"}.
const xmlNode* PathElement(const xmlNode* node, const char* ns, std::initializer_list<const char*> path);

// The text of the element (its text and CDATA children, not those of child elements), with
// surrounding white space removed; empty for a null node.
std::u16string ElementText(const xmlNode* node);
// The same as UTF-8 bytes, for numbers, dates and codes.
std::string ElementTextUtf8(const xmlNode* node);
// The value of an attribute without namespace; empty when it is missing.
std::u16string AttributeText(const xmlNode* node, const char* name);

// The element's name as the file writes it ("ram:LineTotalAmount"), for messages.
std::u16string ElementName(const xmlNode* node);
