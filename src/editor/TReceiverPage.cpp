#include "editor/TReceiverPage.h"

#include "editor/Hint.h"
#include "editor/PageControls.h"
#include "editor/TNumericEntry.h"
#include "editor/TNumericSpin.h"
#include "editor/TRadioGroup.h"
#include "sml/FloatText.h"
#include "sml/TXMLNodeList.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace
{

const QString kWeightingWindow = QStringLiteral("WeightingWindow");
const QString kDSP = QStringLiteral("DSP");
const QString kDigitalFilter = QStringLiteral("DigitalFilter");
const QString kAnalogFilter = QStringLiteral("AnalogFilter");
const QString kIIR = QStringLiteral("IIR");
const QString kFIR = QStringLiteral("FIR");
const QString kOneBlank = QStringLiteral(" ");

enum TChannels { chMono = 0, chStereo = 1 };

// Clears a flag when the scope ends, also on the error path.
class TFlagGuard
{
public:
    explicit TFlagGuard(bool &flag) : FFlag(flag) { FFlag = true; }
    ~TFlagGuard() { FFlag = false; }
    TFlagGuard(const TFlagGuard &) = delete;
    TFlagGuard &operator=(const TFlagGuard &) = delete;

private:
    bool &FFlag;
};

} // namespace

TReceiverPage::TReceiverPage(QWidget *parent) : QWidget(parent)
{
    lblReceivingSystem = MakePageTitle(QStringLiteral("Receiving System"), false, this);

    auto *columns = new QHBoxLayout;
    auto *first = new QVBoxLayout;
    first->addWidget(BuildReceiver());
    first->addWidget(BuildTuning());
    first->addStretch();
    auto *second = new QVBoxLayout;
    second->addWidget(BuildSpectrumAnalyzer());
    second->addWidget(BuildTimeKeeping());
    second->addWidget(BuildAnalogFilter());
    second->addStretch();
    auto *third = new QVBoxLayout;
    third->addWidget(BuildA_To_D());
    third->addStretch();
    columns->addLayout(first, 1);
    columns->addLayout(second, 1);
    columns->addLayout(third, 1);

    auto *options = new QHBoxLayout;
    options->addWidget(BuildWeightingWindow(), 1);
    options->addWidget(BuildDSP(), 1);
    options->addWidget(BuildDigitalFilter(), 1);

    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(6, 0, 6, 2);
    page->setSpacing(2);
    page->addWidget(lblReceivingSystem);
    page->addLayout(columns);
    page->addLayout(options);
    page->addStretch();
}

QWidget *TReceiverPage::BuildReceiver()
{
    gbReceiver = MakeGroup(QStringLiteral("Receiver"), QString(), this);
    auto *grid = MakeGrid(gbReceiver);
    lblRecvMfg = MakeLabel(QStringLiteral("Mfg:"), gbReceiver);
    edReceiverManufacture = MakeEdit(QStringLiteral("|Manufacture of receiver"), gbReceiver);
    lblRcvModel = MakeLabel(QStringLiteral("Model:"), gbReceiver);
    edReceiverModel = MakeEdit(QStringLiteral("Mfg. Model"), gbReceiver);
    lblReceiverMode = MakeLabel(QStringLiteral("Receiver Mode"), gbReceiver);
    edReceiverMode = MakeEdit(QStringLiteral("|Any note about your ET"), gbReceiver, kOneBlank);
    lblRcvNote = MakeLabel(QStringLiteral("Note:"), gbReceiver);
    ApplyHint(*lblRcvNote, QStringLiteral("Note:"));
    edReceiverNote = MakeEdit(QStringLiteral("|Any note about the receiver"), gbReceiver);
    AddRow(grid, 0, lblRecvMfg, edReceiverManufacture);
    AddRow(grid, 1, lblRcvModel, edReceiverModel);
    AddRow(grid, 2, lblReceiverMode, edReceiverMode);
    AddRow(grid, 3, lblRcvNote, edReceiverNote);
    return gbReceiver;
}

