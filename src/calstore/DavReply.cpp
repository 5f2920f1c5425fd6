#include "calstore/DavReply.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <memory>
#include <mutex>

namespace kal {

namespace {

constexpr char kDavNamespace[] = "DAV:";
constexpr char kCalDavNamespace[] = "urn:ietf:params:xml:ns:caldav";

struct DocumentFree {
    void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};
using Document = std::unique_ptr<xmlDoc, DocumentFree>;

struct ParserFree {
    void operator()(xmlParserCtxt* parser) const { xmlFreeParserCtxt(parser); }
};

// Called where a document type declaration starts, before any declaration inside it is read: the
// reading stops there, and the mark tells the stop from the end of a document.
void RefuseDocumentType(void* context, const xmlChar*, const xmlChar*, const xmlChar*)
{
    auto* parser = static_cast<xmlParserCtxt*>(context);
    parser->_private = parser;
    xmlStopParser(parser);
}

void IgnoreLibraryMessage(void*, const char*, ...) { }

bool Is(const xmlNode* node, const char* space, const char* name)
{
    return node->type == XML_ELEMENT_NODE && node->ns && node->ns->href
        && std::strcmp(reinterpret_cast<const char*>(node->ns->href), space) == 0
        && std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

// The reply as a tree whose root is a DAV: multistatus; nothing for anything else.
Document Read(std::string_view reply)
{
    if (reply.size() > kMaxServerReply)
        return nullptr;
    static std::once_flag initialised;
    std::call_once(initialised, xmlInitParser);
    // Some faults (a reply in an encoding it cannot convert) libxml2 prints on standard error whatever
    // the parser's options say; a failed reading is told by the caller, once. The handler belongs to
    // the thread, and replies are read on whichever thread runs the server's work.
    xmlSetGenericErrorFunc(nullptr, IgnoreLibraryMessage);
    const std::unique_ptr<xmlParserCtxt, ParserFree> parser(xmlNewParserCtxt());
    if (!parser)
        return nullptr;
    parser->sax->internalSubset = RefuseDocumentType;
    // Never with entity substitution or DTD loading; errors are told by the caller, not printed.
    constexpr int kOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    Document document(
        xmlCtxtReadMemory(parser.get(), reply.data(), static_cast<int>(reply.size()), nullptr, nullptr, kOptions));
    if (!document || parser->_private || !parser->wellFormed)
        return nullptr;
    const xmlNode* root = xmlDocGetRootElement(document.get());
    if (!root || !Is(root, kDavNamespace, "multistatus"))
        return nullptr;
    return document;
}

// Calls `visit` with every element from `root` on, in document order.
template <typename Visit> void ForEachElement(xmlNode* root, Visit visit)
{
    for (xmlNode* node = root; node;) {
        if (node->type == XML_ELEMENT_NODE) {
            visit(node);
            if (node->children) {
                node = node->children;
                continue;
            }
        }
        while (node != root && !node->next)
            node = node->parent;
        if (node == root)
            break;
        node = node->next;
    }
}

} // namespace

std::optional<std::vector<std::string>> CalendarDataOf(std::string_view multistatus)
{
    const Document document = Read(multistatus);
    if (!document)
        return std::nullopt;
    std::vector<std::string> texts;
    ForEachElement(xmlDocGetRootElement(document.get()), [&](xmlNode* node) {
        if (!Is(node, kCalDavNamespace, "calendar-data"))
            return;
        xmlChar* content = xmlNodeGetContent(node);
        if (content && *content)
            texts.emplace_back(reinterpret_cast<const char*>(content));
        xmlFree(content);
    });
    return texts;
}

std::optional<bool> IsCalendarCollection(std::string_view multistatus)
{
    const Document document = Read(multistatus);
    if (!document)
        return std::nullopt;
    bool calendar = false;
    ForEachElement(xmlDocGetRootElement(document.get()), [&](xmlNode* node) {
        if (!Is(node, kDavNamespace, "resourcetype"))
            return;
        for (const xmlNode* type = node->children; type; type = type->next)
            calendar = calendar || Is(type, kCalDavNamespace, "calendar");
    });
    return calendar;
}

} // namespace kal
