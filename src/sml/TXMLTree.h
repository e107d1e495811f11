// One parsed DOM tree with its XML declaration, shared by the document and every node wrapper
// taken from it, so that a wrapper kept past a load still refers to valid memory.
#pragma once

#include "TXMLDocOptions.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

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
    // for undeclared bytes that are not UTF-8. Throws EXMLDocError with the parse message.
    static std::shared_ptr<TXMLTree> ParseBytes(const QByteArray &bytes);
    // Parses characters; the declaration's encoding is recorded but not used for decoding.
    static std::shared_ptr<TXMLTree> ParseText(const QString &text);

    // Serialization as text (declaration when present, CR LF between top-level nodes).
    QString Serialize() const;
    static QString SerializeNode(const _xmlNode *node);
    // Serialization encoded as the declaration names (UTF-8 when none). Throws EXMLDocError when
    // the encoding is unknown.
    QByteArray SerializeBytes() const;

    // Inserts element (already unlinked, same document) into parent at index (-1 appends) with
    // the indentation text nodes of the node layer when indent is set and parent is not the
    // document. Returns the number of indentation nodes added.
    static int InsertIndented(_xmlNode *parent, _xmlNode *node, int index, const QString &indentStr,
                              bool indent);
    // Unlinks a node and keeps it until the tree dies (wrappers may still point at it).
    void Orphan(_xmlNode *node);

    _xmlDoc *Doc() const { return FDoc; }
    std::optional<TDeclaration> Declaration;
    TXMLDocument *Owner = nullptr;  // null once the document let go of this tree
    TXMLDocOptions DetachedOptions; // options that apply once detached

private:
    _xmlDoc *FDoc;
    std::vector<_xmlNode *> FOrphans;
};
