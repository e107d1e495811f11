// Node layer: lookups that create, indentation of added elements, the single-text rule,
// attribute writes and the change notifications they send.
#include "sml/EIntfCastError.h"
#include "sml/EXMLDocError.h"
#include "sml/TXMLDocument.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

const TXMLDocOptions allOptions =
    TXMLDocOption::doNodeAutoCreate | TXMLDocOption::doNodeAutoIndent | TXMLDocOption::doAttrNull |
    TXMLDocOption::doAutoPrefix | TXMLDocOption::doNamespaceDecl | TXMLDocOption::doAutoSave;

// A document loaded from xml, recording every AfterNodeChange.
struct Loaded {
    explicit Loaded(const QString &xml, TXMLDocOptions options = allOptions)
        : doc(std::make_unique<TXMLDocument>(options))
    {
        doc->LoadFromXML(xml);
        doc->AfterNodeChange = [this](const IXMLNode &node, TNodeChange change) {
            changes.push_back({node->NodeName(), change});
        };
    }
    IXMLNode root() { return doc->DocumentElement(); }
    std::string xml() { return doc->SaveToXML().toStdString(); }

    std::unique_ptr<TXMLDocument> doc;
    std::vector<std::pair<QString, TNodeChange>> changes;
};

std::string errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const std::exception &e) {
        return e.what();
    }
    return "(no error)";
}

class TMount;
class TAzEl : public TXMLNode
{
public:
    float Get_Azimuth() { return GetAttrSingle("Azimuth"); }
};
class TMount : public TXMLNode
{
public:
    std::shared_ptr<TAzEl> Get_AzEl() { return GetChildAs<TAzEl>("AzEl"); }
    QString Get_Name() { return GetChildText("Name"); }
    int Get_Count() { return GetAttrInteger("Count"); }

protected:
    void AfterConstruction() override
    {
        RegisterChildNode<TAzEl>("AzEl");
        TXMLNode::AfterConstruction();
    }
};

} // namespace

TEST(NodeLookup, MissingChildrenAndAttributesAreCreatedAtTheEnd)
{
    Loaded d("<r><a x=\"1\"/><b/></r>");
    const IXMLNode a = d.root()->ChildNodes()->Nodes("a");
    EXPECT_FALSE(d.doc->Modified());

    EXPECT_EQ(a->AttributeNodes()->Nodes("y")->Text(), QString());
    EXPECT_TRUE(d.doc->Modified());
    const IXMLNode c = d.root()->ChildNodes()->Nodes("c");
    EXPECT_EQ(d.xml(), "<r><a x=\"1\" y=\"\"/><b/>  <c/>\n</r>\r\n");
    // The lookup finds what it created, without creating it twice.
    EXPECT_EQ(d.root()->ChildNodes()->Nodes("c"), c);
    EXPECT_EQ(a->AttributeNodes()->Count(), 2);
    // Element names: qualified or local name, letter case counts.
    EXPECT_EQ(d.root()->ChildNodes()->FindNode("A"), nullptr);
}

TEST(NodeLookup, WithoutAutoCreateMissingItemsFail)
{
    Loaded d("<r><a/></r>", TXMLDocOption::doAttrNull);
    EXPECT_EQ(errorOf([&] { d.root()->ChildNodes()->Nodes("b"); }), "Node \"b\" not found");
    EXPECT_EQ(errorOf([&] { d.root()->AttributeNodes()->Nodes("x"); }), "Node \"x\" not found");
    EXPECT_EQ(errorOf([&] { d.root()->ChildNodes()->Nodes(3); }), "List index out of bounds (3)");
    EXPECT_EQ(errorOf([&] { d.root()->ChildNodes()->Nodes(-1); }), "List index out of bounds (-1)");
    EXPECT_FALSE(d.doc->Modified());
}

