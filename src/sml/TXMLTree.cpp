#include "TXMLTree.h"

#include "EXMLDocError.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

#include <libxml/encoding.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <limits>
#include <memory>
#include <string>

namespace
{

// What the parser reports: the first error only (later ones are consequences of it).
struct TParseFailure {
    bool Failed = false;
    QString Reason;
    int Line = 0;
};

TParseFailure *failureOf(void *context)
{
    return static_cast<TParseFailure *>(static_cast<xmlParserCtxtPtr>(context)->_private);
}

void recordError(void *context, xmlErrorPtr error)
{
    TParseFailure *failure = failureOf(context);
    if (failure->Failed || error->level < XML_ERR_ERROR)
        return;
    failure->Failed = true;
    failure->Reason = QString::fromUtf8(error->message).trimmed();
    failure->Line = error->line;
}

// Entity declarations are refused outright: no document of this system needs them, and refusing
// them closes external-entity reads and expansion bombs before any entity is stored.
void refuseEntity(void *context, const xmlChar *name, int, const xmlChar *, const xmlChar *,
                  xmlChar *)
{
    auto *ctxt = static_cast<xmlParserCtxtPtr>(context);
    TParseFailure *failure = failureOf(context);
    if (!failure->Failed) {
        failure->Failed = true;
        failure->Reason = QStringLiteral("Entity declarations are not supported (\"%1\")")
                              .arg(QString::fromUtf8(reinterpret_cast<const char *>(name)));
        failure->Line = ctxt->input ? ctxt->input->line : 0;
    }
    xmlStopParser(ctxt);
}

QString lineOf(const QString &text, int line)
{
    if (line < 1)
        return QString();
    int start = 0;
    for (int i = 1; i < line; ++i) {
        start = text.indexOf(QLatin1Char('\n'), start);
        if (start < 0)
            return QString();
        ++start;
    }
    int end = text.indexOf(QLatin1Char('\n'), start);
    QString result = text.mid(start, end < 0 ? -1 : end - start);
    if (result.endsWith(QLatin1Char('\r')))
        result.chop(1);
    return result.left(40);
}

bool isWhitespace(const xmlChar *content)
{
    if (!content)
        return true;
    for (; *content; ++content)
        if (*content != ' ' && *content != '\t' && *content != '\r' && *content != '\n')
            return false;
    return true;
}

// The parser keeps an "&" of a namespace declaration's value as "&#38;" (it does so for every
// attribute value and decodes it when it builds attribute nodes, which namespace declarations
// are not); decoding it here gives the namespace name itself.
void decodeAmpersands(xmlNsPtr ns)
{
    for (; ns; ns = ns->next) {
        if (!ns->href || !xmlStrstr(ns->href, BAD_CAST "&#38;"))
            continue;
        QByteArray href(reinterpret_cast<const char *>(ns->href));
        href.replace("&#38;", "&");
        xmlFree(const_cast<xmlChar *>(ns->href));
        ns->href = xmlStrdup(BAD_CAST href.constData());
    }
}

// Drops whitespace-only text nodes that stand beside other nodes (indentation between
// elements); a whitespace-only text that is an element's whole content is a value and stays.
// Also decodes namespace declarations (decodeAmpersands).
void normalizeTree(xmlDocPtr doc)
{
    xmlNodePtr node = doc->children;
    while (node) {
        xmlNodePtr next = nullptr;
        if (node->type == XML_ELEMENT_NODE && node->children) {
            next = node->children;
        } else {
            for (xmlNodePtr up = node; up && up != reinterpret_cast<xmlNodePtr>(doc);
                 up = up->parent) {
                if (up->next) {
                    next = up->next;
                    break;
                }
            }
        }
        if (node->type == XML_ELEMENT_NODE)
            decodeAmpersands(node->nsDef);
        if (node->type == XML_TEXT_NODE && (node->prev || node->next) &&
            isWhitespace(node->content)) {
            xmlUnlinkNode(node);
            xmlFreeNode(node);
        }
        node = next;
    }
}

// Attributes of the XML declaration at the start of head, if there is one.
std::optional<TXMLTree::TDeclaration> declarationOf(const QString &head)
{
    static const QRegularExpression declaration(QStringLiteral("^<\\?xml\\s([^?]*)\\?>"));
    static const QRegularExpression attribute(
        QStringLiteral("([A-Za-z]+)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')"));
    const auto match = declaration.match(head);
    if (!match.hasMatch())
        return std::nullopt;
    TXMLTree::TDeclaration result;
    auto it = attribute.globalMatch(match.captured(1));
    while (it.hasNext()) {
        const auto a = it.next();
        const QString value = a.captured(2).isNull() ? a.captured(3) : a.captured(2);
        if (a.captured(1) == QLatin1String("version"))
            result.Version = value;
        else if (a.captured(1) == QLatin1String("encoding"))
            result.Encoding = value;
        else if (a.captured(1) == QLatin1String("standalone"))
            result.StandAlone = value;
    }
    return result;
}

// The bytes decoded for the declaration test and the error message: UTF-16 when a byte-order
// mark or the first character says so, UTF-8 (Windows-1252 where invalid) otherwise.
QString decodeForMessage(const QByteArray &bytes, bool utf16)
{
    if (utf16) {
        const bool be = bytes.startsWith("\xFE\xFF") || bytes.startsWith(QByteArray("\0<", 2));
        QStringDecoder decoder(be ? QStringConverter::Utf16BE : QStringConverter::Utf16LE);
        QString text = decoder.decode(bytes);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    QStringDecoder decoder(QStringConverter::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        text = QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

bool isUtf16(const QByteArray &bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF") ||
           bytes.startsWith(QByteArray("<\0?\0", 4)) || bytes.startsWith(QByteArray("\0<\0?", 4));
}

// Windows-1252 code points of the bytes 80..9F; the five bytes the code page leaves undefined map
// to the C1 control of the same value, as Windows does.
constexpr char16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QByteArray windows1252ToUtf8(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = b >= 0x80 && b < 0xA0 ? QChar(windows1252High[b - 0x80]) : QChar(b);
    }
    return text.toUtf8();
}

// A 16-bit encoding: 8-bit bytes cannot be in it. (The 32-bit ones are left to the parser, which
// cannot read them back either way.)
bool isWideEncodingName(const QString &encoding)
{
    const QString e = encoding.toUpper();
    for (const char *stem : {"UTF-16", "UTF16", "UCS-2", "UCS2", "UNICODE"})
        if (e.startsWith(QLatin1String(stem)))
            return true;
    return false;
}

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8);
    const QString decoded = decoder.decode(bytes); // decode() is lazy: convert to run it
    return !decoder.hasError();
}

struct TCtxtFree {
    void operator()(xmlParserCtxtPtr ctxt) const { xmlFreeParserCtxt(ctxt); }
};

// Parses the bytes; never resolves or loads external entities, never touches the network,
// never validates. message is the decoded text for the error message.
xmlDocPtr parse(const QByteArray &bytes, const char *encoding, int extraOptions,
                const std::function<QString()> &sourceText)
{
    if (bytes.size() > std::numeric_limits<int>::max())
        throw EXMLDocError(
            QStringLiteral("The document is too large (%1 bytes)").arg(bytes.size()));
    std::unique_ptr<xmlParserCtxt, TCtxtFree> ctxt(xmlNewParserCtxt());
    if (!ctxt)
        throw EXMLDocError(QStringLiteral("Out of memory"));
    TParseFailure failure;
    ctxt->_private = &failure;
    ctxt->sax->serror = recordError;
    ctxt->sax->entityDecl = refuseEntity;
    // COMPACT stores short text inside its node: fewer allocations, same tree.
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                        XML_PARSE_COMPACT | extraOptions;
    xmlDocPtr doc = xmlCtxtReadMemory(ctxt.get(), bytes.constData(), int(bytes.size()), nullptr,
                                      encoding, options);
    if (!failure.Failed && (!doc || !ctxt->wellFormed)) {
        failure.Failed = true;
        failure.Reason = QStringLiteral("The document is not well-formed");
    }
    if (failure.Failed) {
        xmlFreeDoc(doc);
        throw EXMLDocError(QStringLiteral("%1%2%3: %4%5%6")
                               .arg(failure.Reason, QStringLiteral("\r\n"), QStringLiteral("Line"))
                               .arg(failure.Line)
                               .arg(QStringLiteral("\r\n"), lineOf(sourceText(), failure.Line)));
    }
    normalizeTree(doc);
    return doc;
}

// ---- serialization -----------------------------------------------------------------------

// A control character other than TAB, LF and CR: no XML character, not even as a character
// reference. Written, it would make the whole document unreadable, so it is left out.
bool isControl(xmlChar c)
{
    return c < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

// The replacement of one character, or null when it is written as it is.
const char *escapeOf(xmlChar c, bool attribute)
{
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '\r':
        return "&#13;";
    case '"':
        return attribute ? "&quot;" : nullptr;
    case '\n':
        return attribute ? "&#10;" : nullptr;
    case '\t':
        return attribute ? "&#9;" : nullptr;
    default:
        return isControl(c) ? "" : nullptr;
    }
}

// U+FFFE and U+FFFF (UTF-8 EF BF BE, EF BF BF) are no XML characters either.
bool isNonCharacter(const char *p)
{
    return xmlChar(p[0]) == 0xEF && xmlChar(p[1]) == 0xBF &&
           (xmlChar(p[2]) == 0xBE || xmlChar(p[2]) == 0xBF);
}

void appendEscaped(std::string &out, const xmlChar *text, bool attribute)
{
    if (!text)
        return;
    // Plain runs are appended whole; this runs for every value of every rendering.
    const char *run = reinterpret_cast<const char *>(text);
    const char *p = run;
    for (; *p; ++p) {
        if (const char *replacement = escapeOf(xmlChar(*p), attribute)) {
            out.append(run, size_t(p - run));
            out.append(replacement);
            run = p + 1;
        } else if (xmlChar(*p) == 0xEF && isNonCharacter(p)) {
            out.append(run, size_t(p - run));
            p += 2;
            run = p + 1;
        }
    }
    out.append(run, size_t(p - run));
}

void appendName(std::string &out, const xmlNode *node)
{
    if (node->ns && node->ns->prefix) {
        out += reinterpret_cast<const char *>(node->ns->prefix);
        out += ':';
    }
    out += reinterpret_cast<const char *>(node->name);
}

void appendNode(std::string &out, const xmlNode *node);

void appendChildren(std::string &out, const xmlNode *node)
{
    for (const xmlNode *child = node->children; child; child = child->next)
        appendNode(out, child);
}

// "<name" with namespace declarations and attributes, without the closing ">".
void appendStartTag(std::string &out, const xmlNode *node)
{
    out += '<';
    appendName(out, node);
    for (const xmlNs *ns = node->nsDef; ns; ns = ns->next) {
        out += " xmlns";
        if (ns->prefix) {
            out += ':';
            out += reinterpret_cast<const char *>(ns->prefix);
        }
        out += "=\"";
        appendEscaped(out, ns->href, true);
        out += '"';
    }
    for (const xmlAttr *a = node->properties; a; a = a->next) {
        out += ' ';
        appendName(out, reinterpret_cast<const xmlNode *>(a));
        out += "=\"";
        for (const xmlNode *v = a->children; v; v = v->next) {
            if (v->type == XML_ENTITY_REF_NODE) {
                out += '&';
                out += reinterpret_cast<const char *>(v->name);
                out += ';';
            } else {
                appendEscaped(out, v->content, true);
            }
        }
        out += '"';
    }
}

void appendNode(std::string &out, const xmlNode *node)
{
    switch (node->type) {
    case XML_ELEMENT_NODE:
        appendStartTag(out, node);
        if (!node->children) {
            out += "/>";
            return;
        }
        out += '>';
        appendChildren(out, node);
        out += "</";
        appendName(out, node);
        out += '>';
        return;
    case XML_TEXT_NODE:
        appendEscaped(out, node->content, false);
        return;
    case XML_CDATA_SECTION_NODE: {
        QByteArray content(node->content ? reinterpret_cast<const char *>(node->content) : "");
        content.replace("]]>", "]]]]><![CDATA[>");
        // Characters that are no XML characters are left out, as in text (appendEscaped).
        for (qsizetype i = content.size() - 1; i >= 0; --i) {
            if (isControl(xmlChar(content.at(i))))
                content.remove(i, 1);
            else if (isNonCharacter(content.constData() + i))
                content.remove(i, 3);
        }
        out += "<![CDATA[";
        out.append(content.constData(), size_t(content.size()));
        out += "]]>";
        return;
    }
    case XML_COMMENT_NODE:
        out += "<!--";
        if (node->content)
            out += reinterpret_cast<const char *>(node->content);
        out += "-->";
        return;
    case XML_PI_NODE:
        out += "<?";
        out += reinterpret_cast<const char *>(node->name);
        if (node->content && *node->content) {
            out += ' ';
            out += reinterpret_cast<const char *>(node->content);
        }
        out += "?>";
        return;
    case XML_ENTITY_REF_NODE:
        out += '&';
        out += reinterpret_cast<const char *>(node->name);
        out += ';';
        return;
    case XML_DTD_NODE: {
        xmlBufferPtr buffer = xmlBufferCreate();
        xmlNodeDump(buffer, node->doc, const_cast<xmlNodePtr>(node), 0, 0);
        out.append(reinterpret_cast<const char *>(xmlBufferContent(buffer)),
                   size_t(xmlBufferLength(buffer)));
        xmlBufferFree(buffer);
        return;
    }
    case XML_DOCUMENT_NODE:
    case XML_DOCUMENT_FRAG_NODE:
        appendChildren(out, node);
        return;
    default:
        return;
    }
}

void appendLineBreak(std::string &out, const std::string &indent, int repeat)
{
    out += '\n';
    for (int i = 0; i < repeat; ++i)
        out += indent;
}

void appendFormatted(std::string &out, const xmlNode *node, int level, const std::string &indent);

// The children of an element at `level` as the node layer's auto-indenting append lays them
// out: text as it is; any other node after one indentation unit, with a line break (indented to
// the parent's parent) before the first such node and after each.
void appendFormattedChildren(std::string &out, const xmlNode *parent, int level,
                             const std::string &indent)
{
    bool any = false;
    for (const xmlNode *child = parent->children; child; child = child->next) {
        if (child->type == XML_TEXT_NODE) {
            appendNode(out, child);
        } else {
            if (!any)
                appendLineBreak(out, indent, level - 1);
            out += indent;
            appendFormatted(out, child, level + 1, indent);
            appendLineBreak(out, indent, level - 1);
        }
        any = true;
    }
}

void appendFormatted(std::string &out, const xmlNode *node, int level, const std::string &indent)
{
    if (node->type != XML_ELEMENT_NODE || !node->children) {
        appendNode(out, node);
        return;
    }
    appendStartTag(out, node);
    out += '>';
    appendFormattedChildren(out, node, level, indent);
    out += "</";
    appendName(out, node);
    out += '>';
}

bool isUnicodeName(const QString &encoding)
{
    const QString e = encoding.toUpper();
    return e == QLatin1String("UTF-16") || e == QLatin1String("UCS-2") ||
           e == QLatin1String("UNICODE");
}

} // namespace

