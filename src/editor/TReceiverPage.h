// The Receiver page: the editor of the receiving chain of the equipment setup.
#pragma once

#include "sml/KOVA_SML.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class TNumericEntry;
class TNumericSpin;
class TRadioGroup;

// Holds no document: ReceiverSMLToControls shows a <Receiver> element,
// ReceiverControlsToSML writes the controls back into one. Every control is a
// public member named as the window knows it. Hints follow "short|long": the
// tooltip is the short text, the statusTip the long one (see ApplyHint).
//
// The optional parts (WeightingWindow, DSP, DigitalFilter, AnalogFilter) exist in
// the document exactly when their box is ticked. The four frequencies (hit, centre,
// filter skirts) are carried as exact 64-bit integers. SpectrumAnalyzer's BinWidth
// is not on the page and is never read or written.
class TReceiverPage : public QWidget
{
    Q_OBJECT

public:
    explicit TReceiverPage(QWidget *parent = nullptr);

    // Document to controls. Missing tested attributes show empty texts, 0, or 1 for
    // the calibration gain; a missing optional element clears its box and leaves its
    // fields. Errors of the document layer pass to the caller; the controls before
    // the failing item have been filled, the later ones keep their state. Never runs
    // OnCollectRequested.
    void ReceiverSMLToControls(const IXMLKOVA_Station_EquipmentSetup_Receiver &receiver);

    // Controls to document. A mono converter writes an empty ContentRight; optional
    // elements are appended or removed by their boxes; with no filter type selected
    // FilterType is left alone. Errors of the document layer pass to the caller;
    // the items before the failing one have been written.
    void ReceiverControlsToSML(const IXMLKOVA_Station_EquipmentSetup_Receiver &receiver);

    // neFrequency's shown value changed (typed and committed, stepped, or set by
    // setFrequency): asks the window to collect the page at once. Does nothing
    // while ReceiverSMLToControls runs.
    void neFrequencyValueChanged();

    // Asked for by neFrequencyValueChanged; the window runs its receiver collect
    // step. Errors it throws pass out of the value change.
    std::function<void()> OnCollectRequested;

    // Fill single fields from program code. setFrequency runs
    // neFrequencyValueChanged when the shown frequency changes; the others never
    // write the document.
    void setFrequency(qint64 value);
    void setCenterFrequency(qint64 value);
    void setChirp(float value);
    void setETBin(int value);
    void setAmplitude(float value);
    void setAmbiant(float value);
    void setBandWidth(int value);
    void setVerticalRange(float value);
    void setFFTSize(int value);
    void setIntegration(int value);
    void setThreshold(int value);
    void setSegmentSize(int value);
    void setLinesPerFrame(int value);
    void setBinWidth(float value);

    QLabel *lblReceivingSystem;

    QGroupBox *gbReceiver;
    QLabel *lblRecvMfg;
    QLineEdit *edReceiverManufacture;
    QLabel *lblRcvModel;
    QLineEdit *edReceiverModel;
    QLabel *lblReceiverMode;
    QLineEdit *edReceiverMode;
    QLabel *lblRcvNote;
    QLineEdit *edReceiverNote;

    QGroupBox *gbTuning;
    QLabel *lblFrequency;
    TNumericEntry *neFrequency;
    QLabel *lblCenterFreq;
    TNumericEntry *neCenterFrequency;
    QLabel *Label4;
    TNumericEntry *neBin;
    QLabel *lblETAmplitude;
    TNumericEntry *neAmplitude;
    QLabel *lblAmplitude;
    TNumericEntry *neAmbiant;
    QLabel *lblReceiverBandwidth;
    TNumericEntry *neReceiverBandwidth;
    QLabel *lblChirp;
    TNumericEntry *neChirp;
    QLabel *lblReceiverNote;
    QLineEdit *edETNote;