TEST(NodeLookup, TheDocumentNodeCreatesOnlyAMissingRoot)
{
    Loaded d("<r/>");
    EXPECT_EQ(errorOf([&] { d.doc->ChildNodes()->Nodes("other"); }), "Node \"other\" not found");
    TXMLDocument empty(allOptions);
    empty.SetActive(true);
    EXPECT_EQ(empty.ChildNodes()->Nodes("top")->NodeName(), "top");
    EXPECT_EQ(empty.SaveToXML(), "<top/>\r\n"); // never indented at document level
}

TEST(NodeLookup, AttributeOperationsOnOtherNodesFail)
{
    Loaded d("<r>text</r>");
    const IXMLNode text = d.root()->ChildNodes()->Nodes(0);
    EXPECT_EQ(text->NodeType(), TNodeType::ntText);
    const std::string message = "Attributes are not supported on this node type";
    EXPECT_EQ(errorOf([&] { text->AttributeNodes(); }), message);
    EXPECT_EQ(errorOf([&] { text->SetAttribute("a", 1); }), message);
    EXPECT_EQ(errorOf([&] { text->HasAttribute("a"); }), message);
}

TEST(AddChild, IndentsAnEmptyParentOneElementPerLine)
{
    Loaded d("<Station>\r\n  <Antenna>\r\n    <Mount/>\r\n  </Antenna>\r\n</Station>");
    const IXMLNode mount = d.root()->ChildNodes()->Nodes("Antenna")->ChildNodes()->Nodes("Mount");
    const IXMLNode azel = mount->AddChild("AzEl", -1);

    const IXMLNodeList children = mount->ChildNodes();
    ASSERT_EQ(children->Count(), 4);
    EXPECT_EQ(children->Nodes(0)->NodeType(), TNodeType::ntText);
    EXPECT_EQ(children->Nodes(0)->Text(), "\n    ");
    EXPECT_EQ(children->Nodes(1)->Text(), "  ");
    EXPECT_EQ(children->Nodes(2), azel);
    EXPECT_EQ(children->Nodes(3)->Text(), "\n    ");
    // Each inserted node is one change of Mount, the element itself among them.
    EXPECT_EQ(d.changes.size(), 4u);
    for (const auto &change : d.changes)
        EXPECT_EQ(change, std::make_pair(QString("Mount"), TNodeChange::ncInsertChild));

    mount->AddChild("DriftScan", -1);
    mount->AddChild("First", 0);
    EXPECT_EQ(d.xml(), "<Station><Antenna><Mount><First/>\n      <AzEl/>\n      "
                       "<DriftScan/>\n    </Mount></Antenna></Station>\r\n");
}

TEST(AddChild, AppendsBesideTheSiblingsOfAParentLoadedWithoutWhitespace)
{
    Loaded d("<r>\n  <a/>\n</r>");
    d.root()->AddChild("b");
    EXPECT_EQ(d.xml(), "<r><a/>  <b/>\n</r>\r\n");
}

TEST(AddChild, WithoutAutoIndentAddsOnlyTheElement)
{
    Loaded d("<r><a/></r>", TXMLDocOption::doNodeAutoCreate);
    d.root()->ChildNodes()->Nodes("a")->AddChild("b");
    d.root()->AddChild("c", 0);
    EXPECT_EQ(d.xml(), "<r><c/><a><b/></a></r>\r\n");
    EXPECT_EQ(errorOf([&] { d.root()->AddChild("x", 9); }), "List index out of bounds (9)");
}

TEST(SingleText, ElementTextNeedsNoneOrOneTextChild)
{
    Loaded d("<r><empty/><one>v</one><cdata><![CDATA[a<b]]></cdata><mixed>x<i/></mixed></r>");
    const IXMLNodeList items = d.root()->ChildNodes();
    EXPECT_EQ(items->Nodes("empty")->Text(), "");
    EXPECT_EQ(items->Nodes("empty")->NodeValue(), std::nullopt);
    EXPECT_FALSE(d.doc->Modified()); // reading the empty element is no change
    EXPECT_EQ(items->Nodes("cdata")->Text(), "a<b");
    EXPECT_EQ(errorOf([&] { items->Nodes("mixed")->Text(); }),
              "Element \"mixed\" does not contain a single text node");
    EXPECT_EQ(errorOf([&] { items->Nodes("mixed")->SetText("y"); }),
              "Element \"mixed\" does not contain a single text node");

    items->Nodes("one")->SetNodeValue(QString("w & <z>"));
    items->Nodes("empty")->SetNodeValue(12);
    items->Nodes("cdata")->SetNodeValue(TXMLValue::Null());
    EXPECT_EQ(d.xml(), "<r><empty>12</empty><one>w &amp; &lt;z&gt;</one><cdata><![CDATA[]]></cdata>"
                       "<mixed>x<i/></mixed></r>\r\n");
    EXPECT_EQ(d.changes.size(), 3u);
    EXPECT_EQ(d.changes[0], std::make_pair(QString("one"), TNodeChange::ncUpdateValue));
}

