// The Antenna page: the editor of the antenna chain of the equipment setup.
#pragma once

#include "sml/KOVA_SML.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class TIndicatorLight;
class TNumericEntry;
class TNumericSpin;
class TRadioGroup;

// Mount kinds in the order of the items of rgMountType.
enum TMount { mtDrift = 0, mtBirdBath = 1, mtAzEl = 2 };

// Holds no document: AntennaSMLToControls shows an <Antenna> element,
// AntennaControlsToSML writes the controls back into one. Every control is a
// public member named as the window knows it. Hints follow "short|long": the
// tooltip is the short text, the statusTip the long one (see ApplyHint).
//
// The optional chain parts (LNA, L1, BPF, L2, RFAmp, L3) exist in the document
// exactly when their box is ticked; the mount and shape kinds are the one kind
// child of Mount and Shape. The band-pass filter edges are carried as exact
// 64-bit integers.
class TAntennaPage : public QWidget
{
    Q_OBJECT

public:
    explicit TAntennaPage(QWidget *parent = nullptr);

    // Document to controls. Missing tested attributes show empty texts or 0; a
    // mount or shape without a known kind child leaves its selection alone; a
    // missing optional element clears its box and leaves its fields. Errors of the
    // document layer pass to the caller; the controls before the failing item have
    // been filled, the later ones keep their state. Never runs OnCollectRequested.
    void AntennaSMLToControls(const IXMLKOVA_Station_EquipmentSetup_Antenna &antenna);

    // Controls to document. Empty antenna texts and an empty shape note leave the
    // document's value; the kind children are rebuilt for the selected kinds (a
    // Bird Bath mount keeps its note); optional elements are appended or removed by
    // their boxes. Errors of the document layer pass to the caller; the items before
    // the failing one have been written.
    void AntennaControlsToSML(const IXMLKOVA_Station_EquipmentSetup_Antenna &antenna);

    // The user clicked rgKind: shows the fields of the selected kind and asks the
    // window to collect the page at once (OnCollectRequested).
    void rgKindClick();

    // Asked for after rgKindClick; the window runs its antenna collect step.
    // Errors it throws pass out of the click.
    std::function<void()> OnCollectRequested;

    // Fill single fields from program code; they never write the document.
    void setMountType(TMount value);
    void setAzimuth(float value);
    void setElevation(float value);
    void setDeclination(float value);
    void setRightAscension(float value);
    void setAzimuthMinimum(float value);
    void setAzimuthMaximum(float value);
    void setElevationMinimum(float value);
    void setElevationMaximum(float value);
    void setSkyMapLocked(bool value);
    void setBPFInSystem(bool value);

    QLabel *lblAntennaSystem;

    QGroupBox *gbAntenna;
    QLabel *lblAntMfg;
    QLineEdit *edAntennaManufacture;
    QLabel *lblAntModel;
    QLineEdit *edAntennaModel;
    QLabel *lblAntNote;
    QLineEdit *edAntennaNote;

    QGroupBox *gbMount;
    QLabel *lblMountMfg;
    QLineEdit *edMountManufacture;
    QLabel *lblMountModel;
    QLineEdit *edMountModel;
    QGroupBox *gbMoutSettings;
    TRadioGroup *rgMountType;
    QLabel *lblAzMin;
    QLabel *lblAzMax;
    QLabel *lblMountAz;
    QLabel *lblMountEl;
    TNumericSpin *nsAzMin;
    TNumericSpin *nsAzMax;
    TNumericSpin *nsElMin;
    TNumericSpin *nsElMax;

    QGroupBox *gbShape;
    TRadioGroup *rgKind;
    QLabel *lblDia;
    TNumericSpin *nsReflectorDiameter;
    QLabel *lblFl;
    TNumericSpin *nsFocalLength;
    QLabel *lblRD;
    TNumericSpin *nsReflectorDepth;
    QLabel *lblShapeGain;
    TNumericSpin *nsShapeGain;
    QLabel *lblHPBW;
    TNumericSpin *nsHPBW;
    QLabel *lblShapeNote;
    QLineEdit *edShapeNote;

