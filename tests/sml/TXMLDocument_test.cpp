// Document object: loading from bytes, text and files, parse errors and hostile input,
// activation with auto-save, the text list and saving.
#include "support/TestSupport.h"

#include "sml/EXMLDocError.h"
#include "sml/FormatXMLData.h"
#include "sml/TXMLDocument.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace
{

const TXMLDocOptions allOptions =
    TXMLDocOption::doNodeAutoCreate | TXMLDocOption::doNodeAutoIndent | TXMLDocOption::doAttrNull |
    TXMLDocOption::doAutoPrefix | TXMLDocOption::doNamespaceDecl | TXMLDocOption::doAutoSave;

std::string errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const EXMLDocError &e) {
        return e.what();
    }
    return "(no error)";
}

QString attr(TXMLDocument &doc, const char *name)
{
    return doc.DocumentElement()->GetAttribute(name).value_or("(absent)");
}

} // namespace

TEST(DocumentLoad, ByteStreamsTakeTheirEncodingFromTheBytes)
{
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    QStringEncoder utf16be(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom);
    const struct {
        const char *label;
        QByteArray bytes;
    } cases[] = {
        {"plain UTF-8", "<r t=\"caf\xc3\xa9\"/>"},
        {"UTF-8 with byte-order mark", "\xef\xbb\xbf<r t=\"caf\xc3\xa9\"/>"},
        {"declared UTF-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><r t=\"caf\xc3\xa9\"/>"},
        {"undeclared Windows-1252", "<r t=\"caf\xe9\"/>"},
        {"declared ISO-8859-1",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<r t=\"caf\xe9\"/>"},
        {"UTF-16 with byte-order mark",
         utf16.encode(
             QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><r t=\"café\"/>"))},
        // The byte-order mark decides, whatever 16-bit encoding the declaration names.
        {"UTF-16BE with byte-order mark declared UCS-2",
         utf16be.encode(
             QStringLiteral("<?xml version=\"1.0\" encoding=\"UCS-2\"?><r t=\"café\"/>"))},
        // A document declared UTF-16 and embedded in a recording as 8-bit text.
        {"UTF-8 declared UTF-16",
         "<?xml version=\"1.0\" encoding=\"UTF-16\"?><r t=\"caf\xc3\xa9\"/>"},
        {"Windows-1252 declared UNICODE",
         "<?xml version=\"1.0\" encoding=\"UNICODE\"?><r t=\"caf\xe9\"/>"},
    };
    for (const auto &c : cases) {
        TXMLDocument doc(allOptions);
        doc.LoadFromStream(c.bytes);
        EXPECT_EQ(attr(doc, "t"), "café") << c.label;
        EXPECT_EQ(doc.DocSource(), TXMLDocumentSource::xdsStream);
    }
    // Windows-1252 is not Latin-1: 0x80 is the euro sign.
    TXMLDocument doc;
    doc.LoadFromStream("<r t=\"\x80\"/>");
    EXPECT_EQ(attr(doc, "t"), QString(QChar(0x20AC)));
    // The bytes the code page leaves undefined read as the C1 controls, as on Windows.
    doc.LoadFromStream("<r t=\"\x81\xe9\"/>");
    EXPECT_EQ(attr(doc, "t"), QString(QChar(0x81)) + QChar(0xE9));
    // A byte-order mark declares UTF-8: bytes that are not UTF-8 then are an error.
    EXPECT_EQ(errorOf([&] {
                  doc.LoadFromStream("\xef\xbb\xbf<r t=\"\xe9\"/>");
              }).rfind("Input is not proper UTF-8", 0),
              0u);
}

