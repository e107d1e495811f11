// One parsed DOM tree with its XML declaration, shared by the document and every node wrapper
// taken from it, so that a wrapper kept past a load still refers to valid memory.
#pragma once

#include "TXMLDocOptions.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <unordered_set>

struct _xmlDoc;
struct _xmlNode;
class TXMLDocument;

class TXMLTree
{
public:
    struct TDeclaration {
        QString Version;
        QString Encoding;
        QString StandAlone;
    };

    // An empty tree (no declaration, no nodes).
    TXMLTree();
    ~TXMLTree();
    TXMLTree(const TXMLTree &) = delete;
    TXMLTree &operator=(const TXMLTree &) = delete;

    // Parses bytes: encoding from byte-order mark or declaration, UTF-8 otherwise, Windows-1252
    // for undeclared bytes that are not UTF-8. A byte-order mark overrides the declaration, and
    // 8-bit bytes declaring a 16-bit encoding count as undeclared. Whitespace-only text beside
    // other nodes is dropped. Entity declarations are refused. Throws EXMLDocError with the parse
    // message.
    static std::shared_ptr<TXMLTree> ParseBytes(const QByteArray &bytes);
    // Parses characters; the declaration's encoding is recorded but not used for decoding.
    static std::shared_ptr<TXMLTree> ParseText(const QString &text);
    // The text load's preparation: removes a leading U+FEFF, and a declared encoding (found in
    // the first 50 characters) other than UTF-16, UCS-2 or UNICODE with the blank before it.
    static QString StripDeclaredEncoding(const QString &text);

    // Serialization (declaration when present, CR LF after each top-level node).
    QString Serialize() const;
    QByteArray SerializeUtf8(const QString *formatIndent = nullptr) const;
    // Serialization as an auto-indenting copy of the tree would give it (the copy of every
    // top-level node appended with the node layer's indentation, indentStr per level).
    QString SerializeFormatted(const QString &indentStr) const;
    static QString SerializeNode(const _xmlNode *node);
    // Serialization encoded as the declaration names (UTF-8 when none). Throws EXMLDocError when
    // the encoding is unknown or cannot hold a character of the document.
    QByteArray SerializeBytes() const;

    // Inserts node (unlinked, of this tree) into parent at index (-1 appends). With indent set
    // and a parent that is not the document, adds the indentation text nodes around an element.
    // notify(before) runs around each single insertion.
    static void InsertIndented(_xmlNode *parent, _xmlNode *node, int index,
                               const QString &indentStr, bool indent,
                               const std::function<void(bool)> &notify);
    // Unlinks a node and keeps it until the tree dies (wrappers may still point at it).
    void Orphan(_xmlNode *node);
    // Keeps a newly created, unlinked node until it is linked or the tree dies.
    void Track(_xmlNode *node);

    _xmlDoc *Doc() const { return FDoc; }
    std::optional<TDeclaration> Declaration;
    TXMLDocument *Owner = nullptr;  // null once the document let go of this tree
    TXMLDocOptions DetachedOptions; // options that apply once detached

private:
    _xmlDoc *FDoc;
    std::unordered_set<_xmlNode *> FOrphans;
};
