#include "PageTestSupport.h"

#include "editor/TNumericSpin.h"
#include "editor/TRadioGroup.h"
#include "editor/TReceiverPage.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace pagetest;

namespace
{

const QString kTuning = QStringLiteral(
    R"(<Tuning Frequency="1420405752" CenterFrequency="1420000000" Chirp="0.25" Bin="812" Amplitude="37.5" Ambiant="2.5" Note="hit"/>)");
const QString kAnalyzer = QStringLiteral(
    R"(<SpectrumAnalyzer VerticalRange="500" SpectrumSize="4096" Integration="3" Threshold="12" SegmentSize="16" LinesPerFrame="64" BinWidth="10.7666"/>)");
const QString kConverter = QStringLiteral(
    R"(<A_To_D Manufacture="SoundCo" Model="AD2" SamplingRate="48000" EncodingBits="16" Stereo="true" ContentLeft="IF" ContentRight="Noise ref" CalibrationGain="2" CalibrationOffset="0.5" Note="adc"/>)");
const QString kOptional = QStringLiteral(
    R"(<WeightingWindow WinType="Hann" Note="w"/><DSP Manufacture="Me" Model="D1" Algorithm="FFT" Note="d"/><DigitalFilter FilterType="FIR" LowerSkirtFreq="1000" UpperSkirtFreq="3000" Note="f"/>)"
    R"(<TimeKeeping Description="GPS"/><AnalogFilter Description="LPF 3 kHz"/>)");

// A <Receiver> with the items the show step reads unconditionally, and the given parts.
QString receiverXml(const QString &converter = kConverter, const QString &optional = kOptional,
                    const QString &tuning = kTuning,
                    const QString &attributes =
                        R"(Manufacture="RxCo" Model="R1" Mode="USB" Bandwidth="2700" Note="rx")")
{
    return QStringLiteral("<Receiver %1>%2%3%4%5</Receiver>")
        .arg(attributes, tuning, kAnalyzer, converter, optional);
}

class ReceiverPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        page.resize(745, 545); // the page area of the window's tab
        page.show();
        page.OnCollectRequested = [this] {
            ++collects;
            page.ReceiverControlsToSML(node);
        };
    }

    IXMLKOVA_Station_EquipmentSetup_Receiver show(const QString &receiver)
    {
        doc = setupDoc(receiver);
        return showDoc();
    }
    IXMLKOVA_Station_EquipmentSetup_Receiver showDoc()
    {
        node = doc->setup->Get_Receiver();
        page.ReceiverSMLToControls(node);
        return node;
    }

    TReceiverPage page;
    std::unique_ptr<TDoc> doc;
    IXMLKOVA_Station_EquipmentSetup_Receiver node;
    int collects = 0;
};

