// The XML document object: loads one tree from bytes, a text or a file, notifies listeners of
// every change, keeps a text rendering (the text list) and writes itself back to its source file
// when it is closed modified (doAutoSave).
#pragma once

#include "TXMLDocOptions.h"
#include "TXMLNode.h"
#include "TXMLNodeList.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class TXMLDocument;
using IXMLDocument = std::shared_ptr<TXMLDocument>;

class TXMLDocument
{
public:
    // A document without settings: doNodeAutoCreate, doAttrNull, doAutoPrefix, doNamespaceDecl.
    TXMLDocument();
    explicit TXMLDocument(TXMLDocOptions options);
    // Deactivates (auto-save included). A failing auto-save cannot be thrown from here: it is
    // reported on stderr. Call SetActive(false) first to see such a failure as an exception.
    ~TXMLDocument();
    TXMLDocument(const TXMLDocument &) = delete;
    TXMLDocument &operator=(const TXMLDocument &) = delete;

    // Deactivates, then parses the bytes (encoding from byte-order mark or declaration, UTF-8
    // otherwise; undeclared bytes that are not UTF-8 are read as Windows-1252). FileName stays.
    // Throws EXMLDocError with the parse message; the document is then inactive.
    void LoadFromStream(const QByteArray &bytes,
                        TXMLEncodingType encodingType = TXMLEncodingType::xetUnknown);
    // Deactivates, then parses the text (a declared non-UTF-16 encoding and a leading U+FEFF are
    // removed first). Throws EXMLDocError on a parse error.
    void LoadFromXML(const QString &xml);
    // Deactivates, sets FileName (when not empty) and parses that file. Throws "FileName cannot be
    // blank", a read error or the parse message.
    void LoadFromFile(const QString &fileName = QString());
    // Writes the tree to fileName (FileName when empty) in the declared encoding (UTF-8 when none),
    // through a temporary file renamed over the target. Resets Modified. Throws "No active
    // document" or a write error; the existing file is then untouched.
    void SaveToFile(const QString &fileName = QString());
    // The tree's serialization. Throws "No active document".
    QString SaveToXML() const;
    // The serialization in the declared encoding, as SaveToFile writes it.
    QByteArray SaveToBytes() const;

    // The text list: the serialization split into lines, re-rendered when the tree changed since.
    // Empty while inactive unless a caller assigned lines.
    const QStringList &XML();
    // A caller's change of the text list: deactivates (auto-save included) and clears FileName;
    // the next activation loads the lines.
    void SetXML(const QStringList &lines);
    void ClearXML() { SetXML(QStringList()); }

    bool Active() const { return FTree != nullptr; }
    // true: loads the first source present (text list, pending text, pending bytes, FileName) or an
    // empty tree; throws on a parse error. false: deactivates (with auto-save).
    void SetActive(bool active);
    bool Modified() const { return FModified > 0; }
    QString FileName() const { return FFileName; }
    void SetFileName(const QString &fileName) { FFileName = fileName; }
    TXMLDocumentSource DocSource() const { return FDocSource; }
    TXMLDocOptions Options() const { return FOptions; }
    void SetOptions(TXMLDocOptions options) { FOptions = options; }
    TParseOptions ParseOptions() const { return FParseOptions; }
    void SetParseOptions(TParseOptions options) { FParseOptions = options; }
    QString NodeIndentStr() const { return FNodeIndentStr; }
    void SetNodeIndentStr(const QString &indent) { FNodeIndentStr = indent; }

    // The document node (wraps the DOM document). Throws "No active document".
    IXMLNode Node();
    // Top-level nodes. Throws "No active document".
    IXMLNodeList ChildNodes() { return Node()->ChildNodes(); }
    // The last top-level element, or null. Throws "No active document".
    IXMLNode DocumentElement();

    // Declaration attributes, "" when absent; setting one creates the declaration. Throw "No active
    // document" when inactive.
    QString Version() const;
    QString Encoding() const;
    QString StandAlone() const;
    void SetVersion(const QString &value);
    void SetEncoding(const QString &value);
    void SetStandAlone(const QString &value);

    // A new, unattached node for TXMLNodeList::Add / Insert. Throw "No active document".
    IXMLNode CreateElement(const QString &tagName, const QString &namespaceURI = QString());
    // type: ntElement, ntText, ntCData, ntComment or ntProcessingInstr (name is the target).
    IXMLNode CreateNode(const QString &nameOrData, TNodeType type = TNodeType::ntElement,
                        const QString &data = QString());

    // Root binding: registers T for root elements of that name, activates an inactive document,
    // adds the root element when the tree has none, and returns DocumentElement (wrapped as T
    // when its name matches, else as a plain node).
    template <class T>
    IXMLNode GetDocBinding(const QString &tagName, const QString &namespaceURI = QString())
    {
        return GetDocBindingClass(tagName, XMLNodeClassOf<T>(), namespaceURI);
    }
    template <class T>
    void RegisterDocBinding(const QString &tagName, const QString &namespaceURI = QString())
    {
        RegisterDocBindingClass(tagName, XMLNodeClassOf<T>(), namespaceURI);
    }
    IXMLNode GetDocBindingClass(const QString &tagName, const TXMLNodeClass &nodeClass,
                                const QString &namespaceURI);
    void RegisterDocBindingClass(const QString &tagName, const TXMLNodeClass &nodeClass,
                                 const QString &namespaceURI);

    // Notifications; each has at most one listener.
    std::function<void(TXMLDocument &)> BeforeOpen;
    std::function<void(TXMLDocument &)> AfterOpen;
    std::function<void(TXMLDocument &)> BeforeClose;
    std::function<void(TXMLDocument &)> AfterClose;
    std::function<void(const IXMLNode &, TNodeChange)> BeforeNodeChange;
    std::function<void(const IXMLNode &, TNodeChange)> AfterNodeChange;

private:
    friend class TXMLNode;

    struct TNodeClassInfo {
        QString NodeName;
        QString NamespaceURI;
        TXMLNodeClass NodeClass;
    };

    void Activate();
    void Deactivate();
    void LoadTree(std::shared_ptr<TXMLTree> tree, TXMLDocumentSource source);
    void CheckActive() const;
    void NodeChange(bool before, const IXMLNode &node, TNodeChange change);

    TXMLDocOptions FOptions;
    TParseOptions FParseOptions;
    QString FNodeIndentStr = QStringLiteral("  ");
    QString FFileName;
    QStringList FXML;
    std::optional<QString> FPendingText;
    std::optional<QByteArray> FPendingStream;
    TXMLDocumentSource FDocSource = TXMLDocumentSource::xdsNone;
    qint32 FModified = 0;
    qint32 FSnapshot = -1;
    std::vector<TNodeClassInfo> FDocBindings;
    std::shared_ptr<TXMLTree> FTree;
    IXMLNode FDocumentNode;
};
