#include "TXMLNode.h"

#include "EXMLDocError.h"
#include "TXMLDocument.h"
#include "TXMLNodeList.h"
#include "TXMLTree.h"
#include "XMLValueConversion.h"

#include <libxml/tree.h>

namespace
{

QString text(const xmlChar *value)
{
    return value ? QString::fromUtf8(reinterpret_cast<const char *>(value)) : QString();
}

// Value of a node with children (attribute, entity reference...); entities are expanded.
QString contentOf(const xmlNode *node)
{
    xmlChar *content = xmlNodeGetContent(node);
    const QString result = text(content);
    xmlFree(content);
    return result;
}

// Replaces an attribute's value with one literal text node.
void setAttrValue(xmlAttrPtr attr, const QByteArray &value)
{
    xmlNodePtr t = xmlNewDocText(attr->doc, BAD_CAST value.constData());
    xmlFreeNodeList(attr->children);
    t->parent = reinterpret_cast<xmlNodePtr>(attr);
    attr->children = attr->last = t;
}

bool sameName(const xmlNode *node, const QByteArray &qualified)
{
    const char *local = reinterpret_cast<const char *>(node->name);
    if (node->ns && node->ns->prefix) {
        const QByteArray prefix(reinterpret_cast<const char *>(node->ns->prefix));
        return qualified.size() == prefix.size() + 1 + int(qstrlen(local)) &&
               qualified.startsWith(prefix) && qualified.at(prefix.size()) == ':' &&
               qualified.endsWith(local);
    }
    return qualified == local;
}

[[noreturn]] void notFound(const QString &name)
{
    throw EXMLDocError(QStringLiteral("Node \"%1\" not found").arg(name));
}

} // namespace

TXMLNode::~TXMLNode()
{
    if (FDOMNode && FDOMNode->_private == this)
        FDOMNode->_private = nullptr;
}

IXMLNode TXMLNode::Wrap(_xmlNode *dom, const IXMLNode &parent,
                        const std::shared_ptr<TXMLTree> &tree, const TXMLNodeClass *nodeClass)
{
    if (auto *live = static_cast<TXMLNode *>(dom->_private)) {
        if (IXMLNode existing = live->weak_from_this().lock()) {
            if (!nodeClass || std::type_index(typeid(*existing)) == nodeClass->Type)
                return existing;
        }
    }
    IXMLNode node = nodeClass ? nodeClass->Create() : std::make_shared<TXMLNode>();
    node->FDOMNode = dom;
    node->FParent = parent;
    node->FTree = tree;
    dom->_private = node.get();
    node->AfterConstruction();
    return node;
}

bool TXMLNode::Matches(const _xmlNode *dom, const QByteArray &name, const QString &namespaceURI)
{
    if (dom->type != XML_ELEMENT_NODE && dom->type != XML_ATTRIBUTE_NODE)
        return false;
    if (!namespaceURI.isEmpty()) {
        const QString uri = dom->ns ? text(dom->ns->href) : QString();
        if (uri.compare(namespaceURI, Qt::CaseInsensitive) != 0)
            return false;
    }
    return name == reinterpret_cast<const char *>(dom->name) || sameName(dom, name);
}

const TXMLNodeClass *TXMLNode::ChildClassFor(const _xmlNode *dom) const
{
    if (dom->type != XML_ELEMENT_NODE)
        return nullptr;
    for (const TNodeClassInfo &info : FChildClasses)
        if (Matches(dom, info.NodeName.toUtf8(), info.NamespaceURI))
            return &info.NodeClass;
    return nullptr;
}

IXMLNode TXMLNode::WrapChild(_xmlNode *dom)
{
    return Wrap(dom, shared_from_this(), FTree, ChildClassFor(dom));
}

std::vector<IXMLNode> &TXMLNode::ChildItems()
{
    if (!FChildItems)
        SyncChildItems();
    return *FChildItems;
}

void TXMLNode::SyncChildItems()
{
    // Live wrappers are reused (WrapChild), so rebuilding keeps every wrapper a caller holds.
    std::vector<IXMLNode> items;
    if (FDOMNode->type != XML_ATTRIBUTE_NODE)
        for (xmlNodePtr child = FDOMNode->children; child; child = child->next)
            items.push_back(WrapChild(child));
    FChildItems = std::move(items);
}

std::vector<IXMLNode> &TXMLNode::AttributeItems()
{
    CheckElement();
    if (!FAttributeItems) {
        std::vector<IXMLNode> items;
        for (xmlAttrPtr a = FDOMNode->properties; a; a = a->next)
            items.push_back(Wrap(reinterpret_cast<xmlNodePtr>(a), nullptr, FTree, nullptr));
        FAttributeItems = std::move(items);
    }
    return *FAttributeItems;
}