TEST_F(ReceiverPage, NumericFieldsStartWithTheirFormatsAndTyping)
{
    struct Case {
        const char *name;
        TNumericEntry *field;
        const char *format;
        float increment;
        const char *text;
        bool typing;
    };
    const Case cases[] = {
        {"neFrequency", page.neFrequency, "#0.#", 1, "0", true},
        {"neCenterFrequency", page.neCenterFrequency, "#,#", 1, "", true},
        {"neBin", page.neBin, "#,#", 1, "", true},
        {"neAmplitude", page.neAmplitude, "#,#", 1, "", true},
        {"neAmbiant", page.neAmbiant, "#,#", 1, "", true},
        {"neReceiverBandwidth", page.neReceiverBandwidth, "#,#", 1, "", true},
        {"neChirp", page.neChirp, "#.00#", 1, ".00", true},
        {"neIntegeration", page.neIntegeration, "#0", 1, "0", true},
        {"neThreshold", page.neThreshold, "#0#", 1, "00", false},
        {"neSegmentSize", page.neSegmentSize, "#0#", 1, "00", false},
        {"neBinCount", page.neBinCount, "#0#", 1, "00", false},
        {"neBinWidth", page.neBinWidth, "#0.00#", 1, "0.00", false},
        {"neLinesPerFrame", page.neLinesPerFrame, "#0#", 1, "00", false},
        {"nsA_To_DSamplingRate", page.nsA_To_DSamplingRate, "#,#", 1, "44,000", true},
        {"nsA_To_DEncodingBits", page.nsA_To_DEncodingBits, "#0.#", 1, "1", true},
        {"nsCalibrationGain", page.nsCalibrationGain, "#0.#", 1, "1", true},
        {"nsCalibrationOffset", page.nsCalibrationOffset, "#0.#", 0.1f, "0", true},
        {"neDSPFilterLowerSkirt", page.neDSPFilterLowerSkirt, "#00000#", 1, "000000", true},
        {"neDSPFilterUpperSkirt", page.neDSPFilterUpperSkirt, "#00000#", 1, "000000", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.field->FormatStr(), QString::fromUtf8(c.format));
        EXPECT_FLOAT_EQ(c.field->Increment(), c.increment);
        EXPECT_EQ(c.field->text(), QString::fromUtf8(c.text));
        EXPECT_EQ(c.field->EditorEnabled(), c.typing);
        // No field on this page enforces a limit.
        EXPECT_EQ(c.field->Options() & (TNumericEntry::eoLimitMin | TNumericEntry::eoLimitMax),
                  TNumericEntry::TEditOptions());
    }
    EXPECT_EQ(page.rgChannels->ItemIndex(), 0);
    EXPECT_EQ(page.rgDSPFilterType->ItemIndex(), 0);
    for (QLineEdit *blank : {page.edReceiverMode, page.edETNote, page.edVerticalRange,
                             page.edSpectrumSize, page.edA_To_DContentRight, page.edAnalogFilter})
        EXPECT_EQ(blank->text(), " ");
    EXPECT_EQ(page.neSegmentSize->toolTip(), "Segment");
    EXPECT_EQ(page.neSegmentSize->statusTip(), "Size of detection neighborhood");
}