TEST(DocumentLoad, TextLoadDropsADeclaredSingleByteEncoding)
{
    const struct {
        QString text;
        const char *encoding;
    } cases[] = {
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><r t=\"é\"/>", ""},
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?><r t=\"é\"/>", ""},
        {QString(QChar(0xFEFF)) + "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r t=\"é\"/>",
         ""},
        {"<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"yes\"?><r t=\"é\"/>", "UTF-16"},
        {"<?xml version=\"1.0\" encoding=\"unicode\"?><r t=\"é\"/>", "unicode"},
    };
    for (const auto &c : cases) {
        TXMLDocument doc;
        doc.LoadFromXML(c.text);
        EXPECT_EQ(attr(doc, "t"), "é") << c.text.toStdString();
        EXPECT_EQ(doc.Encoding(), c.encoding);
        EXPECT_EQ(doc.Version(), "1.0");
    }
    TXMLDocument doc;
    // Outside the declaration an "encoding" attribute is the document's data.
    doc.LoadFromXML("<r encoding=\"latin1\"/>");
    EXPECT_EQ(attr(doc, "encoding"), "latin1");
    doc.LoadFromXML("<r/>");
    EXPECT_EQ(doc.Version(), "");
    EXPECT_EQ(doc.SaveToXML(), "<r/>\r\n");
    doc.SetStandAlone("yes");
    EXPECT_EQ(doc.SaveToXML(), "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<r/>\r\n");
}

TEST(DocumentLoad, ParseErrorsNameReasonLineAndSourceLine)
{
    const struct {
        QString text;
        const char *message;
    } cases[] = {
        {"<a><b></a>", "Opening and ending tag mismatch: b line 1 and a\r\nLine: 1\r\n<a><b></a>"},
        {"<a>\n<b x='1' x='2'/></a>", "Attribute x redefined\r\nLine: 2\r\n<b x='1' x='2'/></a>"},
        {"<a>\r\n  <b>0123456789012345678901234567890123456789xyz\n</a>",
         "Opening and ending tag mismatch: b line 2 and a\r\nLine: 3\r\n</a>"},
        {"<r/><s/>", "Extra content at the end of the document\r\nLine: 1\r\n<r/><s/>"},
        {"   ", "Start tag expected, '<' not found\r\nLine: 1\r\n   "},
    };
    for (const auto &c : cases) {
        TXMLDocument doc;
        bool opened = false;
        doc.AfterOpen = [&](TXMLDocument &) { opened = true; };
        EXPECT_EQ(errorOf([&] { doc.LoadFromXML(c.text); }), c.message);
        EXPECT_FALSE(doc.Active());
        EXPECT_FALSE(opened);
    }
    // The source line is cut to 40 characters.
    TXMLDocument doc;
    const std::string message = errorOf(
        [&] { doc.LoadFromStream("<a>\n<b>0123456789012345678901234567890123456789</c></a>"); });
    EXPECT_EQ(message.substr(message.rfind("\r\n") + 2),
              "<b>0123456789012345678901234567890123456");
}

TEST(DocumentLoad, HostileDocumentsFailCleanly)
{
    QString nested;
    for (int i = 0; i < 100000; ++i)
        nested += "<a>";
    const struct {
        const char *label;
        QString text;
        const char *reason;
    } cases[] = {
        {"external entity", "<!DOCTYPE r [<!ENTITY e SYSTEM \"file:///etc/passwd\">]><r>&e;</r>",
         "Entity declarations are not supported (\"e\")"},
        {"external parameter entity",
         "<!DOCTYPE r [<!ENTITY % p SYSTEM \"file:///etc/passwd\"> %p;]><r/>",
         "Entity declarations are not supported (\"p\")"},
        {"expansion bomb",
         "<!DOCTYPE b [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
         "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;\">"
         "]><b>&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;</b>",
         "Entity declarations are not supported (\"a\")"},
        {"undeclared entity", "<r>&e;</r>", "Entity 'e' not defined"},
        {"100 000 nested elements", nested,
         "Excessive depth in document: 256 use XML_PARSE_HUGE option"},
    };
    for (const auto &c : cases) {
        TXMLDocument doc;
        const std::string message = errorOf([&] { doc.LoadFromXML(c.text); });
        EXPECT_EQ(message.substr(0, message.find("\r\n")), c.reason) << c.label;
        EXPECT_EQ(message.find("root:"), std::string::npos) << c.label;
        EXPECT_FALSE(doc.Active());
        // The same bytes through the byte-stream load.
        EXPECT_EQ(
            errorOf([&] { doc.LoadFromStream(c.text.toUtf8()); }).substr(0, message.find("\r\n")),
            c.reason)
            << c.label;
    }
    // A DTD that only points at a file is never read.
    TXMLDocument doc;
    doc.LoadFromXML("<!DOCTYPE r SYSTEM \"file:///etc/passwd\"><r>x</r>");
    EXPECT_EQ(doc.DocumentElement()->Text(), "x");
    EXPECT_EQ(doc.SaveToXML().indexOf("root:"), -1);
}

