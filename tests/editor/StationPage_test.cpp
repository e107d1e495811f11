#include "editor/TIndicatorLight.h"
#include "editor/TNumericEntry.h"
#include "editor/TStationPage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

const char *const kFullTitleBlock = R"(<KOVA_Station><TitleBlock>
<Version XML="1.0" SML="2.1" KOVA="3.2" CreatedOn="09/12/2026 22:00:00"/>
<Target ConstellationName="Lyra" ConstID="7" TargetName="Vega" TargetID="42" ScanID="1001" HitID="-5" KOVADataID="2147483647" Falsified="true" Note="strong &amp; narrow"/>
<CreatedOn Date="2026-12-09" Time="22:00"/>
<OperatingMode>Stare</OperatingMode>
<Location GridSquare="JO01" Latitude="51.5" Longitude="-0.25"/>
<Personel><SysOp>Ann</SysOp><Observers>Bo, Cy</Observers></Personel>
<Files SML="/data/obs/a.sml" JPG="/data/obs/a.jpg" WAV="/data/obs/a.wav"/>
</TitleBlock></KOVA_Station>)";

// A document and its typed title block.
struct Doc {
    explicit Doc(const char *xml)
    {
        document.LoadFromXML(QString::fromUtf8(xml));
        title = GetKOVA_Station(document)->Get_TitleBlock();
    }
    QString xml() const { return title->XML(); }

    TXMLDocument document;
    IXMLKOVA_Station_TitleBlock title;
};

class StationPage : public ::testing::Test
{
protected:
    StationPage()
    {
        page.setLocale(QLocale::c());
        for (TNumericEntry *field : page.findChildren<TNumericEntry *>())
            field->setLocale(QLocale::c());
        page.InstallSMLGroup(new QGroupBox(QStringLiteral("SML")), &smlBox);
    }

    void collect(Doc &doc, const QString &sml = QStringLiteral("/data/obs/a.sml"))
    {
        page.TitleControlsToSML(doc.title, sml, QStringLiteral("/data/obs/a.jpg"),
                                QStringLiteral("/data/obs/a.wav"));
    }

    TStationPage page;
    QLineEdit smlBox;
};

TEST_F(StationPage, StartsWithTheListedTextsAndHints)
{
    const std::pair<QWidget *, const char *> texts[] = {
        {page.lblTitleBlock, "KOVA Station"},
        {page.LblHints, "LblHints"},
        {page.edObserverNames, "none"},
        {page.edGridSquare, "text"},
        {page.neDecLat, "0.0"},
        {page.neConstID, "0"},
        {page.lblXMLVersion, "[no doc. loaded]"},
        {page.edWAVFileName, " {WAV file Name - auto set}"},
        {page.edJPGFileName, "{JPG file Name - auto set}"},
        {page.gbStationLocation, "Station Location and Grid Square  Identifier"},
        {page.btnSaveWAV, " Tag && Save"},
        {page.btnSaveAsJPG, "Tag && SaveAs"},
    };
    for (const auto &[widget, text] : texts) {
        QString shown;
        if (auto *l = qobject_cast<QLabel *>(widget))
            shown = l->text();
        else if (auto *e = qobject_cast<QLineEdit *>(widget))
            shown = e->text();
        else if (auto *g = qobject_cast<QGroupBox *>(widget))
            shown = g->title();
        else if (auto *b = qobject_cast<QPushButton *>(widget))
            shown = b->text();
        EXPECT_EQ(shown.toStdString(), text) << widget->objectName().toStdString();
    }
    // Short text as tooltip, long text as status tip; a hint without "|" is both.
    EXPECT_EQ(page.edConstellationName->toolTip(), "Constellation");
    EXPECT_EQ(page.edConstellationName->statusTip(), "Location of the Target");
    EXPECT_EQ(page.edTargetName->toolTip(), "Star:Star name or other target");
    EXPECT_EQ(page.edTargetName->statusTip(), "Star:Star name or other target");
    EXPECT_EQ(page.gbFiles->toolTip(), "");
    EXPECT_EQ(page.gbFiles->statusTip(), "Select *.SML and *.WAV files");

    EXPECT_FALSE(page.cbFalsified->isEnabled());
    EXPECT_FALSE(page.neHitID->EditorEnabled());
    EXPECT_TRUE(page.neDecLat->EditorEnabled());
    EXPECT_EQ(page.JvImage1->size(), QSize(181, 137));
    EXPECT_FALSE(page.btnSaveWAV->isEnabled());
    EXPECT_TRUE(page.btnSaveJPG->isEnabled());
    EXPECT_FALSE(page.ledWAVOpen->Lit());
    EXPECT_TRUE(page.edWAVFileName->isReadOnly());
}