TEST_F(ReceiverPage, ShowFallsBackForMissingTestedItems)
{
    struct Case {
        const char *name;
        QString attributes, tuning, converter, optional;
        const char *model, *bandwidth, *ambiant, *etNote, *adModel, *gain, *offset, *windowNote,
            *dspModel, *filterNote;
    };
    const Case cases[] = {
        {"present", R"(Manufacture="RxCo" Model="R1" Mode="USB" Bandwidth="2700" Note="rx")",
         kTuning, kConverter, kOptional, "R1", "2,700", "3", "hit", "AD2", "2", "0.5", "w", "D1",
         "f"},
        {"missing", R"(Manufacture="RxCo")",
         R"(<Tuning Frequency="1" CenterFrequency="2" Chirp="0" Bin="0" Amplitude="0"/>)",
         R"(<A_To_D SamplingRate="8000" EncodingBits="8" Stereo="false"/>)",
         R"(<WeightingWindow WinType="Hann"/><DSP/><DigitalFilter FilterType="IIR" LowerSkirtFreq="1" UpperSkirtFreq="2"/><TimeKeeping/>)",
         "", "", "", "", "", "1", "0", "", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (QLineEdit *e : {page.edReceiverModel, page.edETNote, page.edA_To_DModel,
                             page.edWeightingWindowNote, page.edDSPModel, page.edDSPFilterNote})
            e->setText("old");
        page.neAmbiant->SetValue(9);
        page.nsCalibrationGain->SetValue(9);
        show(receiverXml(c.converter, c.optional, c.tuning, c.attributes));
        EXPECT_EQ(page.edReceiverModel->text(), c.model);
        EXPECT_EQ(page.neReceiverBandwidth->text(), c.bandwidth);
        EXPECT_EQ(page.neAmbiant->text(), c.ambiant);
        EXPECT_EQ(page.edETNote->text(), c.etNote);
        EXPECT_EQ(page.edA_To_DModel->text(), c.adModel);
        EXPECT_EQ(page.nsCalibrationGain->text(), c.gain);
        EXPECT_EQ(page.nsCalibrationOffset->text(), c.offset);
        EXPECT_EQ(page.edWeightingWindowNote->text(), c.windowNote);
        EXPECT_EQ(page.edDSPModel->text(), c.dspModel);
        EXPECT_EQ(page.edDSPFilterNote->text(), c.filterNote);
    }
    // The fall-backs are what the next collect step writes.
    page.ReceiverControlsToSML(node);
    EXPECT_EQ(attr(node, "A_To_D", "CalibrationGain"), "1");
    EXPECT_EQ(attr(node, "", "Bandwidth"), "0");
}

TEST_F(ReceiverPage, MonoConvertersWriteNoRightChannel)
{
    struct Case {
        const char *name;
        const char *stereo;
        int channels;
        const char *shownRight;
        const char *typedRight;
        const char *writtenRight;
        const char *writtenStereo;
    };
    const Case cases[] = {
        {"stereo", "true", 1, "Noise ref", "Sky ref", "Sky ref", "true"},
        {"mono", "false", 0, "", "typed while mono", "", "false"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QString converter = kConverter;
        show(receiverXml(
            converter.replace(R"(Stereo="true")", QStringLiteral(R"(Stereo="%1")").arg(c.stereo))));
        EXPECT_EQ(page.rgChannels->ItemIndex(), c.channels);
        EXPECT_EQ(page.edA_To_DContentLeft->text(), "IF");
        EXPECT_EQ(page.edA_To_DContentRight->text(), c.shownRight);
        page.edA_To_DContentRight->setText(c.typedRight);
        page.ReceiverControlsToSML(node);
        EXPECT_EQ(attr(node, "A_To_D", "ContentLeft"), "IF");
        EXPECT_EQ(attr(node, "A_To_D", "ContentRight"), c.writtenRight);
        EXPECT_EQ(attr(node, "A_To_D", "Stereo"), c.writtenStereo);
    }
}

TEST_F(ReceiverPage, FilterTypeIsComparedExactly)
{
    struct Case {
        const char *type;
        int preset;
        int shown;
        const char *written;
    };
    const Case cases[] = {
        {"IIR", 1, 0, "IIR"}, {"FIR", 0, 1, "FIR"},         {"iir", 1, 1, "FIR"},
        {"iir", 0, 0, "IIR"}, {"Bessel", -1, -1, "Bessel"}, // no selection leaves the text
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.type) + " preset " + std::to_string(c.preset));
        page.rgDSPFilterType->SetItemIndex(c.preset);
        show(receiverXml(
            kConverter,
            QStringLiteral(
                R"(<DigitalFilter FilterType="%1" LowerSkirtFreq="1" UpperSkirtFreq="2"/><TimeKeeping/>)")
                .arg(c.type)));
        EXPECT_EQ(page.rgDSPFilterType->ItemIndex(), c.shown);
        page.ReceiverControlsToSML(node);
        EXPECT_EQ(attr(node, "DigitalFilter", "FilterType"), c.written);
    }
}

