#include "FormatXMLData.h"

#include "TXMLTree.h"

// The text is loaded as the text load does (a declared single-byte encoding dropped), and its
// tree is written as copying every node into a fresh auto-indenting document would lay it out:
// top-level nodes one per line, elements below the root one per line at two spaces per level,
// text kept where it stands. The layout is produced while serializing, without the copy.
QString FormatXMLData(const QString &xmlData)
{
    if (xmlData.isEmpty())
        return QString();
    const auto tree = TXMLTree::ParseText(TXMLTree::StripDeclaredEncoding(xmlData));
    return tree->SerializeFormatted(QStringLiteral("  "));
}
