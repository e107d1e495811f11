// The title block, antenna and receiver vocabulary: where accessors create items, which
// element each same-named accessor reaches, and free text kept as set.
#include "KOVA_TestHelpers.h"

#include <gtest/gtest.h>

#include <functional>

using namespace kovatest;

namespace
{

using Root = const IXMLKOVA_Station &;

// A getter or setter of an absent item appends it after its parent's last element; the
// name lookup alone (FindNode) never creates it.
TEST(KOVA_Vocabulary, AccessorsAppendMissingElementsLast)
{
    const struct {
        const char *xml;
        std::function<IXMLNode(Root)> parent;
        const char *name;
        std::function<void(Root)> access;
        QStringList after;
    } cases[] = {
        {"<KOVA_Station><TitleBlock><Version/><Files/></TitleBlock></KOVA_Station>",
         [](Root r) { return r->Get_TitleBlock(); },
         "OperatingMode",
         [](Root r) { EXPECT_EQ(r->Get_TitleBlock()->Get_OperatingMode(), ""); },
         {"Version", "Files", "OperatingMode"}},
        {"<KOVA_Station><TitleBlock><Target/><Files/></TitleBlock></KOVA_Station>",
         [](Root r) { return r->Get_TitleBlock(); },
         "Version",
         [](Root r) { r->Get_TitleBlock()->Get_Version(); },
         {"Target", "Files", "Version"}},
        {"<KOVA_Station><TitleBlock><Personel><SysOp>Ann</SysOp></Personel></TitleBlock>"
         "</KOVA_Station>",
         [](Root r) { return r->Get_TitleBlock()->Get_Personel(); },
         "Observers",
         [](Root r) { r->Get_TitleBlock()->Get_Personel()->Set_Observers("Bob, Eve"); },
         {"SysOp", "Observers"}},
        {"<KOVA_Station><EquipmentSetup><Antenna><Mount/><L3/></Antenna></EquipmentSetup>"
         "</KOVA_Station>",
         [](Root r) { return r->Get_EquipmentSetup()->Get_Antenna(); },
         "LNA",
         [](Root r) { r->Get_EquipmentSetup()->Get_Antenna()->Get_LNA(); },
         {"Mount", "L3", "LNA"}},
        {"<KOVA_Station><EquipmentSetup><Antenna><Mount><BirdBath>x</BirdBath></Mount>"
         "</Antenna></EquipmentSetup></KOVA_Station>",
         [](Root r) { return r->Get_EquipmentSetup()->Get_Antenna()->Get_Mount(); },
         "AzEl",
         [](Root r) { r->Get_EquipmentSetup()->Get_Antenna()->Get_Mount()->Get_AzEl(); },
         {"BirdBath", "AzEl"}},
        {"<KOVA_Station><EquipmentSetup><Receiver><Tuning/><AnalogFilter/></Receiver>"
         "</EquipmentSetup></KOVA_Station>",
         [](Root r) { return r->Get_EquipmentSetup()->Get_Receiver(); },
         "DSP",
         [](Root r) { r->Get_EquipmentSetup()->Get_Receiver()->Get_DSP(); },
         {"Tuning", "AnalogFilter", "DSP"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        auto doc = loadSML(c.xml);
        const auto root = GetKOVA_Station(*doc);
        const auto parent = c.parent(root);
        EXPECT_EQ(parent->ChildNodes()->FindNode(c.name), nullptr);
        const QStringList before = elementNames(parent);
        EXPECT_FALSE(doc->Modified());
        c.access(root);
        EXPECT_EQ(elementNames(parent), c.after) << "before: " << before.join(",").toStdString();
        EXPECT_TRUE(doc->Modified());
    }
    // The new Observers element holds the text set.
    auto doc = loadSML(cases[2].xml);
    const auto personel = GetKOVA_Station(*doc)->Get_TitleBlock()->Get_Personel();
    personel->Set_Observers("Bob, Eve");
    EXPECT_EQ(personel->ChildNodes()->FindNode("Observers")->Text(), "Bob, Eve");
    EXPECT_EQ(personel->Get_SysOp(), "Ann");
}

// Reaching a mount kind that is absent adds it beside the present one; a float getter on
// the new, empty element then adds its attribute empty and fails.
TEST(KOVA_Vocabulary, NewMountKindHasNoValuesYet)
{
    auto doc = loadSML("<KOVA_Station><EquipmentSetup><Antenna><Mount Model=\"m\"><BirdBath>x"
                       "</BirdBath></Mount></Antenna></EquipmentSetup></KOVA_Station>");
    const auto mount = GetKOVA_Station(*doc)->Get_EquipmentSetup()->Get_Antenna()->Get_Mount();
    const auto azel = mount->Get_AzEl();
    EXPECT_EQ(errorOf([&] { azel->Get_MaximumAzimuth(); }), conversionError("Null", "Double"));
    EXPECT_EQ(attributeTexts(azel), QStringList({"MaximumAzimuth="}));
    azel->Set_MaximumAzimuth(360);
    EXPECT_EQ(azel->GetAttribute("MaximumAzimuth"), QString("360"));
    EXPECT_EQ(mount->Get_BirdBath(), "x");
    EXPECT_EQ(mount->ChildNodes()->First()->LocalName(), "BirdBath");
}

// The kinds absent from the default document are written by name only through their setters:
// each setter writes the attribute the stored files use.
TEST(KOVA_Vocabulary, AbsentKindsWriteTheirAttributesByName)
{
    auto doc = loadSML("<KOVA_Station/>");
    const auto antenna = GetKOVA_Station(*doc)->Get_EquipmentSetup()->Get_Antenna();
    const auto azel = antenna->Get_Mount()->Get_AzEl();
    azel->Set_MaximumAzimuth(1);
    azel->Set_MinimumAzimuth(2);
    azel->Set_MaximumElevation(3);
    azel->Set_MinimumElevation(4);
    const auto drift = antenna->Get_Mount()->Get_DriftScan();
    drift->Set_Azimuth(5);
    drift->Set_Elevation(6);
    const auto other = antenna->Get_Shape()->Get_Other();
    other->Set_ShapeGain(7);
    other->Set_HPBW(8);
    EXPECT_EQ(attributeTexts(azel), QStringList({"MaximumAzimuth=1", "MinimumAzimuth=2",
                                                 "MaximumElevation=3", "MinimumElevation=4"}));
    EXPECT_EQ(attributeTexts(drift), QStringList({"Azimuth=5", "Elevation=6"}));
    EXPECT_EQ(attributeTexts(other), QStringList({"ShapeGain=7", "HPBW=8"}));
    EXPECT_EQ(elementNames(antenna->Get_Mount()), QStringList({"AzEl", "DriftScan"}));
    EXPECT_EQ(elementNames(antenna->Get_Shape()), QStringList({"Other"}));
}

QString same(const QString &text)
{
    return text;
}
float toFloat(const QString &text)
{
    return text.toFloat();
}
QString fromFloat(float value)
{
    return QString::number(value);
}

// A case that sets and gets item Name of the element at Path below the root.
// clang-format off
#define SAME_NAME_CASE(Path, Name, FromText, ToText)                                               \
    {#Path, [](Root r) -> IXMLNode { return r->Path; }, #Name,                                     \
     [](Root r, const QString &v) { r->Path->Set_##Name(FromText(v)); },                           \
     [](Root r) { return ToText(r->Path->Get_##Name()); }}
// clang-format on

// Accessors of the same name on different elements each reach their own element.
TEST(KOVA_Vocabulary, SameNamedAccessorsReachTheirOwnElement)
{
    const struct {
        const char *what;
        std::function<IXMLNode(Root)> element;
        const char *attribute;
        std::function<void(Root, const QString &)> set;
        std::function<QString(Root)> get;
    } cases[] = {
        SAME_NAME_CASE(Get_TitleBlock()->Get_Target(), Note, same, same),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Antenna(), Note, same, same),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Antenna()->Get_Shape(), Note, same, same),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Antenna()->Get_Horn(), Note, same, same),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Antenna()->Get_LNA(), Note, same, same),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Antenna()->Get_BPF(), Note, same, same),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Antenna()->Get_RFAmp(), Note, same, same),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Receiver(), Note, same, same),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Receiver()->Get_Tuning(), Note, same, same),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Receiver()->Get_A_To_D(), Note, same, same),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Receiver()->Get_WeightingWindow(), Note, same,
                       same),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Receiver()->Get_DSP(), Note, same, same),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Receiver()->Get_DigitalFilter(), Note, same, same),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Antenna()->Get_L1(), InsertionLoss, toFloat,
                       fromFloat),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Antenna()->Get_L2(), InsertionLoss, toFloat,
                       fromFloat),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Antenna()->Get_L3(), InsertionLoss, toFloat,
                       fromFloat),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Antenna()->Get_BPF(), InsertionLoss, toFloat,
                       fromFloat),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Receiver()->Get_TimeKeeping(), Description, same,
                       same),
        SAME_NAME_CASE(Get_EquipmentSetup()->Get_Receiver()->Get_AnalogFilter(), Description, same,
                       same),
    };
    auto doc = loadSML("<KOVA_Station/>");
    const auto root = GetKOVA_Station(*doc);
    const auto valueOf = [](int i) { return QString::number(i) + ".5"; };
    for (int i = 0; i < int(std::size(cases)); ++i)
        cases[i].set(root, valueOf(i));
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(cases[i].what);
        EXPECT_EQ(cases[i].element(root)->GetAttribute(cases[i].attribute), valueOf(i));
        EXPECT_EQ(cases[i].get(root), valueOf(i));
    }
}

