#include "TXMLNodeList.h"

#include "EXMLDocError.h"
#include "TXMLTree.h"

#include <libxml/tree.h>

namespace
{

[[noreturn]] void outOfBounds(int index)
{
    throw EXMLDocError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

} // namespace

TXMLNodeList::TXMLNodeList(IXMLNode owner, bool attributes)
    : FOwner(std::move(owner)), FAttributes(attributes)
{
}

std::vector<IXMLNode> &TXMLNodeList::Items() const
{
    return FAttributes ? FOwner->AttributeItems() : FOwner->ChildItems();
}

int TXMLNodeList::Count() const
{
    return int(Items().size());
}

IXMLNode TXMLNodeList::Nodes(int index) const
{
    const std::vector<IXMLNode> &items = Items();
    if (index < 0 || index >= int(items.size()))
        outOfBounds(index);
    return items[size_t(index)];
}

IXMLNode TXMLNodeList::Nodes(const QString &name) const
{
    return FAttributes ? FOwner->AttributeNode(name) : FOwner->ChildElement(name);
}

QString TXMLNodeList::DefaultNamespaceURI() const
{
    return FAttributes ? QString() : FOwner->NamespaceURI();
}

IXMLNode TXMLNodeList::FindNode(const QString &name) const
{
    return FindNode(name, DefaultNamespaceURI());
}

IXMLNode TXMLNodeList::FindNode(const QString &name, const QString &namespaceURI) const
{
    const int index = IndexOf(name, namespaceURI);
    return index < 0 ? nullptr : Items()[size_t(index)];
}

int TXMLNodeList::IndexOf(const IXMLNode &node) const
{
    const std::vector<IXMLNode> &items = Items();
    for (size_t i = 0; i < items.size(); ++i)
        if (node && items[i]->DOMNode() == node->DOMNode())
            return int(i);
    return -1;
}

int TXMLNodeList::IndexOf(const QString &name) const
{
    return IndexOf(name, DefaultNamespaceURI());
}

int TXMLNodeList::IndexOf(const QString &name, const QString &namespaceURI) const
{
    const QByteArray utf8 = name.toUtf8();
    const std::vector<IXMLNode> &items = Items();
    for (size_t i = 0; i < items.size(); ++i)
        if (TXMLNode::Matches(items[i]->DOMNode(), utf8, namespaceURI))
            return int(i);
    return -1;
}

IXMLNode TXMLNodeList::First() const
{
    const std::vector<IXMLNode> &items = Items();
    return items.empty() ? nullptr : items.front();
}

IXMLNode TXMLNodeList::Last() const
{
    const std::vector<IXMLNode> &items = Items();
    return items.empty() ? nullptr : items.back();
}

int TXMLNodeList::Add(const IXMLNode &node)
{
    Insert(-1, node);
    return IndexOf(node);
}

void TXMLNodeList::Insert(int index, const IXMLNode &node)
{
    if (FAttributes)
        throw EXMLDocError(QStringLiteral("Attributes are added with SetAttribute"));
    if (!node || node->FTree != FOwner->FTree || node->DOMNode()->parent ||
        node->DOMNode()->type == XML_ATTRIBUTE_NODE || node->DOMNode()->type == XML_DOCUMENT_NODE)
        throw EXMLDocError(
            QStringLiteral("Only a new node of the same document can be added to a node list"));
    if (FOwner->DOMNode()->type != XML_ELEMENT_NODE && FOwner->DOMNode()->type != XML_DOCUMENT_NODE)
        throw EXMLDocError(
            QStringLiteral("Cannot add a node to node \"%1\"").arg(FOwner->NodeName()));
    FOwner->InsertNode(node->DOMNode(), index);
}

int TXMLNodeList::Delete(const QString &name)
{
    const int index = IndexOf(name);
    if (index < 0)
        return -1;
    return Delete(index);
}

int TXMLNodeList::Delete(int index)
{
    if (!FAttributes)
        return FOwner->RemoveChild(index);
    const IXMLNode attr = Nodes(index);
    FOwner->SetAttribute(attr->NodeName(), TXMLValue::Null());
    return index;
}

void TXMLNodeList::Clear()
{
    for (int i = Count() - 1; i >= 0; --i)
        Delete(i);
}
