#include "TXMLDocument.h"

#include "EXMLDocError.h"
#include "TXMLTree.h"

#include <QFile>
#include <QSaveFile>

#include <libxml/tree.h>

#include <cstdio>

namespace
{

const TXMLDocOptions defaultOptions = TXMLDocOption::doNodeAutoCreate | TXMLDocOption::doAttrNull |
                                      TXMLDocOption::doAutoPrefix | TXMLDocOption::doNamespaceDecl;

QByteArray readWholeFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EXMLDocError(
            QStringLiteral("Cannot open file \"%1\": %2").arg(fileName, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EXMLDocError(
            QStringLiteral("Cannot read file \"%1\": %2").arg(fileName, file.errorString()));
    return bytes;
}

// The text split into lines at LF, CR LF or CR; a final line break ends the last line.
QStringList splitLines(const QString &text)
{
    QStringList lines;
    int start = 0;
    const int size = int(text.size());
    for (int i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

} // namespace

TXMLDocument::TXMLDocument() : FOptions(defaultOptions) {}

TXMLDocument::TXMLDocument(TXMLDocOptions options) : FOptions(options) {}

TXMLDocument::~TXMLDocument()
{
    try {
        Deactivate();
    } catch (const std::exception &error) {
        // Destructors must not throw: report the lost auto-save where it can be seen.
        std::fprintf(stderr, "XML document: auto-save on close failed: %s\n", error.what());
        if (FTree)
            FTree->Owner = nullptr;
    }
}

void TXMLDocument::CheckActive() const
{
    if (!FTree)
        throw EXMLDocError(QStringLiteral("No active document"));
}

void TXMLDocument::SetActive(bool active)
{
    if (active == Active())
        return;
    if (active)
        Activate();
    else
        Deactivate();
}

void TXMLDocument::Activate()
{
    if (BeforeOpen)
        BeforeOpen(*this);
    std::shared_ptr<TXMLTree> tree;
    TXMLDocumentSource source = TXMLDocumentSource::xdsNone;
    if (!FXML.isEmpty()) {
        source = TXMLDocumentSource::xdsXMLProperty;
        tree = TXMLTree::ParseText(FXML.join(QStringLiteral("\r\n")));
    } else if (FPendingText) {
        const QString text = TXMLTree::StripDeclaredEncoding(*FPendingText);
        FPendingText.reset();
        source = TXMLDocumentSource::xdsXMLData;
        tree = text.isEmpty() ? std::make_shared<TXMLTree>() : TXMLTree::ParseText(text);
    } else if (FPendingStream) {
        const QByteArray bytes = *FPendingStream;
        FPendingStream.reset();
        source = TXMLDocumentSource::xdsStream;
        tree = bytes.isEmpty() ? std::make_shared<TXMLTree>() : TXMLTree::ParseBytes(bytes);
    } else if (!FFileName.isEmpty()) {
        source = TXMLDocumentSource::xdsFile;
        tree = TXMLTree::ParseBytes(readWholeFile(FFileName));
    } else {
        tree = std::make_shared<TXMLTree>();
    }
    tree->Owner = this;
    FTree = std::move(tree);
    FDocSource = source;
    FModified = 0;
    FSnapshot = -1;
    if (AfterOpen)
        AfterOpen(*this);
}

void TXMLDocument::Deactivate()
{
    if (!FTree)
        return;
    if (BeforeClose)
        BeforeClose(*this);
    if (FOptions.testFlag(TXMLDocOption::doAutoSave) && Modified()) {
        if (FDocSource == TXMLDocumentSource::xdsFile)
            SaveToFile(FFileName);
        else if (FDocSource == TXMLDocumentSource::xdsXMLProperty)
            XML();
    }
    FTree->Owner = nullptr;
    FTree->DetachedOptions = FOptions;
    FTree.reset();
    FDocumentNode.reset();
    FModified = 0;
    if (FDocSource == TXMLDocumentSource::xdsXMLData || FDocSource == TXMLDocumentSource::xdsFile ||
        FDocSource == TXMLDocumentSource::xdsStream)
        FXML.clear();
    if (AfterClose)
        AfterClose(*this);
}

void TXMLDocument::LoadFromStream(const QByteArray &bytes, TXMLEncodingType)
{
    Deactivate();
    FXML.clear();
    FPendingText.reset();
    FPendingStream = bytes;
    Activate();
}

void TXMLDocument::LoadFromXML(const QString &xml)
{
    Deactivate();
    FXML.clear();
    FPendingStream.reset();
    FPendingText = xml;
    Activate();
}

void TXMLDocument::LoadFromFile(const QString &fileName)
{
    Deactivate();
    if (!fileName.isEmpty())
        FFileName = fileName;
    if (FFileName.isEmpty())
        throw EXMLDocError(QStringLiteral("FileName cannot be blank"));
    FPendingText.reset();
    FPendingStream.reset();
    FXML.clear();
    Activate();
}

void TXMLDocument::SaveToFile(const QString &fileName)
{
    CheckActive();
    const QString target = fileName.isEmpty() ? FFileName : fileName;
    if (target.isEmpty())
        throw EXMLDocError(QStringLiteral("FileName cannot be blank"));
    const QByteArray bytes = FTree->SerializeBytes();
    // Written beside the target and renamed over it only when complete.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EXMLDocError(
            QStringLiteral("Cannot write file \"%1\": %2").arg(target, file.errorString()));
    FModified = 0;
    FSnapshot = -1;
}

QString TXMLDocument::SaveToXML() const
{
    CheckActive();
    return FTree->Serialize();
}

QByteArray TXMLDocument::SaveToBytes() const
{
    CheckActive();
    return FTree->SerializeBytes();
}

const QStringList &TXMLDocument::XML()
{
    if (FTree && FModified != FSnapshot) {
        FXML = splitLines(FTree->Serialize());
        FSnapshot = FModified;
    }
    return FXML;
}

void TXMLDocument::SetXML(const QStringList &lines)
{
    Deactivate();
    FFileName.clear();
    FXML = lines;
}

IXMLNode TXMLDocument::Node()
{
    CheckActive();
    if (!FDocumentNode) {
        FDocumentNode =
            TXMLNode::Wrap(reinterpret_cast<xmlNodePtr>(FTree->Doc()), nullptr, FTree, nullptr);
        FDocumentNode->FChildClasses.clear();
        for (const TNodeClassInfo &info : FDocBindings)
            FDocumentNode->FChildClasses.push_back(
                {info.NodeName, info.NamespaceURI, info.NodeClass});
        FDocumentNode->FChildItems.reset();
    }
    return FDocumentNode;
}

IXMLNode TXMLDocument::DocumentElement()
{
    const std::vector<IXMLNode> &items = Node()->ChildItems();
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        if ((*it)->NodeType() == TNodeType::ntElement)
            return *it;
    return nullptr;
}

QString TXMLDocument::Version() const
{
    CheckActive();
    return FTree->Declaration ? FTree->Declaration->Version : QString();
}

QString TXMLDocument::Encoding() const
{
    CheckActive();
    return FTree->Declaration ? FTree->Declaration->Encoding : QString();
}

QString TXMLDocument::StandAlone() const
{
    CheckActive();
    return FTree->Declaration ? FTree->Declaration->StandAlone : QString();
}

void TXMLDocument::SetVersion(const QString &value)
{
    CheckActive();
    if (!FTree->Declaration)
        FTree->Declaration.emplace();
    FTree->Declaration->Version = value;
}

void TXMLDocument::SetEncoding(const QString &value)
{
    CheckActive();
    if (!FTree->Declaration)
        FTree->Declaration.emplace();
    FTree->Declaration->Encoding = value;
}

void TXMLDocument::SetStandAlone(const QString &value)
{
    CheckActive();
    if (!FTree->Declaration)
        FTree->Declaration.emplace();
    FTree->Declaration->StandAlone = value;
}

IXMLNode TXMLDocument::CreateElement(const QString &tagName, const QString &namespaceURI)
{
    CheckActive();
    xmlDocPtr doc = FTree->Doc();
    const QByteArray name = tagName.toUtf8();
    xmlNodePtr element = nullptr;
    if (namespaceURI.isEmpty()) {
        element = xmlNewDocNode(doc, nullptr, BAD_CAST name.constData(), nullptr);
    } else {
        // The element declares its namespace, with the prefix of a qualified name.
        const int colon = name.indexOf(':');
        const QByteArray prefix = colon < 0 ? QByteArray() : name.left(colon);
        element = xmlNewDocNode(doc, nullptr, BAD_CAST name.mid(colon + 1).constData(), nullptr);
        xmlNsPtr ns = xmlNewNs(element, BAD_CAST namespaceURI.toUtf8().constData(),
                               prefix.isEmpty() ? nullptr : BAD_CAST prefix.constData());
        xmlSetNs(element, ns);
    }
    FTree->Track(element);
    return TXMLNode::Wrap(element, nullptr, FTree, nullptr);
}

IXMLNode TXMLDocument::CreateNode(const QString &nameOrData, TNodeType type, const QString &data)
{
    CheckActive();
    xmlDocPtr doc = FTree->Doc();
    const QByteArray first = nameOrData.toUtf8();
    xmlNodePtr node = nullptr;
    switch (type) {
    case TNodeType::ntElement:
        return CreateElement(nameOrData);
    case TNodeType::ntText:
        node = xmlNewDocText(doc, BAD_CAST first.constData());
        break;
    case TNodeType::ntCData:
        node = xmlNewCDataBlock(doc, BAD_CAST first.constData(), int(first.size()));
        break;
    case TNodeType::ntComment:
        node = xmlNewDocComment(doc, BAD_CAST first.constData());
        break;
    case TNodeType::ntProcessingInstr:
        node = xmlNewDocPI(doc, BAD_CAST first.constData(), BAD_CAST data.toUtf8().constData());
        break;
    default:
        throw EXMLDocError(QStringLiteral("Cannot create a node of this type"));
    }
    FTree->Track(node);
    return TXMLNode::Wrap(node, nullptr, FTree, nullptr);
}

void TXMLDocument::RegisterDocBindingClass(const QString &tagName, const TXMLNodeClass &nodeClass,
                                           const QString &namespaceURI)
{
    bool found = false;
    for (TNodeClassInfo &info : FDocBindings) {
        if (info.NodeName == tagName && info.NamespaceURI == namespaceURI) {
            info.NodeClass = nodeClass;
            found = true;
        }
    }
    if (!found)
        FDocBindings.push_back({tagName, namespaceURI, nodeClass});
    FDocumentNode.reset();
}

IXMLNode TXMLDocument::GetDocBindingClass(const QString &tagName, const TXMLNodeClass &nodeClass,
                                          const QString &namespaceURI)
{
    RegisterDocBindingClass(tagName, nodeClass, namespaceURI);
    if (Active())
        FDocumentNode.reset();
    else
        SetActive(true);
    if (!DocumentElement()) {
        if (namespaceURI.isEmpty())
            Node()->AddChild(tagName);
        else
            Node()->InsertNode(CreateElement(tagName, namespaceURI)->DOMNode(), -1);
    }
    return DocumentElement();
}

void TXMLDocument::NodeChange(bool before, const IXMLNode &node, TNodeChange change)
{
    ++FModified;
    const auto &listener = before ? BeforeNodeChange : AfterNodeChange;
    if (listener)
        listener(node, change);
}