// Free-text items hold exactly what was set, also through a save and a reload: no date
// parsing, no trimming, markup characters and non-ASCII text kept.
TEST(KOVA_Vocabulary, FreeTextIsKeptAsSet)
{
    const struct {
        const char *what;
        std::function<void(Root, const QString &)> set;
        std::function<QString(Root)> get;
    } cases[] = {
        {"Date",
         [](Root r, const QString &v) { r->Get_TitleBlock()->Get_CreatedOn()->Set_Date(v); },
         [](Root r) { return r->Get_TitleBlock()->Get_CreatedOn()->Get_Date(); }},
        {"Time",
         [](Root r, const QString &v) { r->Get_TitleBlock()->Get_CreatedOn()->Set_Time(v); },
         [](Root r) { return r->Get_TitleBlock()->Get_CreatedOn()->Get_Time(); }},
        {"OperatingMode",
         [](Root r, const QString &v) { r->Get_TitleBlock()->Set_OperatingMode(v); },
         [](Root r) { return r->Get_TitleBlock()->Get_OperatingMode(); }},
        {"SysOp",
         [](Root r, const QString &v) { r->Get_TitleBlock()->Get_Personel()->Set_SysOp(v); },
         [](Root r) { return r->Get_TitleBlock()->Get_Personel()->Get_SysOp(); }},
        {"Files WAV",
         [](Root r, const QString &v) { r->Get_TitleBlock()->Get_Files()->Set_WAV(v); },
         [](Root r) { return r->Get_TitleBlock()->Get_Files()->Get_WAV(); }},
        {"SpectrumSize",
         [](Root r, const QString &v) {
             r->Get_EquipmentSetup()->Get_Receiver()->Get_SpectrumAnalyzer()->Set_SpectrumSize(v);
         },
         [](Root r) {
             return r->Get_EquipmentSetup()
                 ->Get_Receiver()
                 ->Get_SpectrumAnalyzer()
                 ->Get_SpectrumSize();
         }},
        {"BirdBath",
         [](Root r, const QString &v) {
             r->Get_EquipmentSetup()->Get_Antenna()->Get_Mount()->Set_BirdBath(v);
         },
         [](Root r) {
             return r->Get_EquipmentSetup()->Get_Antenna()->Get_Mount()->Get_BirdBath();
         }},
    };
    const QString texts[] = {"13/08/1967", "  2:20 PM  ", "",
                             QString::fromUtf8("Ångström & <Søren> \"quoted\" 'single'"),
                             "/data/2026-12-09 scan #4/rec.wav"};
    for (const auto &text : texts) {
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(c.what) + " = \"" + text.toStdString() + "\"");
            auto doc = loadSML("<KOVA_Station/>");
            c.set(GetKOVA_Station(*doc), text);
            EXPECT_EQ(c.get(GetKOVA_Station(*doc)), text);
            const auto reloaded = loadSML(doc->SaveToXML());
            EXPECT_EQ(c.get(GetKOVA_Station(*reloaded)), text);
            EXPECT_FALSE(reloaded->Modified());
        }
    }
}

} // namespace
