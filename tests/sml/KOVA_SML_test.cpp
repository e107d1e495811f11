// Root binding and typed value conversion of the SML binding.
#include "KOVA_TestHelpers.h"

#include "sml/FloatText.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kovatest;

namespace
{

using Root = const IXMLKOVA_Station &;

const char *const kSmallSML = "<KOVA_Station><TitleBlock><Target/><Location/></TitleBlock>"
                              "<EquipmentSetup><Antenna><BPF/></Antenna><Receiver><Tuning/>"
                              "<A_To_D/></Receiver></EquipmentSetup></KOVA_Station>";

TEST(KOVA_StationRoot, BindsTheRootOfAnSMLDocument)
{
    auto doc = loadSML(kSmallSML);
    const auto root = GetKOVA_Station(*doc);
    EXPECT_EQ(root->NodeName(), "KOVA_Station");
    EXPECT_EQ(elementNames(root->Get_TitleBlock()), QStringList({"Target", "Location"}));
    EXPECT_EQ(elementNames(root->Get_EquipmentSetup()->Get_Receiver()),
              QStringList({"Tuning", "A_To_D"}));
    EXPECT_FALSE(doc->Modified());
}

TEST(KOVA_StationRoot, RejectsARootOfAnotherName)
{
    auto doc = loadSML("<KOVA_Stations><TitleBlock/></KOVA_Stations>");
    EXPECT_EQ(errorOf([&] { GetKOVA_Station(*doc); }), "Interface not supported");
    EXPECT_EQ(doc->DocumentElement()->NodeName(), "KOVA_Stations");
    EXPECT_EQ(doc->ChildNodes()->FindNode("KOVA_Station"), nullptr);
}

TEST(KOVA_StationRoot, CreatesAnEmptyRootInADocumentWithout)
{
    for (const bool activeFirst : {true, false}) {
        SCOPED_TRACE(activeFirst ? "active empty document" : "inactive document without source");
        TXMLDocument doc;
        if (activeFirst)
            doc.SetActive(true);
        const auto root = GetKOVA_Station(doc);
        ASSERT_TRUE(doc.Active());
        EXPECT_EQ(doc.DocumentElement()->NodeName(), "KOVA_Station");
        EXPECT_FALSE(root->HasChildNodes());
        EXPECT_EQ(root->AttributeNodes()->Count(), 0);

        // The typed tree grows from the empty root as items are set.
        root->Get_TitleBlock()->Get_Location()->Set_Latitude(51.4779f);
        root->Get_EquipmentSetup()->Get_Antenna()->Get_Mount()->Set_BirdBath("fixed");
        const auto again = loadSML(doc.SaveToXML());
        const auto reread = GetKOVA_Station(*again);
        EXPECT_EQ(reread->Get_TitleBlock()->Get_Location()->GetAttribute("Latitude"),
                  "51.4779014587402");
        EXPECT_EQ(reread->Get_EquipmentSetup()->Get_Antenna()->Get_Mount()->Get_BirdBath(),
                  "fixed");
        EXPECT_FALSE(again->Modified());
    }
}

// A typed getter of a missing attribute adds it empty, as the last attribute, and fails;
// reading again fails the same way without adding another one.
TEST(KOVA_TypedAttribute, MissingTypedAttributeIsAddedEmptyAndFails)
{
    auto doc = loadSML("<KOVA_Station><TitleBlock><Target ScanID=\"7\" Note=\"n\"/>"
                       "</TitleBlock></KOVA_Station>");
    const auto target = GetKOVA_Station(*doc)->Get_TitleBlock()->Get_Target();
    ASSERT_FALSE(doc->Modified());
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_EQ(errorOf([&] { target->Get_HitID(); }), conversionError("Null", "Integer"));
        EXPECT_EQ(attributeTexts(target), QStringList({"ScanID=7", "Note=n", "HitID="}));
        EXPECT_TRUE(doc->Modified());
    }
    EXPECT_EQ(target->Get_ScanID(), 7);
}

TEST(KOVA_TypedAttribute, MissingTextAttributeReadsEmptyAndIsAdded)
{
    auto doc = loadSML(kSmallSML);
    const auto location = GetKOVA_Station(*doc)->Get_TitleBlock()->Get_Location();
    EXPECT_EQ(location->Get_GridSquare(), "");
    EXPECT_TRUE(location->HasAttribute("GridSquare"));
    EXPECT_EQ(location->GetAttribute("GridSquare"), QString(""));
    EXPECT_TRUE(doc->Modified());
}

QString boolText(bool value)
{
    return value ? "true" : "false";
}

enum class Kind { Integer, Int64, Boolean, Single };

// Puts text into the attribute that the kind's getter reads, reads it back through the
// typed getter and gives the value as text (floats as general float text) or the error.
QString readTyped(Root root, Kind kind, const QString &text)
{
    const auto title = root->Get_TitleBlock();
    const auto bpf = root->Get_EquipmentSetup()->Get_Antenna()->Get_BPF();
    const std::function<QString()> readers[] = {
        [&] { return QString::number(title->Get_Target()->Get_HitID()); },
        [&] { return QString::number(bpf->Get_HiCutOff()); },
        [&] { return boolText(title->Get_Target()->Get_Falsified()); },
        [&] { return FloatToXMLText(title->Get_Location()->Get_Latitude()); },
    };
    const IXMLNode elements[] = {title->Get_Target(), bpf, title->Get_Target(),
                                 title->Get_Location()};
    const char *const names[] = {"HitID", "HiCutOff", "Falsified", "Latitude"};
    const auto k = static_cast<int>(kind);
    elements[k]->SetAttribute(names[k], text);
    QString result;
    const auto error = errorOf([&] { result = readers[k](); });
    // A failing read leaves the text as it was.
    EXPECT_EQ(elements[k]->GetAttribute(names[k]), text);
    return error.empty() ? result : QString::fromStdString(error);
}