IXMLNodeList TXMLNode::ChildNodes()
{
    return std::make_shared<TXMLNodeList>(shared_from_this(), false);
}

IXMLNodeList TXMLNode::AttributeNodes()
{
    CheckElement();
    return std::make_shared<TXMLNodeList>(shared_from_this(), true);
}

void TXMLNode::CheckElement() const
{
    if (FDOMNode->type != XML_ELEMENT_NODE)
        throw EXMLDocError(QStringLiteral("Attributes are not supported on this node type"));
}

bool TXMLNode::IsDocumentNode() const
{
    return FDOMNode->type == XML_DOCUMENT_NODE;
}

TXMLDocOptions TXMLNode::Options() const
{
    return FTree->Owner ? FTree->Owner->Options() : FTree->DetachedOptions;
}

QString TXMLNode::IndentStr() const
{
    return FTree->Owner ? FTree->Owner->NodeIndentStr() : QStringLiteral("  ");
}

void TXMLNode::Notify(bool before, TNodeChange change)
{
    if (TXMLDocument *document = FTree->Owner)
        document->NodeChange(before, shared_from_this(), change);
}

QString TXMLNode::NodeName() const
{
    switch (FDOMNode->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
        return Prefix().isEmpty() ? LocalName() : Prefix() + QLatin1Char(':') + LocalName();
    case XML_TEXT_NODE:
        return QStringLiteral("#text");
    case XML_CDATA_SECTION_NODE:
        return QStringLiteral("#cdata-section");
    case XML_COMMENT_NODE:
        return QStringLiteral("#comment");
    case XML_DOCUMENT_NODE:
        return QStringLiteral("#document");
    case XML_DOCUMENT_FRAG_NODE:
        return QStringLiteral("#document-fragment");
    default:
        return text(FDOMNode->name);
    }
}

QString TXMLNode::LocalName() const
{
    switch (FDOMNode->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
        return text(FDOMNode->name);
    default:
        return NodeName();
    }
}

QString TXMLNode::Prefix() const
{
    const bool named = FDOMNode->type == XML_ELEMENT_NODE || FDOMNode->type == XML_ATTRIBUTE_NODE;
    return named && FDOMNode->ns ? text(FDOMNode->ns->prefix) : QString();
}

QString TXMLNode::NamespaceURI() const
{
    const bool named = FDOMNode->type == XML_ELEMENT_NODE || FDOMNode->type == XML_ATTRIBUTE_NODE;
    return named && FDOMNode->ns ? text(FDOMNode->ns->href) : QString();
}

TNodeType TXMLNode::NodeType() const
{
    const int type = FDOMNode->type;
    if (type >= 1 && type <= 12)
        return TNodeType(type);
    if (type == XML_DTD_NODE)
        return TNodeType::ntDocType;
    if (type == XML_HTML_DOCUMENT_NODE)
        return TNodeType::ntDocument;
    return TNodeType::ntReserved;
}

IXMLNode TXMLNode::ParentNode() const
{
    if (FDOMNode->type == XML_ATTRIBUTE_NODE || !FDOMNode->parent)
        return nullptr;
    if (IXMLNode parent = FParent.lock())
        return parent;
    return Wrap(FDOMNode->parent, nullptr, FTree, nullptr);
}

bool TXMLNode::HasChildNodes() const
{
    return FDOMNode->type != XML_ATTRIBUTE_NODE && FDOMNode->children;
}

bool TXMLNode::IsTextElement() const
{
    const xmlNode *child = FDOMNode->children;
    return FDOMNode->type == XML_ELEMENT_NODE && child && !child->next &&
           (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE);
}

TXMLDocument *TXMLNode::OwnerDocument() const
{
    return FTree->Owner;
}

_xmlNode *TXMLNode::SingleTextChild(bool createWhenEmpty)
{
    xmlNodePtr child = FDOMNode->children;
    if (!child && createWhenEmpty) {
        // The empty text node is no change of the document: no notification.
        child = xmlNewDocText(FDOMNode->doc, BAD_CAST "");
        xmlAddChild(FDOMNode, child);
        FChildItems.reset();
        return child;
    }
    if (child && !child->next &&
        (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE))
        return child;
    throw EXMLDocError(
        QStringLiteral("Element \"%1\" does not contain a single text node").arg(NodeName()));
}

QString TXMLNode::Text()
{
    switch (FDOMNode->type) {
    case XML_ELEMENT_NODE:
        return text(SingleTextChild(true)->content);
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
        return text(FDOMNode->content);
    case XML_DOCUMENT_NODE:
        return QString();
    default:
        return contentOf(FDOMNode);
    }
}