TEST_F(ReceiverPage, OptionalElementsFollowTheirBoxesAndFieldsKeepTheirText)
{
    struct Case {
        const char *name;
        QCheckBox *TReceiverPage::*box;
        QLineEdit *TReceiverPage::*field;
        const char *attribute;
        const char *text;
    };
    const Case cases[] = {
        {"WeightingWindow", &TReceiverPage::ckWeightingWindow,
         &TReceiverPage::edWeightingWindowType, "WinType", "Hann"},
        {"DSP", &TReceiverPage::ckDSP, &TReceiverPage::edDSPAlgorithm, "Algorithm", "FFT"},
        {"DigitalFilter", &TReceiverPage::ckDigitalFilter, &TReceiverPage::edDSPFilterNote, "Note",
         "f"},
        {"AnalogFilter", &TReceiverPage::ckAnalogFilter, &TReceiverPage::edAnalogFilter,
         "Description", "LPF 3 kHz"},
    };
    show(receiverXml());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QCheckBox *box = page.*c.box;
        EXPECT_TRUE(box->isChecked());
        box->setChecked(false);
        page.ReceiverControlsToSML(node);
        EXPECT_EQ(node->ChildNodes()->FindNode(c.name), nullptr);
        page.ReceiverSMLToControls(node);
        EXPECT_FALSE(box->isChecked());
        EXPECT_EQ((page.*c.field)->text(), c.text);

        box->setChecked(true);
        page.ReceiverControlsToSML(node);
        EXPECT_EQ(attr(node, c.name, c.attribute), c.text);
        // Appended as the Receiver's last element.
        IXMLNode last;
        for (int i = node->ChildNodes()->Count() - 1; i >= 0 && !last; --i)
            if (node->ChildNodes()->Nodes(i)->NodeType() == TNodeType::ntElement)
                last = node->ChildNodes()->Nodes(i);
        EXPECT_EQ(last->NodeName(), c.name);
    }
}

TEST_F(ReceiverPage, AnEmptyAnalogFilterDescriptionIsNotTakenFromTheLastDocument)
{
    show(receiverXml());
    EXPECT_EQ(page.edAnalogFilter->text(), "LPF 3 kHz");
    show(receiverXml(kConverter, R"(<TimeKeeping/><AnalogFilter Description=""/>)"));
    EXPECT_EQ(page.edAnalogFilter->text(), "");
    page.ReceiverControlsToSML(node);
    EXPECT_EQ(attr(node, "AnalogFilter", "Description"), "");
}