TXMLTree::TXMLTree() : FDoc(xmlNewDoc(BAD_CAST "1.0"))
{
    if (!FDoc)
        throw EXMLDocError(QStringLiteral("Out of memory"));
}

TXMLTree::~TXMLTree()
{
    // Only detached subtree roots are freed (nodes linked again since belong to the tree); they
    // are collected first because freeing one may free nodes that are listed too.
    std::vector<xmlNodePtr> detached;
    for (xmlNodePtr node : FOrphans)
        if (!node->parent)
            detached.push_back(node);
    for (xmlNodePtr node : detached) {
        if (node->type == XML_ATTRIBUTE_NODE)
            xmlFreeProp(reinterpret_cast<xmlAttrPtr>(node));
        else
            xmlFreeNode(node);
    }
    xmlFreeDoc(FDoc);
}

std::shared_ptr<TXMLTree> TXMLTree::ParseBytes(const QByteArray &bytes)
{
    const bool utf16 = isUtf16(bytes);
    const QString head = decodeForMessage(bytes.left(utf16 ? 400 : 200), utf16);
    auto declaration = declarationOf(head);
    const bool bom8 = bytes.startsWith("\xEF\xBB\xBF");
    const QString declared = declaration ? declaration->Encoding : QString();
    const char *encoding = nullptr;
    int extraOptions = 0;
    bool windows1252 = false;
    if (utf16 && !bytes.startsWith(QByteArray("\xFF\xFE\0\0", 4))) {
        // The byte-order mark (or the 16-bit "<?") decides; the declaration may name UCS-2,
        // UNICODE or the other byte order, which must not switch the decoder mid-document.
        const bool be = bytes.startsWith("\xFE\xFF") || bytes.startsWith(QByteArray("\0<", 2));
        encoding = be ? "UTF-16BE" : "UTF-16LE";
        extraOptions = XML_PARSE_IGNORE_ENC;
    } else if (!utf16 && isWideEncodingName(declared)) {
        // A declaration readable as 8-bit text cannot be right in naming a 16-bit encoding (a
        // document declared UTF-16 and embedded as 8-bit text): read as undeclared bytes.
        windows1252 = !bom8 && !isValidUtf8(bytes);
        encoding = "UTF-8";
        extraOptions = XML_PARSE_IGNORE_ENC;
    } else if (!utf16 && !bom8 && declared.isEmpty() && !isValidUtf8(bytes)) {
        // Bytes that name no encoding and are not UTF-8 come from Windows-1252 systems.
        windows1252 = true;
        encoding = "UTF-8";
        extraOptions = XML_PARSE_IGNORE_ENC;
    }
    // Windows-1252 is decoded here, as Windows does it, so that the five bytes the code page
    // leaves undefined load too instead of failing the whole document.
    const QByteArray utf8 = windows1252 ? windows1252ToUtf8(bytes) : QByteArray();
    const QByteArray &input = windows1252 ? utf8 : bytes;
    auto tree = std::make_shared<TXMLTree>();
    xmlDocPtr doc = parse(input, encoding, extraOptions, [&] {
        return windows1252 ? QString::fromUtf8(utf8) : decodeForMessage(bytes, utf16);
    });
    xmlFreeDoc(tree->FDoc);
    tree->FDoc = doc;
    tree->Declaration = declaration;
    return tree;
}

