#include "PageTestSupport.h"

#include "editor/TAntennaPage.h"
#include "editor/TIndicatorLight.h"
#include "editor/TNumericSpin.h"
#include "editor/TRadioGroup.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace pagetest;

namespace
{

const QString kAzElMount = QStringLiteral(
    R"(<Mount Manufacture="MountCo" Model="MX"><AzEl MaximumAzimuth="350" MinimumAzimuth="10" MaximumElevation="80" MinimumElevation="5"/></Mount>)");
const QString kCircularShape = QStringLiteral(
    R"(<Shape Note="dish"><Circular ReflectorDiameter="3" FocalLength="1.25" ReflectorDepth="0.5"/></Shape>)");
const QString kFullPointing = QStringLiteral(
    R"(<PointingCoordinates Az="12.5" El="40" DEC="-5.5" Ra="201.25" SkyMapLock="true"/>)");
const QString kFullHorn =
    QStringLiteral(R"(<Horn Shape="Conical" Feed="Vertical" Diameter="0.25" Note="horn note"/>)");

// An <Antenna> with the items the show step reads unconditionally, and the given parts.
QString antennaXml(const QString &mount = kAzElMount, const QString &shape = kCircularShape,
                   const QString &chain = QString(),
                   const QString &attributes = R"(Manufacture="Acme" Model="A1" Note="roof")",
                   const QString &pointing = kFullPointing, const QString &horn = kFullHorn)
{
    return QStringLiteral("<Antenna %1>%2%3%4%5%6</Antenna>")
        .arg(attributes, pointing, mount, shape, horn, chain);
}

class AntennaPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        page.resize(745, 545); // the page area of the window's tab
        page.show();
    }

    // Loads an equipment setup holding antenna and shows it.
    IXMLKOVA_Station_EquipmentSetup_Antenna show(const QString &antenna)
    {
        doc = setupDoc(antenna);
        return showDoc();
    }
    IXMLKOVA_Station_EquipmentSetup_Antenna showDoc()
    {
        node = doc->setup->Get_Antenna();
        page.AntennaSMLToControls(node);
        return node;
    }
    // Collects into the shown antenna and gives the compact XML of its child name.
    QString collectedChild(const QString &parent, const QString &child)
    {
        page.AntennaControlsToSML(node);
        const IXMLNode element =
            node->ChildNodes()->FindNode(parent)->ChildNodes()->FindNode(child);
        return element ? compact(element->XML()) : QStringLiteral("<absent>");
    }
    static void click(TRadioGroup *group, int index)
    {
        QTest::mouseClick(group->findChildren<QRadioButton *>().at(index), Qt::LeftButton);
    }

    TAntennaPage page;
    std::unique_ptr<TDoc> doc;
    IXMLKOVA_Station_EquipmentSetup_Antenna node;
};

