// The Station page: the editor of the document's title block and, at its foot,
// the file group with the SML, WAV and JPG groups.
#pragma once

#include "sml/KOVA_SML.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class TIndicatorLight;
class TNumericEntry;

// Holds no document: TitleSMLToControls shows a title block, TitleControlsToSML
// writes the controls back into one. Every control is a public member named as
// the window and the workflows know it. Hints follow "short|long": the tooltip
// is the short text, the statusTip the long one (see ApplyHint).
//
// The SML group belongs to the window: it builds it and hands it over with
// InstallSMLGroup, which puts it at the left of gbFiles. The WAV and JPG groups
// and the picture box are built here; the window wires their buttons.
class TStationPage : public QWidget
{
    Q_OBJECT

public:
    explicit TStationPage(QWidget *parent = nullptr);

    // Puts the window's SML group at the left of gbFiles; the show step writes the
    // SML name recorded in the document into fileNameBox. Until then there is no
    // SML file-name box and the show step leaves that name alone.
    void InstallSMLGroup(QWidget *group, QLineEdit *fileNameBox);

    // Document to controls. Reading creates missing elements (and empty
    // attributes) in the title block. Missing version attributes show "unknown",
    // missing observers "No Observers", a missing note an empty note; a position
    // that is missing or not a number shows 0. Errors of the document layer (such as an identifier
    // that is not a number) pass to the caller; the controls before the failing item have been
    // filled, the later ones keep their state.
    void TitleSMLToControls(const IXMLKOVA_Station_TitleBlock &title);

    // Controls to document; the Files element takes the window's current file
    // names, not the text of the file-name boxes. Errors of the document layer pass
    // to the caller; the items before the failing one have been written.
    void TitleControlsToSML(const IXMLKOVA_Station_TitleBlock &title, const QString &smlFileName,
                            const QString &jpgFileName, const QString &wavFileName);

    // The short display name of path in this page's font (170 pixels).
    QString ShortName(const QString &path) const;

    QLabel *lblTitleBlock;
    QLabel *LblHints;

    QGroupBox *gbTarget;
    QLabel *lblConst;
    QLineEdit *edConstellationName;
    QLabel *lblTarget;
    QLineEdit *edTargetName;
    QCheckBox *cbFalsified;
    QLabel *lblHitNote;
    QLineEdit *edTargetNote;

    QGroupBox *gbID;
    QLabel *lblConstID;
    TNumericEntry *neConstID;
    QLabel *lblTargetID;
    TNumericEntry *neTargetID;
    QLabel *lblScanID;
    TNumericEntry *neScanID;
    QLabel *lblHitID;
    TNumericEntry *neHitID;
    QLabel *lblKOVADataID;
    TNumericEntry *neKOVADataID;

    QGroupBox *gbPersonell;
    QLabel *lblOperatorName;
    QLineEdit *edSysOpName;
    QLabel *lblObserverName;
    QLineEdit *edObserverNames;

    QGroupBox *gbStationLocation;
    QLabel *lblStationID;
    QLineEdit *edGridSquare;
    QLabel *lblLat;
    TNumericEntry *neDecLat;
    QLabel *lblLon;
    TNumericEntry *neDecLon;

    QGroupBox *gbVersion;
    QLabel *lblCreatedOn;
    QLineEdit *edDateTimeUTC;
    QGroupBox *gbTitleSML;
    QLabel *lblXMLVers;
    QLabel *lblXMLVersion;
    QLabel *lblSMLVers;
    QLabel *lblSMLVersion;
    QLabel *lblKOVAVers;
    QLabel *lblKOVAVersion;

    QGroupBox *gbOpMode;
    QLineEdit *edOpMode;

    QLabel *JvImage1; // 181 x 137, the picture stretched to fill it

    QGroupBox *gbFiles;
    // Null until the window installs its SML group.
    QLineEdit *edSMLFileName = nullptr;

    QGroupBox *gbWavFile;
    TIndicatorLight *ledWAVOpen;
    QLineEdit *edWAVFileName;
    QPushButton *btnWaveFileOpen;
    QPushButton *btnSaveWAV;
    QPushButton *btnSaveAsWAV;

    QGroupBox *gbJPGFile;
    TIndicatorLight *ledJPGOpen;
    QPushButton *btnJPGFileOpen;
    QLineEdit *edJPGFileName;
    QPushButton *btnSaveJPG;
    QPushButton *btnSaveAsJPG;

private:
    QWidget *BuildTarget();
    QWidget *BuildPersonell();
    QWidget *BuildLocation();
    QWidget *BuildVersion();
    QWidget *BuildOpMode();
    QWidget *BuildFiles();
    QWidget *BuildWavGroup();
    QWidget *BuildJPGGroup();

    QHBoxLayout *FFilesLayout = nullptr;
};