std::shared_ptr<TXMLTree> TXMLTree::ParseText(const QString &text)
{
    auto tree = std::make_shared<TXMLTree>();
    xmlDocPtr doc = parse(text.toUtf8(), "UTF-8", XML_PARSE_IGNORE_ENC, [&] { return text; });
    xmlFreeDoc(tree->FDoc);
    tree->FDoc = doc;
    tree->Declaration = declarationOf(text.left(200));
    return tree;
}

QString TXMLTree::StripDeclaredEncoding(const QString &text)
{
    static const QRegularExpression encoding(
        QStringLiteral("\\s+encoding\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)')"));
    QString result = text;
    if (result.startsWith(QChar(0xFEFF)))
        result.remove(0, 1);
    // Only the XML declaration is looked at: an element's own "encoding" attribute is data.
    if (!result.startsWith(QLatin1String("<?xml")) || result.size() < 6 || !result.at(5).isSpace())
        return result;
    const int declarationEnd = int(result.indexOf(QLatin1String("?>")));
    const auto match = encoding.match(result.left(50));
    if (match.hasMatch() && (declarationEnd < 0 || match.capturedEnd() <= declarationEnd)) {
        const QString name = match.captured(1).isNull() ? match.captured(2) : match.captured(1);
        if (!isUnicodeName(name))
            result.remove(match.capturedStart(), match.capturedLength());
    }
    return result;
}

