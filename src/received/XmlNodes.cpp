#include "received/XmlNodes.h"

#include "foundation/Utf8.h"

#include <cstring>

namespace {

bool Matches(const xmlNode* node, const char* ns, const char* local)
{
    if (node->type != XML_ELEMENT_NODE || std::strcmp(reinterpret_cast<const char*>(node->name), local) != 0)
        return false;
    const char* href = node->ns != nullptr ? reinterpret_cast<const char*>(node->ns->href) : "";
    return std::strcmp(href, ns) == 0;
}

std::string Trimmed(std::string text)
{
    const char* space = " \t\r\n";
    const size_t first = text.find_first_not_of(space);
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(space);
    return text.substr(first, last - first + 1);
}

}  // namespace

const xmlNode* ChildElement(const xmlNode* node, const char* ns, const char* local)
{
    if (node == nullptr)
        return nullptr;
    for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (Matches(child, ns, local))
            return child;
    }
    return nullptr;
}

std::vector<const xmlNode*> ChildElements(const xmlNode* node, const char* ns, const char* local)
{
    std::vector<const xmlNode*> found;
    if (node == nullptr)
        return found;
    for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
        if (Matches(child, ns, local))
            found.push_back(child);
    }
    return found;
}

const xmlNode* PathElement(const xmlNode* node, const char* ns, std::initializer_list<const char*> path)
{
    for (const char* local : path)
        node = ChildElement(node, ns, local);
    return node;
}

std::string ElementTextUtf8(const xmlNode* node)
{
    if (node == nullptr)
        return {};
    std::string text;
    for (const xmlNode* child = node->children; child != nullptr; child = child->next) {
        if ((child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) && child->content != nullptr)
            text += reinterpret_cast<const char*>(child->content);
    }
    return Trimmed(std::move(text));
}

std::u16string ElementText(const xmlNode* node)
{
    return Utf8ToUtf16(ElementTextUtf8(node));
}

std::u16string AttributeText(const xmlNode* node, const char* name)
{
    if (node == nullptr)
        return {};
    for (const xmlAttr* attr = node->properties; attr != nullptr; attr = attr->next) {
        if (attr->ns == nullptr && std::strcmp(reinterpret_cast<const char*>(attr->name), name) == 0) {
            std::string value;
            for (const xmlNode* child = attr->children; child != nullptr; child = child->next) {
                if (child->content != nullptr)
                    value += reinterpret_cast<const char*>(child->content);
            }
            return Utf8ToUtf16(Trimmed(std::move(value)));
        }
    }
    return {};
}

std::u16string ElementName(const xmlNode* node)
{
    if (node == nullptr)
        return {};
    std::string name;
    if (node->ns != nullptr && node->ns->prefix != nullptr) {
        name = reinterpret_cast<const char*>(node->ns->prefix);
        name += ':';
    }
    name += reinterpret_cast<const char*>(node->name);
    return Utf8ToUtf16(name);
}