QWidget *TReceiverPage::BuildTuning()
{
    gbTuning = MakeGroup(QStringLiteral("Tuning"),
                         QStringLiteral("ET Params|Parameters of ET - AutoFilled"), this);
    auto *grid = MakeGrid(gbTuning);
    const auto field = [this](const char *format, const char *hint) {
        return MakeEntry({QString::fromUtf8(format), 1, 0, QString::fromUtf8(hint)}, gbTuning);
    };
    const char *binHint = "BIN|FFT Bin that contains the hit";
    lblFrequency = MakeLabel(QStringLiteral("Freq. of Hit:"), gbTuning);
    neFrequency = field("#0.#", "");
    lblCenterFreq = MakeLabel(QStringLiteral("Center Freq:"), gbTuning);
    neCenterFrequency = field("#,#", "Base|Tuning of primary receiver (Hz)");
    Label4 = MakeLabel(QStringLiteral("ET Bin:"), gbTuning);
    neBin = field("#,#", binHint);
    lblETAmplitude = MakeLabel(QStringLiteral("Amplitude:"), gbTuning);
    neAmplitude = field("#,#", binHint);
    lblAmplitude = MakeLabel(QStringLiteral("Ambiant:"), gbTuning);
    neAmbiant = field("#,#", binHint);
    lblReceiverBandwidth = MakeLabel(QStringLiteral("BandWidth:"), gbTuning);
    neReceiverBandwidth = field("#,#", binHint);
    lblChirp = MakeLabel(QStringLiteral("Chirp(Hz/Sec))"), gbTuning);
    neChirp = field("#.00#", "Chirp|Receiving system chirp value in Hz/Sec");
    lblReceiverNote = MakeLabel(QStringLiteral("Note:"), gbTuning);
    edETNote = MakeEdit(QStringLiteral("|Any note about your ET"), gbTuning, kOneBlank);
    int row = 0;
    for (auto [label, edit] : std::initializer_list<std::pair<QLabel *, QWidget *>>{
             {lblFrequency, neFrequency},
             {lblCenterFreq, neCenterFrequency},
             {Label4, neBin},
             {lblETAmplitude, neAmplitude},
             {lblAmplitude, neAmbiant},
             {lblReceiverBandwidth, neReceiverBandwidth},
             {lblChirp, neChirp},
             {lblReceiverNote, edETNote}})
        AddRow(grid, row++, label, edit);
    connect(neFrequency, &TNumericEntry::OnValueChanged, this,
            &TReceiverPage::neFrequencyValueChanged);
    return gbTuning;
}