void TXMLNode::SetText(const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    switch (FDOMNode->type) {
    case XML_ELEMENT_NODE: {
        xmlNodePtr child = SingleTextChild(true);
        Notify(true, TNodeChange::ncUpdateValue);
        xmlNodeSetContent(child, BAD_CAST utf8.constData());
        Notify(false, TNodeChange::ncUpdateValue);
        return;
    }
    case XML_ATTRIBUTE_NODE: {
        // The element owning the attribute is the node that changes.
        const IXMLNode element = Wrap(FDOMNode->parent, nullptr, FTree, nullptr);
        element->Notify(true, TNodeChange::ncAddAttribute);
        setAttrValue(reinterpret_cast<xmlAttrPtr>(FDOMNode), utf8);
        element->Notify(false, TNodeChange::ncAddAttribute);
        return;
    }
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE: {
        const IXMLNode parent = ParentNode();
        if (parent)
            parent->Notify(true, TNodeChange::ncUpdateValue);
        xmlNodeSetContent(FDOMNode, BAD_CAST utf8.constData());
        if (parent)
            parent->Notify(false, TNodeChange::ncUpdateValue);
        return;
    }
    default:
        throw EXMLDocError(QStringLiteral("Cannot set the text of node \"%1\"").arg(NodeName()));
    }
}

std::optional<QString> TXMLNode::NodeValue()
{
    QString value = Text();
    if (value.isEmpty())
        return std::nullopt;
    return value;
}

void TXMLNode::SetNodeValue(const TXMLValue &value)
{
    SetText(value.ToText());
}

IXMLNode TXMLNode::AddChild(const QString &tagName, int index)
{
    if (FDOMNode->type != XML_ELEMENT_NODE && !IsDocumentNode())
        throw EXMLDocError(QStringLiteral("Cannot add an element to node \"%1\"").arg(NodeName()));
    if (IsDocumentNode() && xmlDocGetRootElement(reinterpret_cast<xmlDocPtr>(FDOMNode)))
        throw EXMLDocError(
            QStringLiteral("Only one top level element is allowed in an XML document"));
    const QByteArray name = tagName.toUtf8();
    const int colon = name.indexOf(':');
    xmlNsPtr ns = IsDocumentNode() ? nullptr : FDOMNode->ns;
    QByteArray local = name;
    if (colon >= 0) {
        ns = IsDocumentNode()
                 ? nullptr
                 : xmlSearchNs(FDOMNode->doc, FDOMNode, BAD_CAST name.left(colon).constData());
        if (ns)
            local = name.mid(colon + 1);
    }
    xmlNodePtr element = xmlNewDocNode(FDOMNode->doc, ns, BAD_CAST local.constData(), nullptr);
    FTree->Track(element);
    return InsertNode(element, index);
}

IXMLNode TXMLNode::InsertNode(_xmlNode *node, int index)
{
    const int count = int(ChildItems().size());
    if (index < -1 || index > count)
        throw EXMLDocError(QStringLiteral("List index out of bounds (%1)").arg(index));
    const bool indent = Options().testFlag(TXMLDocOption::doNodeAutoIndent);
    TXMLTree::InsertIndented(FDOMNode, node, index, IndentStr(), indent, [this](bool before) {
        if (!before)
            SyncChildItems();
        Notify(before, TNodeChange::ncInsertChild);
    });
    return WrapChild(node);
}

int TXMLNode::RemoveChild(int index)
{
    std::vector<IXMLNode> &items = ChildItems();
    if (index < 0 || index >= int(items.size()))
        throw EXMLDocError(QStringLiteral("List index out of bounds (%1)").arg(index));
    const IXMLNode child = items[size_t(index)];
    Notify(true, TNodeChange::ncRemoveChild);
    FTree->Orphan(child->FDOMNode);
    SyncChildItems();
    Notify(false, TNodeChange::ncRemoveChild);
    return index;
}

IXMLNode TXMLNode::ChildElement(const QString &name)
{
    const QByteArray utf8 = name.toUtf8();
    const QString ns = NamespaceURI();
    for (const IXMLNode &child : ChildItems())
        if (Matches(child->FDOMNode, utf8, ns))
            return child;
    bool create = Options().testFlag(TXMLDocOption::doNodeAutoCreate);
    if (IsDocumentNode())
        create = create && !xmlDocGetRootElement(reinterpret_cast<xmlDocPtr>(FDOMNode));
    if (!create)
        notFound(name);
    return AddChild(name);
}

_xmlNode *TXMLNode::FindAttr(const QString &name) const
{
    CheckElement();
    const QByteArray utf8 = name.toUtf8();
    for (xmlAttrPtr a = FDOMNode->properties; a; a = a->next)
        if (sameName(reinterpret_cast<xmlNodePtr>(a), utf8))
            return reinterpret_cast<xmlNodePtr>(a);
    return nullptr;
}