    QGroupBox *gbHorn;
    QLabel *lblHornShape;
    QLineEdit *edHornShape;
    QLabel *lblFeed;
    QLineEdit *edHornFeed;
    QLabel *lblHornDia;
    TNumericEntry *neHornDiameter;
    QLineEdit *edHornNote;

    QGroupBox *gbLNA;
    QCheckBox *cbLNAInSystem;
    QLabel *lblLNAMfg;
    QLineEdit *edLNAManufacture;
    QLabel *lblLNAModel;
    QLineEdit *edLNAModel;
    QLabel *lblLNAGain;
    TNumericSpin *nsLNAGain;
    QLabel *lblLNAdB;
    QLabel *lblNF;
    TNumericSpin *nsLNANF;
    QLabel *lblLNANFdB;
    QLabel *lblLNANote;
    QLineEdit *edAntennaLNANote;

    QGroupBox *gbBandPassFIlterandRFAmp;
    QFrame *pnlL1;
    QCheckBox *ckL1;
    TNumericSpin *nsL1;
    QLabel *lblL1dB;
    QFrame *pnlL2;
    QCheckBox *ckL2;
    TNumericSpin *nsL2;
    QLabel *lblL2dB;
    QFrame *pnlL3;
    QCheckBox *ckL3;
    TNumericSpin *nsL3;
    QLabel *lblL3dB;

    QGroupBox *gbBandPassFilter;
    QFrame *pnlBPFInSystem;
    QCheckBox *ckBPFInSys;
    QLabel *lblInsLoss;
    TNumericSpin *nsBPFLoss;
    QLabel *lblBPFdb;
    QLabel *lblHighFreq;
    TNumericEntry *neHiCutoff;
    QLabel *lblHiFreqHz;
    QLabel *lblLowerFreq;
    TNumericEntry *neLoCutoff;
    QLabel *lblHz;
    QLabel *lblBPFNote;
    QLineEdit *edBPFNote;

    QGroupBox *gbRFAmp;
    QFrame *pnlRFAmp;
    QCheckBox *ckRFAmp;
    QLabel *lblRFGain;
    TNumericSpin *nsRFAmpGain;
    QLabel *lblGainDB;
    QLabel *lblRFAmpMfg;
    QLineEdit *edRFAmpManufacture;
    QLabel *lblRFAmpModel;
    QLineEdit *edRFAmpModel;
    QLabel *lblRFAmpNote;
    QLineEdit *edRFAmpNote;

    QGroupBox *gbPointingCoordinates;
    TIndicatorLight *ledSkyMapLocked;
    QGroupBox *gbDecRa;
    QLabel *lblDec;
    TNumericEntry *neDEC;
    QLabel *lblRa;
    TNumericEntry *neRa;
    QGroupBox *gbAzEl;
    QLabel *lblAz;
    TNumericEntry *neAz;
    QLabel *lblEl;
    TNumericEntry *neEl;

private:
    QWidget *BuildAntenna();
    QWidget *BuildMount();
    QWidget *BuildShape();
    QWidget *BuildHorn();
    QWidget *BuildPointing();
    QWidget *BuildLNA();
    QWidget *BuildChain();
    QWidget *BuildBandPassFilter();
    QWidget *BuildRFAmp();
    // Shows the fields of the circular kind (index 0) or of the other kind.
    void ShowKindFields(bool circular);
    void ShowMountKind(const IXMLKOVA_Station_EquipmentSetup_Antenna_Mount &mount);
    void ShowShapeKind(const IXMLKOVA_Station_EquipmentSetup_Antenna_Shape &shape);
    void CollectMountKind(const IXMLKOVA_Station_EquipmentSetup_Antenna_Mount &mount);
    void CollectShapeKind(const IXMLKOVA_Station_EquipmentSetup_Antenna_Shape &shape);
};