TEST(KOVA_TypedAttribute, ReadsTextAsTypedValueOrFailsWithTheConversionMessage)
{
    const std::string overflowInteger =
        "Overflow while converting variant of type (OleStr) into type (Integer)";
    const struct {
        Kind kind;
        const char *text;
        std::string expected;
    } cases[] = {
        {Kind::Integer, "0", "0"},
        {Kind::Integer, "-5", "-5"},
        {Kind::Integer, "2147483647", "2147483647"},
        {Kind::Integer, "2147483648", overflowInteger},
        {Kind::Integer, "String", conversionError("OleStr", "Integer")},
        {Kind::Integer, "", conversionError("Null", "Integer")},
        {Kind::Integer, "$1F", "31"},
        {Kind::Integer, "True", "1"},
        {Kind::Int64, "2147483648", "2147483648"},
        {Kind::Int64, "10368100000", "10368100000"},
        {Kind::Int64, "-9223372036854775808", "-9223372036854775808"},
        {Kind::Int64, "String", conversionError("OleStr", "Int64")},
        {Kind::Int64, "", conversionError("Null", "Int64")},
        {Kind::Boolean, "true", "true"},
        {Kind::Boolean, "True", "true"},
        {Kind::Boolean, "TRUE", "true"},
        {Kind::Boolean, "1", "true"},
        {Kind::Boolean, "0", "false"},
        {Kind::Boolean, "false", "false"},
        {Kind::Boolean, "yes", conversionError("OleStr", "Boolean")},
        {Kind::Boolean, "", conversionError("Null", "Boolean")},
        {Kind::Single, "3.14159E0", "3.1415901184082"},
        {Kind::Single, "-73.25", "-73.25"},
        {Kind::Single, "String", conversionError("OleStr", "Double")},
        {Kind::Single, "", conversionError("Null", "Double")},
    };
    auto doc = loadSML(kSmallSML);
    const auto root = GetKOVA_Station(*doc);
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string("kind ") + std::to_string(static_cast<int>(c.kind)) + ", text \"" +
                     c.text + "\"");
        EXPECT_EQ(readTyped(root, c.kind, c.text).toStdString(), c.expected);
    }
}

// A case that sets item Name of the element at Path below the root to Value, which the
// document holds as Text; ToText shows the value read back in the same form.
// clang-format off
#define WRITE_CASE(Path, Name, Value, Text, ToText)                                                \
    {#Name " = " #Value, [](Root r) { r->Path->Set_##Name(Value); },                               \
     [](Root r) { return ToText(r->Path->Get_##Name()); },                                         \
     [](Root r) -> IXMLNode { return r->Path; }, #Name, Text}
// clang-format on

// Setters write the document text of the value, replacing an existing attribute in place,
// and the getter reads the very value back.
TEST(KOVA_TypedAttribute, SettersWriteTheDocumentTextAndReadBack)
{
    const struct {
        const char *what;
        std::function<void(Root)> set;
        std::function<QString(Root)> get;
        std::function<IXMLNode(Root)> element;
        const char *attribute;
        const char *text;
    } cases[] = {
        WRITE_CASE(Get_TitleBlock()->Get_Target(), HitID, -5, "-5", QString::number),
        WRITE_CASE(Get_TitleBlock()->Get_Target(), Falsified, false, "false", boolText),
        WRITE_CASE(Get_TitleBlock()->Get_Target(), Falsified, true, "true", boolText),
        WRITE_CASE(Get_TitleBlock()->Get_Location(), Latitude, 3.14159f, "3.1415901184082",
                   FloatToXMLText),
        WRITE_CASE(Get_TitleBlock()->Get_Location(), Longitude, 0.0001f, "9.99999974737875E-5",
                   FloatToXMLText),
        WRITE_CASE(Get_EquipmentSetup()->Get_Antenna()->Get_PointingCoordinates(), Az, 12.3f,
                   "12.3000001907349", FloatToXMLText),
        WRITE_CASE(Get_EquipmentSetup()->Get_Antenna()->Get_Mount()->Get_AzEl(), MaximumAzimuth,
                   360, "360", FloatToXMLText),
        WRITE_CASE(Get_EquipmentSetup()->Get_Antenna()->Get_BPF(), HiCutOff, 10368100000,
                   "10368100000", QString::number),
        WRITE_CASE(Get_EquipmentSetup()->Get_Receiver()->Get_Tuning(), Frequency, -4294967297,
                   "-4294967297", QString::number),
        WRITE_CASE(Get_EquipmentSetup()->Get_Receiver()->Get_A_To_D(), Stereo, false, "false",
                   boolText),
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        auto doc = loadSML(kSmallSML);
        const auto root = GetKOVA_Station(*doc);
        // Existing attributes around the one written keep their places.
        c.element(root)->SetAttribute("Before", "b");
        c.element(root)->SetAttribute(c.attribute, "old");
        c.element(root)->SetAttribute("After", "a");
        c.set(root);
        EXPECT_EQ(attributeTexts(c.element(root)),
                  QStringList({"Before=b", QString(c.attribute) + "=" + c.text, "After=a"}));
        EXPECT_EQ(c.get(root), QString(c.text));
    }
}

} // namespace