TEST(DocumentLoad, A50MegabyteDocumentLoads)
{
    // Large comments keep the element count (and the test's time) moderate.
    const QByteArray item = "<item Frequency=\"1420405751.768\">hydrogen line</item>\n<!--" +
                            QByteArray(4000, '=') + "-->\n";
    QByteArray big = "<r>";
    big.reserve(51 * 1024 * 1024);
    while (big.size() < 50 * 1024 * 1024)
        big += item;
    big += "<last/></r>";
    TXMLDocument doc;
    doc.LoadFromStream(big);
    EXPECT_EQ(doc.DocumentElement()->ChildNodes()->Last()->NodeName(), "last");
    EXPECT_EQ(doc.DocumentElement()->ChildNodes()->First()->Text(), "hydrogen line");
}

TEST(DocumentLoad, FileLoadNeedsAName)
{
    TXMLDocument doc;
    EXPECT_EQ(errorOf([&] { doc.LoadFromFile(); }), "FileName cannot be blank");
    EXPECT_EQ(errorOf([&] { doc.SaveToXML(); }), "No active document");
    EXPECT_EQ(errorOf([&] { doc.DocumentElement(); }), "No active document");
    EXPECT_EQ(errorOf([&] {
                  doc.LoadFromFile("/nonexistent/dir/x.sml");
              }).rfind("Cannot open file \"/nonexistent/dir/x.sml\"", 0),
              0u);
}

// The three ways a modified, file-loaded document is closed: all write it back.
TEST(DocumentAutoSave, AModifiedFileDocumentIsWrittenBackOnClose)
{
    const struct {
        const char *label;
        std::function<void(std::unique_ptr<TXMLDocument> &)> close;
    } closings[] = {
        {"reload", [](auto &doc) { doc->LoadFromXML("<other/>"); }},
        {"deactivate", [](auto &doc) { doc->SetActive(false); }},
        {"destroy", [](auto &doc) { doc.reset(); }},
        {"text list change", [](auto &doc) { doc->ClearXML(); }},
    };
    for (const auto &closing : closings) {
        for (const bool modify : {false, true}) {
            QTemporaryDir dir;
            const QString path = dir.filePath("station.sml");
            testsupport::writeFile(path, "<r>\n  <a/>\n</r>\n");
            auto doc = std::make_unique<TXMLDocument>(allOptions);
            doc->LoadFromFile(path);
            EXPECT_EQ(doc->DocSource(), TXMLDocumentSource::xdsFile);
            if (modify)
                doc->DocumentElement()->ChildNodes()->Nodes("a")->SetAttribute("x", 1.5f);
            closing.close(doc);
            EXPECT_EQ(testsupport::readFile(path), modify ? QByteArray("<r><a x=\"1.5\"/></r>\r\n")
                                                          : QByteArray("<r>\n  <a/>\n</r>\n"))
                << closing.label << " modified=" << modify;
        }
    }
}

