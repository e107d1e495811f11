// Node layer of the XML document: one wrapper per DOM node, with lookups that create missing
// children and attributes, indentation of added elements and change notifications.
//
// Typed nodes derive from TXMLNode; their accessors are one-liners over the protected helpers,
// and AfterConstruction registers the classes of their child elements:
//
//   class TXMLStation_Mount : public TXMLNode {
//   public:
//       IXMLStation_Mount_AzEl Get_AzEl() { return GetChildAs<TXMLStation_Mount_AzEl>("AzEl"); }
//       float Get_Azimuth() { return GetAttrSingle("Azimuth"); }
//       void Set_Azimuth(float v) { SetAttrSingle("Azimuth", v); }
//   protected:
//       void AfterConstruction() override
//       {
//           RegisterChildNode<TXMLStation_Mount_AzEl>("AzEl");
//           TXMLNode::AfterConstruction();
//       }
//   };
//   using IXMLStation_Mount = std::shared_ptr<TXMLStation_Mount>;
//
// Every I... interface is a std::shared_ptr alias of its T... class; converting a node to an
// interface is XMLNodeAs<T>(node), which throws EIntfCastError ("Interface not supported").
#pragma once

#include "EIntfCastError.h"
#include "TXMLDocOptions.h"
#include "TXMLNodeType.h"
#include "TXMLValue.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <typeindex>
#include <vector>

struct _xmlNode;
class TXMLDocument;
class TXMLNode;
class TXMLNodeList;
class TXMLTree;

using IXMLNode = std::shared_ptr<TXMLNode>;
using IXMLNodeList = std::shared_ptr<TXMLNodeList>;

// One node class: its type (to reuse a live wrapper of that class) and how to create an empty
// wrapper, which the layer then attaches to its DOM node.
struct TXMLNodeClass {
    std::type_index Type;
    std::function<IXMLNode()> Create;
};

template <class T> TXMLNodeClass XMLNodeClassOf()
{
    return {std::type_index(typeid(T)), [] { return std::make_shared<T>(); }};
}

// The node as interface T; throws EIntfCastError when it is not of that class (or is null).
template <class T> std::shared_ptr<T> XMLNodeAs(const IXMLNode &node)
{
    auto typed = std::dynamic_pointer_cast<T>(node);
    if (!typed)
        throw EIntfCastError();
    return typed;
}

class TXMLNode : public std::enable_shared_from_this<TXMLNode>
{
public:
    TXMLNode() = default;
    virtual ~TXMLNode();
    TXMLNode(const TXMLNode &) = delete;
    TXMLNode &operator=(const TXMLNode &) = delete;

    // Every child (elements, text, comments...) in document order; built once, reused. A DOM
    // node has one wrapper while anything holds it, so the same child gives the same wrapper.
    IXMLNodeList ChildNodes();
    // The attributes of an element; throws "Attributes are not supported on this node type" for
    // other nodes.
    IXMLNodeList AttributeNodes();

    QString NodeName() const;     // qualified name; "#text", "#comment", "#document"... otherwise
    QString LocalName() const;    // name without prefix
    QString Prefix() const;       // "" when none
    QString NamespaceURI() const; // "" when none
    TNodeType NodeType() const;
    IXMLNode ParentNode() const; // null for the document node and attributes
    bool HasChildNodes() const;
    bool IsTextElement() const; // element whose only child is one text or CDATA node
    // The document whose current tree holds this node; null once that tree was replaced.
    TXMLDocument *OwnerDocument() const;

    // Element: the single text child (created empty, without notification, when there are no
    // children); throws "Element \"%s\" does not contain a single text node" for other content.
    // Attribute, text, comment...: the node's value.
    QString Text();
    void SetText(const QString &text);
    // Text, or nullopt when it is empty.
    std::optional<QString> NodeValue();
    // Sets Text to the value's text; null gives "".
    void SetNodeValue(const TXMLValue &value);

    // Always adds a new element (no prefix: the parent's prefix and namespace); index -1 appends.
    // Indents with text nodes when the document has doNodeAutoIndent (never at document level).
    // Throws on nodes other than elements and the document, for a second document element, and
    // "List index out of bounds (%d)" for a position outside 0..Count.
    IXMLNode AddChild(const QString &tagName, int index = -1);

