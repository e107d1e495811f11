// Re-indentation of XML text for display.
#include "sml/EXMLDocError.h"
#include "sml/FormatXMLData.h"
#include "sml/TXMLDocument.h"

#include <gtest/gtest.h>

TEST(FormatXMLData, IndentsTwoSpacesPerLevelBelowTheRoot)
{
    const QString input = "<?xml version=\"1.0\" standalone=\"yes\"?><!-- station --><?app mode?>"
                          "<KOVA_Station a=\"1\" b=\"\"><TitleBlock><Version SML=\"1\"/><SysOp>Ann"
                          "</SysOp><Empty></Empty></TitleBlock><EquipmentSetup/></KOVA_Station>";
    EXPECT_EQ(FormatXMLData(input).toStdString(), "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n"
                                                  "<!-- station -->\r\n"
                                                  "<?app mode?>\r\n"
                                                  "<KOVA_Station a=\"1\" b=\"\">\n"
                                                  "  <TitleBlock>\n"
                                                  "    <Version SML=\"1\"/>\n"
                                                  "    <SysOp>Ann</SysOp>\n"
                                                  "    <Empty/>\n"
                                                  "  </TitleBlock>\n"
                                                  "  <EquipmentSetup/>\n"
                                                  "</KOVA_Station>\r\n");
}

TEST(FormatXMLData, Declarations)
{
    const struct {
        const char *input;
        const char *output;
    } cases[] = {
        {"", ""},
        {"<r/>", "<r/>\r\n"},
        {"<r encoding=\"x\"/>", "<r encoding=\"x\"/>\r\n"},
        {"<?xmlpi encoding=\"x\"?><r/>", "<?xmlpi encoding=\"x\"?>\r\n<r/>\r\n"},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?><r/>", "<?xml version=\"1.0\"?>\r\n<r/>\r\n"},
        {"<?xml version=\"1.0\" encoding='windows-1252'?>\r\n<r/>",
         "<?xml version=\"1.0\"?>\r\n<r/>\r\n"},
        {"<?xml version=\"1.0\" encoding=\"UTF-16\"?><r/>",
         "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<r/>\r\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatXMLData(QString::fromUtf8(c.input)).toStdString(), c.output) << c.input;
}

TEST(FormatXMLData, MixedContentKeepsItsTextAndAlreadyFormattedTextIsStable)
{
    EXPECT_EQ(FormatXMLData("<r>a<b/>c<![CDATA[d]]></r>").toStdString(),
              "<r>a  <b/>\nc  <![CDATA[d]]>\n</r>\r\n");
    const QString once = FormatXMLData("<r><a><b x=\"&amp;&lt;\">t &gt; u</b></a><c/></r>");
    EXPECT_EQ(FormatXMLData(once), once);
}

TEST(FormatXMLData, TheResultLoadsBackToTheSameTree)
{
    const QString input =
        "<?xml version=\"1.0\"?><!--c--><r xmlns:p=\"urn:x?a&amp;b\" p:k=\"v\"><p:a "
        "q=\"1\">x</p:a><b> </b><c><d>é</d><e/></c></r>";
    TXMLDocument original;
    original.LoadFromXML(input);
    TXMLDocument formatted;
    formatted.LoadFromXML(FormatXMLData(input));
    EXPECT_EQ(formatted.SaveToXML(), original.SaveToXML());
    EXPECT_EQ(formatted.DocumentElement()->ChildNodes()->Nodes("p:a")->NamespaceURI(), "urn:x?a&b");
}

TEST(FormatXMLData, MalformedTextThrowsTheParseError)
{
    try {
        FormatXMLData("<r><a></r>");
        FAIL() << "no error";
    } catch (const EXMLDocError &e) {
        EXPECT_STREQ(e.what(),
                     "Opening and ending tag mismatch: a line 1 and r\r\nLine: 1\r\n<r><a></r>");
    }
}
