// The child list or attribute list of one node.
#pragma once

#include "TXMLNode.h"

#include <QString>

// A view on its owner's children (or attributes), built lazily by the owner and reused until the
// owner drops it. Keeps the owner alive. Changes go to the DOM through the owner and notify.
class TXMLNodeList
{
public:
    // Lists are made by TXMLNode::ChildNodes / AttributeNodes.
    TXMLNodeList(IXMLNode owner, bool attributes);

    int Count() const;
    // The node at a 0-based position; throws "List index out of bounds (%d)" outside the list.
    IXMLNode Nodes(int index) const;
    // The first node matching the name (qualified or local, case counts) in the list's default
    // namespace; created at the end when missing and the document has doNodeAutoCreate, else
    // throws "Node \"%s\" not found".
    IXMLNode Nodes(const QString &name) const;
    IXMLNode operator[](int index) const { return Nodes(index); }
    IXMLNode operator[](const QString &name) const { return Nodes(name); }
    IXMLNode operator[](const char *name) const { return Nodes(QString::fromUtf8(name)); }
    // The first match, or null; never creates. An empty namespace matches every namespace.
    IXMLNode FindNode(const QString &name) const;
    IXMLNode FindNode(const QString &name, const QString &namespaceURI) const;
    // Position of the node (same DOM node) or of the first node of that name; -1 when absent.
    int IndexOf(const IXMLNode &node) const;
    int IndexOf(const QString &name) const;
    int IndexOf(const QString &name, const QString &namespaceURI) const;
    IXMLNode First() const; // null when empty
    IXMLNode Last() const;  // null when empty

    // Appends a node made by the document (TXMLDocument::CreateNode / CreateElement), indenting an
    // element as AddChild does; returns its position.
    int Add(const IXMLNode &node);
    // Inserts such a node at a position (-1 appends).
    void Insert(int index, const IXMLNode &node);
    // Removes the first node of that name (only the node; indentation text stays) and returns the
    // position it had, or -1 (nothing changes) when there is none.
    int Delete(const QString &name);
    // Removes the node at a position; throws "List index out of bounds (%d)" outside the list.
    int Delete(int index);
    // Removes every node of the list.
    void Clear();

    const IXMLNode &Owner() const { return FOwner; }
    // Owner's namespace URI for a child list, "" for an attribute list.
    QString DefaultNamespaceURI() const;

private:
    std::vector<IXMLNode> &Items() const;
    IXMLNode FOwner;
    bool FAttributes;
};