TEST_F(StationPage, ShowsEveryMappedItem)
{
    Doc doc(kFullTitleBlock);
    page.TitleSMLToControls(doc.title);
    const std::pair<QWidget *, const char *> texts[] = {
        {page.lblXMLVersion, "1.0"},
        {page.lblSMLVersion, "2.1"},
        {page.lblKOVAVersion, "3.2"},
        {page.edDateTimeUTC, "09/12/2026 22:00:00"},
        {page.edConstellationName, "Lyra"},
        {page.edTargetName, "Vega"},
        {page.edTargetNote, "strong & narrow"},
        {page.edOpMode, "Stare"},
        {page.edGridSquare, "JO01"},
        {page.edSysOpName, "Ann"},
        {page.edObserverNames, "Bo, Cy"},
        {&smlBox, "/data/obs/a.sml"},
        {page.edJPGFileName, "/data/obs/a.jpg"},
        {page.edWAVFileName, "/data/obs/a.wav"},
        {page.neDecLat, "51.5"},
        {page.neDecLon, "-0.25"},
    };
    for (const auto &[widget, text] : texts) {
        const auto *label = qobject_cast<QLabel *>(widget);
        const QString shown = label ? label->text() : qobject_cast<QLineEdit *>(widget)->text();
        EXPECT_EQ(shown.toStdString(), text) << widget->objectName().toStdString();
    }
    EXPECT_EQ(page.neConstID->ValueAsInt(), 7);
    EXPECT_EQ(page.neTargetID->ValueAsInt(), 42);
    EXPECT_EQ(page.neScanID->ValueAsInt(), 1001);
    EXPECT_EQ(page.neHitID->ValueAsInt(), -5);
    EXPECT_EQ(page.neKOVADataID->ValueAsInt(), 2147483647);
    EXPECT_TRUE(page.cbFalsified->isChecked());
    EXPECT_EQ(page.neDecLat->Value(), 51.5);
}

TEST_F(StationPage, ShowThenCollectLeavesACompleteTitleBlockAsItWas)
{
    Doc doc(kFullTitleBlock);
    const QString before = doc.xml();
    page.TitleSMLToControls(doc.title);
    collect(doc);
    EXPECT_EQ(doc.xml().toStdString(), before.toStdString());
}

TEST_F(StationPage, ShowingADocumentKeepsItsPositionThroughTheNextSave)
{
    // The position of a shown document must be what the next save writes, not the
    // previous document's position or 0.
    Doc first(kFullTitleBlock);
    page.TitleSMLToControls(first.title);
    Doc second(
        R"(<KOVA_Station><TitleBlock><Target ConstID="1" TargetID="1" ScanID="1" HitID="1" KOVADataID="1" Falsified="false"/>
<Location GridSquare="IO91" Latitude="51.4778" Longitude="-0.0015"/></TitleBlock></KOVA_Station>)");
    page.TitleSMLToControls(second.title);
    EXPECT_EQ(page.neDecLat->text(), "51.48");
    collect(second);
    const auto location = second.title->Get_Location();
    EXPECT_EQ(location->Get_Latitude(), 51.4778f);
    EXPECT_EQ(location->Get_Longitude(), -0.0015f);
    EXPECT_FALSE(page.cbFalsified->isChecked());
}

TEST_F(StationPage, MissingItemsShowTheirFallBacksAndTheCollectWritesThem)
{
    Doc doc(R"(<KOVA_Station><TitleBlock><Version CreatedOn="x"/>
<Target ConstID="1" TargetID="2" ScanID="3" HitID="4" KOVADataID="5" Falsified="false"/>
<Location GridSquare="JO01"/><Personel><SysOp>Ann</SysOp></Personel></TitleBlock></KOVA_Station>)");
    page.neDecLat->SetValue(12);
    page.edTargetNote->setText(QStringLiteral("old note"));
    page.TitleSMLToControls(doc.title);
    EXPECT_EQ(page.lblXMLVersion->text(), "unknown");
    EXPECT_EQ(page.lblSMLVersion->text(), "unknown");
    EXPECT_EQ(page.lblKOVAVersion->text(), "unknown");
    EXPECT_EQ(page.edObserverNames->text(), "No Observers");
    EXPECT_EQ(page.edTargetNote->text(), "");
    EXPECT_EQ(page.neDecLat->Value(), 0);

    collect(doc);
    const auto version = doc.title->Get_Version();
    EXPECT_EQ(version->GetAttribute("SML"), QStringLiteral("unknown"));
    EXPECT_EQ(version->GetAttribute("KOVA"), QStringLiteral("unknown"));
    EXPECT_EQ(doc.title->Get_Personel()->Get_Observers(), "No Observers");
    EXPECT_TRUE(doc.title->Get_Target()->HasAttribute("Note"));
    EXPECT_EQ(doc.title->Get_Target()->Get_Note(), "");

    // Markup in a version is shown as typed, not rendered as a bold "2".
    doc.title->Get_Version()->SetAttribute(QStringLiteral("SML"), QStringLiteral("<b>2</b>"));
    page.TitleSMLToControls(doc.title);
    EXPECT_GT(page.lblSMLVersion->sizeHint().width(),
              page.lblSMLVersion->fontMetrics().horizontalAdvance(QStringLiteral("<b>2")));
}