namespace
{

std::string serialize(const TXMLTree &tree, const QString *formatIndent)
{
    const auto &Declaration = tree.Declaration;
    std::string out;
    out.reserve(4096);
    if (Declaration) {
        out += "<?xml version=\"";
        out += Declaration->Version.isEmpty() ? std::string("1.0")
                                              : Declaration->Version.toStdString();
        out += '"';
        if (!Declaration->Encoding.isEmpty())
            out += " encoding=\"" + Declaration->Encoding.toStdString() + '"';
        if (!Declaration->StandAlone.isEmpty())
            out += " standalone=\"" + Declaration->StandAlone.toStdString() + '"';
        out += "?>\r\n";
    }
    const std::string indent = formatIndent ? formatIndent->toStdString() : std::string();
    for (const xmlNode *node = tree.Doc()->children; node; node = node->next) {
        if (formatIndent)
            appendFormatted(out, node, 1, indent);
        else
            appendNode(out, node);
        out += "\r\n";
    }
    return out;
}

} // namespace

QByteArray TXMLTree::SerializeUtf8(const QString *formatIndent) const
{
    const std::string out = serialize(*this, formatIndent);
    return QByteArray(out.data(), qsizetype(out.size()));
}

QString TXMLTree::SerializeFormatted(const QString &indentStr) const
{
    const std::string out = serialize(*this, &indentStr);
    return QString::fromUtf8(out.data(), qsizetype(out.size()));
}