TEST_F(AntennaPage, NumericFieldsStartWithTheirFormatsStepsAndLimits)
{
    struct Case {
        const char *name;
        TNumericEntry *field;
        const char *format;
        float increment;
        const char *text;
        bool limitMin;
        double min;
        bool limitMax;
        double max;
    };
    const Case cases[] = {
        {"nsAzMin", page.nsAzMin, "#0.0#", 1, "0.0", true, 0, true, 360},
        {"nsAzMax", page.nsAzMax, "#0.0#", 1, "0.0", true, 0, true, 360},
        {"nsElMin", page.nsElMin, "#0.0#", 1, "0.0", true, 0, true, 90},
        {"nsElMax", page.nsElMax, "#0.0#", 1, "0.0", true, 0, true, 90},
        {"nsReflectorDiameter", page.nsReflectorDiameter, "#0.0", 0.1f, "0.1", true, 0.1, false, 0},
        {"nsFocalLength", page.nsFocalLength, "#0.0#", 0.1f, "1.19", true, 0.1, false, 0},
        {"nsReflectorDepth", page.nsReflectorDepth, "#0.00#", 1, "0.10", true, 0.1, false, 0},
        {"nsShapeGain", page.nsShapeGain, "#0.0#", 0.1f, "0.1", true, 0, false, 0},
        {"nsHPBW", page.nsHPBW, "#0.0#", 0.1f, "0.1", true, 0.1, false, 0},
        {"neHornDiameter", page.neHornDiameter, "#0.#", 1, "0", false, 0, false, 0},
        {"nsLNAGain", page.nsLNAGain, "#0.00#", 0.1f, "0.00", true, 0, false, 0},
        {"nsLNANF", page.nsLNANF, "#0.00#", 0.1f, "0.00", true, 0, false, 0},
        {"nsL1", page.nsL1, "#0.#", 0.1f, "0.1", true, 0, false, 0},
        {"nsL2", page.nsL2, "#0.#", 0.1f, "0.1", true, 0, false, 0},
        {"nsL3", page.nsL3, "#0.#", 0.1f, "0.1", true, 0, false, 0},
        {"nsBPFLoss", page.nsBPFLoss, "#0.#", 0.1f, "0.1", true, 0, false, 0},
        {"neHiCutoff", page.neHiCutoff, "#,#", 1, "", false, 0, false, 0},
        {"neLoCutoff", page.neLoCutoff, "#,#", 1, "", false, 0, false, 0},
        {"nsRFAmpGain", page.nsRFAmpGain, "#00.#", 0.1f, "20", true, 0, false, 0},
        {"neDEC", page.neDEC, "#0.00#", 1, "0.00", false, 0, false, 0},
        {"neRa", page.neRa, "#0.00#", 1, "0.00", false, 0, false, 0},
        {"neAz", page.neAz, "#0.00#", 1, "0.00", false, 0, false, 0},
        {"neEl", page.neEl, "#0.00#", 1, "0.00", false, 0, false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.field->FormatStr(), QString::fromUtf8(c.format));
        EXPECT_FLOAT_EQ(c.field->Increment(), c.increment);
        EXPECT_EQ(c.field->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(c.field->Options().testFlag(TNumericEntry::eoLimitMin), c.limitMin);
        EXPECT_EQ(c.field->Options().testFlag(TNumericEntry::eoLimitMax), c.limitMax);
        if (c.limitMin) {
            EXPECT_DOUBLE_EQ(c.field->MinValue(), c.min);
        }
        if (c.limitMax) {
            EXPECT_DOUBLE_EQ(c.field->MaxValue(), c.max);
        }
    }
    EXPECT_EQ(page.neHiCutoff->ColorEditing(), QColor(255, 251, 240));
}

TEST_F(AntennaPage, StartsWithTheListedSelectionsBoxesAndTexts)
{
    EXPECT_EQ(page.rgMountType->ItemIndex(), mtAzEl);
    EXPECT_EQ(page.rgKind->ItemIndex(), 0);
    for (QCheckBox *box :
         {page.cbLNAInSystem, page.ckL1, page.ckL2, page.ckL3, page.ckBPFInSys, page.ckRFAmp})
        EXPECT_FALSE(box->isChecked()) << box->text().toStdString();
    EXPECT_FALSE(page.ledSkyMapLocked->Lit());
    EXPECT_EQ(page.edShapeNote->text(), " ");
    EXPECT_EQ(page.edRFAmpModel->text(), " ");
    EXPECT_EQ(page.edHornShape->maxLength(), 256);
    // The circular fields show, their labels and the other kind's fields do not.
    EXPECT_TRUE(page.nsReflectorDiameter->isVisible());
    EXPECT_FALSE(page.lblDia->isVisible());
    EXPECT_FALSE(page.nsShapeGain->isVisible());
    EXPECT_FALSE(page.lblHPBW->isVisible());
    // Hints: short text as tooltip, long text for the status bar.
    EXPECT_EQ(page.nsAzMin->toolTip(), "Min Az");
    EXPECT_EQ(page.nsAzMin->statusTip(), " Minimum Azimith of the mount in degrees");
    EXPECT_EQ(page.edAntennaManufacture->toolTip(), "");
    EXPECT_EQ(page.edAntennaManufacture->statusTip(), "Antenna Manufacture");
}

TEST_F(AntennaPage, ShowFallsBackForMissingTestedItems)
{
    struct Case {
        const char *name;
        QString attributes, pointing, horn, shape;
        const char *manufacture, *note, *dec, *ra, *hornShape, *hornDiameter, *shapeNote;
        bool locked;
    };
    const Case cases[] = {
        {"present", R"(Manufacture="Acme" Model="A1" Note="roof")", kFullPointing, kFullHorn,
         kCircularShape, "Acme", "roof", "-5.50", "201.25", "Conical", "0.3", "dish", true},
        {"missing", "", R"(<PointingCoordinates Az="1" El="2"/>)", "<Horn/>",
         R"(<Shape><Circular ReflectorDiameter="3" FocalLength="1" ReflectorDepth="1"/></Shape>)",
         "", "", "0.00", "0.00", "", "0", "", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        // Earlier texts must be replaced by the fall-backs, not kept.
        page.edAntennaManufacture->setText("old");
        page.edShapeNote->setText("old");
        page.neDEC->SetValue(7);
        show(antennaXml(kAzElMount, c.shape, {}, c.attributes, c.pointing, c.horn));
        EXPECT_EQ(page.edAntennaManufacture->text(), c.manufacture);
        EXPECT_EQ(page.edAntennaNote->text(), c.note);
        EXPECT_EQ(page.neDEC->text(), c.dec);
        EXPECT_EQ(page.neRa->text(), c.ra);
        EXPECT_EQ(page.ledSkyMapLocked->Lit(), c.locked);
        EXPECT_EQ(page.edHornShape->text(), c.hornShape);
        EXPECT_EQ(page.neHornDiameter->text(), c.hornDiameter);
        EXPECT_EQ(page.edShapeNote->text(), c.shapeNote);
    }
}

TEST_F(AntennaPage, MountKindsShowTheirLimitsAndCollectOneKindChild)
{
    struct Case {
        const char *name;
        QString mount;
        int preset; // selection before the show step
        int index;
        const char *azMin, *azMax, *elMin, *elMax;
        QString collected; // the kind child after the collect step
    };
    const Case cases[] = {
        {"AzEl clamped",
         R"(<Mount><AzEl MaximumAzimuth="400" MinimumAzimuth="10" MaximumElevation="95" MinimumElevation="5"/></Mount>)",
         mtDrift, mtAzEl, "10.0", "360.0", "5.0", "90.0",
         R"(<AzEl MaximumAzimuth="360" MinimumAzimuth="10" MaximumElevation="90" MinimumElevation="5"/>)"},
        {"DriftScan mirrored", R"(<Mount><DriftScan Azimuth="180" Elevation="45.5"/></Mount>)",
         mtAzEl, mtDrift, "180.0", "180.0", "45.5", "45.5",
         R"(<DriftScan Azimuth="180" Elevation="45.5"/>)"},
        {"BirdBath keeps its note", R"(<Mount><BirdBath>roof, fixed at zenith</BirdBath></Mount>)",
         mtAzEl, mtBirdBath, "0.0", "0.0", "90.0", "90.0",
         "<BirdBath>roof, fixed at zenith</BirdBath>"},
        {"empty BirdBath", R"(<Mount><BirdBath/></Mount>)", mtAzEl, mtBirdBath, "0.0", "0.0",
         "90.0", "90.0", "<BirdBath/>"},
        {"no kind keeps the selection", "<Mount/>", mtDrift, mtDrift, "0.0", "0.0", "0.0", "0.0",
         R"(<DriftScan Azimuth="0" Elevation="0"/>)"},
        {"unknown kind keeps the selection", "<Mount><Tripod/></Mount>", mtBirdBath, mtBirdBath,
         "0.0", "0.0", "0.0", "0.0", "<Tripod/><BirdBath/>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (TNumericSpin *f : {page.nsAzMin, page.nsAzMax, page.nsElMin, page.nsElMax})
            f->SetValue(0);
        page.rgMountType->SetItemIndex(c.preset);
        show(antennaXml(c.mount));
        EXPECT_EQ(page.rgMountType->ItemIndex(), c.index);
        EXPECT_EQ(page.nsAzMin->text(), c.azMin);
        EXPECT_EQ(page.nsAzMax->text(), c.azMax);
        EXPECT_EQ(page.nsElMin->text(), c.elMin);
        EXPECT_EQ(page.nsElMax->text(), c.elMax);
        page.AntennaControlsToSML(node);
        // Everything inside <Mount>: exactly one kind child.
        const QString mount = compact(node->ChildNodes()->FindNode("Mount")->XML());
        EXPECT_EQ(mount.mid(mount.indexOf('>') + 1).chopped(8), c.collected);
    }
}

TEST_F(AntennaPage, ChoosingAnotherMountKindReplacesTheKindChild)
{
    int collects = 0;
    page.OnCollectRequested = [&collects] { ++collects; };
    show(antennaXml(R"(<Mount><DriftScan Azimuth="180" Elevation="30"/></Mount>)"));
    click(page.rgMountType, mtAzEl);
    EXPECT_EQ(collects, 0) << "a new mount type waits for the next collect step";
    EXPECT_EQ(collectedChild("Mount", "DriftScan"), "<absent>");
    EXPECT_EQ(
        collectedChild("Mount", "AzEl"),
        R"(<AzEl MaximumAzimuth="180" MinimumAzimuth="180" MaximumElevation="30" MinimumElevation="30"/>)");
    // Choosing Bird Bath over another kind starts an empty note.
    click(page.rgMountType, mtBirdBath);
    EXPECT_EQ(collectedChild("Mount", "BirdBath"), "<BirdBath/>");
}

TEST_F(AntennaPage, ShapeKindsShowTheirFieldsWithoutWritingTheDocument)
{
    struct Case {
        const char *name;
        QString shape;
        int preset;
        int index;
        bool circularShown, otherShown;
    };
    const Case cases[] = {
        {"Circular", kCircularShape, 1, 0, true, false},
        {"Other", R"(<Shape><Other ShapeGain="-3.5" HPBW="0"/></Shape>)", 0, 1, false, true},
        {"no kind", "<Shape/>", 1, 1, false, false},
    };
    int collects = 0;
    page.OnCollectRequested = [&collects] { ++collects; };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        page.rgKind->SetItemIndex(c.preset);
        doc = setupDoc(antennaXml(kAzElMount, c.shape));
        node = doc->setup->Get_Antenna();
        const QString before = node->Get_Shape()->XML();
        page.AntennaSMLToControls(node);
        EXPECT_EQ(node->Get_Shape()->XML(), before);
        EXPECT_EQ(page.rgKind->ItemIndex(), c.index);
        for (QWidget *w : std::initializer_list<QWidget *>{page.nsReflectorDiameter, page.lblDia,
                                                           page.nsFocalLength, page.lblFl,
                                                           page.nsReflectorDepth, page.lblRD})
            EXPECT_EQ(w->isVisible(), c.circularShown);
        for (QWidget *w : std::initializer_list<QWidget *>{page.nsShapeGain, page.lblShapeGain,
                                                           page.nsHPBW, page.lblHPBW})
            EXPECT_EQ(w->isVisible(), c.otherShown);
    }
    EXPECT_EQ(collects, 0);
    // Other's values bypass the limits (HPBW 0 under a 0.1 minimum).
    show(antennaXml(kAzElMount, R"(<Shape><Other ShapeGain="-3.5" HPBW="0"/></Shape>)"));
    EXPECT_EQ(page.nsShapeGain->text(), "-3.5");
    EXPECT_EQ(page.nsHPBW->text(), "0.0");
}

TEST_F(AntennaPage, CircularValuesKeepTheirMinimumAndAreRewrittenAsFloatText)
{
    show(antennaXml(
        kAzElMount,
        R"(<Shape Note="dish"><Circular ReflectorDepth="0.5" ReflectorDiameter="0" FocalLength="1.25"/></Shape>)"));
    EXPECT_EQ(page.nsReflectorDiameter->text(), "0.1");
    EXPECT_EQ(
        collectedChild("Shape", "Circular"),
        R"(<Circular ReflectorDiameter="0.100000001490116" FocalLength="1.25" ReflectorDepth="0.5"/>)");
}

TEST_F(AntennaPage, ClickingAShapeKindCollectsAtOnce)
{
    show(antennaXml());
    page.OnCollectRequested = [this] { page.AntennaControlsToSML(node); };
    page.nsShapeGain->SetValue(12.5);
    click(page.rgKind, 1);
    EXPECT_FALSE(page.nsReflectorDiameter->isVisible());
    EXPECT_FALSE(page.lblDia->isVisible());
    EXPECT_TRUE(page.nsShapeGain->isVisible());
    EXPECT_TRUE(page.lblHPBW->isVisible());
    const IXMLNode shape = node->ChildNodes()->FindNode("Shape");
    EXPECT_EQ(shape->ChildNodes()->FindNode("Circular"), nullptr);
    EXPECT_EQ(attr(shape, "Other", "ShapeGain"), "12.5");

    click(page.rgKind, 0);
    EXPECT_TRUE(page.nsReflectorDiameter->isVisible());
    EXPECT_EQ(shape->ChildNodes()->FindNode("Other"), nullptr);
    EXPECT_EQ(attr(shape, "Circular", "ReflectorDiameter"), "3");
}

TEST_F(AntennaPage, OptionalChainElementsFollowTheirBoxes)
{
    struct Case {
        const char *name;
        QCheckBox *TAntennaPage::*box;
    };
    const Case cases[] = {{"LNA", &TAntennaPage::cbLNAInSystem}, {"L1", &TAntennaPage::ckL1},
                          {"BPF", &TAntennaPage::ckBPFInSys},    {"L2", &TAntennaPage::ckL2},
                          {"RFAmp", &TAntennaPage::ckRFAmp},     {"L3", &TAntennaPage::ckL3}};
    doc = defaultDoc();
    showDoc();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QCheckBox *box = page.*c.box;
        EXPECT_TRUE(box->isChecked());
        box->setChecked(false);
        page.AntennaControlsToSML(node);
        EXPECT_EQ(node->ChildNodes()->FindNode(c.name), nullptr);
        page.AntennaSMLToControls(node);
        EXPECT_FALSE(box->isChecked());

        box->setChecked(true);
        page.AntennaControlsToSML(node);
        EXPECT_EQ(node->ChildNodes()->Last()->NodeType(), TNodeType::ntText); // indentation
        IXMLNode last;
        for (int i = node->ChildNodes()->Count() - 1; i >= 0 && !last; --i)
            if (node->ChildNodes()->Nodes(i)->NodeType() == TNodeType::ntElement)
                last = node->ChildNodes()->Nodes(i);
        EXPECT_EQ(last->NodeName(), c.name);
    }
}

TEST_F(AntennaPage, LineLossesAreWrittenAsGeneralFloatText)
{
    show(antennaXml());
    for (QCheckBox *box : {page.ckL1, page.ckL2, page.ckL3})
        box->setChecked(true);
    page.nsL2->SetValue(3.14159);
    page.AntennaControlsToSML(node);
    EXPECT_EQ(attr(node, "L1", "InsertionLoss"), "0.100000001490116");
    EXPECT_EQ(attr(node, "L2", "InsertionLoss"), "3.1415901184082");
    EXPECT_EQ(attr(node, "L3", "InsertionLoss"), "0.100000001490116");
}

TEST_F(AntennaPage, EmptyAntennaTextsKeepTheDocumentsButMountTextsAreWritten)
{
    show(antennaXml());
    page.edAntennaManufacture->clear();
    page.edMountManufacture->clear();
    page.edShapeNote->clear();
    page.AntennaControlsToSML(node);
    EXPECT_EQ(attr(node, "", "Manufacture"), "Acme");
    EXPECT_EQ(attr(node, "Mount", "Manufacture"), "");
    EXPECT_EQ(attr(node, "Shape", "Note"), "dish");
}

TEST_F(AntennaPage, MicrowaveFilterEdgesSurviveShowAndCollect)
{
    const struct {
        const char *hi, *lo, *shown;
    } cases[] = {
        {"10000000000", "9500000000", "10,000,000,000"},
        {"9223372036854775807", "-9223372036854775808", "9,223,372,036,854,775,807"},
        {"2147483648", "0", "2,147,483,648"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.hi);
        show(antennaXml(
            kAzElMount, kCircularShape,
            QStringLiteral(R"(<BPF HiCutOff="%1" LoCutOff="%2" InsertionLoss="1" Note=""/>)")
                .arg(c.hi, c.lo)));
        EXPECT_EQ(page.neHiCutoff->text(), c.shown);
        page.AntennaControlsToSML(node);
        EXPECT_EQ(attr(node, "BPF", "HiCutOff"), c.hi);
        EXPECT_EQ(attr(node, "BPF", "LoCutOff"), c.lo);
    }
}

TEST_F(AntennaPage, DefaultDocumentChangesOnlyByTheKindRebuildAndFloatText)
{
    doc = defaultDoc();
    const QString before = compact(doc->setup->Get_Antenna()->XML());
    showDoc();
    EXPECT_EQ(page.rgMountType->ItemIndex(), mtBirdBath);
    EXPECT_TRUE(page.ledSkyMapLocked->Lit());
    page.AntennaControlsToSML(node);

    // Every single value is rewritten in the general float text; the Circular child is
    // rebuilt with its attributes in the page's order; the Bird Bath note stays.
    QString expected = before;
    expected.replace("3.14159E0", "3.1415901184082");
    expected.replace(
        R"(<Circular ReflectorDepth="3.1415901184082" ReflectorDiameter="3.1415901184082" FocalLength="3.1415901184082"/>)",
        R"(<Circular ReflectorDiameter="3.1415901184082" FocalLength="3.1415901184082" ReflectorDepth="3.1415901184082"/>)");
    EXPECT_EQ(compact(node->XML()), expected);
    EXPECT_TRUE(expected.contains("<BirdBath>text</BirdBath>"));
}

TEST_F(AntennaPage, PropertiesFillFieldsWithoutCollecting)
{
    int collects = 0;
    page.OnCollectRequested = [&collects] { ++collects; };
    page.setMountType(mtDrift);
    page.setAzimuthMaximum(400); // through SetValue: the limit applies
    page.setElevationMinimum(-3);
    page.setSkyMapLocked(true);
    page.setBPFInSystem(true);
    page.setRightAscension(12.345f);
    EXPECT_EQ(page.rgMountType->ItemIndex(), mtDrift);
    EXPECT_EQ(page.nsAzMax->text(), "360.0");
    EXPECT_EQ(page.nsElMin->text(), "0.0");
    EXPECT_TRUE(page.ledSkyMapLocked->Lit());
    EXPECT_TRUE(page.ckBPFInSys->isChecked());
    EXPECT_EQ(page.neRa->text(), "12.345");
    EXPECT_EQ(collects, 0);
}

TEST_F(AntennaPage, LabelsAreNotClippedAtTheWindowsPageSize)
{
    doc = defaultDoc();
    showDoc();
    pagetest::expectFitsTheWindowsPageArea(page, "antenna");
}

} // namespace