TEST(DocumentAutoSave, WithoutAutoSaveNothingIsWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("station.sml");
    testsupport::writeFile(path, "<r/>");
    TXMLDocument doc;
    doc.LoadFromFile(path);
    doc.DocumentElement()->SetAttribute("x", 1);
    doc.SetActive(false);
    EXPECT_EQ(testsupport::readFile(path), "<r/>");
}

TEST(DocumentTextList, RendersOnDemandAndACallersChangeDeactivates)
{
    TXMLDocument doc(allOptions);
    doc.SetFileName("kept.sml");
    doc.LoadFromXML("<r>\n<a>x\ny</a></r>");
    EXPECT_EQ(doc.XML(), QStringList({"<r><a>x", "y</a></r>"}));
    EXPECT_EQ(doc.FileName(), "kept.sml");
    doc.DocumentElement()->SetAttribute("n", 2);
    EXPECT_EQ(doc.XML(), QStringList({"<r n=\"2\"><a>x", "y</a></r>"}));

    int closed = 0;
    doc.AfterClose = [&](TXMLDocument &) { ++closed; };
    doc.ClearXML();
    EXPECT_FALSE(doc.Active());
    EXPECT_EQ(doc.FileName(), "");
    EXPECT_EQ(closed, 1);

    // Lines given by a caller are the source of the next activation.
    doc.SetXML({"<s>", "<t/>", "</s>"});
    doc.SetActive(true);
    EXPECT_EQ(doc.DocSource(), TXMLDocumentSource::xdsXMLProperty);
    EXPECT_EQ(doc.DocumentElement()->NodeName(), "s");
    doc.DocumentElement()->SetAttribute("v", "1");
    doc.SetActive(false); // auto-save renders the text list afresh
    EXPECT_EQ(doc.XML(), QStringList({"<s v=\"1\"><t/></s>"}));
}

TEST(DocumentNotifications, OpenCloseAndChangesInOrderWithTheCounter)
{
    std::vector<std::string> events; // outlives the document, whose destruction notifies
    TXMLDocument doc(allOptions);
    doc.BeforeOpen = [&](TXMLDocument &) { events.push_back("BeforeOpen"); };
    doc.AfterOpen = [&](TXMLDocument &) { events.push_back("AfterOpen"); };
    doc.BeforeClose = [&](TXMLDocument &) { events.push_back("BeforeClose"); };
    doc.AfterClose = [&](TXMLDocument &) { events.push_back("AfterClose"); };
    doc.BeforeNodeChange = [&](const IXMLNode &node, TNodeChange) {
        events.push_back("Before " + node->NodeName().toStdString() +
                         (doc.Modified() ? " modified" : ""));
    };
    doc.AfterNodeChange = [&](const IXMLNode &, TNodeChange) {
        // The listener sees the changed tree.
        events.push_back("After " + doc.XML().join("").toStdString());
    };
    doc.LoadFromXML("<r/>");
    doc.DocumentElement()->SetAttribute("a", 1);
    EXPECT_TRUE(doc.Modified());
    doc.LoadFromStream("<s/>");
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(events, (std::vector<std::string>{"BeforeOpen", "AfterOpen", "Before r modified",
                                                "After <r a=\"1\"/>", "BeforeClose", "AfterClose",
                                                "BeforeOpen", "AfterOpen"}));
}