TEST(Attributes, ValuesAreWrittenAsTextInPlaceOrLast)
{
    const struct {
        TXMLValue value;
        const char *xml;
    } cases[] = {
        {QString("text"), "<r a=\"1\" b=\"text\" c=\"3\"/>"},
        {QString(""), "<r a=\"1\" b=\"\" c=\"3\"/>"},
        {-5, "<r a=\"1\" b=\"-5\" c=\"3\"/>"},
        {qint64(-9000000000), "<r a=\"1\" b=\"-9000000000\" c=\"3\"/>"},
        {true, "<r a=\"1\" b=\"true\" c=\"3\"/>"},
        {3.14159f, "<r a=\"1\" b=\"3.1415901184082\" c=\"3\"/>"},
        {0.0001f, "<r a=\"1\" b=\"9.99999974737875E-5\" c=\"3\"/>"},
        {TXMLValue::Null(), "<r a=\"1\" c=\"3\"/>"},
        {QString("q\"<&>\n\t\r"), "<r a=\"1\" b=\"q&quot;&lt;&amp;&gt;&#10;&#9;&#13;\" c=\"3\"/>"},
    };
    for (const auto &c : cases) {
        Loaded d("<r a=\"1\" b=\"2\" c=\"3\"/>");
        d.root()->SetAttribute("b", c.value);
        EXPECT_EQ(d.xml(), std::string(c.xml) + "\r\n");
        const TNodeChange kind =
            c.value.IsNull() ? TNodeChange::ncRemoveAttribute : TNodeChange::ncAddAttribute;
        ASSERT_EQ(d.changes.size(), 1u);
        EXPECT_EQ(d.changes[0], std::make_pair(QString("r"), kind));
        // What is written reads back unchanged.
        Loaded back(QString::fromStdString(d.xml()));
        EXPECT_EQ(back.root()->GetAttribute("b"),
                  c.value.IsNull() ? std::nullopt : std::optional(c.value.ToText()));
    }
    Loaded d("<r a=\"1\"/>");
    d.root()->SetAttribute("z", 7);
    EXPECT_EQ(d.xml(), "<r a=\"1\" z=\"7\"/>\r\n");
}

TEST(Attributes, ReadingNeverCreates)
{
    Loaded d("<r a=\"\"/>");
    EXPECT_TRUE(d.root()->HasAttribute("a"));
    EXPECT_FALSE(d.root()->HasAttribute("b"));
    EXPECT_EQ(d.root()->GetAttribute("a"), QString(""));
    EXPECT_EQ(d.root()->GetAttribute("b"), std::nullopt);
    Loaded plain("<r/>", TXMLDocOption::doNodeAutoCreate);
    EXPECT_EQ(plain.root()->GetAttribute("b"), QString(""));
    EXPECT_FALSE(d.doc->Modified());
    EXPECT_FALSE(plain.doc->Modified());
}