TEST_F(StationPage, APositionThatIsNotANumberShowsZeroAndStopsNothing)
{
    Doc doc(
        R"(<KOVA_Station><TitleBlock><Target ConstID="0" TargetID="0" ScanID="0" HitID="0" KOVADataID="0" Falsified="false"/>
<Location Latitude="north" Longitude="1e99"/><Personel><SysOp>Ann</SysOp></Personel></TitleBlock></KOVA_Station>)");
    page.neDecLat->SetValue(5);
    page.neDecLon->SetValue(6);
    page.TitleSMLToControls(doc.title);
    EXPECT_EQ(page.neDecLat->Value(), 0);
    EXPECT_EQ(page.neDecLon->Value(), 0);
    EXPECT_EQ(page.edSysOpName->text(), "Ann");
}

TEST_F(StationPage, ShowCreatesTheElementsItReads)
{
    Doc doc(
        R"(<KOVA_Station><TitleBlock><Target ConstID="0" TargetID="0" ScanID="0" HitID="0" KOVADataID="0" Falsified="false"/></TitleBlock></KOVA_Station>)");
    page.TitleSMLToControls(doc.title);
    const IXMLNode personel = doc.title->ChildNodes()->FindNode("Personel");
    ASSERT_TRUE(personel);
    EXPECT_TRUE(personel->ChildNodes()->FindNode("SysOp"));
    EXPECT_FALSE(personel->ChildNodes()->FindNode("Observers"));
    EXPECT_FALSE(doc.title->ChildNodes()->FindNode("CreatedOn"));
}

TEST_F(StationPage, CollectRecordsTheWindowsFileNamesNotTheBoxes)
{
    Doc doc(
        R"(<KOVA_Station><TitleBlock><Target ConstID="0" TargetID="0" ScanID="0" HitID="0" KOVADataID="0" Falsified="false"/>
<Files SML="&lt;default&gt;" JPG="" WAV="/a/very/long/folder/name/for/the/recordings/of/this/station/hit.wav"/></TitleBlock></KOVA_Station>)");
    page.TitleSMLToControls(doc.title);
    EXPECT_EQ(smlBox.text(), "<default>");
    EXPECT_TRUE(page.edWAVFileName->text().contains(QStringLiteral("...")));
    EXPECT_TRUE(page.edWAVFileName->text().endsWith(QStringLiteral("/hit.wav")));
    collect(doc, QString());
    const auto files = doc.title->Get_Files();
    EXPECT_EQ(files->Get_SML(), "");
    EXPECT_EQ(files->Get_JPG(), "/data/obs/a.jpg");
    EXPECT_EQ(files->Get_WAV(), "/data/obs/a.wav");
}

TEST_F(StationPage, EditsReachTheDocumentAtTheNextCollect)
{
    Doc doc(kFullTitleBlock);
    page.TitleSMLToControls(doc.title);
    // Identifiers refuse typing but step with the arrow keys.
    QTest::keyClicks(page.neScanID, "9");
    QTest::keyClick(page.neScanID, Qt::Key_Up);
    EXPECT_EQ(page.neScanID->text(), "1002");
    // The display rounds only the text: 51.4778 shows as 51.48 and is written whole.
    page.neDecLat->selectAll();
    QTest::keyClicks(page.neDecLat, "51.4778");
    QTest::keyClick(page.neDecLat, Qt::Key_Return);
    EXPECT_EQ(page.neDecLat->text(), "51.48");
    page.edSysOpName->setText(QString());
    collect(doc);
    EXPECT_EQ(doc.title->Get_Target()->Get_ScanID(), 1002);
    EXPECT_EQ(doc.title->Get_Location()->Get_Latitude(), 51.4778f);
    EXPECT_EQ(doc.title->Get_Personel()->Get_SysOp(), "");
}

TEST_F(StationPage, ADocumentErrorEndsTheShowStepAtThatItem)
{
    Doc doc(R"(<KOVA_Station><TitleBlock><Version XML="9"/>
<Target ConstellationName="Orion" ConstID="seven" TargetName="Rigel"/></TitleBlock></KOVA_Station>)");
    page.edTargetName->setText(QStringLiteral("before"));
    EXPECT_THROW(page.TitleSMLToControls(doc.title), std::runtime_error);
    EXPECT_EQ(page.lblXMLVersion->text(), "9");
    EXPECT_EQ(page.edConstellationName->text(), "Orion");
    EXPECT_EQ(page.edTargetName->text(), "before");
}

} // namespace