TEST(DocumentSave, WritesTheDeclaredEncodingAndKeepsTheFileOnFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.sml");
    TXMLDocument doc(allOptions);
    doc.LoadFromXML("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r t=\"café\"/>");
    doc.SetEncoding("ISO-8859-1"); // the text load dropped it; the file should carry it
    doc.DocumentElement()->SetAttribute("u", "x");
    doc.SaveToFile(path);
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(testsupport::readFile(path),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<r t=\"caf\xe9\" u=\"x\"/>\r\n");
    TXMLDocument back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.DocumentElement()->GetAttribute("t"), "café");

    // A character the encoding cannot hold is written as a character reference.
    doc.DocumentElement()->SetAttribute("t", QString(QChar(0x20AC)));
    doc.SaveToFile(path);
    back.LoadFromFile(path);
    EXPECT_EQ(back.DocumentElement()->GetAttribute("t"), QString(QChar(0x20AC)));

    // A failing save leaves the file as it was and the document modified.
    const QByteArray before = testsupport::readFile(path);
    doc.DocumentElement()->SetAttribute("t", "y");
    doc.SetEncoding("x-no-such-encoding");
    EXPECT_EQ(errorOf([&] { doc.SaveToFile(path); }),
              "Unsupported encoding \"x-no-such-encoding\"");
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(testsupport::readFile(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"out.sml"}));

    doc.SetEncoding("");
    const QString missing = dir.filePath("no/such/dir/out.sml");
    EXPECT_EQ(errorOf([&] { doc.SaveToFile(missing); }).rfind("Cannot write file", 0), 0u);

    doc.SetEncoding("UTF-16");
    doc.DocumentElement()->SetAttribute("t", QString(QChar(0x20AC)));
    doc.SaveToFile(path);
    EXPECT_TRUE(testsupport::readFile(path).startsWith("\xff\xfe<\0?\0x\0"));
    back.LoadFromFile(path);
    EXPECT_EQ(back.DocumentElement()->GetAttribute("t"), QString(QChar(0x20AC)));
}

// A value pasted with a control character must not make the whole document unreadable: what
// is no XML character is left out, everything else is kept.
TEST(DocumentSave, CharactersThatXMLCannotHoldAreLeftOut)
{
    const QString bad = QString("a\x01\x0b\x1f") + QChar(0xFFFE) + QChar(0xFFFF) + "b\tc";
    TXMLDocument doc(allOptions);
    doc.LoadFromXML("<r><t>x</t><c><![CDATA[y]]></c></r>");
    const IXMLNode root = doc.DocumentElement();
    root->SetAttribute("v", bad);
    root->ChildNodes()->Nodes("t")->SetText(bad);
    root->ChildNodes()->Nodes("c")->SetText(bad);
    const QString kept = "ab\tc";
    const struct {
        const char *label;
        std::function<void(TXMLDocument &)> reload;
    } reloads[] = {
        {"text", [&](TXMLDocument &back) { back.LoadFromXML(doc.SaveToXML()); }},
        {"bytes", [&](TXMLDocument &back) { back.LoadFromStream(doc.SaveToBytes()); }},
        {"formatted",
         [&](TXMLDocument &back) { back.LoadFromXML(FormatXMLData(doc.SaveToXML())); }},
    };
    for (const auto &r : reloads) {
        TXMLDocument back;
        ASSERT_EQ(errorOf([&] { r.reload(back); }), "(no error)") << r.label;
        const IXMLNode backRoot = back.DocumentElement();
        EXPECT_EQ(backRoot->GetAttribute("v"), kept) << r.label;
        EXPECT_EQ(backRoot->ChildNodes()->Nodes("t")->Text(), kept) << r.label;
        EXPECT_EQ(backRoot->ChildNodes()->Nodes("c")->Text(), kept) << r.label;
    }
}

TEST(DocumentBinding, TheRootIsCreatedOnlyWhenMissing)
{
    TXMLDocument doc(allOptions);
    const IXMLNode root = doc.GetDocBinding<TXMLNode>("KOVA_Station");
    EXPECT_TRUE(doc.Active());
    EXPECT_EQ(doc.SaveToXML(), "<KOVA_Station/>\r\n");
    doc.LoadFromXML("<!-- c --><Other/>");
    EXPECT_EQ(doc.GetDocBinding<TXMLNode>("KOVA_Station")->NodeName(), "Other");
    EXPECT_FALSE(doc.Modified());
}