QString TXMLTree::Serialize() const
{
    const std::string out = serialize(*this, nullptr);
    return QString::fromUtf8(out.data(), qsizetype(out.size()));
}

QString TXMLTree::SerializeNode(const _xmlNode *node)
{
    std::string out;
    appendNode(out, node);
    return QString::fromStdString(out);
}

QByteArray TXMLTree::SerializeBytes() const
{
    const QString encoding = Declaration ? Declaration->Encoding : QString();
    const QString upper = encoding.toUpper();
    if (encoding.isEmpty() || upper == QLatin1String("UTF-8") || upper == QLatin1String("UTF8"))
        return SerializeUtf8();
    if (isUnicodeName(encoding) || upper.startsWith(QLatin1String("UTF-16"))) {
        const bool be = upper == QLatin1String("UTF-16BE");
        QStringEncoder encoder(be ? QStringConverter::Utf16BE : QStringConverter::Utf16LE,
                               QStringConverter::Flag::WriteBom);
        return encoder.encode(Serialize());
    }
    // Any other encoding through libxml2's converters; a character that the encoding cannot
    // hold fails the save instead of being lost.
    xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(encoding.toUtf8().constData());
    if (!handler)
        throw EXMLDocError(QStringLiteral("Unsupported encoding \"%1\"").arg(encoding));
    const QByteArray utf8 = SerializeUtf8();
    xmlBufferPtr in =
        xmlBufferCreateStatic(const_cast<char *>(utf8.constData()), size_t(utf8.size()));
    xmlBufferPtr out = xmlBufferCreate();
    const int written = utf8.isEmpty() ? 0 : xmlCharEncOutFunc(handler, out, in);
    QByteArray result(reinterpret_cast<const char *>(xmlBufferContent(out)), xmlBufferLength(out));
    xmlBufferFree(out);
    xmlBufferFree(in);
    xmlCharEncCloseFunc(handler);
    if (written < 0)
        throw EXMLDocError(
            QStringLiteral("The document contains characters that encoding \"%1\" cannot hold")
                .arg(encoding));
    return result;
}

