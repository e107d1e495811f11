// Fuzzes the XML document: any bytes either load or fail with the document error; a loaded
// tree's serialization loads back and becomes stable, its formatted text loads, and it
// survives lookups that create and an added element.
#include "sml/EXMLDocError.h"
#include "sml/FormatXMLData.h"
#include "sml/TXMLDocument.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace
{

const TXMLDocOptions allOptions = TXMLDocOption::doNodeAutoCreate |
                                  TXMLDocOption::doNodeAutoIndent | TXMLDocOption::doAttrNull |
                                  TXMLDocOption::doAutoPrefix | TXMLDocOption::doNamespaceDecl;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    TXMLDocument doc(allOptions);
    try {
        doc.LoadFromStream(bytes);
    } catch (const EXMLDocError &) {
        check(!doc.Active());
        return 0;
    }
    // One save and load may still merge nodes (adjacent CDATA sections left by dropped
    // whitespace); after that the text is a fixed point.
    const QString text = doc.SaveToXML();
    TXMLDocument again(allOptions);
    again.LoadFromXML(text);
    const QString stable = again.SaveToXML();
    TXMLDocument third(allOptions);
    third.LoadFromXML(stable);
    check(third.SaveToXML() == stable);

    // The formatted text is well-formed (its own load would throw otherwise).
    again.LoadFromXML(FormatXMLData(text));

    if (IXMLNode root = doc.DocumentElement()) {
        root->ChildNodes()->Nodes(QStringLiteral("Added"))->SetAttribute(QStringLiteral("v"), 1.5f);
        // Reading the text of an element with other content fails by design.
        try {
            root->SetAttribute(QStringLiteral("w"),
                               root->GetAttribute(QStringLiteral("w")).value_or(QString()));
            (void)root->ChildNodes()->Last()->Text();
        } catch (const EXMLDocError &) {
        }
        check(doc.Modified());
        (void)doc.XML();
    }
    return 0;
}