    // Asks the DOM; never creates. Throws "Attributes are not supported..." on non-elements.
    bool HasAttribute(const QString &name) const;
    // Text of the attribute ("" when empty); nullopt when absent (or "" without doAttrNull).
    std::optional<QString> GetAttribute(const QString &name) const;
    // Null removes the attribute; other values replace its text in place or append it last.
    void SetAttribute(const QString &name, const TXMLValue &value);

    // Serialization of this node and its subtree.
    QString XML() const;
    // The wrapped libxml2 node (the xmlDoc itself for the document node).
    _xmlNode *DOMNode() const { return FDOMNode; }

protected:
    // Child element `name` (created at the end when missing) as T; EIntfCastError otherwise.
    template <class T> std::shared_ptr<T> GetChildAs(const QString &name)
    {
        return XMLNodeAs<T>(ChildElement(name));
    }
    // Text of a text-only child element (created when missing).
    QString GetChildText(const QString &name);
    void SetChildText(const QString &name, const QString &value);
    // Attribute text; a missing attribute is added empty (modifies the document) and reads "".
    QString GetAttrText(const QString &name);
    void SetAttrText(const QString &name, const QString &value);
    // Typed attribute reads (missing attribute added empty first); throw EVariantError.
    int GetAttrInteger(const QString &name);
    qint64 GetAttrInt64(const QString &name);
    bool GetAttrBoolean(const QString &name);
    float GetAttrSingle(const QString &name);
    void SetAttrInteger(const QString &name, int value);
    void SetAttrInt64(const QString &name, qint64 value);
    void SetAttrBoolean(const QString &name, bool value);
    void SetAttrSingle(const QString &name, float value);

    // Wraps child elements named tagName with class T (first registration wins when matching;
    // registering a name again replaces its class). Empty namespace: this node's namespace.
    template <class T> void RegisterChildNode(const QString &tagName, const QString &ns = {})
    {
        RegisterChildClass(tagName, ns, XMLNodeClassOf<T>());
    }
    void RegisterChildClass(const QString &tagName, const QString &ns, TXMLNodeClass nodeClass);
    // Called once when the wrapper is attached to its DOM node; typed classes register their
    // child classes here and then call the base.
    virtual void AfterConstruction() {}

private:
    friend class TXMLNodeList;
    friend class TXMLDocument;

    struct TNodeClassInfo {
        QString NodeName;
        QString NamespaceURI;
        TXMLNodeClass NodeClass;
    };

    // The live wrapper of dom when it is of nodeClass (any class when null), else a new one.
    static IXMLNode Wrap(_xmlNode *dom, const IXMLNode &parent,
                         const std::shared_ptr<TXMLTree> &tree, const TXMLNodeClass *nodeClass);
    static bool Matches(const _xmlNode *dom, const QByteArray &name, const QString &namespaceURI);
    const TXMLNodeClass *ChildClassFor(const _xmlNode *dom) const;
    IXMLNode WrapChild(_xmlNode *dom);
    IXMLNode ChildElement(const QString &name);
    IXMLNode AttributeNode(const QString &name);
    IXMLNode InsertNode(_xmlNode *node, int index);
    int RemoveChild(int index);
    std::vector<IXMLNode> &ChildItems();
    std::vector<IXMLNode> &AttributeItems();
    void SyncChildItems();
    void CheckElement() const;
    bool IsDocumentNode() const;
    TXMLDocOptions Options() const;
    QString IndentStr() const;
    void Notify(bool before, TNodeChange change);
    _xmlNode *SingleTextChild(bool createWhenEmpty);
    _xmlNode *FindAttr(const QString &name) const;

    _xmlNode *FDOMNode = nullptr;
    std::weak_ptr<TXMLNode> FParent;
    std::shared_ptr<TXMLTree> FTree;
    std::vector<TNodeClassInfo> FChildClasses;
    std::optional<std::vector<IXMLNode>> FChildItems;
    std::optional<std::vector<IXMLNode>> FAttributeItems;
};