    QGroupBox *gbSpectrumAnalyzerInstance;
    QLabel *lblVertical;
    QLineEdit *edVerticalRange;
    QLabel *lblVerticalRangeMv;
    QLabel *lblSpectrumSize;
    QLineEdit *edSpectrumSize;
    QLabel *lblInt;
    TNumericEntry *neIntegeration;
    QLabel *lblThreshold;
    TNumericEntry *neThreshold;
    QLabel *lblThresholdPerCent;
    QLabel *lblSegment;
    TNumericEntry *neSegmentSize;
    QLabel *lblBinCount;
    TNumericEntry *neBinCount;
    QLabel *lblBinWidth;
    TNumericEntry *neBinWidth;
    QLabel *lblLinesPerFrame;
    TNumericEntry *neLinesPerFrame;

    QGroupBox *gbA_To_D;
    QLabel *lblMfg;
    QLineEdit *edA_To_DManfacture;
    QLabel *lblATODModel;
    QLineEdit *edA_To_DModel;
    TRadioGroup *rgChannels;
    QLabel *lblContentLeft;
    QLineEdit *edA_To_DContentLeft;
    QLabel *lblContentRight;
    QLineEdit *edA_To_DContentRight;
    QLabel *lblSampleRate;
    TNumericSpin *nsA_To_DSamplingRate;
    QLabel *lblBits;
    TNumericSpin *nsA_To_DEncodingBits;
    QLabel *lblADNote;
    QLineEdit *edA_To_DNote;
    QGroupBox *gbCalibration;
    QLabel *lblCalGain;
    TNumericSpin *nsCalibrationGain;
    QLabel *lblOffset;
    TNumericSpin *nsCalibrationOffset;

    QGroupBox *gbWeightingWindow;
    QCheckBox *ckWeightingWindow;
    QLabel *lblWeightType;
    QLineEdit *edWeightingWindowType;
    QLabel *lblWindowNote;
    QLineEdit *edWeightingWindowNote;

    QGroupBox *gbDSP;
    QCheckBox *ckDSP;
    QLabel *lblDSPMfg;
    QLineEdit *edDSPManfacture;
    QLabel *lblDSMModel;
    QLineEdit *edDSPModel;
    QLabel *lblAlgorithm;
    QLineEdit *edDSPAlgorithm;
    QLabel *lblDSPNote;
    QLineEdit *edDSPNote;

    QGroupBox *gbDigitalFilter;
    QCheckBox *ckDigitalFilter;
    TRadioGroup *rgDSPFilterType;
    QLabel *lblSkirt;
    QLabel *lblLower;
    TNumericEntry *neDSPFilterLowerSkirt;
    QLabel *lblUpper;
    TNumericEntry *neDSPFilterUpperSkirt;
    QLabel *lblDifFilNote;
    QLineEdit *edDSPFilterNote;

    QGroupBox *gbTimeKeeping;
    QLabel *lblDescription;
    QLineEdit *edTimeKeepingDescription;

    QGroupBox *gbAnalogFilter;
    QCheckBox *ckAnalogFilter;
    QLineEdit *edAnalogFilter;

private:
    QWidget *BuildReceiver();
    QWidget *BuildTuning();
    QWidget *BuildSpectrumAnalyzer();
    QWidget *BuildA_To_D();
    QWidget *BuildWeightingWindow();
    QWidget *BuildDSP();
    QWidget *BuildDigitalFilter();
    QWidget *BuildTimeKeeping();
    QWidget *BuildAnalogFilter();
    void ShowA_To_D(const IXMLKOVA_Station_EquipmentSetup_Receiver_A_To_D &converter);
    void ShowOptionalParts(const IXMLKOVA_Station_EquipmentSetup_Receiver &receiver);
    void CollectOptionalParts(const IXMLKOVA_Station_EquipmentSetup_Receiver &receiver);

    // Set while ReceiverSMLToControls runs: its frequency changes collect nothing.
    bool FShowing = false;
};