TEST(Delete, RemovesOnlyTheElementOrNothing)
{
    Loaded d("<Mount><AzEl/></Mount>");
    EXPECT_EQ(d.root()->ChildNodes()->Delete("DriftScan"), -1);
    EXPECT_FALSE(d.doc->Modified());
    EXPECT_TRUE(d.changes.empty());

    d.root()->AddChild("DriftScan");
    const IXMLNode kept = d.root()->ChildNodes()->Nodes("DriftScan");
    EXPECT_EQ(d.root()->ChildNodes()->Delete("DriftScan"), 2);
    EXPECT_EQ(d.xml(), "<Mount><AzEl/>  \n</Mount>\r\n");
    EXPECT_EQ(d.changes.back(), std::make_pair(QString("Mount"), TNodeChange::ncRemoveChild));
    // A wrapper of the removed element still works on the detached element.
    kept->SetAttribute("a", 1);
    EXPECT_EQ(kept->XML(), "<DriftScan a=\"1\"/>");
}

TEST(Whitespace, LayoutBetweenNodesIsDroppedButAWhitespaceValueStays)
{
    Loaded d("<r>\r\n\t<a> </a>\r\n  <!-- c -->\n  <b>\n</b>  <c>  x  </c>\n</r>");
    EXPECT_EQ(d.root()->ChildNodes()->Count(), 4);
    EXPECT_EQ(d.root()->ChildNodes()->Nodes("a")->Text(), " ");
    EXPECT_EQ(d.root()->ChildNodes()->Nodes("b")->Text(), "\n");
    EXPECT_EQ(d.root()->ChildNodes()->Nodes("c")->Text(), "  x  ");
}

TEST(TypedNodes, RegisteredChildrenAreWrappedWithTheirClass)
{
    Loaded d("<Mount Count=\"3\"><AzEl Azimuth=\"181.5\"/><Other/></Mount>");
    const auto mount = XMLNodeAs<TMount>(d.doc->GetDocBinding<TMount>("Mount"));
    EXPECT_EQ(mount->Get_Count(), 3);
    EXPECT_EQ(mount->Get_AzEl()->Get_Azimuth(), 181.5f);
    // Wrappers are reused while alive, so a typed node keeps its identity.
    EXPECT_EQ(mount->Get_AzEl(), mount->Get_AzEl());
    EXPECT_EQ(d.doc->DocumentElement(), mount);
    EXPECT_EQ(errorOf([&] { XMLNodeAs<TAzEl>(mount->ChildNodes()->Nodes("Other")); }),
              "Interface not supported");
    EXPECT_EQ(mount->Get_Name(), "");
    EXPECT_EQ(d.xml(), "<Mount Count=\"3\"><AzEl Azimuth=\"181.5\"/><Other/>  <Name></Name>\n"
                       "</Mount>\r\n");

    Loaded other("<Other/>");
    const IXMLNode root = other.doc->GetDocBinding<TMount>("Mount");
    EXPECT_EQ(root->NodeName(), "Other");
    EXPECT_EQ(errorOf([&] { XMLNodeAs<TMount>(root); }), "Interface not supported");
}

TEST(TypedNodes, AMissingTypedAttributeIsAddedEmptyAndFailsEachTime)
{
    Loaded d("<Mount/>");
    const auto mount = XMLNodeAs<TMount>(d.doc->GetDocBinding<TMount>("Mount"));
    const std::string message = "Could not convert variant of type (Null) into type (Integer)";
    EXPECT_EQ(errorOf([&] { mount->Get_Count(); }), message);
    EXPECT_EQ(errorOf([&] { mount->Get_Count(); }), message);
    EXPECT_EQ(d.xml(), "<Mount Count=\"\"/>\r\n");
    EXPECT_EQ(d.changes.size(), 1u);
}

TEST(Wrappers, NodesTakenBeforeALoadStaySafeToUse)
{
    Loaded d("<r><a>x</a></r>");
    const IXMLNode old = d.root()->ChildNodes()->Nodes("a");
    d.doc->LoadFromXML("<s/>");
    EXPECT_EQ(old->OwnerDocument(), nullptr);
    EXPECT_EQ(old->Text(), "x");
    old->SetText("y"); // changes the old tree only, without notifying the document
    EXPECT_FALSE(d.doc->Modified());
    EXPECT_EQ(d.xml(), "<s/>\r\n");
    EXPECT_EQ(old->ParentNode()->NodeName(), "r");
}