TEST_F(ReceiverPage, FrequencyEditsCollectThePageAtOnce)
{
    show(receiverXml());
    EXPECT_EQ(collects, 0) << "the show step never collects";
    page.edReceiverNote->setText("edited note");

    page.neFrequency->setFocus();
    page.neFrequency->selectAll();
    QTest::keyClicks(page.neFrequency, "1420406000");
    QTest::keyClick(page.neFrequency, Qt::Key_Return);
    EXPECT_EQ(collects, 1);
    EXPECT_EQ(attr(node, "Tuning", "Frequency"), "1420406000");
    EXPECT_EQ(attr(node, "", "Note"), "edited note") << "the whole page is collected";

    QTest::keyClick(page.neFrequency, Qt::Key_Return);
    EXPECT_EQ(collects, 1) << "an unchanged value writes nothing";

    QTest::keyClick(page.neFrequency, Qt::Key_Up);
    EXPECT_EQ(collects, 2);
    EXPECT_EQ(attr(node, "Tuning", "Frequency"), "1420406001");

    page.setFrequency(10'000'000'000);
    EXPECT_EQ(collects, 3);
    EXPECT_EQ(attr(node, "Tuning", "Frequency"), "10000000000");

    // Loading another hit frequency changes the field but writes nothing.
    const QString before = node->XML();
    page.ReceiverSMLToControls(setupDoc(receiverXml())->setup->Get_Receiver());
    EXPECT_EQ(page.neFrequency->text(), "1420405752");
    EXPECT_EQ(collects, 3);
    EXPECT_EQ(node->XML(), before);
}

TEST_F(ReceiverPage, SixtyFourBitFrequenciesSurviveShowAndCollect)
{
    const struct {
        const char *frequency, *center, *lower, *upper;
    } cases[] = {
        {"10000000000", "9999999999", "10000000001", "10000002000"},
        {"9223372036854775807", "-9223372036854775808", "9007199254740993", "2147483648"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.frequency);
        show(receiverXml(
            kConverter,
            QStringLiteral(
                R"(<DigitalFilter FilterType="IIR" LowerSkirtFreq="%1" UpperSkirtFreq="%2"/><TimeKeeping/>)")
                .arg(c.lower, c.upper),
            QStringLiteral(
                R"(<Tuning Frequency="%1" CenterFrequency="%2" Chirp="0" Bin="0" Amplitude="0"/>)")
                .arg(c.frequency, c.center)));
        EXPECT_EQ(page.neFrequency->text(), c.frequency);
        page.ReceiverControlsToSML(node);
        EXPECT_EQ(attr(node, "Tuning", "Frequency"), c.frequency);
        EXPECT_EQ(attr(node, "Tuning", "CenterFrequency"), c.center);
        EXPECT_EQ(attr(node, "DigitalFilter", "LowerSkirtFreq"), c.lower);
        EXPECT_EQ(attr(node, "DigitalFilter", "UpperSkirtFreq"), c.upper);
    }
}

TEST_F(ReceiverPage, IntegerBandwidthsStayExact)
{
    for (const char *bandwidth : {"0", "16777217", "2147483647", "-5"}) {
        SCOPED_TRACE(bandwidth);
        show(receiverXml(kConverter, kOptional, kTuning,
                         QStringLiteral(R"(Manufacture="RxCo" Bandwidth="%1")").arg(bandwidth)));
        page.ReceiverControlsToSML(node);
        EXPECT_EQ(attr(node, "", "Bandwidth"), bandwidth);
    }
    EXPECT_EQ(page.neReceiverBandwidth->text(), "-5");
}

TEST_F(ReceiverPage, DefaultDocumentChangesOnlyByFloatText)
{
    doc = defaultDoc();
    const QString before = compact(doc->setup->Get_Receiver()->XML());
    showDoc();
    page.ReceiverControlsToSML(node);
    // Singles are rewritten in the general float text, except BinWidth, which is not on
    // the page, and the filter type takes the page's selection ("IIR" at start);
    // everything else (stereo content, 64-bit frequencies, texts) stays.
    QString expected = before;
    expected.replace("3.14159E0", "3.1415901184082");
    expected.replace(R"(BinWidth="3.1415901184082")", R"(BinWidth="3.14159E0")");
    expected.replace(R"(FilterType="String")", R"(FilterType="IIR")");
    EXPECT_EQ(compact(node->XML()), expected);
    EXPECT_EQ(collects, 0);
}

TEST_F(ReceiverPage, ADocumentErrorEndsTheShowStepAtItsItem)
{
    page.edVerticalRange->setText("before");
    EXPECT_THROW(
        show(receiverXml(
            kConverter, kOptional,
            R"(<Tuning Frequency="1" CenterFrequency="2" Chirp="0" Bin="many" Amplitude="0"/>)")),
        std::runtime_error);
    EXPECT_EQ(page.edReceiverModel->text(), "R1") << "items before the error are shown";
    EXPECT_EQ(page.neChirp->text(), ".00");
    EXPECT_EQ(page.edVerticalRange->text(), "before") << "items after it keep their state";
    EXPECT_EQ(collects, 0);
}

TEST_F(ReceiverPage, PropertiesFillFields)
{
    page.setCenterFrequency(12'000'000'000);
    page.setVerticalRange(0.1f);
    page.setFFTSize(4096);
    page.setThreshold(15);
    page.setBinWidth(10.7666f);
    page.setBandWidth(2700);
    EXPECT_EQ(page.neCenterFrequency->text(), "12,000,000,000");
    EXPECT_EQ(page.edVerticalRange->text(), "0.100000001490116");
    EXPECT_EQ(page.edSpectrumSize->text(), "4096");
    EXPECT_EQ(page.neThreshold->text(), "15");
    EXPECT_EQ(page.neBinWidth->text(), "10.767");
    EXPECT_EQ(page.neReceiverBandwidth->text(), "2,700");
    EXPECT_EQ(collects, 0);
}

TEST_F(ReceiverPage, LabelsAreNotClippedAtTheWindowsPageSize)
{
    doc = defaultDoc();
    showDoc();
    pagetest::expectFitsTheWindowsPageArea(page, "receiver");
}

} // namespace