IXMLNode TXMLNode::AttributeNode(const QString &name)
{
    const QByteArray utf8 = name.toUtf8();
    for (const IXMLNode &attr : AttributeItems())
        if (Matches(attr->FDOMNode, utf8, QString()))
            return attr;
    if (!Options().testFlag(TXMLDocOption::doNodeAutoCreate))
        notFound(name);
    Notify(true, TNodeChange::ncAddAttribute);
    xmlAttrPtr attr = xmlNewNsProp(FDOMNode, nullptr, BAD_CAST utf8.constData(), BAD_CAST "");
    FAttributeItems.reset();
    Notify(false, TNodeChange::ncAddAttribute);
    return Wrap(reinterpret_cast<xmlNodePtr>(attr), nullptr, FTree, nullptr);
}

bool TXMLNode::HasAttribute(const QString &name) const
{
    return FindAttr(name) != nullptr;
}

std::optional<QString> TXMLNode::GetAttribute(const QString &name) const
{
    if (const xmlNode *attr = FindAttr(name))
        return contentOf(attr);
    if (Options().testFlag(TXMLDocOption::doAttrNull))
        return std::nullopt;
    return QString();
}

void TXMLNode::SetAttribute(const QString &name, const TXMLValue &value)
{
    xmlNodePtr attr = FindAttr(name);
    const TNodeChange change =
        value.IsNull() ? TNodeChange::ncRemoveAttribute : TNodeChange::ncAddAttribute;
    Notify(true, change);
    if (value.IsNull()) {
        if (attr)
            FTree->Orphan(attr);
    } else if (attr) {
        setAttrValue(reinterpret_cast<xmlAttrPtr>(attr), value.ToText().toUtf8());
    } else {
        const QByteArray utf8 = name.toUtf8();
        const int colon = utf8.indexOf(':');
        xmlNsPtr ns =
            colon < 0 ? nullptr
                      : xmlSearchNs(FDOMNode->doc, FDOMNode, BAD_CAST utf8.left(colon).constData());
        const QByteArray local = ns ? utf8.mid(colon + 1) : utf8;
        xmlNewNsProp(FDOMNode, ns, BAD_CAST local.constData(),
                     BAD_CAST value.ToText().toUtf8().constData());
    }
    FAttributeItems.reset();
    Notify(false, change);
}

QString TXMLNode::XML() const
{
    if (IsDocumentNode())
        return FTree->Serialize();
    return TXMLTree::SerializeNode(FDOMNode);
}

QString TXMLNode::GetChildText(const QString &name)
{
    return ChildElement(name)->Text();
}

void TXMLNode::SetChildText(const QString &name, const QString &value)
{
    ChildElement(name)->SetNodeValue(value);
}

QString TXMLNode::GetAttrText(const QString &name)
{
    return AttributeNode(name)->Text();
}

void TXMLNode::SetAttrText(const QString &name, const QString &value)
{
    SetAttribute(name, value);
}

int TXMLNode::GetAttrInteger(const QString &name)
{
    return XMLTextToInteger(AttributeNode(name)->NodeValue());
}

qint64 TXMLNode::GetAttrInt64(const QString &name)
{
    return XMLTextToInt64(AttributeNode(name)->NodeValue());
}

bool TXMLNode::GetAttrBoolean(const QString &name)
{
    return XMLTextToBoolean(AttributeNode(name)->NodeValue());
}

float TXMLNode::GetAttrSingle(const QString &name)
{
    return XMLTextToSingle(AttributeNode(name)->NodeValue());
}

void TXMLNode::SetAttrInteger(const QString &name, int value)
{
    SetAttribute(name, value);
}

void TXMLNode::SetAttrInt64(const QString &name, qint64 value)
{
    SetAttribute(name, value);
}

void TXMLNode::SetAttrBoolean(const QString &name, bool value)
{
    SetAttribute(name, value);
}

void TXMLNode::SetAttrSingle(const QString &name, float value)
{
    SetAttribute(name, value);
}

void TXMLNode::RegisterChildClass(const QString &tagName, const QString &ns,
                                  TXMLNodeClass nodeClass)
{
    const QString uri = ns.isEmpty() ? NamespaceURI() : ns;
    FChildItems.reset();
    for (TNodeClassInfo &info : FChildClasses) {
        if (info.NodeName == tagName && info.NamespaceURI == uri) {
            info.NodeClass = std::move(nodeClass);
            return;
        }
    }
    FChildClasses.push_back({tagName, uri, std::move(nodeClass)});
}