QWidget *TReceiverPage::BuildSpectrumAnalyzer()
{
    gbSpectrumAnalyzerInstance =
        MakeGroup(QStringLiteral("Spectrum Analyzer "),
                  QStringLiteral("SpecAna|Hit setting of SpecAna - Autofilled"), this);
    QGroupBox *group = gbSpectrumAnalyzerInstance;
    auto *grid = MakeGrid(group);
    // Read-only unless typing is allowed: these values come from the analyser.
    const auto field = [group](const char *format, const char *hint, bool typing = false) {
        TNumericEntry *entry =
            MakeEntry({QString::fromUtf8(format), 1, 0, QString::fromUtf8(hint)}, group);
        entry->SetEditorEnabled(typing);
        return entry;
    };
    const char *segmentHint = "Segment|Size of detection neighborhood";
    const char *thresholdHint = "Threshold|Setting of Spec Ana detection threshold";
    lblVertical = MakeLabel(QStringLiteral("Vertical Range"), group);
    edVerticalRange = MakeEdit(QString(), group, kOneBlank);
    lblVerticalRangeMv = MakeLabel(QStringLiteral("mv"), group);
    lblSpectrumSize = MakeLabel(QStringLiteral("FFT Size"), group);
    edSpectrumSize = MakeEdit(QString(), group, kOneBlank);
    lblInt = MakeLabel(QStringLiteral("Integration"), group);
    neIntegeration = field("#0", "Integration|Integration setting in seconds", true);
    lblThreshold = MakeLabel(QStringLiteral("Threshold"), group);
    neThreshold = field("#0#", thresholdHint);
    lblThresholdPerCent = MakeLabel(QStringLiteral("%"), group);
    lblSegment = MakeLabel(QStringLiteral("Segment Size"), group);
    neSegmentSize = field("#0#", segmentHint);
    lblBinCount = MakeLabel(QStringLiteral("Bin Count"), group);
    neBinCount = field("#0#", segmentHint);
    lblBinWidth = MakeLabel(QStringLiteral("Bin Width (Hz/Bin)"), group);
    neBinWidth = field("#0.00#", segmentHint);
    lblLinesPerFrame = MakeLabel(QStringLiteral("Lines Per Frame"), group);
    neLinesPerFrame = field("#0#", thresholdHint);
    AddRow(grid, 0, lblVertical, edVerticalRange, lblVerticalRangeMv);
    AddRow(grid, 1, lblSpectrumSize, edSpectrumSize);
    AddRow(grid, 2, lblInt, neIntegeration);
    AddRow(grid, 3, lblThreshold, neThreshold, lblThresholdPerCent);
    AddRow(grid, 4, lblSegment, neSegmentSize);
    AddRow(grid, 5, lblBinCount, neBinCount);
    AddRow(grid, 6, lblBinWidth, neBinWidth);
    AddRow(grid, 7, lblLinesPerFrame, neLinesPerFrame);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget *TReceiverPage::BuildA_To_D()
{
    gbA_To_D = MakeGroup(QStringLiteral("A_To_D"), QString(), this);
    auto *grid = MakeGrid(gbA_To_D);
    lblMfg = MakeLabel(QStringLiteral("Mfg:"), gbA_To_D);
    edA_To_DManfacture =
        MakeEdit(QStringLiteral("A to D|Analog To Digital (usually Sound Blaster)"), gbA_To_D);
    lblATODModel = MakeLabel(QStringLiteral("Model:"), gbA_To_D);
    edA_To_DModel = MakeEdit(QStringLiteral("||Mfg's model or name"), gbA_To_D);
    rgChannels = new TRadioGroup(QStringLiteral("Channels"),
                                 {QStringLiteral("Mono"), QStringLiteral("Stereo")}, gbA_To_D);
    rgChannels->SetItemIndex(chMono);
    ApplyHint(*rgChannels, QStringLiteral("Stereo/Mono|one or two channel"));
    lblContentLeft = MakeLabel(QStringLiteral("Content Left"), gbA_To_D);
    edA_To_DContentLeft = MakeEdit(QStringLiteral("Left Pgm|source of left channel"), gbA_To_D);
    lblContentRight = MakeLabel(QStringLiteral("Content Right"), gbA_To_D);
    edA_To_DContentRight = MakeEdit(QStringLiteral("Pgm Right|Source connected to right channel"),
                                    gbA_To_D, kOneBlank);
    lblSampleRate = MakeLabel(QStringLiteral("Sample Rate"), gbA_To_D);
    nsA_To_DSamplingRate = MakeSpin(
        {QStringLiteral("#,#"), 1, 44000, QStringLiteral("Samples|Usually 44000 (hZ)")}, gbA_To_D);
    lblBits = MakeLabel(QStringLiteral("Bits"), gbA_To_D);
    nsA_To_DEncodingBits =
        MakeSpin({QStringLiteral("#0.#"), 1, 1, QStringLiteral("BPS|Bits per sample (usually 8)")},
                 gbA_To_D);
    lblADNote = MakeLabel(QStringLiteral("Note:"), gbA_To_D);
    edA_To_DNote = MakeEdit(QStringLiteral("|Any A-To-D note"), gbA_To_D);

    gbCalibration = MakeGroup(
        QStringLiteral("Calibration"),
        QStringLiteral("Any gain/offset used to calibrate the incomming signal"), gbA_To_D);
    auto *calibration = MakeGrid(gbCalibration);
    lblCalGain = MakeLabel(QStringLiteral("Gain"), gbCalibration);
    nsCalibrationGain =
        MakeSpin({QStringLiteral("#0.#"), 1, 1, QStringLiteral("Gain|Any DC gain into the  A/D")},
                 gbCalibration);
    lblOffset = MakeLabel(QStringLiteral("Offset"), gbCalibration);
    nsCalibrationOffset =
        MakeSpin({QStringLiteral("#0.#"), 0.1f, 0,
                  QStringLiteral("Off Set voltage|Input DC offset voltage (if used)")},
                 gbCalibration);
    AddRow(calibration, 0, lblCalGain, nsCalibrationGain);
    AddRow(calibration, 1, lblOffset, nsCalibrationOffset);

    AddRow(grid, 0, lblMfg, edA_To_DManfacture);
    AddRow(grid, 1, lblATODModel, edA_To_DModel);
    auto *channels = new QHBoxLayout;
    channels->addWidget(rgChannels);
    channels->addWidget(gbCalibration, 1);
    grid->addLayout(channels, 2, 0, 1, 3);
    AddRow(grid, 3, lblContentLeft, edA_To_DContentLeft);
    AddRow(grid, 4, lblContentRight, edA_To_DContentRight);
    AddRow(grid, 5, lblSampleRate, nsA_To_DSamplingRate);
    AddRow(grid, 6, lblBits, nsA_To_DEncodingBits);
    AddRow(grid, 7, lblADNote, edA_To_DNote);
    grid->setColumnStretch(1, 1);
    return gbA_To_D;
}

QWidget *TReceiverPage::BuildWeightingWindow()
{
    gbWeightingWindow = MakeGroup(QStringLiteral("Weighting Window"), QString(), this);
    auto *grid = MakeGrid(gbWeightingWindow);
    ckWeightingWindow = MakeCheck(QStringLiteral("Check if in use"),
                                  QStringLiteral("Ck If In Use|Check if using a software window"),
                                  gbWeightingWindow);
    lblWeightType = MakeLabel(QStringLiteral("Type:"), gbWeightingWindow);
    edWeightingWindowType =
        MakeEdit(QStringLiteral("|Any windowing note here"), gbWeightingWindow, kOneBlank);
    lblWindowNote = MakeLabel(QStringLiteral("Note:"), gbWeightingWindow);
    edWeightingWindowNote =
        MakeEdit(QStringLiteral("|Any windowing note here"), gbWeightingWindow, kOneBlank);
    grid->addWidget(ckWeightingWindow, 0, 0, 1, 3);
    AddRow(grid, 1, lblWeightType, edWeightingWindowType);
    AddRow(grid, 2, lblWindowNote, edWeightingWindowNote);
    grid->setRowStretch(3, 1);
    return gbWeightingWindow;
}

QWidget *TReceiverPage::BuildDSP()
{
    gbDSP = MakeGroup(QStringLiteral("Digital Signal Processing"), QString(), this);
    auto *grid = MakeGrid(gbDSP);
    ckDSP = MakeCheck(QStringLiteral("Check if using DSP"),
                      QStringLiteral("DSP in Use| Set if using Digital Signal Processing"), gbDSP);
    lblDSPMfg = MakeLabel(QStringLiteral("Mfg:"), gbDSP);
    edDSPManfacture = MakeEdit(QStringLiteral("|Who built the DSP"), gbDSP);
    lblDSMModel = MakeLabel(QStringLiteral("Model:"), gbDSP);
    edDSPModel = MakeEdit(QStringLiteral("|DSP Model"), gbDSP, kOneBlank);
    lblAlgorithm = MakeLabel(QStringLiteral("Algorithm:"), gbDSP);
    edDSPAlgorithm =
        MakeEdit(QStringLiteral("|What DSP algorithm is in use - Required"), gbDSP, kOneBlank);
    lblDSPNote = MakeLabel(QStringLiteral("Note:"), gbDSP);
    edDSPNote = MakeEdit(QString(), gbDSP, kOneBlank);
    grid->addWidget(ckDSP, 0, 0, 1, 3);
    AddRow(grid, 1, lblDSPMfg, edDSPManfacture);
    AddRow(grid, 2, lblDSMModel, edDSPModel);
    AddRow(grid, 3, lblAlgorithm, edDSPAlgorithm);
    AddRow(grid, 4, lblDSPNote, edDSPNote);
    return gbDSP;
}

QWidget *TReceiverPage::BuildDigitalFilter()
{
    gbDigitalFilter = MakeGroup(QStringLiteral("Digital Filter"), QString(), this);
    auto *grid = MakeGrid(gbDigitalFilter);
    ckDigitalFilter =
        MakeCheck(QStringLiteral("Check if Digital Filter in use"),
                  QStringLiteral("Dig Filter in Use|Ck if using digital filter"), gbDigitalFilter);
    rgDSPFilterType = new TRadioGroup(QStringLiteral("Filter Type"), {kIIR, kFIR}, gbDigitalFilter);
    rgDSPFilterType->SetItemIndex(0);
    ApplyHint(*rgDSPFilterType, QStringLiteral("Fltr Type|Infinite or Finite response filter"));
    const auto skirt = [this](const char *hint) {
        return MakeEntry({QStringLiteral("#00000#"), 1, 0, QString::fromUtf8(hint)},
                         gbDigitalFilter);
    };
    lblSkirt = MakeLabel(QStringLiteral("Skirt:"), gbDigitalFilter);
    lblLower = MakeLabel(QStringLiteral("Lower"), gbDigitalFilter);
    neDSPFilterLowerSkirt = skirt("Low Side|Lower Skirt (hZ)");
    lblUpper = MakeLabel(QStringLiteral("Upper"), gbDigitalFilter);
    neDSPFilterUpperSkirt = skirt("Upper Roll off|Upper Skirt (hZ)");
    lblDifFilNote = MakeLabel(QStringLiteral("Note:"), gbDigitalFilter);
    edDSPFilterNote =
        MakeEdit(QStringLiteral("|Notes about this filter"), gbDigitalFilter, kOneBlank);

    auto *skirts = new QGridLayout;
    skirts->setVerticalSpacing(3);
    skirts->addWidget(lblSkirt, 0, 0, 1, 2);
    AddRow(skirts, 1, lblLower, neDSPFilterLowerSkirt);
    AddRow(skirts, 2, lblUpper, neDSPFilterUpperSkirt);
    skirts->setColumnStretch(1, 1);
    grid->addWidget(ckDigitalFilter, 0, 0, 1, 3);
    grid->addWidget(rgDSPFilterType, 1, 0, 1, 1);
    grid->addLayout(skirts, 1, 1, 1, 2);
    AddRow(grid, 2, lblDifFilNote, edDSPFilterNote);
    grid->setColumnStretch(2, 1);
    return gbDigitalFilter;
}

QWidget *TReceiverPage::BuildTimeKeeping()
{
    gbTimeKeeping = MakeGroup(QStringLiteral("Time Keeping"),
                              QStringLiteral("How the Date/Time is created"), this);
    auto *grid = MakeGrid(gbTimeKeeping);
    lblDescription = MakeLabel(QStringLiteral("Description:"), gbTimeKeeping);
    edTimeKeepingDescription =
        MakeEdit(QStringLiteral("Describe the time keeping system if not a standard PC - Required"),
                 gbTimeKeeping);
    AddRow(grid, 0, lblDescription, edTimeKeepingDescription);
    return gbTimeKeeping;
}

QWidget *TReceiverPage::BuildAnalogFilter()
{
    gbAnalogFilter = MakeGroup(QStringLiteral("   Analog Filter"), QString(), this);
    auto *grid = MakeGrid(gbAnalogFilter);
    ckAnalogFilter =
        MakeCheck(QStringLiteral("In Use"), QStringLiteral("In Use?|Check if using audio filter"),
                  gbAnalogFilter);
    edAnalogFilter = MakeEdit(QStringLiteral("|Describe the filter if used - Required"),
                              gbAnalogFilter, kOneBlank);
    grid->addWidget(ckAnalogFilter, 0, 0);
    grid->addWidget(edAnalogFilter, 0, 1);
    grid->setColumnStretch(1, 1);
    return gbAnalogFilter;
}

void TReceiverPage::neFrequencyValueChanged()
{
    if (!FShowing && OnCollectRequested)
        OnCollectRequested();
}

void TReceiverPage::ReceiverSMLToControls(const IXMLKOVA_Station_EquipmentSetup_Receiver &receiver)
{
    const TFlagGuard showing(FShowing);

    edReceiverManufacture->setText(receiver->Get_Manufacture());
    edReceiverModel->setText(TestedText(receiver, QStringLiteral("Model")));
    edReceiverMode->setText(TestedText(receiver, QStringLiteral("Mode")));
    // An integer: through the integer view, as a single would round bandwidths above 2^24.
    neReceiverBandwidth->SetValueAsInt(
        receiver->HasAttribute(QStringLiteral("Bandwidth")) ? receiver->Get_Bandwidth() : 0);
    edReceiverNote->setText(TestedText(receiver, QStringLiteral("Note")));

    const auto tuning = receiver->Get_Tuning();
    // Exact 64-bit integers: hit and tuning frequencies lie above 2^31 Hz on microwave bands.
    neFrequency->SetValueAsInt64(tuning->Get_Frequency());
    neCenterFrequency->SetValueAsInt64(tuning->Get_CenterFrequency());
    neChirp->SetValue(tuning->Get_Chirp());
    neBin->SetValueAsInt(tuning->Get_Bin());
    neAmplitude->SetValue(tuning->Get_Amplitude());
    neAmbiant->SetValue(tuning->HasAttribute(QStringLiteral("Ambiant")) ? tuning->Get_Ambiant()
                                                                        : 0.0f);
    edETNote->setText(TestedText(tuning, QStringLiteral("Note")));

    const auto analyzer = receiver->Get_SpectrumAnalyzer();
    edVerticalRange->setText(analyzer->Get_VerticalRange());
    edSpectrumSize->setText(analyzer->Get_SpectrumSize());
    neIntegeration->SetValueAsInt(analyzer->Get_Integration());
    neThreshold->SetValueAsSingle(analyzer->Get_Threshold());
    neSegmentSize->SetValueAsInt(analyzer->Get_SegmentSize());
    neLinesPerFrame->SetValueAsInt(analyzer->Get_LinesPerFrame());

    ShowA_To_D(receiver->Get_A_To_D());
    ShowOptionalParts(receiver);
}

void TReceiverPage::ShowA_To_D(const IXMLKOVA_Station_EquipmentSetup_Receiver_A_To_D &converter)
{
    edA_To_DManfacture->setText(TestedText(converter, QStringLiteral("Manufacture")));
    edA_To_DModel->setText(TestedText(converter, QStringLiteral("Model")));
    nsA_To_DSamplingRate->SetValue(converter->Get_SamplingRate());
    nsA_To_DEncodingBits->SetValue(converter->Get_EncodingBits());
    if (converter->Get_Stereo()) {
        rgChannels->SetItemIndex(chStereo);
        edA_To_DContentLeft->setText(converter->Get_ContentLeft());
        edA_To_DContentRight->setText(converter->Get_ContentRight());
    } else {
        rgChannels->SetItemIndex(chMono);
        edA_To_DContentLeft->setText(converter->Get_ContentLeft());
        edA_To_DContentRight->clear();
    }
    nsCalibrationGain->SetValue(converter->HasAttribute(QStringLiteral("CalibrationGain"))
                                    ? converter->Get_CalibrationGain()
                                    : 1.0f);
    nsCalibrationOffset->SetValue(converter->HasAttribute(QStringLiteral("CalibrationOffset"))
                                      ? converter->Get_CalibrationOffset()
                                      : 0.0f);
    edA_To_DNote->setText(TestedText(converter, QStringLiteral("Note")));
}

void TReceiverPage::ShowOptionalParts(const IXMLKOVA_Station_EquipmentSetup_Receiver &receiver)
{
    const bool hasWindow = HasChild(receiver, kWeightingWindow);
    if (hasWindow) {
        const auto window = receiver->Get_WeightingWindow();
        edWeightingWindowType->setText(window->Get_WinType());
        edWeightingWindowNote->setText(TestedText(window, QStringLiteral("Note")));
    }
    ckWeightingWindow->setChecked(hasWindow);

    const bool hasDSP = HasChild(receiver, kDSP);
    if (hasDSP) {
        const auto dsp = receiver->Get_DSP();
        edDSPManfacture->setText(TestedText(dsp, QStringLiteral("Manufacture")));
        edDSPModel->setText(TestedText(dsp, QStringLiteral("Model")));
        edDSPAlgorithm->setText(TestedText(dsp, QStringLiteral("Algorithm")));
        edDSPNote->setText(TestedText(dsp, QStringLiteral("Note")));
    }
    ckDSP->setChecked(hasDSP);

    const bool hasFilter = HasChild(receiver, kDigitalFilter);
    if (hasFilter) {
        const auto filter = receiver->Get_DigitalFilter();
        const QString type = filter->Get_FilterType();
        if (type == kIIR)
            rgDSPFilterType->SetItemIndex(0);
        else if (type == kFIR)
            rgDSPFilterType->SetItemIndex(1);
        neDSPFilterUpperSkirt->SetValueAsInt64(filter->Get_UpperSkirtFreq());
        neDSPFilterLowerSkirt->SetValueAsInt64(filter->Get_LowerSkirtFreq());
        edDSPFilterNote->setText(TestedText(filter, QStringLiteral("Note")));
    }
    ckDigitalFilter->setChecked(hasFilter);

    edTimeKeepingDescription->setText(receiver->Get_TimeKeeping()->Get_Description());

    const bool hasAnalog = HasChild(receiver, kAnalogFilter);
    if (hasAnalog) {
        // An empty description shows empty: the field must not carry the previous
        // document's filter into this one at the next save.
        edAnalogFilter->setText(receiver->Get_AnalogFilter()->Get_Description());
    }
    ckAnalogFilter->setChecked(hasAnalog);
}

void TReceiverPage::ReceiverControlsToSML(const IXMLKOVA_Station_EquipmentSetup_Receiver &receiver)
{
    receiver->Set_Manufacture(edReceiverManufacture->text());
    receiver->Set_Model(edReceiverModel->text());
    receiver->Set_Mode(edReceiverMode->text());
    receiver->Set_Bandwidth(neReceiverBandwidth->ValueAsInt());
    receiver->Set_Note(edReceiverNote->text());

    const auto tuning = receiver->Get_Tuning();
    tuning->Set_Frequency(neFrequency->ValueAsInt64());
    tuning->Set_CenterFrequency(neCenterFrequency->ValueAsInt64());
    tuning->Set_Chirp(neChirp->ValueAsSingle());
    tuning->Set_Bin(neBin->ValueAsInt());
    tuning->Set_Amplitude(neAmplitude->ValueAsSingle());
    tuning->Set_Ambiant(neAmbiant->ValueAsSingle());
    tuning->Set_Note(edETNote->text());

    const auto analyzer = receiver->Get_SpectrumAnalyzer();
    analyzer->Set_VerticalRange(edVerticalRange->text());
    analyzer->Set_SpectrumSize(edSpectrumSize->text());
    analyzer->Set_Integration(neIntegeration->ValueAsInt());
    analyzer->Set_Threshold(neThreshold->ValueAsSingle());
    analyzer->Set_SegmentSize(neSegmentSize->ValueAsInt());
    analyzer->Set_LinesPerFrame(neLinesPerFrame->ValueAsInt());

    const auto converter = receiver->Get_A_To_D();
    converter->Set_Manufacture(edA_To_DManfacture->text());
    converter->Set_Model(edA_To_DModel->text());
    converter->Set_SamplingRate(nsA_To_DSamplingRate->ValueAsInt());
    converter->Set_EncodingBits(nsA_To_DEncodingBits->ValueAsInt());
    const bool mono = rgChannels->ItemIndex() == chMono;
    converter->Set_Stereo(!mono);
    converter->Set_ContentLeft(edA_To_DContentLeft->text());
    converter->Set_ContentRight(mono ? QString() : edA_To_DContentRight->text());
    converter->Set_CalibrationGain(nsCalibrationGain->ValueAsSingle());
    converter->Set_CalibrationOffset(nsCalibrationOffset->ValueAsSingle());
    converter->Set_Note(edA_To_DNote->text());

    CollectOptionalParts(receiver);
}

void TReceiverPage::CollectOptionalParts(const IXMLKOVA_Station_EquipmentSetup_Receiver &receiver)
{
    if (ckWeightingWindow->isChecked()) {
        const auto window = receiver->Get_WeightingWindow();
        window->Set_WinType(edWeightingWindowType->text());
        window->Set_Note(edWeightingWindowNote->text());
    } else {
        receiver->ChildNodes()->Delete(kWeightingWindow);
    }

    if (ckDSP->isChecked()) {
        const auto dsp = receiver->Get_DSP();
        dsp->Set_Manufacture(edDSPManfacture->text());
        dsp->Set_Model(edDSPModel->text());
        dsp->Set_Algorithm(edDSPAlgorithm->text());
        dsp->Set_Note(edDSPNote->text());
    } else {
        receiver->ChildNodes()->Delete(kDSP);
    }

    if (ckDigitalFilter->isChecked()) {
        const auto filter = receiver->Get_DigitalFilter();
        if (rgDSPFilterType->ItemIndex() == 0)
            filter->Set_FilterType(kIIR);
        else if (rgDSPFilterType->ItemIndex() == 1)
            filter->Set_FilterType(kFIR);
        filter->Set_LowerSkirtFreq(neDSPFilterLowerSkirt->ValueAsInt64());
        filter->Set_UpperSkirtFreq(neDSPFilterUpperSkirt->ValueAsInt64());
        filter->Set_Note(edDSPFilterNote->text());
    } else {
        receiver->ChildNodes()->Delete(kDigitalFilter);
    }

    receiver->Get_TimeKeeping()->Set_Description(edTimeKeepingDescription->text());

    if (ckAnalogFilter->isChecked())
        receiver->Get_AnalogFilter()->Set_Description(edAnalogFilter->text());
    else
        receiver->ChildNodes()->Delete(kAnalogFilter);
}

void TReceiverPage::setFrequency(qint64 value)
{
    neFrequency->SetValueAsInt64(value);
}
void TReceiverPage::setCenterFrequency(qint64 value)
{
    neCenterFrequency->SetValueAsInt64(value);
}
void TReceiverPage::setChirp(float value)
{
    neChirp->SetValue(value);
}
void TReceiverPage::setETBin(int value)
{
    neBin->SetValueAsInt(value);
}
void TReceiverPage::setAmplitude(float value)
{
    neAmplitude->SetValue(value);
}
void TReceiverPage::setAmbiant(float value)
{
    neAmbiant->SetValue(value);
}
void TReceiverPage::setBandWidth(int value)
{
    neReceiverBandwidth->SetValueAsInt(value);
}
void TReceiverPage::setVerticalRange(float value)
{
    edVerticalRange->setText(FloatToXMLText(value));
}
void TReceiverPage::setFFTSize(int value)
{
    edSpectrumSize->setText(QString::number(value));
}
void TReceiverPage::setIntegration(int value)
{
    neIntegeration->SetValueAsInt(value);
}
void TReceiverPage::setThreshold(int value)
{
    neThreshold->SetValueAsInt(value);
}
void TReceiverPage::setSegmentSize(int value)
{
    neSegmentSize->SetValueAsInt(value);
}
void TReceiverPage::setLinesPerFrame(int value)
{
    neLinesPerFrame->SetValueAsInt(value);
}
void TReceiverPage::setBinWidth(float value)
{
    neBinWidth->SetValue(value);
}