namespace
{

int levelOf(const xmlNode *node)
{
    int level = 0;
    for (const xmlNode *p = node->parent; p; p = p->parent)
        ++level;
    return level;
}

// Links node into parent before `before` (null: at the end). Unlike libxml2's own add functions
// this never merges adjacent text nodes, so every inserted node stays a node of its own.
void link(xmlNodePtr parent, xmlNodePtr node, xmlNodePtr before)
{
    node->parent = parent;
    node->next = before;
    if (before) {
        node->prev = before->prev;
        if (before->prev)
            before->prev->next = node;
        else
            parent->children = node;
        before->prev = node;
    } else {
        node->prev = parent->last;
        if (parent->last)
            parent->last->next = node;
        else
            parent->children = node;
        parent->last = node;
    }
}

xmlNodePtr childAt(xmlNodePtr parent, int index)
{
    xmlNodePtr child = parent->children;
    for (int i = 0; child && i < index; ++i)
        child = child->next;
    return child;
}

} // namespace

void TXMLTree::InsertIndented(_xmlNode *parent, _xmlNode *node, int index, const QString &indentStr,
                              bool indent, const std::function<void(bool)> &notify)
{
    const auto insert = [&](xmlNodePtr child, xmlNodePtr before) {
        if (notify)
            notify(true);
        link(parent, child, before);
        if (notify)
            notify(false);
    };
    const auto text = [&](int repeat, bool lineFeed) {
        const QByteArray content =
            (lineFeed ? QByteArray("\n") : QByteArray()) + indentStr.toUtf8().repeated(repeat);
        return xmlNewDocText(parent->doc, BAD_CAST content.constData());
    };
    indent =
        indent && parent->parent && node->type != XML_TEXT_NODE && node->type != XML_ATTRIBUTE_NODE;
    if (!indent) {
        insert(node, index < 0 ? nullptr : childAt(parent, index));
        return;
    }
    const int parentLevel = levelOf(parent);
    if (!parent->children)
        insert(text(parentLevel - 1, true), nullptr);
    if (index < 0)
        insert(text(1, false), nullptr);
    insert(node, index < 0 ? nullptr : childAt(parent, index));
    if (!node->next || node->next->type != XML_TEXT_NODE)
        insert(text(index < 0 ? parentLevel - 1 : parentLevel, true), node->next);
}

void TXMLTree::Orphan(_xmlNode *node)
{
    xmlUnlinkNode(node);
    FOrphans.insert(node);
}

void TXMLTree::Track(_xmlNode *node)
{
    FOrphans.insert(node);
}
