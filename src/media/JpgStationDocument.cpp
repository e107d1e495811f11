#include "media/JpgStationDocument.h"

#include "media/EmbeddedText.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <memory>

namespace
{

struct XmlDocFree {
    void operator()(xmlDoc *doc) const { xmlFreeDoc(doc); }
};

quint8 at(const QByteArray &bytes, qint64 i)
{
    return static_cast<quint8>(bytes[i]);
}

// A cheap look at the raw bytes before decoding them: a document opens with a
// byte-order mark, sixteen-bit markup, or "<" after blanks. Most FF FE pairs in
// camera data fail here, which keeps the backward search linear in practice.
bool mayBeDocument(const QByteArray &bytes)
{
    if (bytes.size() >= 2) {
        const quint8 b0 = at(bytes, 0), b1 = at(bytes, 1);
        if ((b0 == 0xEF && b1 == 0xBB) || (b0 == 0xFF && b1 == 0xFE) ||
            (b0 == 0xFE && b1 == 0xFF) || (b0 == 0x00 && (b1 == '<' || b1 == 0x00)) ||
            (b0 == '<' && b1 == 0x00))
            return true;
    }
    for (const char c : bytes) {
        if (c == '<')
            return true;
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    }
    return false;
}

} // namespace

bool HoldsStationDocument(const QByteArray &bytes)
{
    const QByteArray utf8 = DecodeEmbeddedText(bytes).toUtf8();
    // A document starts with markup after optional blanks: most candidates are not one.
    const qsizetype first = utf8.indexOf('<');
    if (first < 0 || !utf8.left(first).trimmed().isEmpty())
        return false;
    // The text is already decoded: any encoding its declaration names is ignored.
    // No network, no external entities, no DTD loading, no validation.
    const int options =
        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_IGNORE_ENC;
    const std::unique_ptr<xmlDoc, XmlDocFree> doc(
        xmlReadMemory(utf8.constData(), static_cast<int>(utf8.size()), nullptr, "UTF-8", options));
    if (!doc)
        return false;
    const xmlNode *root = xmlDocGetRootElement(doc.get());
    return root != nullptr && root->ns == nullptr &&
           std::strcmp(reinterpret_cast<const char *>(root->name), "KOVA_Station") == 0;
}

std::optional<TJpgStationDocument> FindStationDocument(const QByteArray &jpg)
{
    const qint64 n = jpg.size();
    for (qint64 i = n - 2; i >= 0; --i) {
        if (at(jpg, i) != 0xFF || at(jpg, i + 1) != 0xFE || i + 4 > n)
            continue;
        const qint64 length = (at(jpg, i + 2) << 8) | at(jpg, i + 3);
        if (length < 2 || i + 2 + length > n)
            continue;
        QByteArray bytes = jpg.mid(i + 4, length - 2);
        if (!mayBeDocument(bytes) || !HoldsStationDocument(bytes))
            continue;
        TJpgStationDocument found;
        found.Offset = i;
        found.Text = DecodeEmbeddedText(bytes);
        found.Bytes = std::move(bytes);
        return found;
    }
    return std::nullopt;
}
