#include "FormatXMLData.h"

#include "TXMLTree.h"

#include <libxml/tree.h>

namespace
{

const QString indentUnit = QStringLiteral("  ");

// The namespace of prefix as seen from node, declared on node when it is not in scope.
xmlNsPtr namespaceFor(xmlNodePtr node, const xmlNs *source)
{
    if (!source)
        return nullptr;
    if (xmlNsPtr ns = xmlSearchNs(node->doc, node, source->prefix))
        return ns;
    return xmlNewNs(node, source->href, source->prefix);
}

void append(xmlNodePtr parent, xmlNodePtr node)
{
    TXMLTree::InsertIndented(parent, node, -1, indentUnit, true, {});
}

// Copies node below parent (shallow, then its children recursively) the way the node layer
// appends nodes with auto-indentation: elements get indentation text, text gets none.
void copyInto(xmlNodePtr parent, const xmlNode *node)
{
    xmlDocPtr doc = parent->doc;
    xmlNodePtr copy = nullptr;
    switch (node->type) {
    case XML_ELEMENT_NODE: {
        copy = xmlNewDocNode(doc, nullptr, node->name, nullptr);
        if (node->nsDef)
            copy->nsDef = xmlCopyNamespaceList(node->nsDef);
        append(parent, copy);
        xmlSetNs(copy, namespaceFor(copy, node->ns));
        for (const xmlAttr *a = node->properties; a; a = a->next) {
            xmlChar *value = xmlNodeGetContent(reinterpret_cast<const xmlNode *>(a));
            xmlNewNsProp(copy, namespaceFor(copy, a->ns), a->name, value ? value : BAD_CAST "");
            xmlFree(value);
        }
        for (const xmlNode *child = node->children; child; child = child->next)
            copyInto(copy, child);
        return;
    }
    case XML_TEXT_NODE:
        copy = xmlNewDocText(doc, node->content);
        break;
    case XML_CDATA_SECTION_NODE:
        copy = xmlNewCDataBlock(doc, node->content, node->content ? xmlStrlen(node->content) : 0);
        break;
    case XML_COMMENT_NODE:
        copy = xmlNewDocComment(doc, node->content);
        break;
    case XML_PI_NODE:
        copy = xmlNewDocPI(doc, node->name, node->content);
        break;
    case XML_ENTITY_REF_NODE:
        copy = xmlNewReference(doc, node->name);
        break;
    case XML_DTD_NODE: {
        xmlDtdPtr dtd = xmlCopyDtd(reinterpret_cast<xmlDtdPtr>(const_cast<xmlNode *>(node)));
        dtd->doc = doc;
        doc->intSubset = dtd;
        copy = reinterpret_cast<xmlNodePtr>(dtd);
        break;
    }
    default:
        return;
    }
    append(parent, copy);
}

} // namespace

QString FormatXMLData(const QString &xmlData)
{
    if (xmlData.isEmpty())
        return QString();
    const auto source = TXMLTree::ParseText(TXMLTree::StripDeclaredEncoding(xmlData));
    TXMLTree target;
    if (const auto &declaration = source->Declaration) {
        for (const QString *value :
             {&declaration->Version, &declaration->StandAlone, &declaration->Encoding}) {
            if (!value->isEmpty() && !target.Declaration)
                target.Declaration.emplace();
        }
        if (target.Declaration) {
            target.Declaration->Version = declaration->Version;
            target.Declaration->StandAlone = declaration->StandAlone;
            target.Declaration->Encoding = declaration->Encoding;
        }
    }
    xmlNodePtr targetDoc = reinterpret_cast<xmlNodePtr>(target.Doc());
    for (const xmlNode *node = source->Doc()->children; node; node = node->next)
        copyInto(targetDoc, node);
    return target.Serialize();
}
